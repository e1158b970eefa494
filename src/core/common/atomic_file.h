#pragma once

#include <string>
#include <string_view>

namespace kelcc::core::common {

struct FileResult {
    bool ok = false;
    std::string error;  // the system's error text when !ok
};

// Whole-file reads and atomic writes: the new contents go to a file beside
// the target, are flushed, and then renamed over it, so a failed save never
// leaves a half-written file behind.
class AtomicFile final {
public:
    static FileResult write(const std::string& path, std::string_view bytes);
    // Reads at most maxBytes; a larger file fails with "file too large".
    static FileResult read(const std::string& path, std::string& bytes,
                           std::size_t maxBytes = static_cast<std::size_t>(1) << 30);
};

}  // namespace kelcc::core::common
