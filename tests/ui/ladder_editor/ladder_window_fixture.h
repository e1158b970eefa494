#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/default_files.h"
#include "fake_workbench.h"
#include "ladder_editor/copy_buffer.h"
#include "ladder_editor/ladder_dialogs.h"
#include "ladder_editor/ladder_view.h"
#include "ladder_editor/ladder_window.h"

namespace kelcc::ui::test {

// A shown ladder window over the default program in a folder of its own,
// the keys going to its view.
class LadderWindowFixture : public testing::Test {
protected:
    using Command = LadderView::Command;

    void SetUp() override {
        std::ofstream(m_path, std::ios::binary) << core::app::DefaultFiles::plcProgram();
    }
    // The workbench's own dialogs unless the test gives others.
    std::unique_ptr<LadderWindow> open(std::unique_ptr<LadderDialogs> dialogs = nullptr) {
        auto window = std::make_unique<LadderWindow>(m_bench, m_path, m_buffer, std::move(dialogs));
        EXPECT_TRUE(window->load());
        window->resize(1100, 700);
        window->show();
        QApplication::setActiveWindow(window.get());
        window->view().setFocus();
        return window;
    }
    LadderView& view() { return m_window->view(); }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&view(), static_cast<Qt::Key>(k), modifiers);
    }
    const core::plc::LadderCell* cell(int row, int column) {
        return m_window->document().cell(row, column);
    }
    const auto& messages() { return m_bench.recording().messages(); }

    FakeWorkbench m_bench;
    core::ladder_editor::CopyBuffer m_buffer;
    QTemporaryDir m_dir;
    std::filesystem::path m_folder{m_dir.path().toStdString()};
    std::string m_path{(m_folder / "plc.ldx").string()};
    std::unique_ptr<LadderWindow> m_window;
};

}  // namespace kelcc::ui::test
