#pragma once

#include "comm/link_types.h"

namespace kelcc::core::comm {

class LinkEngine;

// What the engine does with a frame while a file or the list text moves:
// the pieces it takes and the acknowledgements of the pieces it sends.
class LinkTransferFrames final {
public:
    explicit LinkTransferFrames(LinkEngine& engine) : m_engine(engine) {}

    void onFrame(const Frame& frame);

private:
    void onDataFrame(const Frame& frame);
    void onAck(const Frame& frame);

    LinkEngine& m_engine;
};

}  // namespace kelcc::core::comm
