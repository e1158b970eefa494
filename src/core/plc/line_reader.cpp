#include "line_reader.h"

#include <cstring>

namespace kelcc::core::plc {

bool LineReader::next(std::string_view& line) noexcept {
    if (atEnd()) {
        line = {};
        return false;
    }
    const char* begin = m_text.data() + m_pos;
    const std::size_t left = m_text.size() - m_pos;
    const void* lf = std::memchr(begin, '\n', left);
    std::size_t length = left;
    if (lf != nullptr) {
        length = static_cast<std::size_t>(static_cast<const char*>(lf) - begin);
        m_pos += length + 1;
    } else {
        m_pos = m_text.size();
    }
    if (length > 0 && begin[length - 1] == '\r') --length;
    line = std::string_view(begin, length);
    return true;
}

bool LineReader::skipPast(std::string_view keyword) noexcept {
    std::string_view line;
    while (next(line)) {
        if (line == keyword) return true;
    }
    return false;
}

}  // namespace kelcc::core::plc
