#pragma once

#include <cstdint>
#include <string>

namespace kelcc::core::plc {

struct DataByteRecord {  // D0000-D0999
    std::uint8_t value = 0;
    std::string commentZh;  // GBK bytes
    std::string commentEn;
    bool operator==(const DataByteRecord&) const = default;
};

struct DataWordRecord {       // DC0000-DC0099, DT0000-DT0099
    std::uint32_t value = 0;  // first word
    std::uint32_t second = 0;
    std::uint32_t third = 0;
    std::string commentZh;
    std::string commentEn;
    bool operator==(const DataWordRecord&) const = default;
};

struct ProgramWarning {
    char kind = 'P';  // P: subprogram never called, Q: label no jump names
    std::uint16_t step = 0;
    std::int32_t number = 0;
    bool operator==(const ProgramWarning&) const = default;
};

struct CompileResult {
    std::int32_t code = 0;  // 0: no error
    std::int32_t row = -1;  // -1: not applicable
    std::int32_t column = -1;
    std::int32_t extra = 0;
    bool operator==(const CompileResult&) const = default;
};

struct NetworkSteps {
    int firstStep = -1;
    int lastStep = -1;
};

struct NetworkRows {
    int firstRow = -1;
    int lastRow = -1;
    int firstStep = -1;
    int lastStep = -1;
};

}  // namespace kelcc::core::plc
