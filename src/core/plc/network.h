#pragma once

namespace kelcc::core::plc {

// A network (梯形图段): consecutive rows joined by vertical links. The entry
// row and column are filled by the compiler; -1 where not known.
struct Network {
    int firstRow = -1;
    int lastRow = -1;
    int entryRow = -1;
    int entryColumn = -1;

    bool operator==(const Network&) const = default;
};

}  // namespace kelcc::core::plc
