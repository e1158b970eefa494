#include "plc_tables/information_window.h"

#include <QMenu>
#include <QTabWidget>

#include "app/workbench.h"
#include "common/interaction.h"
#include "plc_tables/alarm_table_model.h"
#include "plc_tables/io_comment_add_dialog.h"
#include "plc_tables/io_comment_find_dialog.h"
#include "plc_tables/io_comment_model.h"
#include "tables/table_item_model.h"
#include "tables/table_view.h"

namespace kelcc::ui {

using core::plc_tables::AlarmTableModel;
using core::plc_tables::IoCommentModel;

InformationWindow::InformationWindow(Workbench& workbench, const std::string& path, QWidget* parent)
    : PlcTableWindow(workbench, path, core::app::ProjectItemType::PlcInformation, parent) {
    setWindowTitle(tr("显示信息表") + QStringLiteral("[*]"));
    auto& doc = plcDocument();
    m_alarms = addTablePage(std::make_unique<AlarmTableModel>(doc), tr("显示信息表"));
    m_comments = addTablePage(std::make_unique<IoCommentModel>(doc), tr("I/O地址注释"));
    m_comments->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_comments, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex index = m_comments->indexAt(pos);
        const int row = index.isValid() ? index.row() : m_comments->currentIndex().row();
        QMenu* menu = commentMenu(row);
        menu->exec(m_comments->viewport()->mapToGlobal(pos));
        menu->deleteLater();
    });
    setFocusProxy(m_alarms);
}

IoCommentModel& InformationWindow::comments() const {
    return static_cast<IoCommentModel&>(m_comments->tableModel()->table());
}

QMenu* InformationWindow::commentMenu(int row) {
    auto* menu = new QMenu(this);
    const auto command = [this, row](auto apply) {
        return [this, row, apply] {
            if (row < 0) return;
            apply(comments(), row);
            m_comments->tableModel()->sync();
        };
    };
    menu->addAction(tr("插入行(上)"), this,
                    command([](IoCommentModel& m, int r) { m.insertRow(r); }));
    menu->addAction(tr("插入行(下)"), this,
                    command([](IoCommentModel& m, int r) { m.insertRow(r + 1); }));
    menu->addAction(tr("删除本行"), this,
                    command([](IoCommentModel& m, int r) { m.deleteRow(r); }));
    menu->addAction(tr("排序"), this, command([](IoCommentModel& m, int) { m.sortRows(); }));
    menu->addSeparator();
    menu->addAction(tr("添加..."), this, &InformationWindow::addComment);
    menu->addAction(tr("查找..."), this, &InformationWindow::findComment);
    return menu;
}

void InformationWindow::addComment() {
    IoCommentAddDialog dialog(comments(), workbench().interaction(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_comments->tableModel()->sync();
    pages()->setCurrentWidget(m_comments);
    m_comments->goTo(dialog.addedRow(), IoCommentModel::kAddress);
}

void InformationWindow::findComment() {
    pages()->setCurrentWidget(m_comments);
    IoCommentFindDialog dialog(comments(), workbench().interaction(), this);
    connect(&dialog, &IoCommentFindDialog::found, this,
            [this](int row) { m_comments->goTo(row, IoCommentModel::kAddress); });
    dialog.setStart(m_comments->currentIndex().row());
    dialog.exec();
}

}  // namespace kelcc::ui
