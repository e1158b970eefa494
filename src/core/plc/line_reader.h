#pragma once

#include <cstddef>
#include <string_view>

namespace kelcc::core::plc {

// A cursor over the lines of a text held in memory. Lines end in LF; one CR
// before the LF is dropped, so CR LF and bare LF files read alike. A last
// line without a line end counts as a line. Nothing is copied or indexed up
// front: the program file reader rewinds at most once per section, so a few
// forward passes with memchr cost less than a table of line offsets, whose
// size an adversarial file (millions of empty lines) would decide.
class LineReader final {
public:
    explicit LineReader(std::string_view text) noexcept : m_text(text) {}

    // False at the end of the text; `line` is then empty.
    bool next(std::string_view& line) noexcept;
    bool atEnd() const noexcept { return m_pos >= m_text.size(); }
    void rewind() noexcept { m_pos = 0; }

    // Advances past the line equal to `keyword`; false (at the end) when no
    // such line follows.
    bool skipPast(std::string_view keyword) noexcept;

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

}  // namespace kelcc::core::plc
