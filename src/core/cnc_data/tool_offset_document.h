#pragma once

#include <string>
#include <string_view>

#include "cnc_data/cnc_table_document.h"

namespace kelcc::core::cnc_data {

// The tool offset table, file Tcomp.cmp: 33 entries (index 0-32), each line
// "%04d\tX\t\tZ\tR\tT" with the tip direction written as "%.03f".
class ToolOffsetDocument final : public CncTableDocument {
public:
    static constexpr std::size_t kEntries = 33;
    static constexpr const char* kTitle = "刀具偏置";
    static constexpr const char* kFileName = "Tcomp.cmp";

    ToolOffsetDocument() : CncTableDocument(kEntries, kTitle) {}

    static std::string formatLine(int index, std::string_view x, std::string_view z,
                                  std::string_view r, double t);
};

}  // namespace kelcc::core::cnc_data
