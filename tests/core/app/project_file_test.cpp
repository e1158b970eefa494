#include "app/project_file.h"

#include <gtest/gtest.h>

#include "common/text_codec.h"

namespace kelcc::core::app {
namespace {

using Status = ProjectFile::ParseStatus;

std::string header(std::uint32_t plc, std::uint32_t programs, std::uint32_t cnc,
                   std::uint32_t further) {
    ProjectFileHeader h;
    h.signature = ProjectFile::kSignature;
    h.version = ProjectFile::kVersion;
    h.plcProgramCount = plc;
    h.partProgramCount = programs;
    h.cncDataCount = cnc;
    h.furtherCount = further;
    return ProjectFile::encodeHeader(h);
}

ProjectItemRecord record(std::uint8_t type, std::string name) {
    ProjectItemRecord r;
    r.type = type;
    r.name = std::move(name);
    return r;
}

std::string fileWith(const std::vector<ProjectItemRecord>& records, std::uint32_t programs = 0) {
    std::string bytes =
        header(1, programs, static_cast<std::uint32_t>(records.size()) - 1 - programs, 0);
    for (const auto& r : records)
        bytes += ProjectFile::encodeRecord(r);
    return bytes;
}

TEST(ProjectFileTest, HeaderAndRecordLayout) {
    const std::string h = header(1, 2, 4, 0);
    ASSERT_EQ(h.size(), 52u);
    EXPECT_EQ(h.substr(0, 20), std::string("Kel CncSetupdesk-\0\0\0", 20));
    EXPECT_EQ(h.substr(20, 16), std::string("V1.0-2004\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(h.substr(36), std::string("\1\0\0\0\2\0\0\0\4\0\0\0\0\0\0\0", 16));

    ProjectItemRecord r = record(2, common::TextCodec::utf8ToGbk("主程序").text);
    r.number = 0x01020304;
    r.created = "2024-05-06,07:08:09";
    r.textA = "a";
    r.textC = std::string(300, 'c');
    const std::string bytes = ProjectFile::encodeRecord(r);
    ASSERT_EQ(bytes.size(), 84u + 1 + 6 + 300);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\2\0\0\0\4\3\2\1", 8));
    EXPECT_EQ(static_cast<unsigned char>(bytes[8]), 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes[9]), 6);  // two bytes per Chinese character
    EXPECT_EQ(bytes.substr(10, 2), std::string("\x2C\x01", 2));
    EXPECT_EQ(bytes.substr(12, 20), "2024-05-06,07:08:09" + std::string(1, '\0'));
    EXPECT_EQ(bytes.substr(47, 37), std::string(37, '\0'));
    EXPECT_EQ(bytes.substr(84, 7), "a" + r.name);
}

TEST(ProjectFileTest, RecordsReadBackWithAllTheirTexts) {
    ProjectItemRecord plc = record(2, common::TextCodec::utf8ToGbk("主程序").text);
    plc.created = plc.modified = std::string(35, '9');  // no NUL left in the field
    ProjectItemRecord empty = record(100, "");
    ProjectItemRecord program = record(103, "O0001");
    program.number = 7;
    program.textA = "x";
    program.textC = std::string(1000, 'z');
    const std::vector<ProjectItemRecord> records = {
        plc, empty, record(100, "b"), record(101, "c"), record(102, "d"), program};
    const ProjectFile::Parsed parsed = ProjectFile::parse(fileWith(records, 1));
    ASSERT_EQ(parsed.status, Status::Ok);
    EXPECT_EQ(parsed.records, records);
}

TEST(ProjectFileTest, MalformedFilesAreRefusedWithoutRecords) {
    const std::string full = fileWith(
        {record(2, "m"), record(100, "a"), record(100, "b"), record(101, "c"), record(102, "d")});
    const auto withLength = [&](std::size_t offset, std::string value) {
        return std::string(full).replace(52 + offset, value.size(), value);
    };
    const std::pair<std::string, Status> cases[] = {
        {"", Status::ShortHeader},
        {header(1, 0, 4, 0).substr(0, 51), Status::ShortHeader},
        {header(0, 0, 0, 0), Status::NoPlcProgram},
        {header(1, 0, 4, 0), Status::Truncated},
        {header(1, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF) + std::string(200, '\0'), Status::Truncated},
        {full.substr(0, full.size() - 1), Status::Truncated},
        // Text C, then the last name, longer than the file.
        {withLength(10, "\xFF\xFF"), Status::Truncated},
        {withLength(4 * 85 + 9, "\xFF"), Status::Truncated}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const ProjectFile::Parsed parsed = ProjectFile::parse(cases[i].first);
        EXPECT_EQ(parsed.status, cases[i].second) << i;
        EXPECT_TRUE(parsed.records.empty()) << i;
    }
}

TEST(ProjectFileTest, OnlySeventeenAndNineBytesAreCompared) {
    std::string bytes = header(1, 0, 4, 0);
    EXPECT_TRUE(ProjectFile::versionAccepted(bytes));
    bytes.replace(17, 3, "XYZ");      // rest of the signature field
    bytes.replace(29, 7, "-beta!!");  // rest of the version field
    EXPECT_TRUE(ProjectFile::versionAccepted(bytes));
    std::string badSignature = bytes;
    badSignature[16] = '+';
    EXPECT_FALSE(ProjectFile::versionAccepted(badSignature));
    std::string badVersion = bytes;
    badVersion[28] = '5';
    EXPECT_FALSE(ProjectFile::versionAccepted(badVersion));
    EXPECT_FALSE(ProjectFile::versionAccepted(bytes.substr(0, 28)));
}

}  // namespace
}  // namespace kelcc::core::app
