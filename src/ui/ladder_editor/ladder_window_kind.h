#pragma once

namespace kelcc::ui {

// Makes the ladder window the window of the project's PLC program.
void registerLadderWindowKind();

}  // namespace kelcc::ui
