#include "app/project_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "common/text_codec.h"

namespace kelcc::core::app {
namespace {

std::uint32_t readU32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

void putU32(std::string& out, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A NUL-padded field read up to its first NUL.
std::string fieldText(std::string_view bytes, std::size_t at, std::size_t size) {
    std::string_view field = bytes.substr(at, size);
    return std::string(field.substr(0, field.find('\0')));
}

void putField(std::string& out, std::size_t at, std::size_t size, std::string_view text) {
    const std::size_t n = text.size() < size ? text.size() : size;
    out.replace(at, n, text.substr(0, n));
}

}  // namespace

ProjectFile::Parsed ProjectFile::parse(std::string_view bytes) {
    Parsed parsed;
    if (bytes.size() < kHeaderSize) return parsed;
    ProjectFileHeader& h = parsed.header;
    h.signature = fieldText(bytes, 0, 20);
    h.version = fieldText(bytes, 20, 16);
    h.plcProgramCount = readU32(bytes, 36);
    h.partProgramCount = readU32(bytes, 40);
    h.cncDataCount = readU32(bytes, 44);
    h.furtherCount = readU32(bytes, 48);
    if (h.plcProgramCount == 0) {
        parsed.status = ParseStatus::NoPlcProgram;
        return parsed;
    }
    // The leading 1 is the PLC program record, whatever the count at 36 says.
    const std::uint64_t count =
        std::uint64_t{h.furtherCount} + 1 + h.cncDataCount + h.partProgramCount;
    // Checked before anything is allocated: each record needs 84 bytes.
    if (count > (bytes.size() - kHeaderSize) / kRecordSize) {
        parsed.status = ParseStatus::Truncated;
        return parsed;
    }
    parsed.records.reserve(static_cast<std::size_t>(count));
    std::size_t at = kHeaderSize;
    for (std::uint64_t i = 0; i < count; ++i) {
        if (bytes.size() - at < kRecordSize) {
            parsed.status = ParseStatus::Truncated;
            parsed.records.clear();
            return parsed;
        }
        ProjectItemRecord r;
        r.type = static_cast<std::uint8_t>(bytes[at]);
        r.number = readU32(bytes, at + 4);
        const std::size_t lengthA = static_cast<std::uint8_t>(bytes[at + 8]);
        const std::size_t lengthName = static_cast<std::uint8_t>(bytes[at + 9]);
        const std::size_t lengthC = static_cast<std::uint8_t>(bytes[at + 10]) |
                                    (std::size_t{static_cast<std::uint8_t>(bytes[at + 11])} << 8);
        r.created = fieldText(bytes, at + 12, kTimeSize);
        r.modified = fieldText(bytes, at + 47, kTimeSize);
        at += kRecordSize;
        if (bytes.size() - at < lengthA + lengthName + lengthC) {
            parsed.status = ParseStatus::Truncated;
            parsed.records.clear();
            return parsed;
        }
        r.textA = std::string(bytes.substr(at, lengthA));
        r.name = std::string(bytes.substr(at + lengthA, lengthName));
        r.textC = std::string(bytes.substr(at + lengthA + lengthName, lengthC));
        at += lengthA + lengthName + lengthC;
        parsed.records.push_back(std::move(r));
    }
    parsed.status = ParseStatus::Ok;
    return parsed;
}

bool ProjectFile::versionAccepted(std::string_view bytes) {
    if (bytes.size() < 20 + kVersion.size()) return false;
    return bytes.substr(0, kSignature.size()) == kSignature &&
           bytes.substr(20, kVersion.size()) == kVersion;
}

std::string ProjectFile::encodeHeader(const ProjectFileHeader& header) {
    std::string out(kHeaderSize, '\0');
    putField(out, 0, 20, header.signature);
    putField(out, 20, 16, header.version);
    putU32(out, 36, header.plcProgramCount);
    putU32(out, 40, header.partProgramCount);
    putU32(out, 44, header.cncDataCount);
    putU32(out, 48, header.furtherCount);
    return out;
}

std::string ProjectFile::encodeRecord(const ProjectItemRecord& record) {
    const std::string_view textA = std::string_view(record.textA).substr(0, 0xFF);
    const std::string name = common::TextCodec::truncateGbk(record.name, 0xFF);
    const std::string_view textC = std::string_view(record.textC).substr(0, 0xFFFF);
    std::string out(kRecordSize, '\0');
    out[0] = static_cast<char>(record.type);
    putU32(out, 4, record.number);
    out[8] = static_cast<char>(textA.size());
    out[9] = static_cast<char>(name.size());
    out[10] = static_cast<char>(textC.size() & 0xFF);
    out[11] = static_cast<char>(textC.size() >> 8);
    putField(out, 12, kTimeSize, record.created);
    putField(out, 47, kTimeSize, record.modified);
    out.append(textA);
    out.append(name);
    out.append(textC);
    return out;
}

std::string ProjectFile::timeText(std::int64_t secondsSinceEpoch) {
    const auto t = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    if (::localtime_r(&t, &local) == nullptr) return {};
    char buffer[64];
    const std::size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%d,%H:%M:%S", &local);
    return std::string(buffer, n);
}

ProjectItemRecord ProjectFile::recordForFile(ProjectItemType type, std::string name,
                                             const std::string& path) {
    ProjectItemRecord r;
    r.type = static_cast<std::uint8_t>(type);
    r.name = std::move(name);
    struct statx sx {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_MTIME, &sx) == 0) {
        r.modified = timeText(sx.stx_mtime.tv_sec);
        // Not every file system keeps a birth time; the modification time is
        // the nearest honest value then.
        r.created = (sx.stx_mask & STATX_BTIME) ? timeText(sx.stx_btime.tv_sec) : r.modified;
    }
    return r;
}

}  // namespace kelcc::core::app
