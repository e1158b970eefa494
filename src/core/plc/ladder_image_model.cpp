#include "ladder_image_model.h"

#include <limits>
#include <stdexcept>
#include <utility>

namespace kelcc::core::plc {
namespace {

// A count the format cannot hold must not be written truncated.
std::uint32_t checkedCount(std::size_t size) {
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("ladder image count too large");
    return static_cast<std::uint32_t>(size);
}

}  // namespace

void LadderImageModel::file(std::size_t network, std::size_t row, std::size_t column,
                            Element element) {
    if (m_networks.size() <= network) m_networks.resize(network + 1);
    std::vector<Row>& rows = m_networks[network].rows;
    if (rows.size() <= row) rows.resize(row + 1);
    std::vector<Element>& elements = rows[row].elements;
    if (elements.size() <= column) elements.resize(column + 1);
    elements[column] = std::move(element);
}

void LadderImageModel::appendCount(std::string& out, std::uint32_t value) {
    if (value < 0xFF) {
        out.push_back(static_cast<char>(value));
        return;
    }
    out.push_back(static_cast<char>(0xFF));
    appendWord(out, value);
}

void LadderImageModel::appendWord(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

std::string LadderImageModel::serialize() const {
    std::string out;
    appendCount(out, checkedCount(m_networks.size()));
    for (const Network& network : m_networks) {
        appendCount(out, checkedCount(network.rows.size()));
        for (const Row& row : network.rows) {
            appendCount(out, checkedCount(row.elements.size()));
            for (const Element& element : row.elements) {
                out.push_back(static_cast<char>(element.code));
                out.push_back(static_cast<char>(element.flags));
                if (hasAddressWord(element.code)) {
                    appendWord(out, element.address);
                } else if (hasOperandList(element.code)) {
                    appendCount(out, checkedCount(element.operands.size()));
                    for (const Operand& operand : element.operands) {
                        out.push_back(static_cast<char>(operand.kind));
                        appendWord(out, operand.value);
                    }
                }
            }
        }
    }
    return out;
}

}  // namespace kelcc::core::plc
