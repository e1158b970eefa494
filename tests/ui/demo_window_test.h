#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <string>
#include <vector>

#include "app/project_tree_pane.h"
#include "app/shell_test_support.h"
#include "tables/table_view.h"

namespace kelcc::ui::test {

// The main window over a copy of the demo project, with the window kinds a
// test needs registered while it runs.
class DemoWindowTest : public testing::Test, public ShellFixture {
protected:
    using Entry = core::app::ProjectTree::Entry;
    using Type = core::app::ProjectItemType;

    template <class W>
    W* open(Entry entry) {
        emit m_window->treePane()->itemDoubleClicked(m_window->treePane()->itemFor(entry), 0);
        QMdiSubWindow* active = m_window->mdiArea()->activeSubWindow();
        return active ? qobject_cast<W*>(active->widget()) : nullptr;
    }
    // The delegate commits a left editor through the event loop; the closed
    // editor then goes, so that the next one is found.
    static void leaveEditor() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Types into a cell through its editor, key by key or all at once, and
    // leaves it; nullptr when no editor opens.
    static QLineEdit* type(TableView* view, int row, int column, const QString& text,
                           bool keys = false) {
        const QModelIndex index = view->model()->index(row, column);
        view->setCurrentIndex(index);
        view->edit(index);
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        if (editor == nullptr) return nullptr;
        editor->selectAll();
        if (keys)
            QTest::keyClicks(editor, text);
        else
            editor->insert(text);
        QTest::keyClick(editor, Qt::Key_Return);
        leaveEditor();
        return editor;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& m : m_recorder.messages())
            texts.push_back(m.text);
        return texts;
    }
    bool projectModified() { return m_window->project().projectModified(); }
};

}  // namespace kelcc::ui::test
