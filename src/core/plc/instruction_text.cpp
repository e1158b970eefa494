#include "plc/instruction_text.h"

namespace kelcc::core::plc {

std::string IlLine(std::string_view mnemonic, const std::vector<std::string>& operands) {
    std::string line(mnemonic);
    if (line.size() < kMnemonicWidth) line.resize(kMnemonicWidth, ' ');
    for (std::size_t i = 0; i < operands.size(); ++i) {
        // The field already ends in blanks; the first operand starts right after it.
        if (i > 0) line += ' ';
        line += operands[i];
    }
    return line;
}

std::string Pad4(std::uint64_t number) {
    std::string digits = std::to_string(number);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return digits;
}

std::vector<std::string_view> IlTokens(std::string_view line) {
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ')
            ++i;
        if (i > start) tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

}  // namespace kelcc::core::plc
