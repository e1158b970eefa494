#include "il_test_program.h"

#include <algorithm>

#include "plc/instruction_code.h"

namespace kelcc::core::compiler::test {

plc::IlStore IlTestProgram::store(const std::vector<std::string>& lines) {
    plc::IlStore il;
    for (const std::string& text : lines) {
        const std::string_view word = std::string_view(text).substr(0, text.find(' '));
        const auto code = static_cast<std::uint32_t>(plc::InstructionCodeOf(word));
        if (!il.append(code, text)) break;
    }
    return il;
}

std::string IlTestProgram::line(std::string_view mnemonic, std::string_view operand) {
    std::string text(mnemonic);
    text.resize(8, ' ');
    text += operand;
    return text;
}

std::vector<std::string> IlTestProgram::padded(const std::vector<std::string>& shortLines) {
    std::vector<std::string> lines;
    for (std::string s : shortLines) {
        const std::size_t star = s.find('*');
        const int times = star == std::string::npos ? 1 : std::stoi(s.substr(0, star));
        if (star != std::string::npos) s.erase(0, star + 1);
        const std::size_t blank = std::min(s.find(' '), s.size());
        for (int i = 0; i < times; ++i)
            lines.push_back(line(s.substr(0, blank), s.substr(std::min(blank + 1, s.size()))));
    }
    return lines;
}

}  // namespace kelcc::core::compiler::test
