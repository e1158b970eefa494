#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "plc/il_store.h"
#include "plc/ladder_cell.h"
#include "plc/plc_records.h"

namespace kelcc::core::plc {

// The cells and comment of one ladder row; empty places are left out.
struct RowContent {
    int row = 0;
    std::vector<std::pair<int, plc::LadderCell>> cells;  // (column, cell)
    std::string comment;

    bool empty() const noexcept { return cells.empty() && comment.empty(); }
    bool sameContent(const RowContent& other) const {
        return cells == other.cells && comment == other.comment;
    }
};

// The primitive changes an edit of the PLC document is made of. Each holds
// the state before and after, so it can be applied in either direction.
namespace change {

struct Cell {
    int row = 0;
    int column = 0;
    bool hadBefore = false;
    bool hasAfter = false;
    plc::LadderCell before;
    plc::LadderCell after;
};

// Rows inserted at `first`; `lost` are the rows pushed past the last row.
struct RowsInserted {
    int first = 0;
    int count = 0;
    std::vector<RowContent> lost;
};

// Rows first..first+count-1 deleted; `removed` is what they held.
struct RowsDeleted {
    int first = 0;
    int count = 0;
    std::vector<RowContent> removed;
};

// Rows whose content was replaced in place (a compile, or the removal of
// empty rows): before and after list the same rows in the same order.
struct RowsReplaced {
    std::vector<RowContent> before;
    std::vector<RowContent> after;
};

struct Comment {
    int row = 0;
    std::string before;
    std::string after;
};

struct DByte {
    int index = 0;
    DataByteRecord before;
    DataByteRecord after;
};

struct KByte {
    int index = 0;
    std::uint8_t before = 0;
    std::uint8_t after = 0;
};

struct DataWord {
    bool timer = false;  // DT, else DC
    int index = 0;
    DataWordRecord before;
    DataWordRecord after;
};

struct TextList {
    bool alarms = false;  // else the address comments
    std::vector<std::string> before;
    std::vector<std::string> after;
};

// A compile: the instruction list and what belongs to it.
struct Program {
    IlStore beforeIl;
    IlStore afterIl;
    int beforeSteps = 0;
    int afterSteps = 0;
    std::uint16_t beforeChecksum = 0;
    std::uint16_t afterChecksum = 0;
    std::vector<NetworkSteps> beforeNetworkSteps;
    std::vector<NetworkSteps> afterNetworkSteps;
    std::vector<NetworkRows> beforeNetworkRows;
    std::vector<NetworkRows> afterNetworkRows;
};

}  // namespace change

using PlcChange = std::variant<change::Cell, change::RowsInserted, change::RowsDeleted,
                               change::RowsReplaced, change::Comment, change::DByte, change::KByte,
                               change::DataWord, change::TextList, change::Program>;

}  // namespace kelcc::core::plc
