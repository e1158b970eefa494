#pragma once

#include <functional>
#include <memory>

#include "cnc_data/cnc_data_window.h"
#include "cnc_data/cnc_table_document.h"

namespace kelcc::ui {

class TableView;

// The tool offset table ("刀具偏置") or the pitch compensation table
// ("螺距补偿"): one grid over the project's shared table document.
class CncTableWindow final : public CncDataWindow {
    Q_OBJECT

public:
    CncTableWindow(Workbench& workbench, const std::string& path, core::app::ProjectItemType type,
                   QWidget* parent = nullptr);
    ~CncTableWindow() override;

    // Reads the file once for all windows; a file of another format is
    // reported and the window does not open.
    bool load() override;
    bool reload() override;
    bool saveSilently() override;
    std::optional<RecoveryCopy> recoveryCopy() const override;
    bool restoreRecovery(std::string_view content, std::string& error) override;

    core::cnc_data::CncTableDocument& tableDocument() noexcept { return *m_doc; }
    TableView* table() const noexcept { return m_view; }

private:
    bool read();

    std::shared_ptr<core::cnc_data::CncTableDocument> m_doc;
    TableView* m_view = nullptr;
    // The table's first showing, which checks every row of the file.
    std::function<bool()> m_show;
};

}  // namespace kelcc::ui
