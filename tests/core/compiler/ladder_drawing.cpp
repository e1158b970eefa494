#include "ladder_drawing.h"

#include <cstdio>
#include <stdexcept>

#include "plc/instruction_code.h"

namespace kelcc::core::compiler::test {

using plc::LadderGrid;

namespace {

std::vector<std::string> split(const std::string& row) {
    std::vector<std::string> cells;
    std::string current;
    for (char ch : row) {
        if (ch == '|') {
            cells.push_back(current);
            current.clear();
        } else {
            current.push_back(ch);
        }
    }
    cells.push_back(current);
    return cells;
}

}  // namespace

std::string LadderDrawing::contactOperand(char letter) {
    const int n = letter - 'a';
    char text[16];
    std::snprintf(text, sizeof text, "X%04d.%d", n / 8, n % 8);
    return text;
}

std::string LadderDrawing::coilOperand(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "Y%04d.%d", number / 8, number % 8);
    return text;
}

void LadderDrawing::draw(LadderGrid& grid, int firstRow, const std::vector<std::string>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = firstRow + static_cast<int>(i);
        const std::vector<std::string> cells = split(rows[i]);
        if (cells.size() > LadderGrid::kColumns) throw std::invalid_argument(rows[i]);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const int column = static_cast<int>(c) + 1;
            std::string token = cells[c];
            bool link = false;
            if (!token.empty() && token.back() == '+' && token[0] != '=' && token[0] != '#') {
                link = true;
                token.pop_back();
            }
            if (token.empty() || token == ".") {
            } else if (token == "-") {
                grid.setElement(row, column, plc::kCellKindLine, "");
            } else if (token[0] == '=') {
                const std::string text = token.substr(1);
                const std::string mnemonic = text.substr(0, text.find(' '));
                grid.setElement(row, column, static_cast<int>(plc::InstructionCodeOf(mnemonic)),
                                text);
            } else if (token[0] == '#') {
                const std::size_t colon = token.find(':');
                grid.setElement(row, column, std::stoi(token.substr(1, colon - 1)),
                                token.substr(colon + 1));
            } else if (token[0] == 'Y') {
                grid.setElement(row, column, 6, coilOperand(std::stoi(token.substr(1))));
            } else if (token[0] == '!') {
                grid.setElement(row, column, 2, contactOperand(token[1]));
            } else if (token.size() == 1 && token[0] >= 'a' && token[0] <= 'z') {
                grid.setElement(row, column, 1, contactOperand(token[0]));
            } else {
                throw std::invalid_argument(token);
            }
            if (link) grid.placeVerticalLink(row, column);
        }
    }
}

LadderGrid LadderDrawing::grid(const std::vector<std::string>& rows) {
    LadderGrid grid;
    draw(grid, 1, rows);
    return grid;
}

}  // namespace kelcc::core::compiler::test
