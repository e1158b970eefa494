#pragma once

#include <memory>
#include <string>

#include "common/table_clipboard.h"
#include "common/table_model.h"
#include "common/table_text.h"
#include "plc/plc_document.h"

namespace kelcc::core::plc_tables {

// The PLC tables are grids of the generic table interface.
using common::CellEditor;
using common::CellRef;
using common::CommitResult;
using common::TableClipboard;
using common::TableMessage;
using common::TableModel;
using common::TableText;

// A table over the PLC document: a group of commits is one edit of it.
class PlcTableModel : public TableModel {
public:
    explicit PlcTableModel(plc::PlcDocument& doc) : m_doc(doc) {}
    ~PlcTableModel() override;

    plc::PlcDocument& document() const noexcept { return m_doc; }
    void beginGroup(const std::string& text) override;
    void endGroup() override;

protected:
    // The undo step of a cell edit is named after its column, so that edits
    // of different cells of one record stay separate steps while typing
    // into one cell again merges.
    std::string stepText(int column) const;

    plc::PlcDocument& m_doc;

private:
    std::unique_ptr<plc::PlcDocument::Edit> m_group;
};

}  // namespace kelcc::core::plc_tables
