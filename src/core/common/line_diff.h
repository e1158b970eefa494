#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelcc::core::common {

// A line diff of two texts in the unified form: hunks headed
// "@@ -FIRST,COUNT +FIRST,COUNT @@" with "-" lines of the old text, "+" lines
// of the new and a few unchanged lines around them. Lines end at LF; a CR
// before it is not part of the line.
class LineDiff final {
public:
    static constexpr std::size_t kContext = 2;

    static std::vector<std::string> split(std::string_view text);
    // Empty when the lines are the same.
    static std::vector<std::string> unified(std::string_view before, std::string_view after);
};

}  // namespace kelcc::core::common
