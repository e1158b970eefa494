#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelcc::core::plc {

struct IlEntry {
    std::uint32_t opcode = 0;
    std::string text;  // from the mnemonic on, no step number, no line break
};

// The instruction list as the controller runs it. It holds at most
// kCapacity instructions; the end mark (opcode 0) after the last one is
// implicit. Capacity is reported by append() returning false once the store
// is full, and by remaining(); nothing is ever dropped silently.
class IlStore final {
public:
    static constexpr std::size_t kCapacity = 5000;

    IlStore() { m_entries.reserve(64); }

    std::size_t size() const noexcept { return m_entries.size(); }
    bool empty() const noexcept { return m_entries.empty(); }
    bool full() const noexcept { return m_entries.size() >= kCapacity; }
    std::size_t remaining() const noexcept { return kCapacity - m_entries.size(); }

    // False (and the store unchanged) when full or when opcode is 0, which
    // only marks the end.
    [[nodiscard]] bool append(std::uint32_t opcode, std::string text);

    const IlEntry& operator[](std::size_t i) const { return m_entries[i]; }
    IlEntry& operator[](std::size_t i) { return m_entries[i]; }
    const std::vector<IlEntry>& entries() const noexcept { return m_entries; }
    auto begin() const noexcept { return m_entries.begin(); }
    auto end() const noexcept { return m_entries.end(); }

    void clear() noexcept { m_entries.clear(); }

    // Removes the entries whose text is empty, keeping the order of the rest.
    // Returns the number removed.
    std::size_t compact();

    // CRC-16 (0x1021, initial 0) over the concatenated instruction texts up
    // to the first entry with opcode 0.
    std::uint16_t checksum() const noexcept;

    bool operator==(const IlStore& other) const;

private:
    std::vector<IlEntry> m_entries;
};

}  // namespace kelcc::core::plc
