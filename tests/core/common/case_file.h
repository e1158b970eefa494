#pragma once

#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kelcc::test {

// One case of a case file: a line split at '|' into fields trimmed of blanks.
// Within fields \s is a blank, \t a tab, \n a line end, \| a bar, \\ a
// backslash and \xHH a byte. `where` ("file:line") goes into failure messages.
struct Case {
    std::string where;
    std::vector<std::string> fields;
    const std::string& operator[](std::size_t i) const { return fields.at(i); }
};

inline std::string DecodeCaseField(const std::string& raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            out += raw[i];
            continue;
        }
        const char c = raw[++i];
        if (c == 'x' && i + 2 < raw.size()) {
            out += static_cast<char>(std::stoi(raw.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 's' ? ' ' : c == 't' ? '\t' : c == 'n' ? '\n' : c;
        }
    }
    return out;
}

// Cases of a file under tests/ (e.g. "core/plc/cases/operand_lines.txt"); blank
// lines and lines starting with '#' are skipped.
inline std::vector<Case> ReadCases(const std::string& path) {
    std::ifstream in(std::string(KELCC_TEST_DATA_DIR) + "/../" + path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::vector<Case> cases;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        Case c{path + ":" + std::to_string(number), {}};
        std::string field;
        for (std::size_t i = 0; i <= line.size(); ++i) {
            if (i == line.size() || line[i] == '|') {
                const auto b = field.find_first_not_of(" \t\r");
                const auto e = field.find_last_not_of(" \t\r");
                c.fields.push_back(
                    DecodeCaseField(b == std::string::npos ? "" : field.substr(b, e - b + 1)));
                field.clear();
            } else {
                if (line[i] == '\\' && i + 1 < line.size()) field += line[i++];
                field += line[i];
            }
        }
        cases.push_back(std::move(c));
    }
    return cases;
}

}  // namespace kelcc::test
