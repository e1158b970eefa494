#pragma once

#include <vector>

#include "compiler/step_error.h"
#include "plc/plc_document.h"

namespace kelcc::core::compiler {

// Draws the ladder from the IL, network by network. The new grid replaces
// the document's grid (and the network row table is filled) only when every
// network succeeds; on an error the document's grid is untouched. Marks
// nothing modified.
class LadderRebuild final {
public:
    static constexpr int kPoolBlocks = 20;
    static constexpr int kBlockRows = 14;

    static StepError rebuild(plc::PlcDocument& doc, const std::vector<plc::NetworkSteps>& networks);
};

}  // namespace kelcc::core::compiler
