#include "plc/operand_form.h"

#include <algorithm>

#include "plc/address_check.h"
#include "plc/codb_table.h"
#include "plc/instruction_text.h"
#include "plc/plc_address.h"

namespace kelcc::core::plc {
namespace {

constexpr std::string_view kElementMessage = "元件设置错误!";

struct Canonical {
    std::string text;
    std::uint64_t number = 0;
};

const std::string& FieldText(const FormValues& values, int field) {
    static const std::string kEmpty;
    if (field < 0 || static_cast<std::size_t>(field) >= values.fields.size()) return kEmpty;
    return values.fields[static_cast<std::size_t>(field)];
}

// Digits where an empty field reads as 0.
std::optional<std::uint64_t> NumberOrZero(std::string_view text) noexcept {
    if (text.empty()) return 0;
    return DecimalValue(text);
}

int LeadingNumber(std::string_view item) noexcept {
    int number = 0;
    for (const char c : item) {
        if (!IsDecimalDigit(c) || number > 1000) break;
        number = number * 10 + (c - '0');
    }
    return number;
}

// The words of a CODB table: blanks and commas both separate.
std::vector<std::string> TableWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    const auto separator = [](char c) { return c == ' ' || c == ','; };
    while (i < text.size()) {
        while (i < text.size() && separator(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !separator(text[i]))
            ++i;
        if (i > start) words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

bool HasTable(const OperandFormData& data) {
    return std::any_of(data.layout.begin(), data.layout.end(),
                       [](const IlToken& t) { return t.kind == TokenKind::Table; });
}

int ListField(const OperandFormData& data) {
    for (std::size_t i = 0; i < data.fields.size(); ++i) {
        if (data.fields[i].kind == FieldKind::List) return static_cast<int>(i);
    }
    return kNoField;
}

FormResult Failure(int field, std::string message) {
    FormResult result;
    result.field = field;
    result.message = std::move(message);
    return result;
}

}  // namespace

std::optional<OperandForm> OperandForm::ForInstruction(InstructionCode code) noexcept {
    for (const OperandFormData& data : FunctionFormData()) {
        if (data.code == code) return OperandForm(data);
    }
    return std::nullopt;
}

OperandForm OperandForm::Contact() noexcept {
    return OperandForm(ContactFormData());
}

OperandForm OperandForm::Coil() noexcept {
    return OperandForm(CoilFormData());
}

int OperandForm::selected(const FormValues& values, int field) const {
    if (field < 0 || static_cast<std::size_t>(field) >= m_data->fields.size()) return -1;
    const auto& items = m_data->fields[static_cast<std::size_t>(field)].items;
    const auto it = std::find(items.begin(), items.end(), FieldText(values, field));
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

int OperandForm::itemNumber(const FormValues& values, int field) const {
    return selected(values, field) < 0 ? 0 : LeadingNumber(FieldText(values, field));
}

FormValues OperandForm::blank() const {
    FormValues values;
    for (const OperandField& field : m_data->fields) {
        if (field.kind == FieldKind::Combo && !field.items.empty()) {
            values.fields.emplace_back(field.items.front());
        } else {
            values.fields.emplace_back(field.initial);
        }
    }
    const int list = ListField(*m_data);
    if (list != kNoField) {
        values.list = CodbFreshTable(
            itemNumber(values, m_data->fields[static_cast<std::size_t>(list)].sizeField));
    }
    return values;
}

FormValues OperandForm::parse(std::string_view line) const {
    FormValues values = blank();
    std::string_view head = line;
    std::string_view table;
    bool hasTable = false;
    if (HasTable(*m_data)) {
        const std::size_t comma = line.find(',');
        if (comma != std::string_view::npos) {
            head = line.substr(0, comma);
            table = line.substr(comma + 1);
            hasTable = true;
        }
    }
    const std::vector<std::string_view> tokens = IlTokens(head);
    std::size_t next = m_data->returnsAddress ? 0 : 1;  // skip the mnemonic

    for (const IlToken& rule : m_data->layout) {
        const int first = rule.fields.front();
        const OperandField& field = m_data->fields[static_cast<std::size_t>(first)];
        std::string& value = values.fields[static_cast<std::size_t>(first)];
        if (rule.kind == TokenKind::Table) {
            std::vector<std::string> entries;
            if (hasTable) entries = TableWords(table);
            entries.resize(CodbFreshTable(itemNumber(values, field.sizeField)).size(), "0");
            values.list = std::move(entries);
            continue;
        }
        if (next >= tokens.size()) continue;
        std::string_view token = tokens[next++];
        switch (rule.kind) {
            case TokenKind::Text:
                value = token;
                break;
            case TokenKind::Length: {
                const auto number = DecimalValue(token);
                if (!number || Pad4(*number) != token) break;
                for (const std::string_view item : field.items) {
                    if (static_cast<std::uint64_t>(LeadingNumber(item)) == *number) value = item;
                }
                break;
            }
            case TokenKind::Prefixed:
                if (token.starts_with(field.prefix)) token.remove_prefix(field.prefix.size());
                value = token;
                break;
            case TokenKind::Flags: {
                if (token.size() != rule.fixed.size() + rule.fields.size() ||
                    !token.starts_with(rule.fixed)) {
                    break;
                }
                for (std::size_t k = 0; k < rule.fields.size(); ++k) {
                    const auto index = static_cast<std::size_t>(token[rule.fixed.size() + k] - '0');
                    const auto f = static_cast<std::size_t>(rule.fields[k]);
                    if (IsDecimalDigit(token[rule.fixed.size() + k]) &&
                        index < m_data->fields[f].items.size()) {
                        values.fields[f] = m_data->fields[f].items[index];
                    }
                }
                break;
            }
            case TokenKind::Table:
                break;
        }
    }
    return values;
}

FormResult OperandForm::validate(const FormValues& values) const {
    const auto& fields = m_data->fields;
    // A combo is always on one of its items in a dialog; anything else is
    // refused rather than written as some default.
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].kind == FieldKind::Combo && fields[i].check == FieldCheck::None &&
            selected(values, static_cast<int>(i)) < 0) {
            return Failure(static_cast<int>(i), std::string(kElementMessage));
        }
    }

    std::vector<Canonical> canonical(fields.size());
    std::vector<std::string> table;
    for (const int index : m_data->checkOrder) {
        const OperandField& field = fields[static_cast<std::size_t>(index)];
        const std::string& text = FieldText(values, index);
        Canonical& out = canonical[static_cast<std::size_t>(index)];
        const auto fail = [&](std::string_view message) {
            return Failure(index, std::string(message));
        };
        const int length = field.lengthField != kNoField ? itemNumber(values, field.lengthField)
                                                         : field.fixedLength;
        switch (field.check) {
            case FieldCheck::None:
                break;
            case FieldCheck::Address:
            case FieldCheck::Operand: {
                const CheckedOperand checked =
                    field.check == FieldCheck::Address
                        ? AddressCheck(text, field.addressClass, field.byteOperand,
                                       field.dcDtAllowed)
                        : OperandCheck(text, field.addressClass, length, field.byteOperand,
                                       field.dcDtAllowed);
                if (!checked.ok()) {
                    return fail(field.message.empty()
                                    ? MessageForKind(checked.result, m_data->compareMessages)
                                    : field.message);
                }
                out.text = checked.canonical;
                break;
            }
            case FieldCheck::Range: {
                const auto number = NumberOrZero(text);
                if (!number || *number >= field.limit) return fail(field.message);
                out.number = *number;
                break;
            }
            case FieldCheck::Number: {
                // The field cannot hold more digits; longer text would make an
                // address outside the label and subprogram range.
                const auto number = NumberOrZero(text);
                if (!number || text.size() > field.maxChars) return fail(field.message);
                out.number = *number;
                break;
            }
            case FieldCheck::Mask: {
                const bool mask =
                    text.size() == 4 && std::all_of(text.begin(), text.end(),
                                                    [](char c) { return c == '0' || c == '1'; });
                if (!mask) return fail(field.message);
                out.text = text;
                break;
            }
            case FieldCheck::Mode: {
                const int item = selected(values, index);
                if (item != 0 && item != 1) return fail(field.message);
                break;
            }
            case FieldCheck::Count: {
                const std::uint64_t limit = ConstantLimit(length);
                const auto number = NumberOrZero(text);
                if (!number || *number < 1 || *number > limit) {
                    return fail(WithNumber(field.message, limit));
                }
                out.text = Pad4(*number);
                break;
            }
            case FieldCheck::Table: {
                const std::size_t size = CodbFreshTable(itemNumber(values, field.sizeField)).size();
                const bool valid =
                    values.list.size() == size &&
                    std::all_of(values.list.begin(), values.list.end(),
                                [&](const std::string& e) { return CodbEntryValid(e, length); });
                if (!valid) return fail(WithNumber(field.message, CodbTableMax(length)));
                for (const std::string& entry : values.list) {
                    table.push_back(std::to_string(*DecimalValue(entry)));
                }
                break;
            }
        }
    }

    FormResult result;
    result.ok = true;
    if (m_data->returnsAddress) {
        result.text =
            canonical[static_cast<std::size_t>(m_data->layout.front().fields.front())].text;
        result.choice = selected(values, m_data->choiceField);
        return result;
    }
    std::vector<std::string> words;
    for (const IlToken& rule : m_data->layout) {
        const auto first = static_cast<std::size_t>(rule.fields.front());
        switch (rule.kind) {
            case TokenKind::Text:
                words.push_back(canonical[first].text);
                break;
            case TokenKind::Length:
                words.push_back(
                    Pad4(static_cast<std::uint64_t>(itemNumber(values, rule.fields.front()))));
                break;
            case TokenKind::Prefixed:
                words.push_back(std::string(fields[first].prefix) + Pad4(canonical[first].number));
                break;
            case TokenKind::Flags: {
                std::string flags(rule.fixed);
                for (const int f : rule.fields)
                    flags += static_cast<char>('0' + selected(values, f));
                words.push_back(std::move(flags));
                break;
            }
            case TokenKind::Table:
                words.emplace_back(",");
                words.insert(words.end(), table.begin(), table.end());
                break;
        }
    }
    result.text = IlLine(MnemonicOf(m_data->code), words);
    return result;
}

void OperandForm::comboChanged(FormValues& values, int field) const {
    for (const OperandField& list : m_data->fields) {
        if (list.kind != FieldKind::List) continue;
        if (list.sizeField == field) values.list = CodbFreshTable(itemNumber(values, field));
        if (list.lengthField == field) CodbLowerToMax(values.list, itemNumber(values, field));
    }
}

std::optional<std::string> OperandForm::editListEntry(FormValues& values, std::size_t entry,
                                                      std::string_view typed) const {
    const int list = ListField(*m_data);
    if (list == kNoField || entry >= values.list.size()) return std::nullopt;
    const int lengthField = m_data->fields[static_cast<std::size_t>(list)].lengthField;
    return CodbEditEntry(values.list[entry], typed, itemNumber(values, lengthField));
}

std::string OperandForm::Typed(const OperandField& field, std::string_view typed) {
    std::string kept;
    for (const char c : typed) {
        if (field.kind == FieldKind::Digits || field.kind == FieldKind::List) {
            if (IsDecimalDigit(c)) kept += c;
        } else if (field.kind == FieldKind::Text && c >= 'a' && c <= 'z') {
            kept += static_cast<char>(c - 'a' + 'A');
        } else {
            kept += c;
        }
    }
    if (field.maxChars > 0 && kept.size() > field.maxChars) {
        std::size_t cut = field.maxChars;
        // Never keep half of a UTF-8 character.
        while (cut > 0 && (static_cast<unsigned char>(kept[cut]) & 0xC0) == 0x80)
            --cut;
        kept.resize(cut);
    }
    return kept;
}

std::string_view OperandForm::MessageForKind(AddressCheckResult result, bool compare) noexcept {
    switch (result) {
        case AddressCheckResult::CheckEmpty:
            return "请输入元件地址号!";
        case AddressCheckResult::CheckBadType:
            return "地址类型错误!";
        case AddressCheckResult::CheckBadRange:
            return "地址范围错误!";
        case AddressCheckResult::CheckBadBit:
            return "地址位号错误!";
        case AddressCheckResult::CheckBadValue:
            if (compare) return "比较参数设置错误!";
            break;
        case AddressCheckResult::CheckOk:
            break;
    }
    return kElementMessage;
}

}  // namespace kelcc::core::plc
