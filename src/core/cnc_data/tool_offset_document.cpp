#include "tool_offset_document.h"

#include <cstdio>

namespace kelcc::core::cnc_data {

std::string ToolOffsetDocument::formatLine(int index, std::string_view x, std::string_view z,
                                           std::string_view r, double t) {
    char number[32];
    std::snprintf(number, sizeof number, "%04d", index);
    char tip[64];
    std::snprintf(tip, sizeof tip, "%.03f", t);
    std::string line(number);
    line += '\t';
    line += x;
    line += "\t\t";
    line += z;
    line += '\t';
    line += r;
    line += '\t';
    line += tip;
    return line;
}

}  // namespace kelcc::core::cnc_data
