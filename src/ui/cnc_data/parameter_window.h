#pragma once

#include <memory>

#include "cnc_data/bit_value_control.h"
#include "cnc_data/cnc_data_window.h"
#include "cnc_data/parameter_document.h"
#include "cnc_data/parameter_table_model.h"

class QLineEdit;
class QModelIndex;

namespace kelcc::ui {

class FunctionPane;
class TableItemModel;
class TableView;

// The CNC parameters ("参数"), one window per project: the table by number
// with its filter box beside the by-function pane. Both show the same
// selected parameter; every edit in either is collected into the shared
// document as one undo step.
class ParameterWindow final : public CncDataWindow {
    Q_OBJECT

public:
    ParameterWindow(Workbench& workbench, const std::string& path, QWidget* parent = nullptr);
    ~ParameterWindow() override;

    bool load() override;
    bool reload() override;
    bool saveSilently() override;
    std::optional<RecoveryCopy> recoveryCopy() const override;
    bool restoreRecovery(std::string_view content, std::string& error) override;

    core::cnc_data::ParameterDocument& parameterDocument() noexcept { return *m_doc; }
    core::cnc_data::ParameterTableModel& tableModel() noexcept { return *m_table; }
    TableView* table() const noexcept { return m_view; }
    FunctionPane* functionPane() const noexcept { return m_pane; }
    QLineEdit* filterBox() const noexcept { return m_filter; }
    // Selects the parameter in the table (and so in the by-function pane).
    void selectNumber(int number);

    void documentChanged(const core::common::DocumentChange& change) override;
    void documentReloaded() override;

private:
    std::string folder() const;
    void tableRowChanged(int row);
    void leaveCell(const QModelIndex& index, core::cnc_data::BitValueControl::Move move);

    std::shared_ptr<core::cnc_data::ParameterDocument> m_doc;
    core::cnc_data::ParameterTableModel* m_table = nullptr;
    TableItemModel* m_model = nullptr;
    TableView* m_view = nullptr;
    FunctionPane* m_pane = nullptr;
    QLineEdit* m_filter = nullptr;
    bool m_syncing = false;
};

}  // namespace kelcc::ui
