#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelcc::core::plc {

// The ladder image in memory: networks of rows of elements, serialised in
// one pass. Rows index their elements by column (0 = column 1).
class LadderImageModel final {
public:
    static constexpr std::uint8_t kOperandAddress = 1;
    static constexpr std::uint8_t kOperandNumber = 2;

    struct Operand {
        std::uint8_t kind = kOperandAddress;
        std::uint32_t value = 0;

        bool operator==(const Operand&) const = default;
    };

    struct Element {
        std::uint8_t code = 0;
        std::uint8_t flags = 0;
        std::uint32_t address = 0;      // codes 1-4
        std::vector<Operand> operands;  // codes 20-40

        bool operator==(const Element&) const = default;
    };

    struct Row {
        std::vector<Element> elements;
    };

    // The format knows a name field per network, but it is always empty and
    // never written, so it is not kept.
    struct Network {
        std::vector<Row> rows;
    };

    // Missing networks and rows up to the indices are appended empty; an
    // element already at the column is replaced, missing columns before it
    // are filled with code-0 elements.
    void file(std::size_t network, std::size_t row, std::size_t column, Element element);

    const std::vector<Network>& networks() const noexcept { return m_networks; }

    std::string serialize() const;

    // Element codes that carry a payload after the flags byte.
    static bool hasAddressWord(std::uint8_t code) noexcept { return code >= 1 && code <= 4; }
    static bool hasOperandList(std::uint8_t code) noexcept { return code >= 20 && code <= 40; }

    // Counts below 255 take one byte, larger ones 0xFF and 4 bytes LE.
    static void appendCount(std::string& out, std::uint32_t value);
    static void appendWord(std::string& out, std::uint32_t value);

private:
    std::vector<Network> m_networks;
};

}  // namespace kelcc::core::plc
