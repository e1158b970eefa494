#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace kelcc::core::comm::testing {

// A folder under the temporary folder for the running test. Parameterised
// test names hold a '/', which would make a nested folder whose parent the
// test's own clean-up never removes.
inline std::filesystem::path testFolder(const std::string& prefix) {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    return std::filesystem::temp_directory_path() /
           (prefix + std::to_string(::getpid()) + "_" + name);
}

}  // namespace kelcc::core::comm::testing
