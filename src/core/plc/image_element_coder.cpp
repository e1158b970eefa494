#include "image_element_coder.h"

#include <cstddef>
#include <limits>

#include "plc/instruction_code.h"

namespace kelcc::core::plc {
namespace {

constexpr std::string_view kContactLetters = "AXYFGRK";
constexpr std::string_view kCoilLetters = "AYGRK";

bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t';
}
bool isSeparator(char c) noexcept {
    return isBlank(c) || c == ',';
}

// Only 7 bits of the letter fit the word; a byte above 0x7F (part of a
// GBK character) keeps its low 7 bits.
std::uint32_t letterBits(char letter) noexcept {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(letter)) & 0x7Fu) << 24;
}

// Adds a digit, sticking at cap instead of overflowing.
std::uint64_t addDigit(std::uint64_t value, char digit, std::uint64_t cap) noexcept {
    const std::uint64_t next = value * 10 + static_cast<std::uint64_t>(digit - '0');
    return next > cap ? cap : next;
}

std::uint32_t bitAddressWord(std::string_view text, std::string_view letters) noexcept {
    if (text.empty() || letters.find(text[0]) == std::string_view::npos) return 0;
    const char letter = text[0];
    std::size_t i = 1;
    std::uint64_t number = 0;
    // Every limit is far below the cap, so a long number is simply too large.
    constexpr std::uint64_t kCap = 1000000;
    while (i < text.size() && isDigit(text[i]))
        number = addDigit(number, text[i++], kCap);
    if (i == 1 || number >= ImageElementCoder::addressLimit(letter)) return 0;
    // The bit is required: a contact or coil always names a bit.
    if (i + 1 >= text.size() || text[i] != '.') return 0;
    const char bit = text[i + 1];
    if (bit < '0' || bit > '7') return 0;
    for (i += 2; i < text.size(); ++i) {
        if (!isBlank(text[i])) return 0;
    }
    return ImageElementCoder::kBitAddressFlag | letterBits(letter) |
           (static_cast<std::uint32_t>(bit - '0') << 16) | static_cast<std::uint32_t>(number);
}

LadderImageModel::Operand numberOperand(std::string_view token) noexcept {
    constexpr std::uint64_t kCap = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < token.size() && isDigit(token[i]); ++i)
        value = addDigit(value, token[i], kCap);
    return {LadderImageModel::kOperandNumber, static_cast<std::uint32_t>(value)};
}

LadderImageModel::Operand addressOperand(std::string_view token) noexcept {
    char letter = token[0];
    std::size_t i = 1;
    if (token.size() >= 2 && token[0] == 'D' && (token[1] == 'C' || token[1] == 'T')) {
        letter = token[1] == 'C' ? 'c' : 't';
        i = 2;
    }
    std::uint64_t number = 0;
    bool badDigit = false;
    for (; i < token.size() && token[i] != '.'; ++i) {
        if (isDigit(token[i]))
            number = addDigit(number, token[i], ImageElementCoder::kBadNumber);
        else
            badDigit = true;
    }
    std::uint32_t word = letterBits(letter) | (badDigit ? ImageElementCoder::kBadNumber
                                                        : static_cast<std::uint32_t>(number));
    if (i + 1 < token.size() && token[i + 1] >= '0' && token[i + 1] <= '7') {
        word |= ImageElementCoder::kBitAddressFlag |
                (static_cast<std::uint32_t>(token[i + 1] - '0') << 16);
    }
    return {LadderImageModel::kOperandAddress, word};
}

}  // namespace

std::uint8_t ImageElementCoder::typeCode(int kind) noexcept {
    switch (kind) {
        case kCellKindLine:
            return kCodeLine;
        case 1:
            return kCodeOpenContact;
        case 2:
            return kCodeClosedContact;
        case 6:
            return kCodeCoil;
        case kCellKindVerticalLink:
            return kCodeLink;
        case 19:
            return 11;  // END1
        case 20:
            return 12;  // END2
        case 34:
            return 13;  // SPE
        case 31:
            return 20;  // LBL
        case 33:
            return 21;  // SP
        case 21:
            return 22;  // SET
        case 32:
            return 23;  // CALL
        case 30:
            return 24;  // JMPB
        case 22:
            return 25;  // RST
        case 39:
            return 26;  // DIFU
        case 40:
            return 27;  // DIFD
        case 42:
            return 28;  // ALT
        case 25:
            return 30;  // TMRB
        case 27:
            return 31;  // MOVN
        case 23:
            return 32;  // CMP
        case 28:
            return 33;  // DECB
        case 29:
            return 34;  // CODB
        case 36:
            return 35;  // PARI
        case 41:
            return 36;  // MOVE
        case 26:
            return 37;  // CTRC
        case 37:
            return 38;  // ADDB
        case 38:
            return 39;  // SUBB
        case 35:
            return 40;  // ROTB
        default:
            return kCodeFiller;
    }
}

std::uint32_t ImageElementCoder::addressLimit(char letter) noexcept {
    switch (letter) {
        case 'A':
            return 25;
        case 'C':
        case 'T':
            return 100;
        case 'F':
        case 'G':
        case 'X':
        case 'Y':
            return 256;
        case 'K':
            return 40;
        case 'R':
            return 1000;
        case 'L':
        case 'P':
            return 10000;
        default:
            return 0;
    }
}

std::uint32_t ImageElementCoder::contactWord(std::string_view text) noexcept {
    return bitAddressWord(text, kContactLetters);
}

std::uint32_t ImageElementCoder::coilWord(std::string_view text) noexcept {
    return bitAddressWord(text, kCoilLetters);
}

std::vector<LadderImageModel::Operand> ImageElementCoder::operands(std::string_view text) {
    std::vector<LadderImageModel::Operand> result;
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    while (i < text.size() && !isBlank(text[i]))
        ++i;  // the mnemonic
    while (i < text.size()) {
        while (i < text.size() && isSeparator(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !isSeparator(text[i]))
            ++i;
        if (i == start) break;
        const std::string_view token = text.substr(start, i - start);
        result.push_back(isDigit(token[0]) ? numberOperand(token) : addressOperand(token));
    }
    return result;
}

LadderImageModel::Element ImageElementCoder::element(const plc::LadderCell& cell, int column) {
    LadderImageModel::Element e;
    e.code = typeCode(cell.kind);
    // A line cell that lost its element but kept its link is a bare link.
    if (cell.element == 0 && cell.verticalLink != 0 && e.code == kCodeLine) e.code = kCodeLink;
    if (e.code == kCodeOpenContact || e.code == kCodeClosedContact)
        e.address = contactWord(cell.text);
    else if (e.code == kCodeCoil || e.code == kCodeOutput)
        e.address = coilWord(cell.text);
    else if (LadderImageModel::hasOperandList(e.code))
        e.operands = operands(cell.text);
    // The rail already joins column 1; a bare link carries no mark.
    if (cell.verticalLink != 0 && e.code != kCodeLink && column >= 2) e.flags = kFlagVerticalLink;
    return e;
}

}  // namespace kelcc::core::plc
