#include "app/about_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/text_codec.h"

namespace kelcc::ui {

AboutDialog::AboutDialog(const QString& programFolder, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("关于 KELCC"));

    auto* info = new QWidget(this);
    auto* infoLayout = new QVBoxLayout(info);
    auto* name = new QLabel(QStringLiteral("<b>KELCC</b>"), info);
    infoLayout->addWidget(name);
    infoLayout->addWidget(new QLabel(tr("KEL500LT 车床数控系统配置工具"), info));
    infoLayout->addWidget(new QLabel(QString::fromLatin1(kVersion), info));
    infoLayout->addStretch(1);

    auto* history = new QPlainTextEdit(this);
    history->setReadOnly(true);
    history->setPlainText(historyText(programFolder));

    auto* tabs = new QTabWidget(this);
    tabs->addTab(info, tr("KELCC"));
    tabs->addTab(history, tr("版本历史"));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(460, 340);
}

QString AboutDialog::historyText(const QString& programFolder) {
    // Beside the program in the build tree, under share/ once installed.
    QFile file(programFolder + QStringLiteral("/history.txt"));
    if (!file.exists())
        file.setFileName(programFolder + QStringLiteral("/../share/kelcc/history.txt"));
    if (!file.open(QIODevice::ReadOnly)) return tr("未找到history.txt.");
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    const auto converted = core::common::TextCodec::gbkToUtf8(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (converted.ok) return QString::fromStdString(converted.text);
    return QString::fromLatin1(bytes);
}

}  // namespace kelcc::ui
