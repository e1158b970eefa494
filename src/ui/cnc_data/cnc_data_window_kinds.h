#pragma once

namespace kelcc::ui {

// The windows of the CNC data entries: parameters, tool offsets, pitch
// compensation.
void registerCncDataWindowKinds();

}  // namespace kelcc::ui
