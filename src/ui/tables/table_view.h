#pragma once

#include <QTableView>

namespace kelcc::ui {

class TableItemModel;

// The grid of a project table: the first column stays in place while the rest
// scrolls, the header row names the columns, and ranges of cells are
// copied and pasted as TAB-separated text.
class TableView final : public QTableView {
    Q_OBJECT

public:
    TableView(TableItemModel* model, QWidget* parent = nullptr);

    TableItemModel* tableModel() const noexcept { return m_model; }
    QTableView* fixedColumn() const noexcept { return m_fixed; }

    void copySelection();
    // Pastes at the current cell; refused cells are named in one message.
    void paste();
    void pasteText(const QString& text);
    // Moves the current cell there and shows it.
    void goTo(int row, int column);
    void fitColumns();

protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeFixedColumn();

    TableItemModel* m_model;
    QTableView* m_fixed;
};

}  // namespace kelcc::ui
