#pragma once

#include <cstdint>

#include "comm/link_types.h"

namespace kelcc::core::comm {

class LinkEngine;

// What the engine does with a frame in the Ready state: the controller's
// commands, and its answers to ours, for either command role.
class LinkReadyAnswers final {
public:
    explicit LinkReadyAnswers(LinkEngine& engine) : m_engine(engine) {}

    void onFrame(const Frame& frame);

private:
    void onFrameCncMaster(const Frame& frame);
    void onFramePcMaster(const Frame& frame);
    void onUploadOffer(const Frame& frame);
    void onControl(const Frame& frame);
    void onListReply(const Frame& frame);
    void onControlReply(const Frame& frame);
    void onFileReply(const Frame& frame);
    // Shared answers of the three reply kinds; false when not one of them.
    bool onBusyAnswer(const Frame& frame);

    LinkEngine& m_engine;
};

}  // namespace kelcc::core::comm
