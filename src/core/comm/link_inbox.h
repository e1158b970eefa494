#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "comm/link_frame_parser.h"
#include "comm/link_types.h"

namespace kelcc::core::comm {

// Takes received chunks apart into frames the way a stop-and-wait end
// needs them: damage (a bad header or CRC, bytes that belong to no frame)
// is told once per chunk and only when no intact frame came after it, so
// what is left of one damaged frame never asks for a second repetition.
// It also remembers the last frame answered, so that a repeat of it is
// recognised and not taken twice.
class LinkInbox final {
public:
    struct Damage {
        LinkError error = LinkError::None;
        // Set when the damage was a data frame whose header passed.
        std::optional<std::uint8_t> dataSequence;
    };

    // False when the chunk does not fit; it is then dropped whole.
    bool append(std::span<const std::uint8_t> chunk) noexcept { return m_parser.append(chunk); }
    // The next intact frame, or nothing when more bytes are needed.
    std::optional<Frame> next();
    // Damage behind the last intact frame, once.
    Damage takeDamage() noexcept;
    void clear() noexcept;
    std::size_t buffered() const noexcept { return m_parser.buffered(); }

    void answered(const Frame& frame);
    void forgetAnswered() noexcept { m_haveAnswered = false; }
    bool repeatsAnswered(const Frame& frame) const noexcept;

    // A frame that reports damage at the other end: a negative
    // acknowledgement, a check-error answer, a probe answer 2 or 3.
    static bool reportsDamage(const Frame& frame) noexcept;
    // False for a negative acknowledgement (always 0) and for the probe and
    // its answer (the prober's own number): they say nothing about the
    // other end's numbering.
    static bool carriesPeerNumber(const Frame& frame) noexcept;

private:
    LinkFrameParser m_parser;
    Damage m_damage;
    Frame m_answered;
    bool m_haveAnswered = false;
};

}  // namespace kelcc::core::comm
