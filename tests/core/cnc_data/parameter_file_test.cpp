#include "cnc_data/parameter_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <tuple>

#include "../common/temp_folder.h"
#include "cnc_data/parameter_document.h"
#include "cnc_data/parameter_table.h"
#include "common/atomic_file.h"

namespace kelcc::core::cnc_data {
namespace {

namespace fs = std::filesystem;
using common::RecordingInteraction;

const std::string kHeader("\x03\x04\x05\x06", 4);

TEST(ParameterFileTest, LineIndexLimitsAndWellFormedValues) {
    constexpr ParameterKind kBit = ParameterKind::Bit, kData = ParameterKind::Data;
    const std::tuple<ParameterKind, std::string, std::optional<int>> cases[] = {
        {kBit, "0000\t00000001", 0},
        {kBit, "0029\t11111111", 29},
        {kBit, "0030\t11111111", std::nullopt},
        {kData, "0035\t17", 35},
        {kData, "0148\t-5", 148},
        {kData, "0149\t5", std::nullopt},
        {kBit, "0003\t101", 3},
        {kBit, "0003\t00000002", std::nullopt},
        {kBit, "0003\t000000001", std::nullopt},
        {kBit, "0003", std::nullopt},
        {kBit, "-001\t00000001", std::nullopt},
        {kData, "x004\t1", std::nullopt},
        {kData, "0004\t12a", std::nullopt},
        {kData, "0004\t-2147483648", 4},
        {kData, "0004\t2147483648", std::nullopt},
        {kData, "99999999999\t1", std::nullopt}};
    for (const auto& [kind, line, index] : cases) {
        EXPECT_EQ(ParameterFile::lineIndex(line, kind), index) << line;
        const auto lines = ParameterFile::read(kHeader + line + "\r\n", kind);
        ASSERT_TRUE(lines) << line;
        for (std::size_t i = 0; i < lines->size(); ++i)
            EXPECT_EQ((*lines)[i], index && static_cast<int>(i) == *index ? line : "") << line;
    }
}

// Reading and writing whole files byte for byte is the golden corpus'
// params cases.
TEST(ParameterFileTest, HeaderIsRequired) {
    for (const std::string& bytes :
         {std::string(), std::string("\x03\x04\x05", 3), std::string("\x03\x04\x05\x07", 4),
          std::string("\x03\x00\x05\x06", 4), std::string("0000\t00000000\r\n")}) {
        EXPECT_FALSE(ParameterFile::read(bytes, ParameterKind::Bit));
        EXPECT_FALSE(ParameterFile::read(bytes, ParameterKind::Data));
    }
}

class ParameterDocumentTest : public ::testing::Test {
protected:
    void put(const char* name, const std::string& bytes) {
        ASSERT_TRUE(common::AtomicFile::write((m_dir / name).string(), bytes).ok);
    }
    std::string get(const char* name) {
        std::string bytes;
        EXPECT_TRUE(common::AtomicFile::read((m_dir / name).string(), bytes).ok);
        return bytes;
    }

    common::TempFolder m_folder{"kelcc_para_"};
    const fs::path& m_dir = m_folder.path();
    int m_marks = 0;
    ParameterDocument m_doc{[this](bool) { ++m_marks; }};
    RecordingInteraction m_ui;
};

TEST_F(ParameterDocumentTest, RefusedFilesLeaveTheDocumentAsItWas) {
    put("ParaB.par", kHeader + "0001\t00000001\r\n");
    put("ParaW.par", kHeader);
    ASSERT_TRUE(m_doc.open(m_dir.string(), m_ui));
    EXPECT_EQ(m_doc.title(), "参数");
    EXPECT_EQ(m_doc.dataFileBytes(), kHeader);  // opening changes nothing

    put("ParaW.par", "\x03\x04\x05");  // truncated header: the user is told
    EXPECT_FALSE(m_doc.open(m_dir.string(), m_ui));
    ASSERT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(m_ui.messages()[0].text, ParameterDocument::kUnknownFormatText);

    put("ParaW.par", kHeader + std::string(ParameterFile::kMaxFileBytes, '1'));
    EXPECT_FALSE(m_doc.open(m_dir.string(), m_ui));
    fs::remove(m_dir / "ParaB.par");
    EXPECT_FALSE(m_doc.open(m_dir.string(), m_ui));
    ASSERT_EQ(m_ui.messages().size(), 3u);
    EXPECT_NE(m_ui.messages()[2].text.find("ParaB.par"), std::string::npos);
    EXPECT_EQ(m_ui.messages()[2].caption, "KELCC");
    EXPECT_EQ(m_doc.line(ParameterKind::Bit, 1), "0001\t00000001");
}

TEST_F(ParameterDocumentTest, FailedSaveIsReportedAndKeepsModified) {
    m_doc.setModified(true);
    EXPECT_FALSE(m_doc.save((m_dir / "missing").string(), m_ui));
    ASSERT_EQ(m_ui.messages().size(), 1u);
    EXPECT_TRUE(m_doc.modified());
    EXPECT_TRUE(m_doc.save(m_dir.string(), m_ui));
    EXPECT_FALSE(m_doc.modified());
    EXPECT_EQ(get("ParaB.par"), kHeader);
}

TEST_F(ParameterDocumentTest, CollectWritesEveryRowAndMarksOnlyRealChanges) {
    ParameterTable table;
    ASSERT_TRUE(table.setValue(164, "1"));
    ASSERT_TRUE(table.setValue(44, ""));
    EXPECT_TRUE(table.collect(m_doc));
    EXPECT_TRUE(m_doc.modified());
    EXPECT_EQ(m_marks, 1);
    EXPECT_EQ(m_doc.line(ParameterKind::Bit, 14), "0014\t00000001");
    EXPECT_EQ(m_doc.line(ParameterKind::Data, 29), "0029\t0");  // empty cell: default
    EXPECT_EQ(m_doc.line(ParameterKind::Data, 148), "0148\t0");
    EXPECT_FALSE(table.collect(m_doc));
    EXPECT_EQ(m_marks, 1);

    const std::string bytes = m_doc.dataFileBytes();
    EXPECT_NE(bytes.find("0139\t0\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("0140\t"), std::string::npos);
    EXPECT_EQ(m_doc.bitFileBytes().size(), 4u + 30u * 15u);
}

TEST_F(ParameterDocumentTest, SetLineKeepsOneEntryOnOneLine) {
    EXPECT_TRUE(m_doc.setLine(ParameterKind::Data, 3, "0003\t1\r\n0004\t2"));
    EXPECT_FALSE(m_doc.setLine(ParameterKind::Data, 149, "0149\t1"));
    EXPECT_FALSE(m_doc.setLine(ParameterKind::Bit, -1, "x"));
    EXPECT_EQ(m_doc.dataFileBytes(), kHeader + "0003\t1  0004\t2\r\n");
}

}  // namespace
}  // namespace kelcc::core::cnc_data
