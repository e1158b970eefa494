#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/table_model.h"
#include "plc/plc_document.h"

namespace kelcc::core::plc_tables {

// The PLC tables are grids of the generic table interface.
using common::CellEditor;
using common::CellRef;
using common::CommitResult;
using common::TableMessage;
using common::TableModel;

// The tables of a PLC document as CSV files: a header line, then one line
// per row led by the row's fixed cell (address or number). An import
// commits each cell with its column's rule, as a paste does.
class TableTransfer final {
public:
    // "d", "dc", "dt", "alarms", "comments", "k"; nullptr for another name.
    static std::unique_ptr<TableModel> model(plc::PlcDocument& doc, std::string_view name);

    // Rows whose cells are all empty (besides the fixed one) are left out,
    // except the empty rows between I/O comments, which keep the numbering.
    static std::string exportCsv(const TableModel& model);

    struct LineError {
        int line = 0;
        std::string reason;
    };
    struct ImportResult {
        std::vector<LineError> errors;
        int cells = 0;  // cells stored
    };
    // Applies what passes; the caller decides whether a result with errors
    // is written.
    static ImportResult importCsv(TableModel& model, std::string_view csv);

    static constexpr const char* kUnknownRowFormat = "没有这一行: %1";
};

}  // namespace kelcc::core::plc_tables
