#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelcc::core::comm {

// The 285-byte record with which the PC and the controller agree where a
// part-program (DNC) transfer starts. Numbers most significant byte first.
struct ResumeRecord {
    static constexpr std::size_t kSize = 285;
    static constexpr std::size_t kNameSize = 13;
    static constexpr std::size_t kPathSize = 255;
    static constexpr const char* kName = "DNC.dnc";

    enum class Mode : std::uint8_t {
        Question = 0,
        NewTransfer = 1,
        FromStart = 2,
        Continue = 3,
    };

    std::string name = kName;
    std::uint32_t offset = 0;  // bytes the controller already holds
    std::uint32_t size = 0;    // of the local file
    std::uint32_t reserved = 0;
    std::uint8_t mode = static_cast<std::uint8_t>(Mode::Question);
    std::uint32_t modified = 0;  // seconds since 1970-01-01 UTC
    std::string path;            // full local path

    // The record the PC sends: offset 0, the local file's size, 0, the mode,
    // its time and its path.
    static ResumeRecord fromPc(Mode mode, std::uint32_t size, std::uint32_t modified,
                               std::string path);

    // A name or path longer than its field is cut to the field (a 255-byte
    // path fills it without a zero).
    std::string encode() const;
    // Text fields are taken up to their first zero; nothing unless exactly
    // kSize bytes are given.
    static std::optional<ResumeRecord> decode(std::string_view bytes);

    bool operator==(const ResumeRecord&) const = default;
};

}  // namespace kelcc::core::comm
