#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/project_item_type.h"

namespace kelcc::core::app {

struct ProjectFileHeader {
    std::string signature;  // up to the first NUL of its 20 bytes
    std::string version;    // up to the first NUL of its 16 bytes
    std::uint32_t plcProgramCount = 1;
    std::uint32_t partProgramCount = 0;
    std::uint32_t cncDataCount = 4;
    std::uint32_t furtherCount = 0;
};

// One record with its texts. Texts are raw bytes (the item name is GBK).
struct ProjectItemRecord {
    std::uint8_t type = 0;
    std::uint32_t number = 0;
    std::string created;   // "%Y-%m-%d,%H:%M:%S", empty for part programs
    std::string modified;  // same format
    std::string textA;
    std::string name;
    std::string textC;
    bool operator==(const ProjectItemRecord&) const = default;
};

// The binary ".gpr" file: a 52-byte header, then item records of 84 bytes
// each followed by their three texts. Little-endian, no padding.
class ProjectFile final {
public:
    static constexpr std::size_t kHeaderSize = 52;
    static constexpr std::size_t kRecordSize = 84;
    static constexpr std::size_t kTimeSize = 35;
    static constexpr std::string_view kSignature = "Kel CncSetupdesk-";
    static constexpr std::string_view kVersion = "V1.0-2004";
    // Far above any real project (records of at most 65,877 bytes each);
    // a larger file is not read whole.
    static constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

    enum class ParseStatus {
        Ok,
        ShortHeader,   // fewer than 52 bytes
        NoPlcProgram,  // PLC program count 0: refused without a message
        Truncated,     // the counts or text lengths run past the end
    };

    struct Parsed {
        ParseStatus status = ParseStatus::ShortHeader;
        ProjectFileHeader header;
        std::vector<ProjectItemRecord> records;
    };

    static Parsed parse(std::string_view bytes);

    // Only the first 17 bytes of the signature and the first 9 of the
    // version field are compared; a shorter input is not accepted.
    static bool versionAccepted(std::string_view bytes);

    static std::string encodeHeader(const ProjectFileHeader& header);
    // Texts longer than their length fields are cut (the name at a GBK
    // character boundary), so a record never breaks the file's layout.
    static std::string encodeRecord(const ProjectItemRecord& record);

    // A record for a project file on disk: its creation and modification
    // times, number 0, empty texts A and C. A missing file gets empty times.
    static ProjectItemRecord recordForFile(ProjectItemType type, std::string name,
                                           const std::string& path);
    static std::string timeText(std::int64_t secondsSinceEpoch);
};

}  // namespace kelcc::core::app
