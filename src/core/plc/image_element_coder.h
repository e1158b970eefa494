#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "plc/ladder_cell.h"
#include "plc/ladder_image_model.h"

namespace kelcc::core::plc {

// Turns one ladder cell into an element of the binary image: the type code,
// the vertical-link mark and the operands parsed from the cell text.
class ImageElementCoder final {
public:
    static constexpr std::uint8_t kCodeFiller = 0;
    static constexpr std::uint8_t kCodeOpenContact = 1;
    static constexpr std::uint8_t kCodeClosedContact = 2;
    static constexpr std::uint8_t kCodeCoil = 3;
    static constexpr std::uint8_t kCodeOutput = 4;
    static constexpr std::uint8_t kCodeLine = 5;
    static constexpr std::uint8_t kCodeLink = 6;
    static constexpr std::uint8_t kFlagVerticalLink = 0x02;

    static constexpr std::uint32_t kBitAddressFlag = 0x80000000u;
    // Address number of an operand whose number text is not all digits (or
    // does not fit 16 bits).
    static constexpr std::uint32_t kBadNumber = 0xFFFF;

    // Type code of a cell kind; kinds without an image element give code 0.
    static std::uint8_t typeCode(int kind) noexcept;

    // Numbers of a letter must stay below this; 0 for letters without limit.
    static std::uint32_t addressLimit(char letter) noexcept;

    // Address word of a contact (codes 1-2) or coil (codes 3-4) text; 0 when
    // the letter, number or bit is not acceptable.
    static std::uint32_t contactWord(std::string_view text) noexcept;
    static std::uint32_t coilWord(std::string_view text) noexcept;

    // The operands of a function-box text, mnemonic skipped.
    static std::vector<LadderImageModel::Operand> operands(std::string_view text);

    // The element for a cell in the given column (1-8).
    static LadderImageModel::Element element(const plc::LadderCell& cell, int column);
};

}  // namespace kelcc::core::plc
