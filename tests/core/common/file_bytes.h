#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/atomic_file.h"

namespace kelcc::test {

// The bytes of a file; a failed read fails the running test, naming the file.
inline std::string ReadBytes(const std::filesystem::path& path) {
    std::string bytes;
    EXPECT_TRUE(core::common::AtomicFile::read(path.string(), bytes).ok) << path;
    return bytes;
}

// A failed write is fatal to the caller only through ASSERT_NO_FATAL_FAILURE.
inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    ASSERT_TRUE(core::common::AtomicFile::write(path.string(), bytes).ok) << path;
}

}  // namespace kelcc::test
