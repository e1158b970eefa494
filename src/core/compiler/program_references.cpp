#include "program_references.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace kelcc::core::compiler {

namespace {

constexpr int kErrorNoLabel = 410;
constexpr int kErrorSameLabel = 411;
constexpr int kErrorNoSubprogram = 412;
constexpr int kErrorSameSubprogram = 413;
constexpr int kErrorJumpOutOfLevel1 = 414;
constexpr int kErrorJumpOutOfLevel2 = 415;
constexpr int kErrorJumpOutOfSubprogram = 416;
constexpr int kErrorCallInsideItself = 418;

template <typename List>
int countNumber(const List& list, int number) {
    return static_cast<int>(std::count_if(list.begin(), list.end(),
                                          [number](const auto& r) { return r.number == number; }));
}

std::uint16_t warningStep(int step) {
    // The warning list keeps 16-bit steps; programs hold at most 5000.
    return static_cast<std::uint16_t>(std::clamp(step, 0, 0xFFFF));
}

}  // namespace

void ProgramReferences::closeSubprogram(int endStep) {
    // The innermost open one is the last.
    for (std::size_t i = m_subprograms.size(); i-- > 0;) {
        if (m_subprograms[i].endStep < 0) {
            m_subprograms[i].endStep = endStep;
            return;
        }
    }
}

int ProgramReferences::numberOf(std::string_view ilText) noexcept {
    std::size_t i = ilText.find(' ');
    if (i == std::string_view::npos) return 0;
    while (i < ilText.size() && ilText[i] == ' ')
        ++i;
    ++i;  // the letter (L or P)
    int value = 0;
    for (; i < ilText.size() && ilText[i] >= '0' && ilText[i] <= '9'; ++i) {
        // Numbers have four digits; a file may hold more, so stop growing
        // before the value overflows.
        if (value > (INT_MAX - 9) / 10) break;
        value = value * 10 + (ilText[i] - '0');
    }
    return value;
}

int ProgramReferences::check(std::vector<plc::ProgramWarning>& warnings) const {
    for (const Ref& jump : m_jumps) {
        const int labels = countNumber(m_labels, jump.number);
        if (labels == 0) return kErrorNoLabel;
        if (labels > 1) return kErrorSameLabel;
    }
    for (const Ref& label : m_labels) {
        if (countNumber(m_jumps, label.number) == 0)
            warnings.push_back({'Q', warningStep(label.step), label.number});
    }
    for (const Ref& call : m_calls) {
        const int subprograms = countNumber(m_subprograms, call.number);
        if (subprograms == 0) return kErrorNoSubprogram;
        if (subprograms > 1) return kErrorSameSubprogram;
    }
    for (const Ref& call : m_calls) {
        for (const Subprogram& sp : m_subprograms) {
            const int end = sp.endStep < 0 ? INT_MAX : sp.endStep;
            if (sp.number == call.number && call.step > sp.startStep && call.step < end)
                return kErrorCallInsideItself;
        }
    }
    for (const Subprogram& sp : m_subprograms) {
        if (countNumber(m_calls, sp.number) == 0)
            warnings.push_back({'P', warningStep(sp.startStep), sp.number});
    }

    // A missing END is reported before this check runs; treat it as lying
    // beyond every step so that nothing here reads an unset step.
    const int end1 = m_end1Step < 0 ? INT_MAX : m_end1Step;
    const int end2 = m_end2Step < 0 ? INT_MAX : m_end2Step;
    for (const Ref& jump : m_jumps) {
        const auto label = std::find_if(m_labels.begin(), m_labels.end(),
                                        [&](const Ref& l) { return l.number == jump.number; });
        if (label == m_labels.end()) continue;
        const int a = std::min(jump.step, label->step);
        const int b = std::max(jump.step, label->step);
        if ((a < end1) != (b < end1)) return kErrorJumpOutOfLevel1;
        const bool aLevel2 = a > end1 && a < end2;
        const bool bLevel2 = b > end1 && b < end2;
        if (aLevel2 != bLevel2) return kErrorJumpOutOfLevel2;
        if (a > end2 && b > end2) {
            // Any subprogram boundary between the two means the jump leaves
            // its subprogram: a start, or an end (code after an SPE lies
            // outside every subprogram).
            for (const Subprogram& sp : m_subprograms) {
                const bool startBetween = sp.startStep > a && sp.startStep < b;
                const bool endBetween = sp.endStep >= 0 && sp.endStep > a && sp.endStep < b;
                if (startBetween || endBetween) return kErrorJumpOutOfSubprogram;
            }
        }
    }
    return 0;
}

}  // namespace kelcc::core::compiler
