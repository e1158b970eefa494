#include "common/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "temp_folder.h"

namespace kelcc::core::common {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    TempFolder m_folder{"kelcc_atomic_"};
    const fs::path& m_dir = m_folder.path();
};

TEST_F(AtomicFileTest, WritesReplacesAndLeavesNoTemporaryFiles) {
    const std::string path = (m_dir / "a.ldx").string();
    const std::string bytes("x\r\n\0y", 5);
    ASSERT_TRUE(AtomicFile::write(path, bytes).ok);
    ASSERT_TRUE(AtomicFile::write(path, "second").ok);
    std::string read;
    ASSERT_TRUE(AtomicFile::read(path, read).ok);
    EXPECT_EQ(read, "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(AtomicFileTest, FailuresCarryTheSystemErrorTextAndKeepTheOldFile) {
    std::string read;
    auto missing = AtomicFile::read((m_dir / "none").string(), read);
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("No such file"), std::string::npos) << missing.error;

    EXPECT_FALSE(AtomicFile::write((m_dir / "no" / "x").string(), "a").ok);
    const std::string path = (m_dir / "big").string();
    ASSERT_TRUE(AtomicFile::write(path, std::string(100, 'a')).ok);
    EXPECT_FALSE(AtomicFile::read(path, read, 10).ok);
    EXPECT_FALSE(AtomicFile::read(m_dir.string(), read).ok);
}

}  // namespace
}  // namespace kelcc::core::common
