#pragma once

#include <string_view>
#include <vector>

#include "plc/plc_document.h"

namespace kelcc::core::compiler {

// Jumps, labels, calls and subprograms of a program, collected step by step
// by the compiler's program check and by the open check, and the cross
// reference and jump range checks both run afterwards.
class ProgramReferences final {
public:
    struct Ref {
        int step = -1;
        int number = 0;
    };
    struct Subprogram {
        int startStep = -1;
        int endStep = -1;  // -1 while open
        int number = 0;
    };

    void addJump(int step, int number) { m_jumps.push_back({step, number}); }
    void addLabel(int step, int number) { m_labels.push_back({step, number}); }
    void addCall(int step, int number) { m_calls.push_back({step, number}); }
    void openSubprogram(int startStep, int number) {
        m_subprograms.push_back({startStep, -1, number});
    }
    void closeSubprogram(int endStep);
    void setEnd1Step(int step) { m_end1Step = step; }
    void setEnd2Step(int step) { m_end2Step = step; }

    // Cross references and jump ranges, in this order: JMPB needs exactly one
    // LBL (410 none, 411 several); unnamed LBL -> warning Q; CALL needs exactly
    // one SP (412, 413); CALL inside the subprogram it calls -> 418; uncalled
    // SP -> warning P; jump ranges 414, 415, 416 (a subprogram start or end
    // between a jump and its label after END2). Appends the warnings (all Q
    // before all P) and returns 0 or the first error code.
    int check(std::vector<plc::ProgramWarning>& warnings) const;

    // The number of a JMPB/LBL/CALL/SP text: the characters after the first
    // run of blanks, skipping one letter ("JMPB    L0012" -> 12).
    static int numberOf(std::string_view ilText) noexcept;

    const std::vector<Ref>& jumps() const { return m_jumps; }
    const std::vector<Ref>& labels() const { return m_labels; }
    const std::vector<Ref>& calls() const { return m_calls; }
    const std::vector<Subprogram>& subprograms() const { return m_subprograms; }

private:
    std::vector<Ref> m_jumps;
    std::vector<Ref> m_labels;
    std::vector<Ref> m_calls;
    std::vector<Subprogram> m_subprograms;
    int m_end1Step = -1;
    int m_end2Step = -1;
};

}  // namespace kelcc::core::compiler
