#include "plc/program_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "../common/temp_folder.h"
#include "common/atomic_file.h"
#include "common/interaction.h"
#include "plc/instruction_code.h"

namespace kelcc::core::plc {
namespace {

namespace fs = std::filesystem;
using common::MessageIcon;
using common::RecordingInteraction;

std::string lines(std::initializer_list<std::string_view> list, std::string_view eol = "\r\n") {
    std::string out;
    for (std::string_view l : list) {
        out += l;
        out += eol;
    }
    return out;
}

std::string readData(const char* name) {
    std::string bytes;
    const auto result =
        common::AtomicFile::read(std::string(KELCC_TEST_DATA_DIR) + "/" + name, bytes);
    EXPECT_TRUE(result.ok) << result.error;
    return bytes;
}

// The part of a written file from `keyword` up to and including its end line.
std::string sectionOf(const std::string& file, const std::string& keyword) {
    const std::size_t begin = file.find("\r\n" + keyword + "\r\n");
    const std::string end = "END_" + keyword + "\r\n";
    const std::size_t stop = file.find(end, begin);
    if (begin == std::string::npos || stop == std::string::npos) return {};
    return file.substr(begin + 2, stop + end.size() - begin - 2);
}

class ProgramFileTest : public ::testing::Test {
protected:
    int read(std::string_view bytes) { return ProgramFile::read(bytes, m_doc, m_ui); }

    SimpleProjectState m_project;
    PlcDocument m_doc{m_project};
    RecordingInteraction m_ui;
};

// --- round trips (whole files in and out, the section layout and the
// dropped checksum are golden/program_file, golden/cli and golden/compile cases)

// The tables read are a golden case (golden/program_file/tables_read_from_*,
// exported as the windows show them); here the parts no table shows.
TEST_F(ProgramFileTest, GoldenFileFillsEveryPartOfTheDocument) {
    ASSERT_EQ(read(readData("full_program.ldx")), ProgramFile::kReadOk);
    ASSERT_EQ(m_doc.il().size(), 22u);
    EXPECT_EQ(m_doc.stepCount(), 22);
    EXPECT_EQ(m_doc.il()[0].text, "LD      X0000.0");
    EXPECT_EQ(m_doc.il()[0].opcode, static_cast<std::uint32_t>(InstructionCode::LD));
    EXPECT_EQ(m_doc.il()[21].opcode, static_cast<std::uint32_t>(InstructionCode::SPE));
    EXPECT_EQ(m_doc.checksum(), 0);
    EXPECT_EQ(m_project.plcInfo(0), "\xC9\xE8\xBC\xC6:\xD5\xC5\xB9\xA4");  // GBK, verbatim
    EXPECT_EQ(m_project.plcInfo(1).substr(0, 6), "V2.31 ");
    // An alarm beyond the table's rows is kept.
    ASSERT_EQ(m_doc.alarms().size(), 4u);
    EXPECT_EQ(m_doc.alarms()[3].substr(0, 13), "A0080.0\t1003\t");
    EXPECT_EQ(m_doc.rowComment(7).substr(0, 16), "spindle control ");
    EXPECT_EQ(m_doc.rowComment(5000), "last row");
    EXPECT_FALSE(m_doc.modified());
}

TEST_F(ProgramFileTest, FilledDocumentSurvivesWriteReadWrite) {
    for (std::string_view text : {"LD      X0000.0", "OUT     Y0001.7", "END1", "END2"})
        ASSERT_TRUE(m_doc.il().append(
            static_cast<std::uint32_t>(InstructionCodeOf(text.substr(0, text.find(' ')))),
            std::string(text)));
    m_project.setPlcInfo(0, "a");
    m_project.setPlcInfo(2, "\xD6\xD0");
    m_doc.alarms() = {"A0000.0\t1000\tzero", "A0999.7\t1001\t", "A0002.1"};
    for (int i = 0; i < PlcDocument::kDCount; ++i) {
        m_doc.dTable()[i].value = static_cast<std::uint8_t>(i);
        if (i % 7 == 0) m_doc.dTable()[i].commentZh = "d" + std::to_string(i);
        if (i % 11 == 0) m_doc.dTable()[i].commentEn = "D " + std::to_string(i);
    }
    for (int i = 0; i < PlcDocument::kDcCount; ++i) {
        m_doc.dcTable()[i] = {0xFFFFFFFFu - i, 0x10u * i, 7u, i % 2 ? "c" : "", "C"};
        m_doc.dtTable()[i] = {static_cast<std::uint32_t>(i), 1, 0xABCDEFu, "", i % 3 ? "" : "t"};
    }
    for (int i = 0; i < PlcDocument::kKCount; ++i)
        m_doc.kTable()[i] = static_cast<std::uint8_t>(255 - i);
    m_doc.ioComments() = {"0001\tX0000.0\t\xBC\xB1\xCD\xA3\tE-stop", "free text"};
    m_doc.loadRowComment(1, "first");
    m_doc.loadRowComment(4999, "\xD7\xA2\xCA\xCD");

    const std::string first = ProgramFile::write(m_doc);
    SimpleProjectState project;
    PlcDocument doc(project);
    ASSERT_EQ(ProgramFile::read(first, doc, m_ui), ProgramFile::kReadOk);
    EXPECT_EQ(doc.il(), m_doc.il());
    EXPECT_EQ(doc.alarms(), m_doc.alarms());
    EXPECT_EQ(doc.dTable(), m_doc.dTable());
    EXPECT_EQ(doc.dcTable(), m_doc.dcTable());
    EXPECT_EQ(doc.dtTable(), m_doc.dtTable());
    EXPECT_EQ(doc.kTable(), m_doc.kTable());
    EXPECT_EQ(doc.ioComments(), m_doc.ioComments());
    EXPECT_EQ(doc.rowComment(4999), m_doc.rowComment(4999));
    EXPECT_EQ(project.plcInfo(2), "\xD6\xD0");
    EXPECT_EQ(ProgramFile::write(doc), first);
}

TEST_F(ProgramFileTest, WriteFileWritesTheSameBytesAtomically) {
    const common::TempFolder folder("kelcc_pf_");
    const fs::path& dir = folder.path();
    const std::string path = (dir / "main_demo.ldx").string();
    ASSERT_TRUE(m_doc.il().append(static_cast<std::uint32_t>(InstructionCode::END1), "END1"));
    ASSERT_TRUE(ProgramFile::writeFile(path, m_doc).ok);
    std::string bytes;
    ASSERT_TRUE(common::AtomicFile::read(path, bytes).ok);
    EXPECT_EQ(bytes, ProgramFile::write(m_doc));
    EXPECT_FALSE(fs::exists(path + ".bin"));

    SimpleProjectState project;
    PlcDocument doc(project);
    const auto result = ProgramFile::readFile(path, doc, m_ui);
    EXPECT_EQ(result.result, ProgramFile::kReadOk);
    EXPECT_EQ(doc.il(), m_doc.il());

    const auto missing = ProgramFile::readFile((dir / "missing.ldx").string(), doc, m_ui);
    EXPECT_EQ(missing.result, ProgramFile::kReadUnreadable);
    EXPECT_NE(missing.error.find("No such file"), std::string::npos) << missing.error;
    ASSERT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(m_ui.messages()[0].text, missing.error);
    EXPECT_EQ(doc.il(), m_doc.il());  // untouched
}

// --- refusals (each header and bad IL line is a golden/program_file case) -

TEST_F(ProgramFileTest, RefusedIlLeavesDocumentAndProjectUntouched) {
    ASSERT_TRUE(m_doc.il().append(static_cast<std::uint32_t>(InstructionCode::END1), "END1"));
    m_doc.alarms() = {"A0000.1"};
    m_doc.setModified(true);
    m_project.setPlcInfo(0, "kept");
    const std::string file =
        lines({"PLC VER1.0", "PLC_ORGANIZATION", "TOTALSTEPS\t1", "0000    END1", "0001    NOP",
               "END_PLC_ORGANIZATION", "PLC_INFO", "TOTALTIPS\t4", "new"});
    EXPECT_EQ(read(file), ProgramFile::kReadFormatError);
    ASSERT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(m_ui.messages()[0].text, "文件数据格式错误!");
    EXPECT_EQ(m_ui.messages()[0].caption, "KELCC");
    EXPECT_EQ(m_ui.messages()[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(m_ui.messages()[0].question);
    ASSERT_EQ(m_doc.il().size(), 1u);
    EXPECT_EQ(m_doc.alarms().size(), 1u);
    EXPECT_TRUE(m_doc.modified());
    EXPECT_EQ(m_project.plcInfo(0), "kept");
    // A later version is refused without a message: the open path tells.
    EXPECT_EQ(read("PLC VER2.0\r\n"), ProgramFile::kReadUnsupportedVersion);
    EXPECT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(m_doc.il().size(), 1u);
}

std::string manyIlLines(int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "0000    LD      X0000.0\r\n";
    return out;
}

// --- table sections -----------------------------------------------------

// Records read and written back are golden/program_file cases; here what a
// resave cannot show.

// The round trip is a golden case; the address form is what the table shows.
TEST_F(ProgramFileTest, AlarmNumbersBecomeAddresses) {
    ASSERT_EQ(read(lines({"PLC VER1.0", "PLC_ALARM", "TOTALTIPS\t2", "0011\t1001\ttext", "7",
                          "END_PLC_ALARM"})),
              ProgramFile::kReadOk);
    EXPECT_EQ(m_doc.alarms(), (std::vector<std::string>{"A0001.3\t1001\ttext", "A0000.7"}));
}

TEST_F(ProgramFileTest, AlarmsWithoutAValidAddressAreLeftOut) {
    m_doc.alarms() = {"A0001.3\t1\tok",   "X0001.3\t2\tbad",      "A0001.8\t3\tbad", "A.1\t4\tbad",
                      "A0001.3x\t5\tbad", "A536870912.0\t6\tbad", "A01.2",           ""};
    EXPECT_EQ(sectionOf(ProgramFile::write(m_doc), "PLC_ALARM"),
              lines({"PLC_ALARM", "TOTALTIPS\t2", "0011\t1\tok", "0010", "END_PLC_ALARM"}));
}

TEST_F(ProgramFileTest, FileWithoutInfoEmptiesTheTextsOfThePreviousProgram) {
    m_project.setPlcInfo(0, "one");
    ASSERT_EQ(read("PLC VER1.0\r\n"), ProgramFile::kReadOk);
    EXPECT_EQ(m_project.plcInfo(0), "");
}

TEST_F(ProgramFileTest, LineBreaksInsideHeldTextsCannotSplitARecord) {
    m_project.setPlcInfo(0, "two\nlines");
    m_doc.loadRowComment(2, "a\nEND_NETWORK_COMMENT");
    m_doc.ioComments() = {"x\ny"};
    const std::string file = ProgramFile::write(m_doc);
    ASSERT_EQ(read(file), ProgramFile::kReadOk);
    EXPECT_EQ(m_project.plcInfo(0), "two lines");
    EXPECT_EQ(m_doc.rowComment(2), "a END_NETWORK_COMMENT");
    EXPECT_EQ(m_doc.ioComments(), std::vector<std::string>{"x y"});
    EXPECT_EQ(ProgramFile::write(m_doc), file);
}

TEST_F(ProgramFileTest, KeywordLikeTextsDoNotBecomeSections) {
    // After the writer's PLC_INIT_DT is passed over, INITDATA_DT is searched
    // from the top, where an information text could otherwise answer.
    m_project.setPlcInfo(1, "INITDATA_DT");
    m_doc.ioComments() = {"PLC_INIT_DT", "END_PLC_SYMBOL"};
    m_doc.dtTable()[3] = {77, 1, 2, "", ""};
    const std::string file = ProgramFile::write(m_doc);
    ASSERT_EQ(read(file), ProgramFile::kReadOk);
    EXPECT_EQ(m_doc.dtTable()[3], (DataWordRecord{77, 1, 2, "", ""}));
    EXPECT_EQ(m_project.plcInfo(1), "INITDATA_DT ");
    EXPECT_EQ(m_doc.ioComments(), (std::vector<std::string>{"PLC_INIT_DT ", "END_PLC_SYMBOL "}));
    EXPECT_EQ(ProgramFile::write(m_doc), file);
}

// --- hostile input ------------------------------------------------------

// Random bytes are the program file fuzz target's; here sizes it does not reach.
TEST_F(ProgramFileTest, HugeInputsAreRead) {
    EXPECT_EQ(read(std::string(1 << 20, '\0')), ProgramFile::kReadOk);
    EXPECT_TRUE(m_doc.il().empty());
    EXPECT_EQ(read(std::string(8 << 20, 'A')), ProgramFile::kReadOk);  // no line end at all
    std::string longLine = "PLC VER1.0\nPLC_ORGANIZATION\n\n0000    END1";
    longLine.append(8 << 20, ' ');
    ASSERT_EQ(read(longLine + "\nEND_PLC_ORGANIZATION"), ProgramFile::kReadOk);
    EXPECT_EQ(m_doc.il()[0].text.size(), 4u + (8u << 20));
    EXPECT_EQ(read(std::string(4 << 20, '\n')), ProgramFile::kReadOk);
}

TEST_F(ProgramFileTest, MillionIlLinesAreRefusedEarly) {
    const std::string file =
        lines({"PLC VER1.0", "PLC_ORGANIZATION", "TOTALSTEPS\t1000000"}) + manyIlLines(1000000);
    EXPECT_EQ(read(file), ProgramFile::kReadFormatError);
    EXPECT_TRUE(m_doc.il().empty());
    // Empty lines take no step, and a million of them are merely skipped.
    const std::string empty = lines({"PLC VER1.0", "PLC_ORGANIZATION", "TOTALSTEPS\t1"}) +
                              std::string(1000000, '\n') + lines({"0000    END1"});
    EXPECT_EQ(read(empty), ProgramFile::kReadOk);
    EXPECT_EQ(m_doc.il().size(), 1u);
}

}  // namespace
}  // namespace kelcc::core::plc
