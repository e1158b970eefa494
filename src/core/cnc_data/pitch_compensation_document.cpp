#include "pitch_compensation_document.h"

#include <cstdio>

namespace kelcc::core::cnc_data {

std::string PitchCompensationDocument::formatLine(int index, std::string_view x,
                                                  std::string_view z) {
    char number[32];
    std::snprintf(number, sizeof number, "%04d", index);
    std::string line(number);
    line += '\t';
    line += x;
    line += "\t\t";
    line += z;
    return line;
}

}  // namespace kelcc::core::cnc_data
