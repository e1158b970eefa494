#include "program_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "plc/instruction_code.h"
#include "plc/line_reader.h"

namespace kelcc::core::plc {
namespace {

constexpr std::string_view kEol = "\r\n";
constexpr std::uint32_t kMaxNumber = std::numeric_limits<std::uint32_t>::max();

struct Section {
    std::string_view keyword;
    std::string_view end;
};

constexpr Section kIl{"PLC_ORGANIZATION", "END_PLC_ORGANIZATION"};
constexpr Section kInfo{"PLC_INFO", "END_PLC_INFO"};
constexpr Section kAlarm{"PLC_ALARM", "END_PLC_ALARM"};
constexpr Section kInitD{"PLC_INIT_D", "END_PLC_INIT_D"};
constexpr Section kInitDc{"PLC_INIT_DC", "END_PLC_INIT_DC"};
constexpr Section kInitDt{"PLC_INIT_DT", "END_PLC_INIT_DT"};
constexpr Section kDataDc{"INITDATA_DC", "END_INITDATA_DC"};
constexpr Section kDataDt{"INITDATA_DT", "END_INITDATA_DT"};
constexpr Section kDataK{"INITDATA_K", "END_INITDATA_K"};
constexpr Section kSymbol{"PLC_SYMBOL", "END_PLC_SYMBOL"};
constexpr Section kNetworkComment{"NETWORK_COMMENT", "END_NETWORK_COMMENT"};

constexpr Section kSections[] = {kIl,     kInfo,   kAlarm, kInitD,  kInitDc,        kInitDt,
                                 kDataDc, kDataDt, kDataK, kSymbol, kNetworkComment};

// ---------------------------------------------------------------- reading

bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t';
}

int digitValue(char c, int base) noexcept {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    return v < base ? v : -1;
}

// Reads blanks, then the digits of one number from the front of `s`, and
// drops what it read. No digits give 0 and leave `s` at the offending byte,
// so every later field of the line reads as 0 too.
std::uint32_t takeNumber(std::string_view& s, int base) noexcept {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    std::uint64_t value = 0;
    for (; i < s.size(); ++i) {
        const int d = digitValue(s[i], base);
        if (d < 0) break;
        value = std::min<std::uint64_t>(value * static_cast<unsigned>(base) + d, kMaxNumber);
    }
    s.remove_prefix(i);
    return static_cast<std::uint32_t>(value);
}

// Record number - 1 as a table index; -1 for number 0.
std::int64_t takeIndex(std::string_view& s) noexcept {
    return static_cast<std::int64_t>(takeNumber(s, 10)) - 1;
}

bool sortsAfter(std::string_view a, std::string_view b) noexcept {
    return std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

enum class SectionEnd { Done, Missing, Stopped };

// Finds the section from the reader's place and hands every record line to
// `record` (which returns false to stop). Running into the end of the text,
// before or inside the section, rewinds to the start for the next section.
template <typename Record>
SectionEnd readSection(LineReader& reader, const Section& section, Record&& record) {
    if (!reader.skipPast(section.keyword)) {
        reader.rewind();
        return SectionEnd::Missing;
    }
    std::string_view line;
    if (!reader.next(line)) {  // the count line, never looked at
        reader.rewind();
        return SectionEnd::Done;
    }
    while (reader.next(line)) {
        if (line == section.end) return SectionEnd::Done;
        if (!record(line)) return SectionEnd::Stopped;
    }
    reader.rewind();
    return SectionEnd::Done;
}

// One IL line: step number, blanks, then the instruction from its mnemonic
// on. The step number is not used; entries are numbered by their order.
bool readIlLine(std::string_view line, IlStore& il) {
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    while (i < line.size() && !isBlank(line[i]))
        ++i;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    const std::size_t start = i;
    while (i < line.size() && !isBlank(line[i]))
        ++i;
    const InstructionCode code = InstructionCodeOf(line.substr(start, i - start));
    if (code == InstructionCode::Unknown || code == InstructionCode::NOP) return false;
    return il.append(static_cast<std::uint32_t>(code), std::string(line.substr(start)));
}

template <typename Table>
bool inTable(std::int64_t index, const Table& table) noexcept {
    return index >= 0 && index < static_cast<std::int64_t>(table.size());
}

void appendPadded(std::string& out, std::uint64_t value, int width = 4);

std::string alarmFromRecord(std::string_view line) {
    std::string_view s = line;
    const std::uint32_t number = takeNumber(s, 10);
    std::string alarm = "A";
    appendPadded(alarm, number / 8);
    alarm += '.';
    alarm += static_cast<char>('0' + number % 8);
    const std::size_t tab = line.find('\t');
    if (tab != std::string_view::npos) alarm += line.substr(tab);
    return alarm;
}

// "D0012", "DC0005", "DT0099": the prefix and four digits, nothing else.
bool dataAddress(std::string_view address, std::string_view prefix, std::int64_t& index) {
    if (address.size() != prefix.size() + 4 || !address.starts_with(prefix)) return false;
    index = 0;
    for (char c : address.substr(prefix.size())) {
        if (c < '0' || c > '9') return false;
        index = index * 10 + (c - '0');
    }
    return true;
}

void readSymbol(std::string_view line, PlcDocument& doc) {
    const std::size_t tab1 = line.find('\t');
    std::string_view address, zh, en;
    if (tab1 != std::string_view::npos) {
        const std::size_t tab2 = line.find('\t', tab1 + 1);
        address = line.substr(
            tab1 + 1, tab2 == std::string_view::npos ? std::string_view::npos : tab2 - tab1 - 1);
        if (tab2 != std::string_view::npos) {
            const std::size_t tab3 = line.find('\t', tab2 + 1);
            zh = line.substr(tab2 + 1, tab3 == std::string_view::npos ? std::string_view::npos
                                                                      : tab3 - tab2 - 1);
            if (tab3 != std::string_view::npos) en = line.substr(tab3 + 1);
        }
    }
    std::int64_t index = 0;
    // DC and DT before D: "DC0001" is not a D address anyway (six
    // characters), but the order keeps the intent plain.
    if (dataAddress(address, "DC", index)) {
        if (inTable(index, doc.dcTable())) {
            auto& rec = doc.dcTable()[static_cast<std::size_t>(index)];
            rec.commentZh = zh;
            rec.commentEn = en;
        }
    } else if (dataAddress(address, "DT", index)) {
        if (inTable(index, doc.dtTable())) {
            auto& rec = doc.dtTable()[static_cast<std::size_t>(index)];
            rec.commentZh = zh;
            rec.commentEn = en;
        }
    } else if (dataAddress(address, "D", index)) {
        if (inTable(index, doc.dTable())) {
            auto& rec = doc.dTable()[static_cast<std::size_t>(index)];
            rec.commentZh = zh;
            rec.commentEn = en;
        }
    } else {
        doc.ioComments().emplace_back(line);
    }
}

// The sections after the IL; none of them can fail.
void readTables(LineReader& reader, PlcDocument& doc) {
    std::string info[ProjectState::kInfoTexts];
    int infoLine = 0;
    readSection(reader, kInfo, [&](std::string_view line) {
        ++infoLine;
        if (infoLine == 1)
            info[0] = line;
        else if (infoLine == 3)
            info[1] = line;
        else if (infoLine == 4)
            info[2] = line;
        // Line 2 is the checksum: the document's checksum belongs to the
        // last compile, not to the file.
        return true;
    });
    for (int i = 0; i < ProjectState::kInfoTexts; ++i)
        doc.project().setPlcInfo(i, info[i]);

    readSection(reader, kAlarm, [&](std::string_view line) {
        if (!line.empty()) doc.alarms().push_back(alarmFromRecord(line));
        return true;
    });
    readSection(reader, kInitD, [&](std::string_view line) {
        const std::int64_t index = takeIndex(line);
        const std::uint32_t value = takeNumber(line, 10);
        if (inTable(index, doc.dTable()))
            doc.dTable()[static_cast<std::size_t>(index)].value = static_cast<std::uint8_t>(value);
        return true;
    });

    auto readValues = [&](auto& table) {
        return [&table](std::string_view line) {
            const std::int64_t index = takeIndex(line);
            const std::uint32_t value = takeNumber(line, 10);
            if (inTable(index, table)) table[static_cast<std::size_t>(index)].value = value;
            return true;
        };
    };
    // The words are stored as first, third, second.
    auto readWords = [&](auto& table) {
        return [&table](std::string_view line) {
            const std::int64_t index = takeIndex(line);
            const std::uint32_t first = takeNumber(line, 16);
            const std::uint32_t third = takeNumber(line, 16);
            const std::uint32_t second = takeNumber(line, 16);
            if (inTable(index, table)) {
                auto& rec = table[static_cast<std::size_t>(index)];
                rec.value = first;
                rec.second = second;
                rec.third = third;
            }
            return true;
        };
    };
    readSection(reader, kInitDc, readValues(doc.dcTable()));
    readSection(reader, kDataDc, readWords(doc.dcTable()));
    const SectionEnd initDt = readSection(reader, kInitDt, readValues(doc.dtTable()));
    const SectionEnd dataDt = readSection(reader, kDataDt, readWords(doc.dtTable()));
    if (initDt == SectionEnd::Missing && dataDt == SectionEnd::Missing) {
        // The writer puts PLC_INIT_DT before INITDATA_DC, so the search from
        // there passes over it and the values come from INITDATA_DT. A file
        // without INITDATA_DT would lose them (a resave writes zeros): read
        // them from the top, then search on from the top as before.
        readSection(reader, kInitDt, readValues(doc.dtTable()));
        reader.rewind();
    }
    readSection(reader, kDataK, [&](std::string_view line) {
        const std::int64_t index = takeIndex(line);
        const std::uint32_t value = takeNumber(line, 16);
        if (inTable(index, doc.kTable()))
            doc.kTable()[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(value);
        return true;
    });
    readSection(reader, kSymbol, [&](std::string_view line) {
        if (!line.empty()) readSymbol(line, doc);
        return true;
    });
    readSection(reader, kNetworkComment, [&](std::string_view line) {
        std::string_view rowText = line.substr(0, 4);
        const std::uint32_t row = takeNumber(rowText, 10);
        if (row >= 1 && row <= static_cast<std::uint32_t>(plc::LadderGrid::kRows))
            doc.loadRowComment(static_cast<int>(row),
                               line.size() > 5 ? std::string(line.substr(5)) : std::string());
        return true;
    });
}

// ---------------------------------------------------------------- writing

// Digits are built from the back of a buffer and appended in one go: the
// tables make thousands of numbers per file.
void appendPadded(std::string& out, std::uint64_t value, int width) {
    char digits[24];
    int start = sizeof digits;
    do {
        digits[--start] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (start > 0 && static_cast<int>(sizeof digits) - start < width)
        digits[--start] = '0';
    out.append(digits + start, sizeof digits - static_cast<std::size_t>(start));
}

void appendHex(std::string& out, std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char digits[8];
    int start = sizeof digits;
    do {
        digits[--start] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    out.append(digits + start, sizeof digits - static_cast<std::size_t>(start));
}

// A held text as one line of the file.
void appendText(std::string& out, std::string_view text) {
    if (text.find('\n') == std::string_view::npos) {
        out += text;
        return;
    }
    for (char c : text)
        out += c == '\n' ? ' ' : c;
}

// A held text written as a whole line (information texts, address comment
// records). Such a line equal to a keyword would be taken for a section by
// a later search, which after a rewind starts at the top of the file; one
// trailing blank keeps it a plain line.
void appendFreeLine(std::string& out, std::string_view text) {
    appendText(out, text);
    for (const Section& section : kSections) {
        if (text == section.keyword || text == section.end) {
            out += ' ';
            break;
        }
    }
    out += kEol;
}

void appendLine(std::string& out, std::string_view text) {
    out += text;
    out += kEol;
}

void appendCount(std::string& out, std::string_view label, std::size_t count) {
    out += label;
    out += '\t';
    appendPadded(out, count, 1);
    out += kEol;
}

// "A0001.3\t..." -> 11 and the rest from the TAB; false when the address
// part does not have that form.
bool alarmNumber(std::string_view alarm, std::uint64_t& number, std::string_view& rest) {
    const std::size_t tab = alarm.find('\t');
    const std::string_view address = alarm.substr(0, tab);
    rest = tab == std::string_view::npos ? std::string_view() : alarm.substr(tab);
    if (address.size() < 4 || address[0] != 'A') return false;
    const std::size_t dot = address.find('.');
    if (dot == std::string_view::npos || dot < 2 || dot + 2 != address.size()) return false;
    std::uint64_t byte = 0;
    for (char c : address.substr(1, dot - 1)) {
        if (c < '0' || c > '9') return false;
        byte = byte * 10 + static_cast<unsigned>(c - '0');
        if (byte > kMaxNumber / 8) return false;
    }
    const char bit = address[dot + 1];
    if (bit < '0' || bit > '7') return false;
    number = byte * 8 + static_cast<unsigned>(bit - '0');
    return true;
}

template <typename Table>
void writeWordValues(std::string& out, const Section& section, const Table& table) {
    appendLine(out, section.keyword);
    appendCount(out, "TOTALTIPS", table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        appendPadded(out, i + 1);
        out += '\t';
        appendPadded(out, table[i].value, 1);
        out += kEol;
    }
    appendLine(out, section.end);
    out += kEol;
}

template <typename Table>
void writeWords(std::string& out, const Section& section, const Table& table) {
    appendLine(out, section.keyword);
    appendCount(out, "TOTALTIPS", table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        appendPadded(out, i + 1);
        for (std::uint32_t word : {table[i].value, table[i].third, table[i].second}) {
            out += '\t';
            appendHex(out, word);
        }
        out += '\t';
        out += kEol;
    }
    appendLine(out, section.end);
    out += kEol;
}

template <typename Table>
void collectSymbols(std::vector<std::string>& records, std::size_t& number, std::string_view prefix,
                    const Table& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& rec = table[i];
        if (rec.commentZh.empty() && rec.commentEn.empty()) continue;
        std::string line;
        appendPadded(line, ++number);
        line += '\t';
        line += prefix;
        appendPadded(line, i);
        line += '\t';
        appendText(line, rec.commentZh);
        line += '\t';
        appendText(line, rec.commentEn);
        records.push_back(std::move(line));
    }
}

}  // namespace

int ProgramFile::read(std::string_view bytes, PlcDocument& doc, common::Interaction& interaction) {
    LineReader reader(bytes);
    std::string_view header;
    reader.next(header);
    if (sortsAfter(header, kHeader)) return kReadUnsupportedVersion;

    IlStore il;
    const SectionEnd ilEnd = readSection(
        reader, kIl, [&](std::string_view line) { return line.empty() || readIlLine(line, il); });
    if (ilEnd == SectionEnd::Stopped) {
        interaction.inform(kFormatErrorText, common::kMessageCaption, common::MessageIcon::Warning);
        return kReadFormatError;
    }

    doc.clear();
    doc.setStepCount(static_cast<int>(il.size()));
    doc.il() = std::move(il);
    readTables(reader, doc);
    return kReadOk;
}

ProgramFile::ReadFileResult ProgramFile::readFile(const std::string& path, PlcDocument& doc,
                                                  common::Interaction& interaction) {
    std::string bytes;
    const common::FileResult file = common::AtomicFile::read(path, bytes, kMaxFileBytes);
    if (!file.ok) {
        interaction.inform(file.error, common::kMessageCaption, common::MessageIcon::Warning);
        return {kReadUnreadable, file.error};
    }
    return {read(bytes, doc, interaction), {}};
}

std::string ProgramFile::write(const PlcDocument& doc) {
    std::string out;
    // An empty program's tables make about 14 KB.
    out.reserve(16384 + doc.il().size() * 32);
    appendLine(out, kHeader);

    std::size_t steps = 0;
    while (steps < doc.il().size() && doc.il()[steps].opcode != 0)
        ++steps;
    appendLine(out, kIl.keyword);
    appendCount(out, "TOTALSTEPS", steps);
    for (std::size_t i = 0; i < steps; ++i) {
        appendPadded(out, i);
        out += "    ";
        appendText(out, doc.il()[i].text);
        out += kEol;
    }
    appendLine(out, kIl.end);
    out += kEol;

    appendLine(out, kInfo.keyword);
    appendCount(out, "TOTALTIPS", 4);
    appendFreeLine(out, doc.project().plcInfo(0));
    char checksum[8];
    std::snprintf(checksum, sizeof checksum, "%04X", static_cast<unsigned>(doc.checksum()));
    appendLine(out, checksum);
    for (int i = 1; i < ProjectState::kInfoTexts; ++i)
        appendFreeLine(out, doc.project().plcInfo(i));
    appendLine(out, kInfo.end);
    out += kEol;

    std::string alarms;
    std::size_t alarmCount = 0;
    for (const std::string& alarm : doc.alarms()) {
        std::uint64_t number = 0;
        std::string_view rest;
        if (!alarmNumber(alarm, number, rest)) continue;
        appendPadded(alarms, number);
        appendText(alarms, rest);
        alarms += kEol;
        ++alarmCount;
    }
    appendLine(out, kAlarm.keyword);
    appendCount(out, "TOTALTIPS", alarmCount);
    out += alarms;
    appendLine(out, kAlarm.end);
    out += kEol;

    appendLine(out, kInitD.keyword);
    appendCount(out, "TOTALTIPS", doc.dTable().size());
    for (std::size_t i = 0; i < doc.dTable().size(); ++i) {
        appendPadded(out, i + 1);
        out += '\t';
        appendPadded(out, doc.dTable()[i].value, 1);
        out += kEol;
    }
    appendLine(out, kInitD.end);
    out += kEol;

    writeWordValues(out, kInitDc, doc.dcTable());
    writeWordValues(out, kInitDt, doc.dtTable());
    writeWords(out, kDataDc, doc.dcTable());
    writeWords(out, kDataDt, doc.dtTable());

    appendLine(out, kDataK.keyword);
    appendLine(out, "TOTALTIPS ");  // no count, one trailing blank
    for (std::size_t i = 0; i < doc.kTable().size(); ++i) {
        appendPadded(out, i + 1);
        out += '\t';
        appendHex(out, doc.kTable()[i]);
        out += '\t';
        out += kEol;
    }
    appendLine(out, kDataK.end);
    out += kEol;

    std::vector<std::string> symbols;
    std::size_t number = doc.ioComments().size();
    collectSymbols(symbols, number, "D", doc.dTable());
    collectSymbols(symbols, number, "DC", doc.dcTable());
    collectSymbols(symbols, number, "DT", doc.dtTable());
    appendLine(out, kSymbol.keyword);
    appendCount(out, "TOTALTIPS", doc.ioComments().size() + symbols.size());
    for (const std::string& record : doc.ioComments())
        appendFreeLine(out, record);
    for (const std::string& record : symbols)
        appendLine(out, record);
    appendLine(out, kSymbol.end);
    out += kEol;

    const int lastComment = doc.commentRowBound();
    std::size_t comments = 0;
    for (int row = 1; row <= lastComment; ++row)
        if (!doc.rowComment(row).empty()) ++comments;
    appendLine(out, kNetworkComment.keyword);
    appendCount(out, "TOTALTIPS", comments);
    for (int row = 1; row <= lastComment; ++row) {
        const std::string& comment = doc.rowComment(row);
        if (comment.empty()) continue;
        appendPadded(out, static_cast<std::uint64_t>(row));
        out += '\t';
        appendText(out, comment);
        out += kEol;
    }
    appendLine(out, kNetworkComment.end);
    return out;
}

common::FileResult ProgramFile::writeFile(const std::string& path, const PlcDocument& doc) {
    return common::AtomicFile::write(path, write(doc));
}

std::string ProgramFile::newProjectFile() {
    return "PLC VER1.0\r\n"
           "PLC_ORGANIZATION\r\n"
           "TOTALSTEPS\t2\r\n"
           "0000    END1\r\n"
           "0001    END2\r\n"
           "END_PLC_ORGANIZATION\r\n"
           "\r\n"
           "PLC_INFO\r\n"
           "TOTALTIPS\t4\r\n"
           "\r\n"
           "\r\n"
           "\r\n"
           "\r\n"
           "END_PLC_INFO\r\n";
}

}  // namespace kelcc::core::plc
