#include "program_name.h"

#include <algorithm>
#include <cstdio>

namespace kelcc::core::cnc_data {
namespace {

std::string_view extensionOf(std::string_view path) noexcept {
    const auto slash = path.find_last_of('/');
    const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = file.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : file.substr(dot + 1);
}

}  // namespace

ProgramName::Parsed ProgramName::parse(std::string_view typed) {
    if (typed.empty()) return {false, {}, kEmptyText};
    std::string_view digits = typed.substr(1);
    // A bare "O" carries no program number, so it names no program.
    if (typed.front() != 'O' || digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {false, {}, kInvalidText};
    const auto significant = digits.find_first_not_of('0');
    digits =
        significant == std::string_view::npos ? std::string_view{} : digits.substr(significant);
    std::uint64_t number = 0;
    for (char c : digits) {
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
        if (number > kMaxNumber) return {false, {}, kInvalidText};
    }
    return {true, format(static_cast<std::uint32_t>(number)), {}};
}

std::string ProgramName::format(std::uint32_t number) {
    char name[16];
    std::snprintf(name, sizeof name, "O%04u", static_cast<unsigned>(number));
    return name;
}

std::string ProgramName::fileName(std::string_view name) {
    return std::string(name) + kExtension;
}

std::string ProgramName::filePath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += '/';
    path += fileName(name);
    return path;
}

std::string ProgramName::fromPath(std::string_view path) {
    const auto slash = path.find_last_of('/');
    std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = file.rfind('.');
    if (dot != std::string_view::npos && dot > 0) file = file.substr(0, dot);
    return std::string(file);
}

bool ProgramName::importExtensionAccepted(std::string_view path) noexcept {
    const std::string_view extension = extensionOf(path);
    return extension == "cnc" || extension == "CNC";
}

std::string ProgramName::importPreset(std::string_view fileTitle) {
    std::size_t end = 0;
    for (std::size_t chars = 0; end < fileTitle.size() && chars < kImportPresetChars; ++chars) {
        ++end;
        // Continuation bytes belong to the character before them.
        while (end < fileTitle.size() &&
               (static_cast<unsigned char>(fileTitle[end]) & 0xC0) == 0x80)
            ++end;
    }
    return std::string(fileTitle.substr(0, end));
}

}  // namespace kelcc::core::cnc_data
