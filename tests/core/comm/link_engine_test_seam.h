#pragma once

#include "comm/link_engine.h"

namespace kelcc::core::comm {

// What the engine tests reach beyond the product's interface.
class LinkEngineTestSeam final {
public:
    explicit LinkEngineTestSeam(LinkEngine& engine) : m_engine(engine) {}

    // The number the controller answers the engine's current frame with.
    std::uint8_t transmitSequence() const { return m_engine.m_out.transmitSequence(); }
    // A reply outside the answer to a frame, as after a taken piece.
    void sendReply(Command command, std::uint8_t subCode) { m_engine.sendReply(command, subCode); }

private:
    LinkEngine& m_engine;
};

}  // namespace kelcc::core::comm
