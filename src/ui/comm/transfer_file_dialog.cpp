#include "comm/transfer_file_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "common/interaction.h"

namespace kelcc::ui {

using core::comm::FileEntry;
using core::transfer::SessionList;

namespace {

constexpr int kAreaRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;
constexpr const char* kPlc = QT_TRANSLATE_NOOP("kelcc::ui::TransferFileDialog", "PLC程序文件");
constexpr const char* kConfig = QT_TRANSLATE_NOOP("kelcc::ui::TransferFileDialog", "CNC配置文件");
constexpr const char* kParameters = QT_TRANSLATE_NOOP("kelcc::ui::TransferFileDialog", "参数");
constexpr const char* kTools = QT_TRANSLATE_NOOP("kelcc::ui::TransferFileDialog", "刀具偏置");
constexpr const char* kPitch = QT_TRANSLATE_NOOP("kelcc::ui::TransferFileDialog", "螺距补偿");
constexpr const char* kPrograms =
    QT_TRANSLATE_NOOP("kelcc::ui::TransferFileDialog", "加工程序文件");
constexpr std::array<const char*, 3> kAreaNames = {"USER", "USER1", "USER2"};

QTreeWidgetItem* checkable(QTreeWidgetItem* parent, const QString& text, bool branch) {
    auto* item = new QTreeWidgetItem(parent, {text});
    Qt::ItemFlags flags = item->flags() | Qt::ItemIsUserCheckable;
    if (branch) flags |= Qt::ItemIsAutoTristate;
    item->setFlags(flags);
    item->setCheckState(0, Qt::Unchecked);
    return item;
}

}  // namespace

TransferFileDialog::TransferFileDialog(core::common::Interaction& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui) {
    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(2);
    m_tree->setHeaderHidden(true);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_group = new QGroupBox(this);
    auto* groupLayout = new QVBoxLayout(m_group);
    groupLayout->addWidget(m_tree);

    m_areaLabel = new QLabel(tr("保存在存储区："), this);
    m_areas = new QComboBox(this);
    for (const char* area : kAreaNames)
        m_areas->addItem(QString::fromLatin1(area));
    m_saveLabel = new QLabel(tr("保存方式："), this);
    m_saveModes = new QComboBox(this);
    auto* options = new QHBoxLayout;
    options->addWidget(m_areaLabel);
    options->addWidget(m_areas);
    options->addWidget(m_saveLabel);
    options->addWidget(m_saveModes, 1);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(m_ok, &QPushButton::clicked, this, &TransferFileDialog::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group, 1);
    layout->addLayout(options);
    layout->addWidget(buttons);
    resize(420, 400);
}

TransferFileDialog::TransferFileDialog(const std::string& projectName,
                                       const std::vector<std::string>& programs,
                                       core::common::Interaction& ui, SendStart start,
                                       QWidget* parent)
    : TransferFileDialog(ui, parent) {
    m_sendStart = std::move(start);
    setWindowTitle(tr("传送工程至CNC"));
    m_ok->setText(tr("开始传送"));
    m_group->setTitle(tr("传送文件"));
    m_tree->setColumnHidden(1, true);
    m_root = checkable(nullptr, tr("工程 - %1").arg(QString::fromStdString(projectName)), true);
    m_tree->addTopLevelItem(m_root);
    buildConfigNodes(m_root);
    if (!programs.empty()) {
        m_programs = checkable(m_root, tr(kPrograms), true);
        for (const std::string& name : programs)
            checkable(m_programs, QString::fromStdString(name), false);
    }
    node(tr(kPlc))->setCheckState(0, Qt::Checked);
    // The area stays at its first item: sent part programs go to "USER".
    m_areaLabel->hide();
    m_areas->hide();
    m_saveLabel->hide();
    m_saveModes->hide();
    m_tree->expandAll();
}

TransferFileDialog::TransferFileDialog(const core::transfer::TransferSession::ReadChoices& choices,
                                       bool projectOpen, core::common::Interaction& ui,
                                       ReceiveStart start, QWidget* parent)
    : TransferFileDialog(ui, parent) {
    m_receiveStart = std::move(start);
    m_choices = choices;
    setWindowTitle(tr("从CNC读入文件"));
    m_ok->setText(tr("开始读入"));
    m_group->setTitle(tr("读入文件"));
    m_areaLabel->hide();
    m_areas->hide();
    m_saveModes->addItem(tr("新建工程并打开"), static_cast<int>(SaveMode::NewProject));
    if (projectOpen)
        m_saveModes->addItem(tr("覆盖当前工程"), static_cast<int>(SaveMode::Overwrite));
    m_saveModes->setCurrentIndex(0);
    m_root = checkable(nullptr, QStringLiteral("KEL500LT CNC"), true);
    m_tree->addTopLevelItem(m_root);
    buildConfigNodes(m_root);
    m_programs = checkable(m_root, tr(kPrograms), true);
    for (std::size_t area = 0; area < kAreaNames.size(); ++area) {
        QTreeWidgetItem* areaNode =
            checkable(m_programs, QString::fromLatin1(kAreaNames[area]), true);
        const std::vector<FileEntry>& listed = m_choices.programs[area];
        for (std::size_t i = 0; i < listed.size(); ++i) {
            QTreeWidgetItem* item =
                checkable(areaNode, QString::fromStdString(listed[i].name), false);
            item->setText(1, tr("%1 字节").arg(listed[i].size));
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
            item->setData(0, kAreaRole, static_cast<int>(area));
            item->setData(0, kIndexRole, static_cast<int>(i));
        }
    }
    m_tree->setHeaderHidden(false);
    m_tree->setHeaderLabels({tr("文件"), tr("大小")});
    node(tr(kPlc))->setCheckState(0, Qt::Checked);
    m_tree->expandAll();
}

void TransferFileDialog::buildConfigNodes(QTreeWidgetItem* root) {
    checkable(root, tr(kPlc), false);
    QTreeWidgetItem* config = checkable(root, tr(kConfig), true);
    checkable(config, tr(kParameters), false);
    checkable(config, tr(kTools), false);
    checkable(config, tr(kPitch), false);
}

QTreeWidgetItem* TransferFileDialog::node(const QString& text) const {
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if ((*it)->text(0) == text) return *it;
    return nullptr;
}

bool TransferFileDialog::fullyChecked(const char* text) const {
    const QTreeWidgetItem* item = node(tr(text));
    return item != nullptr && item->checkState(0) == Qt::Checked;
}

SessionList::SendSelection TransferFileDialog::sendSelection() const {
    SessionList::SendSelection selection;
    selection.plcProgram = fullyChecked(kPlc);
    selection.parameters = fullyChecked(kParameters);
    selection.toolOffsets = fullyChecked(kTools);
    selection.pitchCompensation = fullyChecked(kPitch);
    if (m_programs != nullptr && m_programs->checkState(0) != Qt::Unchecked)
        for (int i = 0; i < m_programs->childCount(); ++i)
            if (m_programs->child(i)->checkState(0) == Qt::Checked)
                selection.programs.push_back(m_programs->child(i)->text(0).toStdString());
    return selection;
}

SessionList::ReceiveSelection TransferFileDialog::receiveSelection() const {
    SessionList::ReceiveSelection selection;
    selection.plcProgram = fullyChecked(kPlc);
    selection.parameters = fullyChecked(kParameters);
    selection.toolOffsets = fullyChecked(kTools);
    selection.pitchCompensation = fullyChecked(kPitch);
    if (m_programs == nullptr) return selection;
    for (int a = 0; a < m_programs->childCount(); ++a) {
        const QTreeWidgetItem* area = m_programs->child(a);
        for (int i = 0; i < area->childCount(); ++i) {
            const QTreeWidgetItem* item = area->child(i);
            if (item->checkState(0) != Qt::Checked) continue;
            const auto areaIndex = static_cast<std::size_t>(item->data(0, kAreaRole).toInt());
            const auto index = static_cast<std::size_t>(item->data(0, kIndexRole).toInt());
            selection.programs.push_back(m_choices.programs[areaIndex][index]);
        }
    }
    return selection;
}

TransferFileDialog::SaveMode TransferFileDialog::saveMode() const {
    return static_cast<SaveMode>(m_saveModes->currentData().toInt());
}

void TransferFileDialog::onOk() {
    // A root that is partly checked only through an empty storage area
    // selects no file either.
    const bool none =
        m_root->checkState(0) == Qt::Unchecked ||
        (m_sendStart ? sendSelection().empty() && sendSelection().programs.empty()
                     : receiveSelection().empty() && receiveSelection().programs.empty());
    if (none) {
        m_ui.inform(SessionList::kNoSelectionText, core::common::kMessageCaption,
                    core::common::MessageIcon::Warning);
        return;
    }
    const bool started =
        m_sendStart ? m_sendStart(sendSelection()) : m_receiveStart(receiveSelection(), saveMode());
    if (started) accept();
}

}  // namespace kelcc::ui
