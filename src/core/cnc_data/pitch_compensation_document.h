#pragma once

#include <string>
#include <string_view>

#include "cnc_data/cnc_table_document.h"

namespace kelcc::core::cnc_data {

// The pitch error compensation table, file Wcomp.wmp: 256 points (index
// 0-255), each line "%04d\tX\t\tZ" with signed integer corrections.
class PitchCompensationDocument final : public CncTableDocument {
public:
    static constexpr std::size_t kEntries = 256;
    static constexpr const char* kTitle = "螺距补偿";
    static constexpr const char* kFileName = "Wcomp.wmp";

    PitchCompensationDocument() : CncTableDocument(kEntries, kTitle) {}

    static std::string formatLine(int index, std::string_view x, std::string_view z);
};

}  // namespace kelcc::core::cnc_data
