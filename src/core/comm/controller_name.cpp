#include "comm/controller_name.h"

namespace kelcc::core::comm {

bool ControllerName::isSafe(std::string_view name) noexcept {
    if (name.empty() || name.size() > kMaxLength) return false;
    if (name == "." || name == "..") return false;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return false;
        if (c == '/' || c == '\\' || c == ':') return false;
    }
    return true;
}

std::optional<std::string> ControllerName::pathIn(std::string_view folder, std::string_view name,
                                                  std::string_view suffix) {
    if (!isSafe(name) || folder.empty()) return std::nullopt;
    std::string path(folder);
    if (path.back() != '/') path += '/';
    path += name;
    path += suffix;
    return path;
}

}  // namespace kelcc::core::comm
