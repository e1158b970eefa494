#include "app/document_registry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../common/temp_folder.h"
#include "plc/plc_document.h"

namespace kelcc::core::app {
namespace {

namespace fs = std::filesystem;

TEST(DocumentRegistry, OneDocumentPerFileWhileAWindowHoldsItAndItFollowsSaveAs) {
    const common::TempFolder folder("kelcc_registry_");
    const fs::path& dir = folder.path();
    fs::create_directories(dir / "old");
    fs::create_directories(dir / "new");
    const std::string ladder = (dir / "old" / "main_a.ldx").string();
    const std::string table = (dir / "old" / "Tcomp.cmp").string();
    plc::SimpleProjectState project;
    DocumentRegistry registry;
    int made = 0;
    const auto make = [&] {
        ++made;
        return std::make_shared<plc::PlcDocument>(project);
    };

    auto ladderWindow = registry.open<plc::PlcDocument>(ladder, make);
    auto tableWindow =
        registry.open<plc::PlcDocument>(dir.string() + "/old/../old/main_a.ldx", make);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(ladderWindow, tableWindow);
    auto other = registry.open<plc::PlcDocument>(table, make);
    EXPECT_EQ(registry.documents().size(), 2u);

    // Edits through one view are the other's; the mark is the document's.
    ladderWindow->setD(1, 7);
    EXPECT_EQ(tableWindow->dTable()[1].value, 7);
    EXPECT_TRUE(registry.anyModified());

    registry.moveFolder((dir / "old").string(), (dir / "new").string(),
                        {{ladder, (dir / "new" / "main_b.ldx").string()}});
    EXPECT_EQ(ladderWindow->path(), (dir / "new" / "main_b.ldx").string());
    EXPECT_EQ(other->path(), (dir / "new" / "Tcomp.cmp").string());
    EXPECT_EQ(registry.find(ladder), nullptr);

    // The document goes with its last window.
    ladderWindow.reset();
    EXPECT_NE(registry.find((dir / "new" / "main_b.ldx").string()), nullptr);
    tableWindow.reset();
    EXPECT_EQ(registry.find((dir / "new" / "main_b.ldx").string()), nullptr);
    registry.forget(other->path());
    EXPECT_TRUE(registry.documents().empty());
}

}  // namespace
}  // namespace kelcc::core::app
