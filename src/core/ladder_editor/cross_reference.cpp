#include "ladder_editor/cross_reference.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "plc/instruction_code.h"

namespace kelcc::core::ladder_editor {

using plc::InstructionCode;
using plc::LadderGrid;

namespace {

constexpr int kFirstFunction = static_cast<int>(InstructionCode::END1);

// An address operand: one or two letters, digits, perhaps a bit after a
// point. Numbers (constants, counts) and the CODB table are not.
bool isAddress(std::string_view token) {
    std::size_t i = 0;
    while (i < token.size() && i < 2 && std::isupper(static_cast<unsigned char>(token[i])))
        ++i;
    if (i == 0 || i == token.size()) return false;
    const std::size_t point = token.find('.');
    const std::string_view digits =
        token.substr(i, point == std::string_view::npos ? token.npos : point - i);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) != 0;
        }))
        return false;
    return point == std::string_view::npos ||
           (point + 2 == token.size() && std::isdigit(static_cast<unsigned char>(token.back())));
}

std::vector<std::string> operandsOf(const std::string& line) {
    std::vector<std::string> tokens;
    std::size_t at = line.find(' ');  // after the mnemonic
    while (at != std::string::npos && at < line.size()) {
        const std::size_t start = line.find_first_not_of(' ', at);
        if (start == std::string::npos) break;
        const std::size_t end = line.find(' ', start);
        std::string token = line.substr(start, end == std::string::npos ? end : end - start);
        if (token == ",") break;  // a table follows
        tokens.push_back(std::move(token));
        at = end;
    }
    return tokens;
}

std::string mnemonicOf(const plc::LadderCell& cell) {
    if (cell.kind >= kFirstFunction) return cell.text.substr(0, cell.text.find(' '));
    switch (static_cast<InstructionCode>(cell.kind)) {
        case InstructionCode::LD:
            return "LD";
        case InstructionCode::LDI:
            return "LDI";
        default:
            return "OUT";
    }
}

std::string byteOf(const std::string& address) {
    return address.substr(0, address.find('.'));
}

bool checkedForWrites(const std::string& address) {
    return !address.empty() && (address[0] == 'Y' || address[0] == 'R');
}

}  // namespace

CrossReference::CrossReference(const LadderGrid& grid) {
    collect(grid);
    findProblems();
}

void CrossReference::collect(const LadderGrid& grid) {
    std::map<std::string, std::vector<Place>> byAddress;
    for (int row = 1; row <= grid.lastUsedRow(); ++row) {
        for (int column = 1; column <= LadderGrid::kColumns; ++column) {
            const plc::LadderCell* cell = grid.cell(row, column);
            if (cell == nullptr || !cell->element || cell->text.empty()) continue;
            const std::string mnemonic = mnemonicOf(*cell);
            if (cell->kind == static_cast<int>(InstructionCode::LD) ||
                cell->kind == static_cast<int>(InstructionCode::LDI) ||
                cell->kind == static_cast<int>(InstructionCode::OUT)) {
                const Use use = cell->kind == static_cast<int>(InstructionCode::LD) ? Use::Contact
                                : cell->kind == static_cast<int>(InstructionCode::LDI)
                                    ? Use::ClosedContact
                                    : Use::Coil;
                byAddress[cell->text].push_back({row, column, use, mnemonic});
                continue;
            }
            if (cell->kind < kFirstFunction) continue;
            std::vector<std::string> addresses;
            for (std::string& token : operandsOf(cell->text))
                if (isAddress(token)) addresses.push_back(std::move(token));
            // Labels and subprograms are named, not written.
            const auto code = static_cast<InstructionCode>(cell->kind);
            const bool jump = code == InstructionCode::JMPB || code == InstructionCode::LBL ||
                              code == InstructionCode::CALL || code == InstructionCode::SP;
            // The outputs come last: the result and the error or direction bit
            // for these three, the one result for the others.
            const std::size_t outputs = jump ? 0
                                        : code == InstructionCode::ROTB ||
                                                code == InstructionCode::ADDB ||
                                                code == InstructionCode::SUBB
                                            ? 2
                                            : 1;
            for (std::size_t i = 0; i < addresses.size(); ++i) {
                const Use use = i + outputs >= addresses.size() ? Use::Written : Use::Read;
                byAddress[addresses[i]].push_back({row, column, use, mnemonic});
            }
        }
    }
    for (auto& [address, places] : byAddress)
        m_entries.push_back({address, std::move(places)});
}

void CrossReference::findProblems() {
    // What is written, bit by bit and byte by byte.
    std::set<std::string> written;
    std::set<std::string> bytesWritten;
    for (const Entry& entry : m_entries) {
        for (const Place& place : entry.places) {
            if (place.use != Use::Coil && place.use != Use::Written) continue;
            written.insert(entry.address);
            bytesWritten.insert(byteOf(entry.address));
        }
    }
    for (const Entry& entry : m_entries) {
        Warning coils{Problem::SeveralCoils, entry.address, {}};
        Warning reads{Problem::NeverWritten, entry.address, {}};
        for (const Place& place : entry.places) {
            if (place.use == Use::Coil) coils.places.push_back(place);
            if (place.use == Use::Contact || place.use == Use::ClosedContact ||
                place.use == Use::Read)
                reads.places.push_back(place);
        }
        if (coils.places.size() > 1) m_warnings.push_back(std::move(coils));
        const bool isBit = entry.address.find('.') != std::string::npos;
        const bool everWritten = written.count(entry.address) != 0 ||
                                 (isBit && written.count(byteOf(entry.address)) != 0) ||
                                 (!isBit && bytesWritten.count(entry.address) != 0);
        if (checkedForWrites(entry.address) && !reads.places.empty() && !everWritten)
            m_warnings.push_back(std::move(reads));
    }
}

std::vector<const CrossReference::Entry*> CrossReference::filtered(std::string_view prefix) const {
    std::vector<const Entry*> out;
    for (const Entry& entry : m_entries) {
        if (entry.address.size() < prefix.size()) continue;
        const bool match =
            std::equal(prefix.begin(), prefix.end(), entry.address.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) ==
                       std::toupper(static_cast<unsigned char>(b));
            });
        if (match) out.push_back(&entry);
    }
    return out;
}

const char* CrossReference::useName(Use use) noexcept {
    switch (use) {
        case Use::Contact:
            return "contact";
        case Use::ClosedContact:
            return "closed contact";
        case Use::Coil:
            return "coil";
        case Use::Read:
            return "read";
        case Use::Written:
            return "written";
    }
    return "";
}

std::string CrossReference::text() const {
    std::string out;
    for (const Entry& entry : m_entries) {
        for (const Place& place : entry.places) {
            out += entry.address + '\t' + std::to_string(place.row) + '\t' +
                   std::to_string(place.column) + '\t' + useName(place.use) + '\t' +
                   place.instruction + '\n';
        }
    }
    for (const Warning& warning : m_warnings) {
        out += "warning\t";
        out += warning.problem == Problem::SeveralCoils ? "several coils" : "never written";
        out += '\t' + warning.address;
        for (const Place& place : warning.places)
            out += '\t' + std::to_string(place.row) + '/' + std::to_string(place.column);
        out += '\n';
    }
    return out;
}

}  // namespace kelcc::core::ladder_editor
