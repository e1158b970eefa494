#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plc/instruction_code.h"
#include "plc/operand_form_data.h"

namespace kelcc::core::plc {

// What a dialog holds: one text per field (a combo holds the text of its
// selected item) and the entries of the list field, if the form has one.
struct FormValues {
    std::vector<std::string> fields;
    std::vector<std::string> list;

    bool operator==(const FormValues&) const = default;
};

struct FormResult {
    bool ok = false;
    std::string text;  // the IL line; for contact and coil the canonical bit address
    int choice = 0;    // contact and coil: index of the selected form
    int field = 0;     // the field that failed, for the focus
    std::string message;
};

// The operand dialog of one instruction without its drawing: what fields
// it has, how an instruction line fills them and how OK judges them.
class OperandForm final {
public:
    explicit OperandForm(const OperandFormData& data) noexcept : m_data(&data) {}

    // Empty for instructions without a dialog (END1, END2, SPE, basics).
    static std::optional<OperandForm> ForInstruction(InstructionCode code) noexcept;
    static OperandForm Contact() noexcept;
    static OperandForm Coil() noexcept;

    const OperandFormData& data() const noexcept { return *m_data; }
    InstructionCode code() const noexcept { return m_data->code; }
    std::string_view title() const noexcept { return m_data->title; }
    const std::vector<OperandField>& fields() const noexcept { return m_data->fields; }

    // A new cell: empty fields, first combo items, the fields' initial texts.
    FormValues blank() const;
    // An existing cell: its line (contact and coil: its address) fills the
    // fields; words that do not fit leave the field as a new cell has it.
    FormValues parse(std::string_view line) const;
    // OK: the first failing field in check order gives its message.
    FormResult validate(const FormValues& values) const;

    // A combo changed: the list follows its size and data-length combos.
    void comboChanged(FormValues& values, int field) const;
    // An entry of the list was typed; a message is returned when refused.
    std::optional<std::string> editListEntry(FormValues& values, std::size_t entry,
                                             std::string_view typed) const;

    // What a field keeps of typed text: upper case for address fields,
    // digits only for number fields, at most the field's length.
    static std::string Typed(const OperandField& field, std::string_view typed);

    // "请输入元件地址号!" and its siblings.
    static std::string_view MessageForKind(AddressCheckResult result, bool compare) noexcept;

    // The selected item of a combo, or -1 when its text is none of the items.
    int selected(const FormValues& values, int field) const;
    // The number of a combo item: 1 for "1 字节", 8 for "8"; 0 for none.
    int itemNumber(const FormValues& values, int field) const;

private:
    const OperandFormData* m_data;
};

}  // namespace kelcc::core::plc
