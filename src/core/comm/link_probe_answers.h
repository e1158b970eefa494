#pragma once

#include "comm/link_types.h"

namespace kelcc::core::comm {

class LinkEngine;

// What the engine does with the controller's answer to a probe: go on,
// repeat what was lost, wait for the busy end, or hand a resume over.
class LinkProbeAnswers final {
public:
    explicit LinkProbeAnswers(LinkEngine& engine) : m_engine(engine) {}

    void onAnswer(const Frame& frame);

private:
    // Repeats the frame the damaged one was, by what it was.
    void resendByKind(LinkState savedState);

    LinkEngine& m_engine;
};

}  // namespace kelcc::core::comm
