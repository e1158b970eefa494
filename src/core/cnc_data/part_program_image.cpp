#include "part_program_image.h"

#include <filesystem>
#include <system_error>

#include "common/atomic_file.h"

namespace kelcc::core::cnc_data {
namespace {

constexpr std::string_view kAllowedMarks = "#-+/ .;%";

bool allowed(char c) noexcept {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           kAllowedMarks.find(c) != std::string_view::npos;
}

char upper(char c) noexcept {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isProgramName(std::string_view name) noexcept {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view extension = name.substr(dot + 1);
    if (extension.size() != 3) return false;
    return upper(extension[0]) == 'C' && upper(extension[1]) == 'N' && upper(extension[2]) == 'C';
}

// Takes the next line of a text read in text mode: ends at LF, and a CR
// directly before the LF belongs to the line end.
std::string_view nextLine(std::string_view& text) noexcept {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

void dropOneSemicolon(std::string_view& line) noexcept {
    if (!line.empty() && line.back() == ';') line.remove_suffix(1);
}

std::string withName(std::string_view format, std::string_view name) {
    std::string text(format);
    const auto at = text.find("%1");
    if (at != std::string::npos) text.replace(at, 2, name);
    return text;
}

}  // namespace

PartProgramImage::Prepared PartProgramImage::PrepareProgram(const std::string& localPath,
                                                            std::string_view name) {
    if (!isProgramName(name)) return {};
    std::string bytes;
    const common::FileResult read = common::AtomicFile::read(localPath, bytes, kMaxFileBytes);
    if (!read.ok) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(localPath, ec);
        if (!ec && size > kMaxFileBytes) return {Result::TooLong, true, {}, {}};
        return {Result::Unreadable, true, {}, read.error};
    }
    return prepareText(bytes);
}

PartProgramImage::Prepared PartProgramImage::prepareText(std::string_view bytes) {
    if (bytes.size() > kMaxFileBytes) return {Result::TooLong, true, {}, {}};
    std::string_view rest = bytes;
    std::string_view first = nextLine(rest);
    if (first.empty() || (first.front() != 'O' && first.front() != 'o'))
        return {Result::BadFirstLine, true, {}, {}};

    std::string image;
    image.reserve(bytes.size() * 2 + 2);
    dropOneSemicolon(first);
    image += first;
    image += "\r\n";
    while (!rest.empty()) {
        std::string_view line = nextLine(rest);
        if (line.empty()) continue;
        dropOneSemicolon(line);
        for (char c : line) {
            const char u = upper(c);
            if (!allowed(u)) return {Result::BadCharacter, true, {}, {}};
            if (u == ';')
                image += "\r\n";
            else
                image += u;
        }
        image += "\r\n";
    }
    return {Result::Ok, true, std::move(image), {}};
}

std::optional<PartProgramImage::Message> PartProgramImage::messageFor(Result result,
                                                                      std::string_view fileName) {
    switch (result) {
        case Result::TooLong:
            return Message{withName("零件程序文件 \"%1\" 长度超过2M字节!", fileName),
                           "文件长度超限", common::MessageIcon::Stop};
        case Result::BadFirstLine:
            return Message{withName("零件程序文件 \"%1\" 格式错误!\r\n\r\n"
                                    "文件开头应以字母'O'后加0-9999四位数字.\r\n\r\n"
                                    "请修改该文件至符合语法规则.",
                                    fileName),
                           "格式错误", common::MessageIcon::None};
        case Result::BadCharacter:
            return Message{withName("零件程序文件 \"%1\" 格式错误!\r\n\r\n"
                                    "文件中包含不允许的字符.(只能包含英文字母数字,以及'#','+','-',"
                                    "'/','.','%'等符号.)\r\n\r\n请修改该文件至符合语法规则.",
                                    fileName),
                           "格式错误", common::MessageIcon::None};
        case Result::Ok:
        case Result::Unreadable:
            break;
    }
    return std::nullopt;
}

}  // namespace kelcc::core::cnc_data
