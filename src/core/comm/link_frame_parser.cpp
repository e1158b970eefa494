#include "comm/link_frame_parser.h"

#include <algorithm>
#include <cstring>

#include "comm/link_frame.h"

namespace kelcc::core::comm {
namespace {

constexpr std::uint8_t kMaxCommandByte = 0x80;
constexpr std::uint8_t kMaxSubCodeByte = 0x30;

}  // namespace

bool LinkFrameParser::append(std::span<const std::uint8_t> chunk) noexcept {
    if (chunk.size() > kCapacity - m_fill) return false;
    if (!chunk.empty()) std::memcpy(m_buffer.data() + m_fill, chunk.data(), chunk.size());
    m_fill += chunk.size();
    return true;
}

void LinkFrameParser::discardFront(std::size_t count) noexcept {
    count = std::min(count, m_fill);
    std::memmove(m_buffer.data(), m_buffer.data() + count, m_fill - count);
    m_fill -= count;
}

LinkFrameParser::Result LinkFrameParser::next() {
    // A start byte counts only when the command and sub-code bytes behind it
    // are in range; one whose following bytes have not arrived yet is kept.
    std::size_t start = 0;
    while (start < m_fill) {
        if (m_buffer[start] == LinkFrame::kStart) {
            if (start + 3 >= m_fill) break;
            if (m_buffer[start + 2] <= kMaxCommandByte && m_buffer[start + 3] <= kMaxSubCodeByte)
                break;
        }
        ++start;
    }
    m_discarded += start;
    discardFront(start);

    Result result;
    if (m_fill < LinkFrame::kHeaderSize) return result;

    const std::uint8_t* bytes = m_buffer.data();
    // The header is checked before its data is waited for: a damaged length
    // would otherwise hold back everything behind it. Only the start byte
    // goes, since the real frame may begin inside a false header.
    if (LinkFrame::headerSum(std::span<const std::uint8_t>(bytes, 6)) != bytes[6]) {
        ++m_discarded;
        discardFront(1);
        result.status = Status::HeaderError;
        return result;
    }
    const std::size_t length = (std::size_t{bytes[4]} << 8) | bytes[5];
    if (length > LinkFrame::kMaxData) {
        discardFront(LinkFrame::kHeaderSize);
        result.status = Status::Oversized;
        return result;
    }
    const std::size_t total = LinkFrame::encodedSize(length);
    if (m_fill < total) return result;

    result.frame.sequence = bytes[1];
    result.frame.command = bytes[2];
    result.frame.subCode = bytes[3];
    result.frame.data.assign(bytes + LinkFrame::kHeaderSize,
                             bytes + LinkFrame::kHeaderSize + length);
    bool crcOk = true;
    if (length > 0) {
        const std::size_t at = LinkFrame::kHeaderSize + length;
        const auto received = static_cast<std::uint16_t>((bytes[at] << 8) | bytes[at + 1]);
        crcOk = LinkFrame::dataCrc(result.frame.data) == received;
    }
    discardFront(total);
    result.status = crcOk ? Status::Complete : Status::CrcError;
    return result;
}

std::size_t LinkFrameParser::takeDiscarded() noexcept {
    const std::size_t count = m_discarded;
    m_discarded = 0;
    return count;
}

}  // namespace kelcc::core::comm
