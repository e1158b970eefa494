#include "app/project_file_names.h"

#include <cstdio>

#include "cnc_data/program_name.h"

namespace kelcc::core::app {
namespace {

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view lastComponent(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool ProjectFileNames::isSafeName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::optional<std::string> ProjectFileNames::programName(std::string_view typed) {
    // One rule for every place that names a part program.
    auto parsed = cnc_data::ProgramName::parse(typed);
    if (!parsed.ok) return std::nullopt;
    return parsed.name;
}

std::string ProjectFileNames::extension(std::string_view path) {
    const std::string_view last = lastComponent(path);
    const auto dot = last.find_last_of('.');
    return dot == std::string_view::npos ? std::string() : std::string(last.substr(dot + 1));
}

std::string ProjectFileNames::stem(std::string_view path) {
    const std::string_view last = lastComponent(path);
    const auto dot = last.find_last_of('.');
    return std::string(dot == std::string_view::npos ? last : last.substr(0, dot));
}

bool ProjectFileNames::equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::string ProjectFileNames::format(std::string_view text, std::string_view argument) {
    std::string out(text);
    const auto at = out.find("%1");
    if (at != std::string::npos) out.replace(at, 2, argument);
    return out;
}

}  // namespace kelcc::core::app
