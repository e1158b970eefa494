#pragma once

namespace kelcc::ui {

// The information window (type 104) and the data-table window (113) of the
// project's PLC program.
void registerPlcTableWindowKinds();

}  // namespace kelcc::ui
