#include "comm/resume_record.h"

#include <algorithm>

#include "comm/wire_bytes.h"

namespace kelcc::core::comm {
namespace {

void putText(std::string& out, std::size_t at, std::size_t field, std::string_view text) {
    const std::size_t n = std::min(field, text.size());
    out.replace(at, n, text.substr(0, n));
}

std::string getText(std::string_view in, std::size_t at, std::size_t field) {
    const std::string_view text = in.substr(at, field);
    return std::string(text.substr(0, text.find('\0')));
}

constexpr std::size_t kOffsetAt = 13;
constexpr std::size_t kSizeAt = 17;
constexpr std::size_t kReservedAt = 21;
constexpr std::size_t kModeAt = 25;
constexpr std::size_t kTimeAt = 26;
constexpr std::size_t kPathAt = 30;

}  // namespace

ResumeRecord ResumeRecord::fromPc(Mode mode, std::uint32_t size, std::uint32_t modified,
                                  std::string path) {
    ResumeRecord record;
    record.size = size;
    record.mode = static_cast<std::uint8_t>(mode);
    record.modified = modified;
    record.path = std::move(path);
    return record;
}

std::string ResumeRecord::encode() const {
    std::string out(kSize, '\0');
    putText(out, 0, kNameSize, name);
    WireBytes::put32(out, kOffsetAt, offset);
    WireBytes::put32(out, kSizeAt, size);
    WireBytes::put32(out, kReservedAt, reserved);
    out[kModeAt] = static_cast<char>(mode);
    WireBytes::put32(out, kTimeAt, modified);
    putText(out, kPathAt, kPathSize, path);
    return out;
}

std::optional<ResumeRecord> ResumeRecord::decode(std::string_view bytes) {
    if (bytes.size() != kSize) return std::nullopt;
    ResumeRecord record;
    record.name = getText(bytes, 0, kNameSize);
    record.offset = WireBytes::get32(bytes, kOffsetAt);
    record.size = WireBytes::get32(bytes, kSizeAt);
    record.reserved = WireBytes::get32(bytes, kReservedAt);
    record.mode = static_cast<std::uint8_t>(bytes[kModeAt]);
    record.modified = WireBytes::get32(bytes, kTimeAt);
    record.path = getText(bytes, kPathAt, kPathSize);
    return record;
}

}  // namespace kelcc::core::comm
