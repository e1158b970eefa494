#include "text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kelcc::core::common {
namespace {

class IconvHandle final {
public:
    IconvHandle(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (valid()) iconv_close(m_cd);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

ConversionResult convert(const char* to, const char* from, std::string_view input) {
    ConversionResult result;
    IconvHandle cd(to, from);
    if (!cd.valid()) {
        result.error = std::string("iconv cannot convert from ") + from + " to " + to;
        return result;
    }
    std::string out;
    out.resize(input.size() * 4 + 16);
    char* inPtr = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        std::size_t rc = iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            std::size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        result.errorOffset = input.size() - inLeft;
        const auto bad = static_cast<unsigned char>(input[result.errorOffset]);
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", bad);
        result.error = std::string(errno == EINVAL ? "incomplete " : "invalid ") + from +
                       " sequence at byte " + std::to_string(result.errorOffset) + " (" + hex + ")";
        return result;
    }
    out.resize(out.size() - outLeft);
    result.ok = true;
    result.text = std::move(out);
    return result;
}

}  // namespace

ConversionResult TextCodec::gbkToUtf8(std::string_view gbk) {
    ConversionResult forward = convert("UTF-8", "GBK", gbk);
    if (!forward.ok) return forward;
    // A few GBK codes share a Unicode character with another code; such input
    // would not come back byte for byte, so it is refused here.
    ConversionResult back = convert("GBK", "UTF-8", forward.text);
    if (back.ok && back.text == gbk) return forward;
    ConversionResult refused;
    std::size_t i = 0;
    if (back.ok) {
        while (i < gbk.size() && i < back.text.size() && gbk[i] == back.text[i])
            ++i;
    }
    refused.errorOffset = i;
    refused.error = "GBK sequence at byte " + std::to_string(i) + " does not round-trip";
    return refused;
}

ConversionResult TextCodec::utf8ToGbk(std::string_view utf8) {
    return convert("GBK", "UTF-8", utf8);
}

std::string TextCodec::truncateGbk(std::string_view gbk, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < gbk.size()) {
        const auto lead = static_cast<unsigned char>(gbk[i]);
        const std::size_t width = (lead >= 0x81 && lead <= 0xFE && i + 1 < gbk.size()) ? 2 : 1;
        if (i + width > maxBytes) break;
        i += width;
    }
    return std::string(gbk.substr(0, i));
}

}  // namespace kelcc::core::common
