#pragma once

#include <memory>
#include <string>

#include "plc/plc_document.h"
#include "plc_tables/table_model.h"

namespace kelcc::core::plc_tables {

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
