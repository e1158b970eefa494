// Feeds bytes from the line to everything that parses them: the frame
// parser (in chunks of varying size), the file-list text, the file header
// and the resume record.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "comm/controller_name.h"
#include "comm/file_header.h"
#include "comm/file_list.h"
#include "comm/link_frame.h"
#include "comm/link_frame_parser.h"
#include "comm/resume_record.h"

namespace {

using namespace kelcc::core::comm;

void parseFrames(std::span<const std::uint8_t> bytes) {
    LinkFrameParser parser;
    std::size_t at = 0;
    std::size_t chunk = 1;
    while (at < bytes.size()) {
        const std::size_t n = std::min(chunk, bytes.size() - at);
        parser.append(bytes.subspan(at, n));
        at += n;
        chunk = chunk * 3 % 700 + 1;
        for (;;) {
            auto r = parser.next();
            if (r.status == LinkFrameParser::Status::NeedMore) break;
            if (r.frame.data.size() > LinkFrame::kMaxData) __builtin_trap();
            if (r.status == LinkFrameParser::Status::Complete) {
                // A frame that parsed encodes back to bytes that parse to it.
                LinkFrameParser again;
                auto encoded = LinkFrame::encode(r.frame);
                again.append(encoded);
                auto back = again.next();
                if (back.status != LinkFrameParser::Status::Complete ||
                    back.frame.data != r.frame.data || back.frame.command != r.frame.command)
                    __builtin_trap();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    std::string_view text(reinterpret_cast<const char*>(data), size);
    parseFrames(bytes);
    auto list = FileList::parse(text);
    for (const auto& entry : list.entries)
        if (!ControllerName::isSafe(entry.name)) __builtin_trap();
    FileHeader::decode(text);
    ResumeRecord::decode(text);
    return 0;
}
