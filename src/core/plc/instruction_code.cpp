#include "instruction_code.h"

#include <array>
#include <utility>

namespace kelcc::core::plc {
namespace {

using Entry = std::pair<std::string_view, InstructionCode>;

constexpr std::array<Entry, 33> kMnemonics = {{
    {"LD", InstructionCode::LD},     {"LDI", InstructionCode::LDI},
    {"AND", InstructionCode::AND},   {"ANI", InstructionCode::ANI},
    {"OUT", InstructionCode::OUT},   {"OR", InstructionCode::OR},
    {"ORI", InstructionCode::ORI},   {"ANB", InstructionCode::ANB},
    {"ORB", InstructionCode::ORB},   {"END1", InstructionCode::END1},
    {"END2", InstructionCode::END2}, {"SET", InstructionCode::SET},
    {"RST", InstructionCode::RST},   {"CMP", InstructionCode::CMP},
    {"TMRB", InstructionCode::TMRB}, {"CTRC", InstructionCode::CTRC},
    {"MOVN", InstructionCode::MOVN}, {"DECB", InstructionCode::DECB},
    {"CODB", InstructionCode::CODB}, {"JMPB", InstructionCode::JMPB},
    {"LBL", InstructionCode::LBL},   {"CALL", InstructionCode::CALL},
    {"SP", InstructionCode::SP},     {"SPE", InstructionCode::SPE},
    {"ROTB", InstructionCode::ROTB}, {"PARI", InstructionCode::PARI},
    {"ADDB", InstructionCode::ADDB}, {"SUBB", InstructionCode::SUBB},
    {"DIFU", InstructionCode::DIFU}, {"DIFD", InstructionCode::DIFD},
    {"MOVE", InstructionCode::MOVE}, {"ALT", InstructionCode::ALT},
    {"NOP", InstructionCode::NOP},
}};

}  // namespace

InstructionCode InstructionCodeOf(std::string_view mnemonic) noexcept {
    for (const auto& [name, code] : kMnemonics) {
        if (name == mnemonic && code != InstructionCode::NOP) return code;
    }
    return InstructionCode::Unknown;
}

std::string_view MnemonicOf(InstructionCode code) noexcept {
    for (const auto& [name, c] : kMnemonics) {
        if (c == code) return name;
    }
    return {};
}

}  // namespace kelcc::core::plc
