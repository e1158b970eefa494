#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "comm/link_byte_sink.h"
#include "comm/link_frame.h"
#include "comm/link_frame_parser.h"
#include "comm/link_types.h"

namespace kelcc::sim::test {

// Collects what the controller writes and splits it into frames.
class RecordingSink final : public core::comm::LinkByteSink {
public:
    bool write(std::span<const std::uint8_t> bytes) override {
        m_writes.emplace_back(bytes.begin(), bytes.end());
        m_parser.append(bytes);
        return true;
    }
    void setReadSize(std::size_t) override {}

    // Frames written since the last call.
    std::vector<core::comm::Frame> frames() {
        std::vector<core::comm::Frame> out;
        for (;;) {
            auto result = m_parser.next();
            if (result.status == core::comm::LinkFrameParser::Status::NeedMore) break;
            out.push_back(std::move(result.frame));
        }
        return out;
    }
    const std::vector<std::vector<std::uint8_t>>& writes() const { return m_writes; }

private:
    std::vector<std::vector<std::uint8_t>> m_writes;
    core::comm::LinkFrameParser m_parser;
};

inline std::vector<std::uint8_t> frameBytes(std::uint8_t sequence, core::comm::Command command,
                                            std::uint8_t subCode,
                                            std::vector<std::uint8_t> data = {}) {
    core::comm::Frame frame;
    frame.sequence = sequence;
    frame.command = static_cast<std::uint8_t>(command);
    frame.subCode = subCode;
    frame.data = std::move(data);
    return core::comm::LinkFrame::encode(frame);
}

inline std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

inline std::string textOf(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

}  // namespace kelcc::sim::test
