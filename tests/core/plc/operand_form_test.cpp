#include "plc/operand_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "../common/case_file.h"
#include "plc/codb_table.h"
#include "plc/instruction_code.h"
#include "plc/instruction_text.h"

namespace kelcc::core::plc {
namespace {

using IC = InstructionCode;
using test::ReadCases;

OperandForm FormOf(IC code) {
    const auto form = OperandForm::ForInstruction(code);
    if (!form) throw std::logic_error("no form");
    return *form;
}

OperandForm FormOf(std::string_view line) {
    return FormOf(InstructionCodeOf(IlTokens(line).front()));
}

std::size_t FieldIndex(const OperandForm& form, std::string_view name) {
    for (std::size_t i = 0; i < form.fields().size(); ++i) {
        if (form.fields()[i].name == name) return i;
    }
    throw std::logic_error("no field " + std::string(name));
}

FormResult Validate(std::string_view line) {
    const OperandForm form = FormOf(line);
    return form.validate(form.parse(line));
}

TEST(OperandForms, EveryFunctionInstructionWithOperandsHasAFormAndARoundTrip) {
    std::set<std::string_view> covered;
    const auto lines = ReadCases("core/plc/cases/operand_round_trip.txt");
    for (const test::Case& c : lines) {
        const FormResult result = Validate(c[0]);
        EXPECT_TRUE(result.ok) << c.where << ": " << result.message;
        EXPECT_EQ(result.text, c[0]) << c.where;
        covered.insert(IlTokens(c[0]).front());
    }
    for (const std::string_view mnemonic : kFunctionInstructionList) {
        const IC code = InstructionCodeOf(mnemonic);
        const bool fixed = code == IC::END1 || code == IC::END2 || code == IC::SPE;
        EXPECT_EQ(OperandForm::ForInstruction(code).has_value(), !fixed) << mnemonic;
        if (!fixed) {
            EXPECT_TRUE(covered.count(mnemonic)) << mnemonic;
            EXPECT_TRUE(OperandForm::ForInstruction(code)->title().starts_with(mnemonic));
        }
    }
    EXPECT_FALSE(OperandForm::ForInstruction(IC::LD));
    EXPECT_FALSE(OperandForm::ForInstruction(IC::Unknown));
}

// CODB cases give the list entries after a "," field.
TEST(OperandForms, ALineFillsTheFieldsFromItsWords) {
    for (const test::Case& c : ReadCases("core/plc/cases/operand_prefill.txt")) {
        const auto comma = std::find(c.fields.begin(), c.fields.end(), ",");
        const FormValues values = FormOf(c[0]).parse(c[0]);
        EXPECT_EQ(values.fields, std::vector<std::string>(c.fields.begin() + 1, comma)) << c.where;
        if (comma != c.fields.end()) {
            EXPECT_EQ(values.list, std::vector<std::string>(comma + 1, c.fields.end())) << c.where;
        }
    }
}

// Each case edits a dialog and presses OK; see the case file for its columns.
TEST(OperandForms, OkGivesTheCanonicalLineOrTheFirstFailingFieldsMessage) {
    for (const test::Case& c : ReadCases("core/plc/cases/operand_ok.txt")) {
        const std::string start = c[0];
        const std::string word = start.substr(0, start.find(' '));
        const OperandForm form = word == "CONTACT" ? OperandForm::Contact()
                                 : word == "COIL"  ? OperandForm::Coil()
                                                   : FormOf(InstructionCodeOf(word));
        const std::string rest = word.size() < start.size() ? start.substr(word.size() + 1) : "";
        FormValues values =
            word == start ? form.blank() : form.parse(form.data().returnsAddress ? rest : start);
        for (std::size_t i = 3; i < c.fields.size(); ++i) {
            const std::size_t eq = c[i].find('=');
            values.fields.at(FieldIndex(form, c[i].substr(0, eq))) = c[i].substr(eq + 1);
        }
        const FormResult result = form.validate(values);
        EXPECT_EQ(result.ok, c[2].empty()) << c.where;
        EXPECT_EQ(result.text, c[1]) << c.where;
        EXPECT_EQ(result.message, c[2]) << c.where;
    }
}

// All fields of a line are spoiled; each OK reports the first spoiled field in
// check order, which is then mended, until the line passes again.
TEST(OperandForms, CheckOrderDecidesWhichMessageWins) {
    std::map<std::string, std::vector<test::Case>> byLine;
    std::vector<std::string> lines;
    for (const test::Case& c : ReadCases("core/plc/cases/operand_check_order.txt")) {
        if (!byLine.count(c[0])) lines.push_back(c[0]);
        byLine[c[0]].push_back(c);
    }
    for (const std::string& line : lines) {
        const OperandForm form = FormOf(line);
        const FormValues good = form.parse(line);
        FormValues values = good;
        const auto set = [&](const test::Case& b, bool spoil) {
            const std::size_t i = FieldIndex(form, b[1]);
            if (form.fields()[i].kind == FieldKind::List) {
                values.list = good.list;
                if (spoil) values.list.back() = b[2];
            } else {
                values.fields[i] = spoil ? b[2] : good.fields[i];
            }
        };
        for (const test::Case& b : byLine[line])
            set(b, true);
        for (const test::Case& b : byLine[line]) {
            const FormResult result = form.validate(values);
            ASSERT_FALSE(result.ok) << b.where;
            EXPECT_EQ(result.message, b[3]) << b.where;
            EXPECT_EQ(result.field, static_cast<int>(FieldIndex(form, b[1]))) << b.where;
            set(b, false);
        }
        EXPECT_EQ(form.validate(values).text, line);
    }
}

TEST(OperandForms, MissingFieldsReadAsEmptyAndContactsReturnTheChosenForm) {
    const OperandForm pari = FormOf(IC::PARI);
    FormValues values = pari.parse("PARI    0001 X0001.0 X0002 Y0003.4");
    values.fields.resize(1);
    EXPECT_EQ(pari.validate(values).message, "复位元件(Addr_Rst)设置错误!");

    const OperandForm contact = OperandForm::Contact();
    values = contact.parse("X0005.3");
    EXPECT_EQ(values.fields[2], "X0005.3");
    EXPECT_EQ(contact.validate(values).choice, 0);
    values.fields[1] = "--|/|--";
    EXPECT_EQ(contact.validate(values).choice, 1);
}

// --- CODB conversion table --------------------------------------------------

TEST(CodbTable, ListLinesAndFreshTableSize) {
    EXPECT_EQ(CodbTableLine(5, "12"), "005  12");
    EXPECT_EQ(CodbTableLine(255, "0"), "255  0");
    EXPECT_EQ(CodbFreshTable(8).size(), 256u);
}

TEST(CodbTable, AnEntryIsTenDigitsAtMostAndNotAboveTheMaximum) {
    for (const test::Case& c : ReadCases("core/plc/cases/codb_entries.txt")) {
        std::string entry = "77";
        const auto message = CodbEditEntry(entry, c[0], std::stoi(c[1]));
        EXPECT_EQ(message.value_or(""), c[2]) << c.where;
        EXPECT_EQ(message.has_value(), !c[2].empty()) << c.where;
        EXPECT_EQ(entry, c[3]) << c.where;
    }
}

TEST(CodbTable, Length2RebuildsAndLength1LowersTheEntries) {
    const OperandForm codb = FormOf(IC::CODB);
    FormValues values = codb.parse("CODB    0002 0002 X0010 R0020 , 30000 100 32766 5");
    values.fields[0] = "1 字节";
    codb.comboChanged(values, 0);
    EXPECT_EQ(values.list, (std::vector<std::string>{"126", "100", "126", "5"}));
    values.fields[1] = "3";
    codb.comboChanged(values, 1);
    EXPECT_EQ(values.list, std::vector<std::string>(8, "0"));
    // Other combos leave the list alone.
    values.list[0] = "9";
    codb.comboChanged(values, 2);
    EXPECT_EQ(values.list[0], "9");
}

TEST(CodbTable, EditingThroughTheFormUsesTheSelectedLengthAndOkChecksTheSize) {
    const OperandForm codb = FormOf(IC::CODB);
    FormValues values = codb.parse("CODB    0001 0001 X0010 R0020 , 5 9");
    EXPECT_EQ(codb.editListEntry(values, 1, "127"), "转换表数据设置错误!(最大值为126)");
    EXPECT_EQ(values.list[1], "0");
    EXPECT_EQ(codb.editListEntry(values, 1, "126"), std::nullopt);
    EXPECT_EQ(codb.validate(values).text, "CODB    0001 0001 X0010 R0020 , 5 126");
    EXPECT_EQ(codb.editListEntry(values, 2, "1"), std::nullopt);  // no such entry
    EXPECT_EQ(values.list.size(), 2u);
    values.list.push_back("0");  // one more entry than Length2 allows
    EXPECT_EQ(codb.validate(values).message, "转换表数据设置错误!(最大值为126)");
}

// --- Typing and robustness ----------------------------------------------------

TEST(OperandForms, TypingUpperCasesAddressesAndKeepsDigitsInNumberFields) {
    const OperandForm ctrc = FormOf(IC::CTRC);
    EXPECT_EQ(OperandForm::Typed(ctrc.fields()[2], "x5.3"), "X5.3");
    EXPECT_EQ(OperandForm::Typed(ctrc.fields()[2], "r1234567890"), "R123456");
    EXPECT_EQ(OperandForm::Typed(ctrc.fields()[3], "1a2b3c45"), "1234");
    EXPECT_EQ(OperandForm::Typed(ctrc.fields()[2], "R1字节"), "R1字");
    EXPECT_EQ(OperandForm::Typed(ctrc.fields()[2], "R1234字"), "R1234");
}

// Whatever a dialog hands over, OK either refuses with a message or gives a
// line that reads back to itself.
TEST(OperandForms, ArbitraryFieldTextsNeverGiveAnUnstableLine) {
    std::mt19937 random(2024);
    const std::string alphabet = "0123456789XYFGRKDACTLP. ,x-";
    std::vector<OperandForm> forms;
    for (const std::string_view mnemonic : kFunctionInstructionList) {
        if (auto form = OperandForm::ForInstruction(InstructionCodeOf(mnemonic)))
            forms.push_back(*form);
    }
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        const OperandForm& form = forms[random() % forms.size()];
        FormValues values = form.blank();
        for (std::size_t i = 0; i < values.fields.size(); ++i) {
            const OperandField& field = form.fields()[i];
            if (field.kind == FieldKind::Combo) {
                values.fields[i] = std::string(field.items[random() % field.items.size()]);
                continue;
            }
            std::string text;
            for (std::size_t n = random() % 8; n > 0; --n)
                text += alphabet[random() % alphabet.size()];
            values.fields[i] = text;
        }
        for (std::string& entry : values.list)
            entry = std::to_string(random() % 130);
        const FormResult result = form.validate(values);
        if (!result.ok) {
            EXPECT_FALSE(result.message.empty());
            continue;
        }
        ++accepted;
        EXPECT_EQ(Validate(result.text).text, result.text);
    }
    EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace kelcc::core::plc
