#include "il_check.h"

#include <new>
#include <string>

#include "compiler/program_references.h"
#include "plc/instruction_code.h"

namespace kelcc::core::compiler {

namespace {

using plc::InstructionCode;

constexpr int kErrorOpenCircuit = 400;
constexpr int kErrorSubprogramStart = 401;
constexpr int kErrorSubprogramEnd = 402;
constexpr int kErrorLabel = 403;
constexpr int kErrorEnd1 = 404;
constexpr int kErrorConditionOpen = 405;
constexpr int kErrorConditionOpenAtEnd = 406;
constexpr int kErrorNoEnd1 = 407;
constexpr int kErrorNoEnd2 = 408;
constexpr int kErrorSubprogramOpen = 409;
constexpr int kErrorAfterEnd2 = 417;
constexpr int kErrorMemory = 500;
constexpr int kErrorEmptyText = 501;
constexpr int kErrorUnknownInstruction = 503;

InstructionCode codeOf(std::uint32_t opcode) noexcept {
    // Opcodes come from a file; anything beyond a byte is no instruction.
    return opcode > 0xFF ? InstructionCode::Unknown : static_cast<InstructionCode>(opcode);
}

// OUT and the function instructions that end a condition (codes 21-23,
// 25-30, 32, 35-42); consecutive ones share the condition.
bool isOutput(std::uint32_t opcode) noexcept {
    switch (codeOf(opcode)) {
        case InstructionCode::OUT:
        case InstructionCode::SET:
        case InstructionCode::RST:
        case InstructionCode::CMP:
        case InstructionCode::TMRB:
        case InstructionCode::CTRC:
        case InstructionCode::MOVN:
        case InstructionCode::DECB:
        case InstructionCode::CODB:
        case InstructionCode::JMPB:
        case InstructionCode::CALL:
        case InstructionCode::ROTB:
        case InstructionCode::PARI:
        case InstructionCode::ADDB:
        case InstructionCode::SUBB:
        case InstructionCode::DIFU:
        case InstructionCode::DIFD:
        case InstructionCode::MOVE:
        case InstructionCode::ALT:
            return true;
        default:
            return false;
    }
}

class Checker {
public:
    explicit Checker(plc::PlcDocument& doc) : m_doc(doc), m_il(doc.il()) {}

    std::vector<plc::NetworkSteps>& networks() { return m_networks; }

    StepError run() {
        const int steps = static_cast<int>(m_il.size());
        for (int step = 0; step < steps; ++step) {
            const int code = checkStep(step);
            if (code != 0) return {step, code};
        }
        const int last = steps - 1;
        if (m_open > 0) return {last, kErrorConditionOpenAtEnd};
        if (!m_end2Seen) return {last, kErrorNoEnd2};
        if (!m_end1Seen) return {last, kErrorNoEnd1};
        if (m_inSubprogram) return {last, kErrorSubprogramOpen};
        const int code = m_refs.check(m_doc.warnings());
        if (code != 0) return {last, code};
        return {};
    }

private:
    int checkStep(int step) {
        const plc::IlEntry& entry = m_il[static_cast<std::size_t>(step)];
        const bool hasText = !entry.text.empty();
        const InstructionCode previous =
            step > 0 ? codeOf(m_il[static_cast<std::size_t>(step - 1)].opcode)
                     : InstructionCode::NOP;

        if (isOutput(entry.opcode)) {
            if (m_open != 1 || !hasText) return kErrorOpenCircuit;
            const InstructionCode code = codeOf(entry.opcode);
            if (code == InstructionCode::CALL)
                m_refs.addCall(step, ProgramReferences::numberOf(entry.text));
            if (code == InstructionCode::JMPB)
                m_refs.addJump(step, ProgramReferences::numberOf(entry.text));
            const bool nextIsOutput = step + 1 < static_cast<int>(m_il.size()) &&
                                      isOutput(m_il[static_cast<std::size_t>(step + 1)].opcode);
            if (!nextIsOutput) {
                m_open = 0;
                m_networks.push_back({m_networkStart, step});
            }
            return 0;
        }

        switch (codeOf(entry.opcode)) {
            case InstructionCode::LD:
            case InstructionCode::LDI:
                if (!hasText) return kErrorEmptyText;
                if (m_open == 0) m_networkStart = step;
                ++m_open;
                return 0;
            case InstructionCode::AND:
            case InstructionCode::ANI:
            case InstructionCode::OR:
            case InstructionCode::ORI:
                return m_open > 0 && hasText ? 0 : kErrorOpenCircuit;
            case InstructionCode::ANB:
            case InstructionCode::ORB:
                if (m_open >= 2 && hasText) {
                    --m_open;
                    return 0;
                }
                return previous == InstructionCode::END2 ? kErrorAfterEnd2 : kErrorOpenCircuit;
            case InstructionCode::END1:
                if (m_open != 0 || m_end1Seen || !hasText) return kErrorEnd1;
                m_end1Seen = true;
                m_refs.setEnd1Step(step);
                m_networks.push_back({step, step});
                return 0;
            case InstructionCode::END2:
                if (m_open != 0 || !m_end1Seen || m_end2Seen || !hasText)
                    return m_end1Seen ? kErrorConditionOpen : kErrorNoEnd1;
                m_end2Seen = true;
                m_refs.setEnd2Step(step);
                m_networks.push_back({step, step});
                return 0;
            case InstructionCode::LBL:
                if (m_open != 0 || !hasText) return kErrorLabel;
                m_refs.addLabel(step, ProgramReferences::numberOf(entry.text));
                m_networks.push_back({step, step});
                return 0;
            case InstructionCode::SP:
                // Only END2 and SPE leave the count at 0 and may precede SP.
                if ((previous != InstructionCode::END2 && previous != InstructionCode::SPE) ||
                    m_inSubprogram || !hasText)
                    return kErrorSubprogramStart;
                m_inSubprogram = true;
                m_refs.openSubprogram(step, ProgramReferences::numberOf(entry.text));
                m_networks.push_back({step, step});
                return 0;
            case InstructionCode::SPE:
                if (m_open != 0 || !m_inSubprogram || !hasText)
                    return m_inSubprogram && m_open != 0 ? kErrorConditionOpen
                                                         : kErrorSubprogramEnd;
                m_inSubprogram = false;
                m_refs.closeSubprogram(step);
                m_networks.push_back({step, step});
                return 0;
            default:
                return kErrorUnknownInstruction;
        }
    }

    plc::PlcDocument& m_doc;
    const plc::IlStore& m_il;
    ProgramReferences m_refs;
    std::vector<plc::NetworkSteps> m_networks;
    int m_open = 0;  // conditions still waiting for their output
    int m_networkStart = -1;
    bool m_end1Seen = false;
    bool m_end2Seen = false;
    bool m_inSubprogram = false;
};

}  // namespace

StepError IlCheck::checkAndDivide(plc::PlcDocument& doc) {
    doc.warnings().clear();
    doc.networkSteps().clear();
    try {
        Checker checker(doc);
        const StepError result = checker.run();
        if (result.ok()) doc.networkSteps() = std::move(checker.networks());
        return result;
    } catch (const std::bad_alloc&) {
        return {-1, kErrorMemory};
    }
}

}  // namespace kelcc::core::compiler
