#pragma once

#include <cstdint>
#include <span>

#include "comm/link_input.h"
#include "transfer/transfer_session.h"

namespace kelcc::core::transfer {

// Lets a LinkHost drive a transfer session, which passes everything on to
// its link engine and then handles what the engine reported.
class TransferSessionInput final : public comm::LinkInput {
public:
    explicit TransferSessionInput(TransferSession& session) : m_session(session) {}
    void onBytes(std::span<const std::uint8_t> chunk) override { m_session.onBytes(chunk); }
    void onTick() override { m_session.onTick(); }

private:
    TransferSession& m_session;
};

}  // namespace kelcc::core::transfer
