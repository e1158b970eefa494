#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "transfer/session_list.h"
#include "transfer/transfer_session.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kelcc::core::common {
class Interaction;
}

namespace kelcc::ui {

// "文件传送" in its two modes: which project files go to the controller, or
// which of the controller's files are read and where they go. Checking a
// branch checks everything under it; a branch with some children checked
// shows partly checked. OK hands the selection to `start`, which returns
// false to keep the dialog open (it has told the user why).
class TransferFileDialog final : public QDialog {
    Q_OBJECT

public:
    using SaveMode = core::transfer::TransferSession::SaveMode;
    using SendStart = std::function<bool(const core::transfer::SessionList::SendSelection&)>;
    using ReceiveStart =
        std::function<bool(const core::transfer::SessionList::ReceiveSelection&, SaveMode)>;

    // Send mode: the project's name and its part programs.
    TransferFileDialog(const std::string& projectName, const std::vector<std::string>& programs,
                       core::common::Interaction& ui, SendStart start, QWidget* parent = nullptr);
    // Read mode: the part programs of "USER", "USER1", "USER2"; overwriting
    // is offered only with a project open.
    TransferFileDialog(const core::transfer::TransferSession::ReadChoices& choices,
                       bool projectOpen, core::common::Interaction& ui, ReceiveStart start,
                       QWidget* parent = nullptr);

    QTreeWidget* tree() const { return m_tree; }
    QComboBox* saveModes() const { return m_saveModes; }
    QPushButton* okButton() const { return m_ok; }
    QGroupBox* group() const { return m_group; }
    // The node with this text, searched depth first; nullptr if none.
    QTreeWidgetItem* node(const QString& text) const;

    core::transfer::SessionList::SendSelection sendSelection() const;
    core::transfer::SessionList::ReceiveSelection receiveSelection() const;
    SaveMode saveMode() const;

private:
    explicit TransferFileDialog(core::common::Interaction& ui, QWidget* parent);
    void buildConfigNodes(QTreeWidgetItem* root);
    void onOk();
    bool fullyChecked(const char* text) const;

    core::common::Interaction& m_ui;
    SendStart m_sendStart;
    ReceiveStart m_receiveStart;
    QTreeWidget* m_tree = nullptr;
    QTreeWidgetItem* m_root = nullptr;
    QGroupBox* m_group = nullptr;
    QLabel* m_areaLabel = nullptr;
    QComboBox* m_areas = nullptr;
    QLabel* m_saveLabel = nullptr;
    QComboBox* m_saveModes = nullptr;
    QPushButton* m_ok = nullptr;
    QTreeWidgetItem* m_programs = nullptr;
    core::transfer::TransferSession::ReadChoices m_choices;
};

}  // namespace kelcc::ui
