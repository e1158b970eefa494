#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "plc/il_store.h"
#include "plc/ladder_grid.h"

namespace kelcc::core::compiler::test {

// Reference semantics for property tests: what each output (coil or box,
// by its text) receives for given contact states, once from the drawing and
// once from the instruction list.
class CircuitOracle final {
public:
    using Inputs = std::function<bool(const std::string& operand)>;
    using Outputs = std::vector<std::pair<std::string, bool>>;  // sorted by text

    // Power flows left to right through closed contacts and lines; every
    // run of vertical links in columns 2-8 joins the element ends at its
    // column boundary (wired OR). Column 1 links are the rail anyway.
    static Outputs ofLadder(const plc::LadderGrid& grid, const Inputs& inputs);
    // The controller's stack machine; END1, END2, LBL, SP, SPE are skipped.
    static Outputs ofIl(const plc::IlStore& il, const Inputs& inputs);
};

}  // namespace kelcc::core::compiler::test
