#include "comm/file_list.h"

#include <gtest/gtest.h>

#include <string>

#include "../common/case_file.h"
#include "comm/controller_name.h"

namespace kelcc::core::comm {
namespace {

const char* const kCases = "core/comm/cases/file_lists.txt";

// NAME SIZE AREA of each entry, "; " between, or "invalid".
std::string describe(const FileList::Parsed& parsed) {
    if (!parsed.ok) return parsed.entries.empty() ? "invalid" : "invalid with entries";
    std::string out;
    for (const FileEntry& entry : parsed.entries) {
        EXPECT_EQ(entry, (FileEntry{entry.name, "", entry.area, 1, entry.size}));
        out += (out.empty() ? "" : "; ") + entry.name + " " + std::to_string(entry.size) + " " +
               std::to_string(entry.area);
    }
    return out;
}

TEST(FileListTest, ListTextsGiveTheirEntriesAndFormatBack) {
    for (const test::Case& c : test::ReadCases(kCases)) {
        if (c[0] != "list") continue;
        const auto parsed = FileList::parse(c[1]);
        EXPECT_EQ(describe(parsed), c[2]) << c.where;
        EXPECT_TRUE(parsed.refused.empty()) << c.where;
        // A text with every line ended is what the stand-in controller formats.
        if (parsed.ok && (c[1].empty() || c[1].ends_with("\r\n"))) {
            EXPECT_EQ(FileList::format(parsed.entries), c[1]) << c.where;
        }
    }
}

TEST(FileListTest, BadLineSpoilsTheListAndHostileNameOnlyItsEntry) {
    for (const test::Case& c : test::ReadCases(kCases)) {
        if (c[0] == "bad") {
            const auto parsed =
                FileList::parse("plc.ldx\t10\t1\t\r\n" + c[1] + "Tcomp.cmp\t5\t1\t\r\n");
            EXPECT_EQ(describe(parsed), "invalid") << c.where << " " << c[2];
        } else if (c[0] == "hostile") {
            const auto parsed = FileList::parse(c[1] + "\t10\t2\t\r\nO0002.cnc\t20\t2\t\r\n");
            EXPECT_EQ(describe(parsed), "O0002.cnc 20 2") << c.where;
            EXPECT_EQ(parsed.refused, std::vector<std::string>{c[1]}) << c.where;
            EXPECT_FALSE(ControllerName::uploadPath("/tmp", c[1])) << c.where;
        }
    }
}

TEST(ControllerNameTest, SafeNamesBecomePathsInTheirFolder) {
    EXPECT_EQ(ControllerName::uploadPath("/tmp", "O0001.cnc"), "/tmp/O0001.cnc.tmp");
    EXPECT_EQ(ControllerName::uploadPath("/tmp/", "...x"), "/tmp/...x.tmp");
    EXPECT_EQ(ControllerName::pathIn("/s", "ParaB.par"), "/s/ParaB.par");
    EXPECT_FALSE(ControllerName::pathIn("", "ParaB.par"));
}

TEST(FileListTest, OnlyOAndFourDigitsWithCncExtensionAreOfferedInTheirOrder) {
    for (const test::Case& c : test::ReadCases(kCases)) {
        if (c[0] != "offered") continue;
        EXPECT_EQ(FileList::isOfferedProgram(c[1]), c[2] == "yes") << c.where;
    }
    const std::vector<FileEntry> listed = {
        {"O0002.cnc", "", 2, 1, 5}, {"O12.cnc", "", 2, 1, 6}, {"O0001.cnc", "", 2, 1, 7}};
    const auto offered = FileList::offeredPrograms(listed);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0], listed[0]);
    EXPECT_EQ(offered[1], listed[2]);
}

}  // namespace
}  // namespace kelcc::core::comm
