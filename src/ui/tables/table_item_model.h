#pragma once

#include <QAbstractTableModel>
#include <memory>

#include "common/document.h"
#include "common/table_model.h"

namespace kelcc::core::common {
class Interaction;
}

namespace kelcc::ui {

// A core table as a Qt model: texts come from the table as it is asked,
// edits go through the column rules, and the messages they ask for are
// shown through the workbench. The document's changes (an edit in another
// window, undo) repaint the table without resetting it.
class TableItemModel final : public QAbstractTableModel, public core::common::DocumentListener {
    Q_OBJECT

public:
    // The table's editor of a cell, for the delegate.
    static constexpr int kEditorRole = Qt::UserRole + 1;

    TableItemModel(core::common::Document& doc, std::unique_ptr<core::common::TableModel> table,
                   core::common::Interaction& interaction, QObject* parent = nullptr);
    ~TableItemModel() override;

    core::common::TableModel& table() noexcept { return *m_table; }
    core::common::Interaction& interaction() noexcept { return m_interaction; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The table changed outside the model's own commits.
    void sync();
    // The table's rows were rebuilt (a filter): the views start over.
    void reset();

    void documentChanged(const core::common::DocumentChange& change) override;
    void documentReloaded() override;

private:
    core::common::Document& m_doc;
    std::unique_ptr<core::common::TableModel> m_table;
    core::common::Interaction& m_interaction;
    int m_rows = 0;
};

}  // namespace kelcc::ui
