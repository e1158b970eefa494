#pragma once

#include <QDialog>
#include <memory>
#include <thread>

#include "transfer/compare_session.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelcc::core::app {
class Project;
}

namespace kelcc::ui {

// "与CNC比较": runs one compare of the open project with the controller on
// a worker thread and shows the report per file. The project is only read.
class CompareWithCncDialog final : public QDialog {
    Q_OBJECT
public:
    CompareWithCncDialog(const core::app::Project& project,
                         core::transfer::CompareSession::Settings settings,
                         QWidget* parent = nullptr);
    ~CompareWithCncDialog() override;

    // The report as shown, one line per file and its details below.
    static QString reportText(const core::transfer::CompareSession::Outcome& outcome);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void finished(const core::transfer::CompareSession::Outcome& outcome);

    const core::app::Project& m_project;
    core::transfer::CompareSession::Settings m_settings;
    core::common::RecordingInteraction m_quiet;
    std::unique_ptr<core::transfer::CompareSession> m_session;
    std::thread m_worker;
    bool m_running = false;

    QLabel* m_status;
    QPlainTextEdit* m_report;
    QPushButton* m_cancel;
    QPushButton* m_close;
};

}  // namespace kelcc::ui
