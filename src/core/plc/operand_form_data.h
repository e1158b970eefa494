#pragma once

#include <string_view>
#include <vector>

#include "plc/instruction_code.h"
#include "plc/operand_field.h"

namespace kelcc::core::plc {

// How one word of the instruction line maps onto fields.
enum class TokenKind : std::uint8_t {
    Text,      // the field's canonical text
    Length,    // "%04d" of the selected combo item's number ("0002" <-> "2 字节")
    Prefixed,  // the field's prefix letter, then its number "%04d" ("C0005")
    Flags,     // `fixed`, then one character per combo: the selected item's index
    Table,     // a lone comma, then the list entries
};

struct IlToken {
    TokenKind kind = TokenKind::Text;
    std::vector<int> fields{};
    std::string_view fixed{};
};

// Everything that describes one operand form; the forms themselves are
// data, so a dialog can be built from a data without knowing the instruction.
struct OperandFormData {
    InstructionCode code = InstructionCode::Unknown;
    std::string_view title{};
    std::vector<OperandField> fields{};  // in the order a dialog shows them
    std::vector<int> checkOrder{};       // fields judged by OK, first failure wins
    std::vector<IlToken> layout{};       // operand words of the line in order
    std::string_view lookupButton{};     // JMPB, LBL, CALL, SP: finds the matching instruction
    bool returnsAddress = false;         // contact and coil: OK gives an address and a form index
    int choiceField = kNoField;          // contact and coil: the combo whose index OK returns
    bool compareMessages = false;        // CMP: a bad constant is a comparison error
};

// The forms of all function instructions that take operands.
const std::vector<OperandFormData>& FunctionFormData();
const OperandFormData& ContactFormData();
const OperandFormData& CoilFormData();

}  // namespace kelcc::core::plc
