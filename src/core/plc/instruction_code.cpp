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

int PlacementColumnOf(InstructionCode code) noexcept {
    switch (code) {
        case InstructionCode::OUT:
            return 8;
        case InstructionCode::END1:
        case InstructionCode::END2:
        case InstructionCode::LBL:
        case InstructionCode::SP:
        case InstructionCode::SPE:
            return 1;
        case InstructionCode::SET:
        case InstructionCode::RST:
        case InstructionCode::JMPB:
        case InstructionCode::CALL:
        case InstructionCode::DIFU:
        case InstructionCode::DIFD:
        case InstructionCode::ALT:
            return 7;
        case InstructionCode::TMRB:
            return 6;
        case InstructionCode::CMP:
        case InstructionCode::CTRC:
        case InstructionCode::MOVN:
        case InstructionCode::DECB:
        case InstructionCode::CODB:
        case InstructionCode::ROTB:
        case InstructionCode::PARI:
        case InstructionCode::ADDB:
        case InstructionCode::SUBB:
        case InstructionCode::MOVE:
            return 5;
        default:
            return 0;
    }
}

}  // namespace kelcc::core::plc
