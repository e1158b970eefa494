#include "comm/file_list.h"

#include <gtest/gtest.h>

#include <string>

#include "comm/controller_name.h"

namespace kelcc::core::comm {
namespace {

using namespace std::string_literals;

TEST(FileListTest, LineGivesNameSizeAndArea) {
    const auto parsed = FileList::parse("O0001.cnc\t120\t2\t\r\nplc.ldx\t4096\t1\t\r\n");
    ASSERT_TRUE(parsed.ok);
    ASSERT_EQ(parsed.entries.size(), 2u);
    EXPECT_EQ(parsed.entries[0], (FileEntry{"O0001.cnc", "", 2, 1, 120}));
    EXPECT_EQ(parsed.entries[1], (FileEntry{"plc.ldx", "", 1, 1, 4096}));
    EXPECT_TRUE(parsed.refused.empty());
    EXPECT_TRUE(FileList::parse("").ok);
    EXPECT_TRUE(FileList::parse("").entries.empty());
}

TEST(FileListTest, FormatAndParseRoundTrip) {
    const std::vector<FileEntry> entries = {{"ParaB.par", "", 1, 1, 0},
                                            {"O1234.CNC", "", 4, 1, 4294967295u}};
    const std::string text = FileList::format(entries);
    EXPECT_EQ(text, "ParaB.par\t0\t1\t\r\nO1234.CNC\t4294967295\t4\t\r\n");
    const auto parsed = FileList::parse(text);
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.entries, entries);
    EXPECT_EQ(FileList::format(parsed.entries), text);
}

class MalformedListTest : public ::testing::TestWithParam<std::string> {};

// One bad line spoils the whole list, wherever it is.
TEST_P(MalformedListTest, WholeListIsInvalid) {
    const auto parsed =
        FileList::parse("plc.ldx\t10\t1\t\r\n" + GetParam() + "Tcomp.cmp\t5\t1\t\r\n");
    EXPECT_FALSE(parsed.ok);
    EXPECT_TRUE(parsed.entries.empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, MalformedListTest,
                         ::testing::Values("O0001.cnc\t120\t2\r\n",           // last tab missing
                                           "O0001.cnc\t120\r\n",              // two fields
                                           "O0001.cnc\r\n",                   // one field
                                           "\r\n",                            // empty line
                                           "O0001.cnc\t\t2\t\r\n",            // no size
                                           "O0001.cnc\t12a\t2\t\r\n",         // not decimal
                                           "O0001.cnc\t-1\t2\t\r\n",          // negative
                                           "O0001.cnc\t4294967296\t2\t\r\n",  // beyond 32 bits
                                           "O0001.cnc\t120\t\t\r\n",          // no area
                                           "O0001.cnc\t120\tx\t\r\n",         // area not a digit
                                           "O0001.cnc\t120\t12\t\r\n"));      // two digits

TEST(FileListTest, UnterminatedLastLineNeedsItsTabsToo) {
    EXPECT_TRUE(FileList::parse("a.cnc\t1\t2\t").ok);
    EXPECT_FALSE(FileList::parse("plc.ldx\t10\t1\t\r\na.cnc\t1\t2").ok);
}

class HostileNameTest : public ::testing::TestWithParam<std::string> {};

// A name that could leave the temporary or staging folder never becomes an
// entry; the rest of the list stays usable.
TEST_P(HostileNameTest, NameIsRefused) {
    const std::string name = GetParam();
    const auto parsed = FileList::parse(name + "\t10\t2\t\r\nO0002.cnc\t20\t2\t\r\n");
    ASSERT_TRUE(parsed.ok);
    ASSERT_EQ(parsed.entries.size(), 1u);
    EXPECT_EQ(parsed.entries[0].name, "O0002.cnc");
    EXPECT_EQ(parsed.refused, std::vector<std::string>{name});
    EXPECT_FALSE(ControllerName::uploadPath("/tmp", name));
}

INSTANTIATE_TEST_SUITE_P(Names, HostileNameTest,
                         ::testing::Values(""s, "."s, ".."s, "../x.cnc"s, "a/b.cnc"s,
                                           "/etc/passwd"s, "..\\win.ini"s, "C:x.cnc"s, "a\nb.cnc"s,
                                           "a\rb"s, "a\0b"s, "\x1b[2J"s, "a\x7f"s,
                                           "O0001.cnc.long"s));

TEST(ControllerNameTest, SafeNamesBecomePathsInTheirFolder) {
    EXPECT_EQ(ControllerName::uploadPath("/tmp", "O0001.cnc"), "/tmp/O0001.cnc.tmp");
    EXPECT_EQ(ControllerName::uploadPath("/tmp/", "...x"), "/tmp/...x.tmp");
    EXPECT_EQ(ControllerName::pathIn("/s", "ParaB.par"), "/s/ParaB.par");
    EXPECT_FALSE(ControllerName::pathIn("", "ParaB.par"));
}

TEST(FileListTest, OnlyOAndFourDigitsWithCncExtensionAreOffered) {
    for (const char* name : {"O1234.cnc", "O0001.CNC", "O9999.Cnc"})
        EXPECT_TRUE(FileList::isOfferedProgram(name)) << name;
    for (const char* name :
         {"O12.cnc", "O1234A.cnc", "O12345.cnc", "o1234.cnc", "O1234.txt", "O1234", "O12a4.cnc"})
        EXPECT_FALSE(FileList::isOfferedProgram(name)) << name;
}

TEST(FileListTest, OfferedProgramsKeepOrderAndFields) {
    const std::vector<FileEntry> listed = {
        {"O0002.cnc", "", 2, 1, 5}, {"O12.cnc", "", 2, 1, 6}, {"O0001.cnc", "", 2, 1, 7}};
    const auto offered = FileList::offeredPrograms(listed);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0], listed[0]);
    EXPECT_EQ(offered[1], listed[2]);
}

}  // namespace
}  // namespace kelcc::core::comm
