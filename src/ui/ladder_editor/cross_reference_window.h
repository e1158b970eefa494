#pragma once

#include <QWidget>

#include "plc/ladder_grid.h"

class QLineEdit;
class QListWidget;
class QTreeWidget;

namespace kelcc::ui {

// "交叉引用": every address of the ladder with the places that use it,
// filtered by an address prefix, and the warnings of the cross reference
// below. A double click on a place asks the view to go there.
class CrossReferenceWindow final : public QWidget {
    Q_OBJECT

public:
    explicit CrossReferenceWindow(const core::plc::LadderGrid& grid, QWidget* parent = nullptr);

    // Reads the ladder again (after an edit, undo or compile).
    void refresh();

    QLineEdit* filterField() const noexcept { return m_filter; }
    QTreeWidget* tree() const noexcept { return m_tree; }
    QListWidget* warnings() const noexcept { return m_warnings; }

signals:
    void placeChosen(int row, int column);

private:
    const core::plc::LadderGrid& m_grid;
    QLineEdit* m_filter = nullptr;
    QTreeWidget* m_tree = nullptr;
    QListWidget* m_warnings = nullptr;
};

}  // namespace kelcc::ui
