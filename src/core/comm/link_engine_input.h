#pragma once

#include <cstdint>
#include <span>

#include "comm/link_engine.h"
#include "comm/link_input.h"

namespace kelcc::core::comm {

// Lets a LinkHost drive the link engine.
class LinkEngineInput final : public LinkInput {
public:
    explicit LinkEngineInput(LinkEngine& engine) : m_engine(engine) {}
    void onBytes(std::span<const std::uint8_t> chunk) override { m_engine.onBytes(chunk); }
    void onTick() override { m_engine.onTick(); }

private:
    LinkEngine& m_engine;
};

}  // namespace kelcc::core::comm
