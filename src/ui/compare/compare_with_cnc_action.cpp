#include "compare/compare_with_cnc_action.h"

#include <QDir>
#include <QMessageBox>

#include "app/project.h"
#include "compare/compare_with_cnc_dialog.h"

namespace kelcc::ui {

CompareWithCncAction::CompareWithCncAction(core::app::Project& project, Communication communication,
                                           QWidget* parent)
    : QAction(tr("与CNC比较(&P)..."), parent),
      m_project(project),
      m_communication(std::move(communication)),
      m_parent(parent) {
    setStatusTip(tr("比较当前工程与CNC中的文件,不改变工程"));
    connect(this, &QAction::triggered, this, &CompareWithCncAction::compare);
}

void CompareWithCncAction::compare() {
    if (!m_project.projectOpen()) {
        QMessageBox::information(m_parent, QString::fromUtf8(core::common::kMessageCaption),
                                 tr("请先打开工程."));
        return;
    }
    const core::app::SettingsRules::Communication communication = m_communication();
    core::transfer::CompareSession::Settings settings;
    if (m_paths) settings.paths = m_paths();
    settings.portNumber = communication.port;
    settings.baud = communication.baud;
    settings.tempFolder = QDir::tempPath().toStdString();
    CompareWithCncDialog dialog(m_project, std::move(settings), m_parent);
    dialog.exec();
}

}  // namespace kelcc::ui
