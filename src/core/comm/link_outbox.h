#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "comm/link_byte_sink.h"
#include "comm/link_types.h"

namespace kelcc::core::comm {

// Builds the frames one end sends and keeps the last data frame, command
// and reply so that each can go out again byte for byte. Every send
// returns whether the frame was queued; the caller starts its time-out.
class LinkOutbox final {
public:
    explicit LinkOutbox(LinkByteSink& sink) : m_sink(sink) {}

    // Takes the next transmit number; a disconnect carries 0 and sets the
    // number back to 255.
    bool command(Command command, std::uint8_t subCode, std::span<const std::uint8_t> data);
    bool reply(std::uint8_t sequence, Command command, std::uint8_t subCode,
               std::span<const std::uint8_t> data);
    bool data(std::uint8_t subCode, std::span<const std::uint8_t> data);
    bool nak();
    // The probe carries the current transmit number without advancing it.
    bool probe();
    // Outside the kept frames: repeated requests ask for the kept reply.
    bool status(std::uint8_t sequence, std::uint8_t state);

    // What a negative acknowledgement asks for: the last frame, but after a
    // negative acknowledgement of our own the request still waiting for its
    // answer, or the two ends would only ever trade those.
    bool repeatLast(bool dataWaits, bool commandWaits);
    bool resendData();
    bool resendCommand();
    bool resendReply();
    bool queue(std::span<const std::uint8_t> bytes) { return m_sink.write(bytes); }

    void resetSequence() noexcept { m_txSequence = 255; }
    void forgetData() noexcept { m_dataFrame.clear(); }
    void forgetReply() noexcept { m_replyFrame.clear(); }
    void setLastKind(SentKind kind) noexcept { m_lastKind = kind; }

    std::uint8_t transmitSequence() const noexcept { return m_txSequence; }
    std::uint8_t dataSequence() const noexcept { return m_dataSequence; }
    std::uint8_t commandSequence() const noexcept { return m_commandSequence; }
    // Remembered only for the command codes 0x60-0x67, else 0.
    std::uint8_t lastCommand() const noexcept { return m_lastCommand; }
    std::uint8_t lastCommandSubCode() const noexcept { return m_lastCommandSubCode; }
    SentKind lastKind() const noexcept { return m_lastKind; }
    bool hasData() const noexcept { return !m_dataFrame.empty(); }
    bool hasReply() const noexcept { return !m_replyFrame.empty(); }

private:
    std::uint8_t nextSequence() noexcept;
    bool keepAndQueue(std::vector<std::uint8_t>& kept, const Frame& frame, SentKind kind);

    LinkByteSink& m_sink;
    std::uint8_t m_txSequence = 255;
    std::uint8_t m_dataSequence = 0;
    std::uint8_t m_commandSequence = 0;
    std::uint8_t m_lastCommand = 0;
    std::uint8_t m_lastCommandSubCode = 0;
    SentKind m_lastKind = SentKind::None;
    std::vector<std::uint8_t> m_dataFrame;
    std::vector<std::uint8_t> m_commandFrame;
    std::vector<std::uint8_t> m_replyFrame;
};

}  // namespace kelcc::core::comm
