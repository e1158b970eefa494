#include "temp_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kelcc::cli {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "kelcc-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) m_path = pattern;
}

TempFolder::~TempFolder() {
    if (m_path.empty()) return;
    std::error_code ec;
    bool empty = true;
    for (fs::recursive_directory_iterator it(m_path, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) empty = false;
    if (empty)
        fs::remove_all(m_path, ec);
    else
        std::fprintf(stderr, "kelcc-cli: received files were left in %s\n", m_path.c_str());
}

}  // namespace kelcc::cli
