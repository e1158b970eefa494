#include "comm/link_frame.h"

#include <algorithm>

#include "common/crc16.h"

namespace kelcc::core::comm {

std::uint8_t LinkFrame::headerSum(std::span<const std::uint8_t> header) noexcept {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 6 && i < header.size(); ++i)
        sum += header[i];
    return static_cast<std::uint8_t>(sum & 0xFF);
}

std::uint16_t LinkFrame::dataCrc(std::span<const std::uint8_t> data) noexcept {
    common::Crc16 crc;
    for (std::uint8_t b : data)
        crc.update(b);
    return crc.value();
}

std::vector<std::uint8_t> LinkFrame::encode(const Frame& frame) {
    const std::size_t length = std::min(frame.data.size(), kMaxData);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(encodedSize(length));
    bytes.push_back(kStart);
    bytes.push_back(frame.sequence);
    bytes.push_back(frame.command);
    bytes.push_back(frame.subCode);
    bytes.push_back(static_cast<std::uint8_t>(length >> 8));
    bytes.push_back(static_cast<std::uint8_t>(length & 0xFF));
    bytes.push_back(headerSum(bytes));
    if (length > 0) {
        const std::span<const std::uint8_t> data(frame.data.data(), length);
        bytes.insert(bytes.end(), data.begin(), data.end());
        const std::uint16_t crc = dataCrc(data);
        bytes.push_back(static_cast<std::uint8_t>(crc >> 8));
        bytes.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    }
    return bytes;
}

}  // namespace kelcc::core::comm
