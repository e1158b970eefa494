#pragma once

#include <string>

namespace kelcc::cli {

// A private folder for one command's staging folders and uploads, removed
// when the command ends unless it still holds received files (a session
// that failed before they could be adopted); their place is then printed.
class TempFolder final {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Empty when no folder could be made.
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace kelcc::cli
