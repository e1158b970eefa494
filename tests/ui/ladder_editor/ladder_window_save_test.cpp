#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/default_files.h"
#include "fake_workbench.h"
#include "ladder_editor/copy_buffer.h"
#include "ladder_editor/ladder_view.h"
#include "ladder_editor/ladder_window.h"

namespace kelcc::ui {
namespace {

using core::common::Answer;
using core::ladder_editor::CellPos;

// A save whose compile fails and is answered "back to editing" leaves the
// user where they were editing; a save that compiles keeps the cursor too.
TEST(LadderWindowSave, KeepsTheCursorWhenReturningToEditingAndAfterACompile) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("kelcc_ladder_save_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "plc.ldx").string();
    std::ofstream(path, std::ios::binary) << core::app::DefaultFiles::plcProgram();

    test::FakeWorkbench bench;
    core::ladder_editor::CopyBuffer buffer;
    {
        LadderWindow window(bench, path, buffer);
        ASSERT_TRUE(window.load());
        auto& doc = window.document();
        doc.insertRows(1, 3);
        doc.setCell(2, 1, 1, "X0007.0");  // a contact that leads nowhere
        window.view().documentReplaced();
        window.view().moveCursorTo(3, 1);

        bench.recording().script({Answer::Yes});
        EXPECT_FALSE(window.saveSilently());
        EXPECT_EQ(window.view().cursor(), (CellPos{3, 1}));

        doc.setCell(2, 8, 6, "Y0007.0");
        for (int column = 2; column <= 7; ++column)
            doc.setCell(2, column, 0, "");
        window.view().moveCursorTo(2, 1);
        EXPECT_TRUE(window.saveSilently());
        EXPECT_EQ(window.document().cell(1, 8)->text, "Y0007.0") << "empty rows are gone";
        EXPECT_EQ(window.view().cursor(), (CellPos{2, 1}));
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kelcc::ui
