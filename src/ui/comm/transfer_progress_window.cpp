#include "comm/transfer_progress_window.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "app/message_translator.h"

namespace kelcc::ui {

namespace {

// Progress bars count in int; a larger session is shown in steps.
void setBar(QProgressBar* bar, std::uint64_t value, std::uint64_t end) {
    std::uint64_t scale = 1;
    while (end / scale > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
        scale *= 2;
    bar->setRange(0, static_cast<int>(end / scale));
    bar->setValue(static_cast<int>(std::min(value, end) / scale));
}

QString translated(const std::string& text) {
    return text.empty() ? QString() : MessageTranslator::translate(text);
}

// The core's "文件 2/5" and "1234 字节/秒" with their numbers in the
// translated form; a template of their own would also catch other messages
// that begin with "文件 ".
QString withFigures(const std::string& text, const std::string& prefix, const std::string& suffix,
                    const QString& format) {
    if (text.size() < prefix.size() + suffix.size() ||
        text.compare(0, prefix.size(), prefix) != 0 ||
        text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0)
        return QString::fromStdString(text);
    return format.arg(QString::fromStdString(
        text.substr(prefix.size(), text.size() - prefix.size() - suffix.size())));
}

}  // namespace

TransferProgressWindow::TransferProgressWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(translated(core::transfer::TransferSession::kProgressTitle));
    m_files = new QPlainTextEdit(this);
    m_files->setReadOnly(true);
    m_files->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_files->setMinimumHeight(90);
    m_files->setMaximumHeight(140);

    auto* line = new QGroupBox(tr("通讯状态"), this);
    auto* lineForm = new QFormLayout(line);
    m_status = new QLabel(line);
    m_retries = new QLabel(QStringLiteral("0"), line);
    m_lastError = new QLabel(line);
    m_lastError->setWordWrap(true);
    m_speed = new QLabel(tr("%1 字节/秒").arg(0), line);
    lineForm->addRow(tr("当前状态："), m_status);
    lineForm->addRow(tr("重试次数："), m_retries);
    lineForm->addRow(tr("上次错误："), m_lastError);
    lineForm->addRow(tr("传输速度："), m_speed);

    m_fileGroup = new QGroupBox(tr("文件"), this);
    auto* grid = new QGridLayout(m_fileGroup);
    m_fileDone = new QLabel(QStringLiteral("0K"), m_fileGroup);
    m_fileDone->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_fileSize = new QLabel(QStringLiteral("/100K"), m_fileGroup);
    m_fileBar = new QProgressBar(m_fileGroup);
    m_fileBar->setTextVisible(false);
    m_percent = new QLabel(QStringLiteral("0"), m_fileGroup);
    m_percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_sessionBar = new QProgressBar(m_fileGroup);
    m_sessionBar->setTextVisible(false);
    // "12K/40K" and "35%" read as one text each.
    auto* fileFigures = new QHBoxLayout;
    fileFigures->setSpacing(0);
    fileFigures->addWidget(m_fileDone);
    fileFigures->addWidget(m_fileSize);
    auto* percentFigure = new QHBoxLayout;
    percentFigure->setSpacing(0);
    percentFigure->addWidget(m_percent);
    percentFigure->addWidget(new QLabel(QStringLiteral("%"), m_fileGroup));
    grid->addWidget(new QLabel(tr("当前文件："), m_fileGroup), 0, 0);
    grid->addLayout(fileFigures, 0, 1);
    grid->addWidget(m_fileBar, 1, 0, 1, 2);
    grid->addWidget(new QLabel(tr("总进度："), m_fileGroup), 2, 0);
    grid->addLayout(percentFigure, 2, 1);
    grid->addWidget(m_sessionBar, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    m_cancel = new QPushButton(tr("取消"), this);
    connect(m_cancel, &QPushButton::clicked, this, &TransferProgressWindow::cancelRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_files);
    layout->addWidget(line);
    layout->addWidget(m_fileGroup);
    layout->addLayout(buttons);
    setMinimumWidth(440);
}

void TransferProgressWindow::showState(const core::transfer::TransferSession::ProgressView& view,
                                       const core::comm::TransferProgress& progress) {
    setWindowTitle(translated(view.title));
    QString lines;
    for (const std::string& text : view.lines)
        lines += QString::fromStdString(text) + QLatin1Char('\n');
    // Rewriting the list on every update would throw its scroll position away.
    if (lines != m_shownLines) {
        m_shownLines = lines;
        m_files->setPlainText(lines);
    }
    m_status->setText(translated(view.status));
    m_retries->setText(QString::fromStdString(view.retries));
    m_lastError->setText(translated(view.lastError));
    m_speed->setText(withFigures(progress.speed(), "", " 字节/秒", tr("%1 字节/秒")));
    m_fileGroup->setTitle(withFigures(view.group, "文件 ", "", tr("文件 %1")));
    m_fileDone->setText(QString::fromStdString(progress.fileDoneText()));
    m_fileSize->setText(QString::fromStdString(progress.fileSizeText()));
    m_percent->setText(QString::fromStdString(progress.percentText()));
    setBar(m_fileBar, progress.fileBar(), progress.fileBarEnd());
    setBar(m_sessionBar, progress.sessionBar(), progress.sessionBarEnd());
}

void TransferProgressWindow::reject() {
    emit cancelRequested();
}

}  // namespace kelcc::ui
