#include "comm/modem_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <random>

namespace kelcc::core::comm {
namespace {

using cnc_data::PartProgramImage;

constexpr std::uint64_t kMaxSize = std::numeric_limits<std::uint32_t>::max();
constexpr int kPartialAttempts = 16;

std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

ModemFile::~ModemFile() {
    abort();
}

void ModemFile::fail(const std::string& what, int err) {
    m_error = what + ": " + std::strerror(err);
}

void ModemFile::report(std::size_t bytes) const {
    if (m_progress && bytes > 0) m_progress(static_cast<std::uint32_t>(bytes));
}

void ModemFile::reset() noexcept {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_mode = Mode::Closed;
    m_path.clear();
    m_partialPath.clear();
    m_image.clear();
    m_image.shrink_to_fit();
    m_size = 0;
    m_position = 0;
    m_written = 0;
}

ModemFile::SendOpen ModemFile::openForSend(const std::string& localPath,
                                           std::string_view controllerName) {
    abort();
    m_error.clear();
    PartProgramImage::Prepared prepared =
        PartProgramImage::PrepareProgram(localPath, controllerName);
    if (prepared.result != PartProgramImage::Result::Ok) {
        m_error = prepared.error;
        return {prepared.result, prepared.error};
    }
    if (prepared.isImage) {
        m_mode = Mode::SendImage;
        m_path = localPath;
        m_image = std::move(prepared.image);
        m_size = static_cast<std::uint32_t>(m_image.size());
        return {};
    }

    const int fd = ::open(localPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        fail(localPath, errno);
        return {PartProgramImage::Result::Unreadable, m_error};
    }
    struct stat st {};
    int err = 0;
    if (::fstat(fd, &st) != 0)
        err = errno;
    else if (!S_ISREG(st.st_mode))
        err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    else if (static_cast<std::uint64_t>(st.st_size) > kMaxSize)
        err = EFBIG;  // the header carries 32-bit sizes
    if (err != 0) {
        ::close(fd);
        fail(localPath, err);
        return {PartProgramImage::Result::Unreadable, m_error};
    }
    m_mode = Mode::SendFile;
    m_fd = fd;
    m_path = localPath;
    m_size = static_cast<std::uint32_t>(st.st_size);
    return {};
}

bool ModemFile::openForReceive(const std::string& path) {
    abort();
    m_error.clear();
    std::random_device random;
    for (int attempt = 0; attempt < kPartialAttempts; ++attempt) {
        const std::string partial = path + ".part" + std::to_string(random() % 1000000);
        const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            fail(path, errno);
            return false;
        }
        m_mode = Mode::Receive;
        m_fd = fd;
        m_path = path;
        m_partialPath = partial;
        return true;
    }
    fail(path, EEXIST);
    return false;
}

ModemFile::ReadResult ModemFile::readPiece(std::size_t wanted, std::string& piece) {
    piece.clear();
    if (m_mode != Mode::SendFile && m_mode != Mode::SendImage) return ReadResult::Error;
    const std::size_t left = m_size - m_position;
    if (left == 0) return ReadResult::Nothing;
    const std::size_t count = std::min(wanted, left);

    if (m_mode == Mode::SendImage) {
        piece.assign(m_image, m_position, count);
    } else {
        piece.resize(count);
        std::size_t got = 0;
        while (got < count) {
            const ssize_t n = ::read(m_fd, piece.data() + got, count - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                // Shorter than announced: the controller would wait for
                // bytes that never come, so this is a read error.
                fail(m_path, n < 0 ? errno : EIO);
                piece.clear();
                return ReadResult::Error;
            }
            got += static_cast<std::size_t>(n);
        }
    }
    m_position += static_cast<std::uint32_t>(count);
    report(count);
    return m_position == m_size ? ReadResult::Last : ReadResult::More;
}

ModemFile::ReadResult ModemFile::readPiece(std::span<std::uint8_t> buffer, std::size_t& count) {
    std::string piece;
    const ReadResult result = readPiece(buffer.size(), piece);
    std::copy(piece.begin(), piece.end(), reinterpret_cast<char*>(buffer.data()));
    count = piece.size();
    return result;
}

bool ModemFile::writePiece(std::string_view data) {
    if (m_mode != Mode::Receive) return false;
    if (m_written + static_cast<std::uint64_t>(data.size()) > kMaxSize) {
        fail(m_path, EFBIG);
        return false;
    }
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(m_fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(m_path, errno);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    m_written += static_cast<std::uint32_t>(data.size());
    report(data.size());
    return true;
}

bool ModemFile::seek(std::uint32_t offset) {
    if ((m_mode != Mode::SendFile && m_mode != Mode::SendImage) || offset > m_size) return false;
    if (m_mode == Mode::SendFile && ::lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) < 0) {
        fail(m_path, errno);
        return false;
    }
    m_position = offset;
    return true;
}

bool ModemFile::finish() {
    if (m_mode != Mode::Receive) {
        reset();
        return true;
    }
    const int fd = m_fd;
    m_fd = -1;
    bool ok = ::fsync(fd) == 0;
    if (!ok) fail(m_path, errno);
    if (::close(fd) != 0 && ok) {
        ok = false;
        fail(m_path, errno);
    }
    if (ok && ::rename(m_partialPath.c_str(), m_path.c_str()) != 0) {
        ok = false;
        fail(m_path, errno);
    }
    if (!ok) {
        ::unlink(m_partialPath.c_str());
    } else {
        const int dir = ::open(directoryOf(m_path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    reset();
    return ok;
}

void ModemFile::abort() noexcept {
    if (m_mode == Mode::Receive) {
        ::close(m_fd);
        m_fd = -1;
        ::unlink(m_partialPath.c_str());
    }
    reset();
}

std::optional<std::uint32_t> ModemFile::modifiedTime(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || st.st_mtime < 0) return std::nullopt;
    return static_cast<std::uint32_t>(st.st_mtime);
}

}  // namespace kelcc::core::comm
