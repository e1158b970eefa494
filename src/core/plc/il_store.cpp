#include "il_store.h"

#include <algorithm>

#include "common/crc16.h"

namespace kelcc::core::plc {

bool IlStore::append(std::uint32_t opcode, std::string text) {
    if (opcode == 0 || full()) return false;
    m_entries.push_back({opcode, std::move(text)});
    return true;
}

std::size_t IlStore::compact() {
    const std::size_t before = m_entries.size();
    std::erase_if(m_entries, [](const IlEntry& e) { return e.text.empty(); });
    return before - m_entries.size();
}

std::uint16_t IlStore::checksum() const noexcept {
    common::Crc16 crc;
    // An entry set to opcode 0 through operator[] ends the program early.
    for (const IlEntry& e : m_entries) {
        if (e.opcode == 0) break;
        crc.update(e.text);
    }
    return crc.value();
}

bool IlStore::operator==(const IlStore& other) const {
    return std::equal(m_entries.begin(), m_entries.end(), other.m_entries.begin(),
                      other.m_entries.end(), [](const IlEntry& a, const IlEntry& b) {
                          return a.opcode == b.opcode && a.text == b.text;
                      });
}

}  // namespace kelcc::core::plc
