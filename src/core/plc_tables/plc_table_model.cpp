#include "plc_tables/plc_table_model.h"

namespace kelcc::core::plc_tables {

PlcTableModel::~PlcTableModel() = default;

void PlcTableModel::beginGroup(const std::string& text) {
    if (!m_group) m_group = std::make_unique<plc::PlcDocument::Edit>(m_doc, text);
}

std::string PlcTableModel::stepText(int column) const {
    const std::string text = header(column);
    return text.substr(0, text.find('('));
}

void PlcTableModel::endGroup() {
    m_group.reset();
}

}  // namespace kelcc::core::plc_tables
