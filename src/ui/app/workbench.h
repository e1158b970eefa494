#pragma once

#include <QObject>
#include <QString>

namespace kelcc::core::app {
class Project;
}
namespace kelcc::core::common {
class Interaction;
}
class QWidget;

namespace kelcc::ui {

// What a document window needs from the main window around it. The main
// window implements it; tests use a small fake.
class Workbench : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~Workbench() override = default;

    virtual core::app::Project& project() = 0;
    // Message boxes; texts are the core's UTF-8 source texts, translated by
    // the implementation.
    virtual core::common::Interaction& interaction() = 0;
    // 0 Chinese, 1 English: selects the core's bilingual tables.
    virtual int language() const = 0;
    // The output pane "信息输出窗".
    virtual void clearOutput() = 0;
    virtual void appendOutput(const QString& line) = 0;
    virtual void showOutput() = 0;
    // Names what the output pane shows now (a find titles it "查找结果");
    // clearing the pane drops the title.
    virtual void setOutputTitle(const QString& title) = 0;
    // The project tree was changed through the core's ProjectTree (part
    // programs added or removed); the tree pane shows it again.
    virtual void refreshProjectTree() = 0;
    // Parent for dialogs.
    virtual QWidget* dialogParent() = 0;

signals:
    // A double click on an output line naming a ladder place; column 0 when
    // the line names none.
    void ladderPlaceRequested(int row, int column);
};

}  // namespace kelcc::ui
