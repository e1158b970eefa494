#pragma once

#include "plc_tables/plc_table_window.h"

class QMenu;

namespace kelcc::core::plc_tables {
class IoCommentModel;
}

namespace kelcc::ui {

// The PLC program's display information table and its "I/O地址注释" page
// with the row commands of its shortcut menu.
class InformationWindow final : public PlcTableWindow {
    Q_OBJECT

public:
    InformationWindow(Workbench& workbench, const std::string& path, QWidget* parent = nullptr);

    TableView* alarmPage() const noexcept { return m_alarms; }
    TableView* commentPage() const noexcept { return m_comments; }
    core::plc_tables::IoCommentModel& comments() const;

    // The shortcut menu of a row of the comment page; the caller owns it.
    QMenu* commentMenu(int row);
    void addComment();
    void findComment();

private:
    TableView* m_alarms = nullptr;
    TableView* m_comments = nullptr;
};

}  // namespace kelcc::ui
