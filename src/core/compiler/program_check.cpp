#include "program_check.h"

#include <array>
#include <new>

#include "compiler/program_references.h"
#include "plc/instruction_code.h"

namespace kelcc::core::compiler {

namespace {

using plc::InstructionCode;

struct Counted {
    InstructionCode code;
    int error;
};

// In the order their limits are checked.
constexpr std::array<Counted, 8> kCounted = {{
    {InstructionCode::CODB, 510},
    {InstructionCode::CALL, 511},
    {InstructionCode::JMPB, 512},
    {InstructionCode::SP, 513},
    {InstructionCode::LBL, 514},
    {InstructionCode::ALT, 515},
    {InstructionCode::DIFU, 516},
    {InstructionCode::DIFD, 517},
}};

class Checker {
public:
    int run(const plc::IlStore& il, std::vector<plc::ProgramWarning>& warnings) {
        for (std::size_t step = 0; step < il.size(); ++step) {
            if (const int code = overLimit()) return code;
            if (const int code = checkStep(il, step)) return code;
        }
        // The limit also holds when the last instruction is the one too many.
        if (const int code = overLimit()) return code;
        if (!m_end2Seen) return 408;
        if (!m_end1Seen) return 407;
        if (m_inSubprogram) return 409;
        return m_refs.check(warnings);
    }

private:
    int overLimit() const {
        for (std::size_t i = 0; i < kCounted.size(); ++i) {
            if (m_counts[i] > ProgramCheck::kMaxCounted) return kCounted[i].error;
        }
        return 0;
    }

    void count(InstructionCode code) {
        for (std::size_t i = 0; i < kCounted.size(); ++i) {
            if (kCounted[i].code == code) ++m_counts[i];
        }
    }

    int checkStep(const plc::IlStore& il, std::size_t index) {
        const plc::IlEntry& entry = il[index];
        const int step = static_cast<int>(index);
        const bool hasText = !entry.text.empty();
        const auto code = entry.opcode > 0xFF ? InstructionCode::Unknown
                                              : static_cast<InstructionCode>(entry.opcode);
        const auto previous = index > 0 && il[index - 1].opcode <= 0xFF
                                  ? static_cast<InstructionCode>(il[index - 1].opcode)
                                  : InstructionCode::NOP;
        count(code);
        switch (code) {
            case InstructionCode::END1:
                if (m_end1Seen || !hasText) return 404;
                m_end1Seen = true;
                m_refs.setEnd1Step(step);
                return 0;
            case InstructionCode::END2:
                if (!m_end1Seen) return 407;
                if (m_end2Seen || !hasText) return 405;
                m_end2Seen = true;
                m_refs.setEnd2Step(step);
                return 0;
            case InstructionCode::SP:
                if ((previous != InstructionCode::END2 && previous != InstructionCode::SPE) ||
                    m_inSubprogram || !hasText) {
                    return 401;
                }
                m_inSubprogram = true;
                m_refs.openSubprogram(step, ProgramReferences::numberOf(entry.text));
                return 0;
            case InstructionCode::SPE:
                if (!m_inSubprogram || !hasText) return 402;
                m_inSubprogram = false;
                m_refs.closeSubprogram(step);
                return 0;
            case InstructionCode::LBL:
                if (!hasText) return 504;
                m_refs.addLabel(step, ProgramReferences::numberOf(entry.text));
                return 0;
            case InstructionCode::JMPB:
                m_refs.addJump(step, ProgramReferences::numberOf(entry.text));
                return 0;
            case InstructionCode::CALL:
                m_refs.addCall(step, ProgramReferences::numberOf(entry.text));
                return 0;
            default:
                return 0;
        }
    }

    std::array<int, kCounted.size()> m_counts{};
    ProgramReferences m_refs;
    bool m_end1Seen = false;
    bool m_end2Seen = false;
    bool m_inSubprogram = false;
};

}  // namespace

int ProgramCheck::run(const plc::IlStore& il, std::vector<plc::ProgramWarning>& warnings) {
    try {
        Checker checker;
        return checker.run(il, warnings);
    } catch (const std::bad_alloc&) {
        return 500;
    }
}

}  // namespace kelcc::core::compiler
