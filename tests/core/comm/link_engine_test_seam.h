#pragma once

#include "comm/link_engine.h"

namespace kelcc::core::comm {

// What the engine tests look at beyond the product's interface.
class LinkEngineTestSeam final {
public:
    explicit LinkEngineTestSeam(LinkEngine& engine) : m_engine(engine) {}

    Role role() const { return m_engine.m_role; }
    bool paused() const { return m_engine.m_paused; }
    bool accepted() const { return m_engine.m_accepted; }
    bool timerRunning() const { return m_engine.m_timerRunning; }
    std::int32_t done() const { return m_engine.m_done; }
    std::int32_t errorCount() const { return m_engine.m_errorCount; }
    std::uint8_t transmitSequence() const { return m_engine.m_out.transmitSequence(); }
    std::uint8_t receiveSequence() const { return m_engine.m_rxSequence; }
    std::uint32_t timeoutLength() const { return m_engine.m_timeoutLength; }
    // A reply outside the answer to a frame, as after a taken piece.
    void sendReply(Command command, std::uint8_t subCode) { m_engine.sendReply(command, subCode); }

private:
    LinkEngine& m_engine;
};

}  // namespace kelcc::core::comm
