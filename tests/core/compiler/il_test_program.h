#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plc/il_store.h"

namespace kelcc::core::compiler::test {

// Instruction lists written as text in tests: each line is an IL text as the
// program file holds it ("LD      X0000.0"); the opcode is its first word.
class IlTestProgram final {
public:
    // Fills the store; lines whose first word is no mnemonic get code 255.
    static plc::IlStore store(const std::vector<std::string>& lines);
    // The IL text of a basic instruction: mnemonic padded to 8, then operand.
    static std::string line(std::string_view mnemonic, std::string_view operand = {});
    // Lines written short ("LD X0000.0") as the file holds them ("LD      X0000.0");
    // "3*AND b" stands for three lines.
    static std::vector<std::string> padded(const std::vector<std::string>& shortLines);
};

}  // namespace kelcc::core::compiler::test
