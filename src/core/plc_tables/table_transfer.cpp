#include "plc_tables/table_transfer.h"

#include "common/table_text.h"
#include "plc_tables/alarm_table_model.h"
#include "plc_tables/data_table_model.h"
#include "plc_tables/io_comment_model.h"
#include "plc_tables/k_table_model.h"

namespace kelcc::core::plc_tables {

std::unique_ptr<TableModel> TableTransfer::model(plc::PlcDocument& doc, std::string_view name) {
    using Table = DataTableModel::Table;
    if (name == "d") return std::make_unique<DataTableModel>(doc, Table::D);
    if (name == "dc") return std::make_unique<DataTableModel>(doc, Table::DC);
    if (name == "dt") return std::make_unique<DataTableModel>(doc, Table::DT);
    if (name == "alarms") return std::make_unique<AlarmTableModel>(doc);
    if (name == "comments") return std::make_unique<IoCommentModel>(doc);
    if (name == "k") return std::make_unique<KTableModel>(doc);
    return nullptr;
}

std::string TableTransfer::exportCsv(const TableModel& model) {
    TableText::Rows rows;
    std::vector<std::string> header;
    header.reserve(model.columnCount());
    for (int column = 0; column < model.columnCount(); ++column)
        header.push_back(model.header(column));
    rows.push_back(std::move(header));
    for (int row = 0; row < model.rowCount(); ++row) {
        std::vector<std::string> cells;
        bool empty = true;
        for (int column = 0; column < model.columnCount(); ++column) {
            cells.push_back(model.text(row, column));
            if (column > 0 && !cells.back().empty()) empty = false;
        }
        if (empty && !model.growing()) continue;
        rows.push_back(std::move(cells));
    }
    // The growing list ends with its empty row for new entries.
    if (model.growing() && rows.size() > 1) rows.pop_back();
    return TableText::writeCsv(rows);
}

TableTransfer::ImportResult TableTransfer::importCsv(TableModel& model, std::string_view csv) {
    ImportResult result;
    std::vector<int> lines;
    const TableText::Rows rows = TableText::parseCsv(csv, &lines);
    const std::vector<int> order = model.commitOrder();
    model.beginGroup("导入");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& cells = rows[i];
        if (cells.empty() || (i == 0 && cells[0] == model.header(0))) continue;
        const int row = model.rowOf(cells[0]);
        if (row < 0) {
            std::string reason = kUnknownRowFormat;
            reason.replace(reason.find("%1"), 2, cells[0]);
            result.errors.push_back({lines[i], std::move(reason)});
            continue;
        }
        for (int column : order) {
            if (column >= static_cast<int>(cells.size())) continue;
            const CommitResult commit = model.commit(
                row, column, cells[static_cast<std::size_t>(column)], TableModel::Mode::Strict);
            if (commit.stored()) {
                ++result.cells;
            } else {
                result.errors.push_back(
                    {lines[i],
                     model.header(column) + ": " +
                         (commit.messages.empty() ? std::string() : commit.messages.front().text)});
            }
        }
    }
    model.endGroup();
    return result;
}

}  // namespace kelcc::core::plc_tables
