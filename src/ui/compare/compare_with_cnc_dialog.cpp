#include "compare/compare_with_cnc_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/message_translator.h"
#include "common/text_codec.h"

namespace kelcc::ui {

using core::transfer::CompareSession;
using core::transfer::ControllerCompare;

namespace {

QString fromGbk(const std::string& bytes) {
    const auto converted = core::common::TextCodec::gbkToUtf8(bytes);
    return converted.ok ? QString::fromStdString(converted.text) : QString::fromLatin1(bytes);
}

QString statusText(ControllerCompare::Status status) {
    switch (status) {
        case ControllerCompare::Status::Same:
            return CompareWithCncDialog::tr("相同");
        case ControllerCompare::Status::Different:
            return CompareWithCncDialog::tr("不同");
        case ControllerCompare::Status::OnlyInProject:
            return CompareWithCncDialog::tr("仅在工程中");
        case ControllerCompare::Status::OnlyOnController:
            return CompareWithCncDialog::tr("仅在CNC中");
        case ControllerCompare::Status::NotCompared:
            return CompareWithCncDialog::tr("未比较");
    }
    return {};
}

}  // namespace

CompareWithCncDialog::CompareWithCncDialog(const core::app::Project& project,
                                           CompareSession::Settings settings, QWidget* parent)
    : QDialog(parent), m_project(project), m_settings(std::move(settings)) {
    setWindowTitle(tr("与CNC比较"));
    m_status = new QLabel(tr("正在与CNC比较..."), this);
    m_report = new QPlainTextEdit(this);
    m_report->setReadOnly(true);
    m_report->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_report->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* buttons = new QDialogButtonBox(this);
    m_cancel = buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    m_close = buttons->addButton(tr("关闭"), QDialogButtonBox::AcceptRole);
    m_close->setEnabled(false);
    connect(m_cancel, &QPushButton::clicked, this, &CompareWithCncDialog::reject);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_report, 1);
    layout->addWidget(buttons);
    resize(640, 480);
}

CompareWithCncDialog::~CompareWithCncDialog() {
    if (m_session) m_session->cancel();
    if (m_worker.joinable()) m_worker.join();
}

void CompareWithCncDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_session) return;
    // Messages of the link go into the report, not into boxes from the
    // worker thread.
    m_session = std::make_unique<CompareSession>(m_settings, m_project, m_quiet);
    m_running = true;
    m_worker = std::thread([this] {
        const CompareSession::Outcome outcome = m_session->run();
        QMetaObject::invokeMethod(
            this, [this, outcome] { finished(outcome); }, Qt::QueuedConnection);
    });
}

void CompareWithCncDialog::reject() {
    if (m_running) {
        m_session->cancel();
        m_status->setText(tr("正在取消..."));
        return;
    }
    QDialog::reject();
}

void CompareWithCncDialog::finished(const CompareSession::Outcome& outcome) {
    m_running = false;
    if (m_worker.joinable()) m_worker.join();
    m_cancel->setEnabled(false);
    m_close->setEnabled(true);
    m_close->setDefault(true);
    const bool same = outcome.result == CompareSession::Result::Compared &&
                      ControllerCompare::allSame(outcome.rows);
    m_status->setText(same ? tr("工程与CNC中的文件相同.")
                      : outcome.result == CompareSession::Result::Compared
                          ? tr("工程与CNC中的文件不同.")
                          : tr("比较未完成."));
    m_report->setPlainText(reportText(outcome));
}

QString CompareWithCncDialog::reportText(const CompareSession::Outcome& outcome) {
    QString text;
    for (const ControllerCompare::Row& row : outcome.rows) {
        text += fromGbk(row.name) + u'\t' + QString::number(row.area) + u'\t' +
                statusText(row.status) + u'\n';
        for (const std::string& detail : row.details)
            text += QStringLiteral("    ") + fromGbk(detail) + u'\n';
    }
    if (!outcome.messages.empty()) text += u'\n';
    for (const std::string& message : outcome.messages)
        text += MessageTranslator::translate(message) + u'\n';
    return text;
}

}  // namespace kelcc::ui
