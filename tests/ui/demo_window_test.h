#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "app/app_settings.h"
#include "app/document_kinds.h"
#include "app/main_window.h"
#include "app/project_tree_pane.h"
#include "app/workbench_dialogs.h"
#include "common/interaction.h"
#include "tables/table_view.h"

namespace kelcc::ui::test {

// The main window over a copy of the demo project, with the window kinds a
// test needs registered while it runs.
class DemoWindowTest : public testing::Test {
protected:
    using Entry = core::app::ProjectTree::Entry;
    using Type = core::app::ProjectItemType;

    void start(const std::vector<Type>& kinds, const std::function<void()>& registerKinds,
               WorkbenchDialogs& dialogs) {
        for (Type type : kinds)
            m_previous.emplace_back(type, DocumentKinds::factory(type));
        m_settings.setValue("Options", "AutoOpen", "0");
        registerKinds();
        m_folder = std::filesystem::path(m_dir.path().toStdString()) / "LatheDemo";
        std::filesystem::copy(KELCC_DEMO_DIR, m_folder);
        m_window = std::make_unique<MainWindow>(m_settings, 0, dialogs);
        m_window->messageBoxes().setTestRecorder(&m_recorder);
        m_window->show();
        m_window->openProjectByPath(QString::fromStdString((m_folder / "LatheDemo.gpr").string()));
    }
    void TearDown() override {
        m_window.reset();
        for (const auto& [type, factory] : m_previous) {
            if (factory)
                DocumentKinds::registerKind(type, factory);
            else
                DocumentKinds::unregisterKind(type);
        }
    }

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

    QTemporaryDir m_dir;
    AppSettings m_settings{m_dir.filePath(QStringLiteral("KELCC.ini"))};
    std::filesystem::path m_folder;
    core::common::RecordingInteraction m_recorder;
    std::unique_ptr<MainWindow> m_window;

private:
    std::vector<std::pair<Type, DocumentKinds::Factory>> m_previous;
};

}  // namespace kelcc::ui::test
