#include "app/directory_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace kelcc::core::app {
namespace {

// Works below an open directory descriptor, so a folder swapped for a link
// while we are inside cannot redirect the removal.
bool removeContents(int dirFd) {
    // A folder without write permission keeps its entries; that is the
    // read-only attribute of this platform.
    struct stat self {};
    if (::fstat(dirFd, &self) == 0 && (self.st_mode & S_IWUSR) == 0)
        ::fchmod(dirFd, (self.st_mode & 07777) | S_IWUSR | S_IXUSR);
    const int listFd = ::dup(dirFd);
    if (listFd < 0) return false;
    DIR* dir = ::fdopendir(listFd);
    if (dir == nullptr) {
        ::close(listFd);
        return false;
    }
    bool all = true;
    while (dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        struct stat st {};
        if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            all = false;
            continue;
        }
        if (S_ISDIR(st.st_mode)) {
            const int child =
                ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child < 0) {
                all = false;
                continue;
            }
            const bool emptied = removeContents(child);
            ::close(child);
            if (!emptied || ::unlinkat(dirFd, name, AT_REMOVEDIR) != 0) all = false;
        } else if (::unlinkat(dirFd, name, 0) != 0) {
            all = false;
        }
    }
    ::closedir(dir);
    return all;
}

}  // namespace

bool DirectoryTree::remove(const std::string& path) {
    if (path.size() <= 3) return false;
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    if (trimmed.size() <= 3) return false;
    struct stat st {};
    if (::lstat(trimmed.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    const int fd = ::open(trimmed.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    const bool emptied = removeContents(fd);
    ::close(fd);
    return emptied && ::rmdir(trimmed.c_str()) == 0;
}

}  // namespace kelcc::core::app
