#pragma once

#include <cstdint>
#include <string>

namespace kelcc::core::comm {

// One file of a transfer session: where it lives on the controller and here.
struct FileEntry {
    // Storage areas of the controller.
    static constexpr std::uint8_t kConfigArea = 1;  // PLC program, parameters, tables
    static constexpr std::uint8_t kUserArea = 2;    // "USER"; 3 and 4 are "USER1", "USER2"
    static constexpr std::uint8_t kLastArea = 4;
    // The only kind this system sends or asks for.
    static constexpr std::uint8_t kFileKind = 1;

    std::string name;  // on the controller, at most 13 bytes on the wire
    std::string localPath;
    std::uint8_t area = kConfigArea;
    std::uint8_t kind = kFileKind;
    std::uint32_t size = 0;

    bool operator==(const FileEntry&) const = default;
};

}  // namespace kelcc::core::comm
