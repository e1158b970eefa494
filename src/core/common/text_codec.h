#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelcc::core::common {

// Result of a conversion: on failure `text` is empty and `error` names the
// offending byte offset in the input.
struct ConversionResult {
    bool ok = false;
    std::string text;
    std::string error;
    std::size_t errorOffset = 0;
};

// GBK <-> UTF-8 through iconv. File contents stay GBK bytes in the core;
// only the UI boundary and the command-line tool convert.
class TextCodec final {
public:
    // Accepts only GBK byte strings that convert back to exactly the same
    // bytes, so every accepted string round-trips.
    static ConversionResult gbkToUtf8(std::string_view gbk);
    static ConversionResult utf8ToGbk(std::string_view utf8);
    // Cuts a GBK byte string to at most maxBytes without splitting a
    // two-byte character.
    static std::string truncateGbk(std::string_view gbk, std::size_t maxBytes);
};

}  // namespace kelcc::core::common
