#include "comm/file_list.h"

#include <optional>

#include "comm/controller_name.h"

namespace kelcc::core::comm {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

std::optional<std::uint32_t> decimal(std::string_view text) noexcept {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

// The next tab-terminated field; nothing when the tab is missing.
std::optional<std::string_view> field(std::string_view& line) noexcept {
    const auto tab = line.find('\t');
    if (tab == std::string_view::npos) return std::nullopt;
    const std::string_view text = line.substr(0, tab);
    line.remove_prefix(tab + 1);
    return text;
}

char lower(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

FileList::Parsed FileList::parse(std::string_view text) {
    Parsed parsed;
    while (!text.empty()) {
        const auto end = text.find(kLineEnd);
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + kLineEnd.size());

        const auto name = field(line);
        const auto sizeText = name ? field(line) : std::nullopt;
        const auto areaText = sizeText ? field(line) : std::nullopt;
        if (!areaText) return {};
        const auto size = decimal(*sizeText);
        if (!size || areaText->size() != 1 || !isDigit(areaText->front())) return {};

        if (!ControllerName::isSafe(*name)) {
            parsed.refused.emplace_back(*name);
            continue;
        }
        FileEntry entry;
        entry.name = std::string(*name);
        entry.size = *size;
        entry.area = static_cast<std::uint8_t>(areaText->front() - '0');
        parsed.entries.push_back(std::move(entry));
    }
    parsed.ok = true;
    return parsed;
}

std::string FileList::format(const std::vector<FileEntry>& entries) {
    std::string text;
    for (const FileEntry& entry : entries) {
        text += entry.name;
        text += '\t';
        text += std::to_string(entry.size);
        text += '\t';
        text += static_cast<char>('0' + entry.area % 10);
        text += '\t';
        text += kLineEnd;
    }
    return text;
}

bool FileList::isOfferedProgram(std::string_view name) noexcept {
    constexpr std::size_t kStem = 5;  // 'O' and four digits
    if (name.size() != kStem + 4 || name[0] != 'O' || name[kStem] != '.') return false;
    for (std::size_t i = 1; i < kStem; ++i)
        if (!isDigit(name[i])) return false;
    return lower(name[6]) == 'c' && lower(name[7]) == 'n' && lower(name[8]) == 'c';
}

std::vector<FileEntry> FileList::offeredPrograms(const std::vector<FileEntry>& entries) {
    std::vector<FileEntry> programs;
    for (const FileEntry& entry : entries)
        if (isOfferedProgram(entry.name)) programs.push_back(entry);
    return programs;
}

}  // namespace kelcc::core::comm
