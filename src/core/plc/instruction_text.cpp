#include "plc/instruction_text.h"

namespace kelcc::core::plc {
namespace {

std::string Str(std::string_view text) {
    return std::string(text);
}

std::string Letter(char letter, std::uint64_t number) {
    return letter + Pad4(number);
}

}  // namespace

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

std::string_view FixedLine(InstructionCode code) noexcept {
    switch (code) {
        case InstructionCode::END1:
            return kEnd1Line;
        case InstructionCode::END2:
            return kEnd2Line;
        case InstructionCode::SPE:
            return kSpeLine;
        default:
            return {};
    }
}

std::string BitInstructionText(InstructionCode code, std::string_view bit) {
    return IlLine(MnemonicOf(code), {Str(bit)});
}

std::string CmpText(int length, std::string_view s1, std::string_view s2, std::string_view out) {
    return IlLine("CMP", {Pad4(static_cast<std::uint64_t>(length)), Str(s1), Str(s2), Str(out)});
}

std::string CtrcText(std::string_view mode, std::string_view reset, std::uint64_t counter,
                     std::string_view count, std::string_view out) {
    return IlLine("CTRC", {Str(mode), Str(reset), Letter('C', counter), Str(count), Str(out)});
}

std::string TmrbText(std::uint64_t timer, std::string_view time, std::string_view out) {
    return IlLine("TMRB", {Letter('T', timer), Str(time), Str(out)});
}

std::string MovnText(int length, std::string_view source, std::string_view dest) {
    return IlLine("MOVN", {Pad4(static_cast<std::uint64_t>(length)), Str(source), Str(dest)});
}

std::string DecbText(int length, std::string_view add1, std::string_view data,
                     std::string_view add2) {
    return IlLine("DECB",
                  {Pad4(static_cast<std::uint64_t>(length)), Str(add1), Str(data), Str(add2)});
}

std::string CodbText(int length1, int length2, std::string_view in, std::string_view out,
                     const std::vector<std::string>& table) {
    std::vector<std::string> operands{Pad4(static_cast<std::uint64_t>(length1)),
                                      Pad4(static_cast<std::uint64_t>(length2)), Str(in), Str(out),
                                      ","};
    operands.insert(operands.end(), table.begin(), table.end());
    return IlLine("CODB", operands);
}

std::string JumpText(InstructionCode code, std::uint64_t number) {
    const bool label = code == InstructionCode::JMPB || code == InstructionCode::LBL;
    return IlLine(MnemonicOf(code), {Letter(label ? 'L' : 'P', number)});
}

std::string RotbText(std::string_view mode, std::uint64_t count, int length, std::string_view w,
                     std::string_view d, std::string_view e, std::string_view o) {
    return IlLine("ROTB", {Str(mode), Pad4(count), Pad4(static_cast<std::uint64_t>(length)), Str(w),
                           Str(d), Str(e), Str(o)});
}

std::string PariText(bool oddParity, std::string_view reset, std::string_view in,
                     std::string_view out) {
    return IlLine("PARI", {oddParity ? "0001" : "0000", Str(reset), Str(in), Str(out)});
}

std::string ArithmeticText(InstructionCode code, int length, std::string_view first,
                           std::string_view second, std::string_view reset, std::string_view out,
                           std::string_view error) {
    return IlLine(MnemonicOf(code), {Pad4(static_cast<std::uint64_t>(length)), Str(first),
                                     Str(second), Str(reset), Str(out), Str(error)});
}

std::string MoveText(std::string_view high4, std::string_view low4, std::string_view in,
                     std::string_view out) {
    return IlLine("MOVE", {Str(high4), Str(low4), Str(in), Str(out)});
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
