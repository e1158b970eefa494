#include "plc/operand_form.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "plc/codb_table.h"
#include "plc/instruction_code.h"
#include "plc/instruction_text.h"

namespace kelcc::core::plc {
namespace {

using IC = InstructionCode;

OperandForm FormOf(IC code) {
    const auto form = OperandForm::ForInstruction(code);
    if (!form) throw std::logic_error("no form");
    return *form;
}

OperandForm FormOf(std::string_view line) {
    return FormOf(InstructionCodeOf(IlTokens(line).front()));
}

int FieldIndex(const OperandForm& form, std::string_view name) {
    for (std::size_t i = 0; i < form.fields().size(); ++i) {
        if (form.fields()[i].name == name) return static_cast<int>(i);
    }
    throw std::logic_error("no field");
}

FormResult Validate(std::string_view line) {
    const OperandForm form = FormOf(line);
    return form.validate(form.parse(line));
}

// --- Round trips -----------------------------------------------------------

class RoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(RoundTrip, ParsingALineAndPressingOkGivesTheSameLine) {
    const FormResult result = Validate(GetParam());
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.text, GetParam());
}

const std::vector<std::string> kLines = {
    "SET     Y0001.2",
    "RST     R0010.0",
    "ALT     K0001.7",
    "DIFU    A0024.0",
    "DIFD    G0255.1",
    "CMP     0001 127 X0000 Y0001.0",
    "CMP     0002 D0010 1000 R0001.3",
    "CMP     0004 DC0001 DT0002 K0039.7",
    "CTRC    0001 R0010.1 C0005 100 Y0001.2",
    "CTRC    0010 X0000.0 C0099 DC0099 R0999.7",
    "TMRB    T0012 DT0003 Y0002.0",
    "TMRB    T0000 2147483647 R0000.0",
    "MOVN    0001 X0001 D0002",
    "MOVN    0004 2147483647 DC0001",
    "DECB    0002 D0010 300 R0020",
    "CODB    0001 0001 X0010 R0020 , 5 9",
    "CODB    0002 0003 D0001 D0100 , 0 1 2 3 4 5 6 32766",
    "CODB    0004 0001 A0001 C0001 , 2147483646 0",
    "JMPB    L0001",
    "LBL     L9999",
    "CALL    P0000",
    "SP      P0123",
    "ROTB    1011 0012 0001 D0001 D0002 D0003 Y0001.0",
    "ROTB    0100 2147483647 0004 DC0001 DT0002 R0003 R0004.7",
    "PARI    0001 X0001.0 X0002 Y0003.4",
    "PARI    0000 A0000.0 D0999 A0024.7",
    "ADDB    0002 D0001 100 X0000.1 D0002 R0000.0",
    "ADDB    0001 127 0 F0000.0 DC0099 Y0000.0",
    "SUBB    0004 DC0001 D0002 R0001.0 DT0003 Y0000.1",
    "MOVE    1010 0001 X0005 Y0006",
    "MOVE    0000 1111 D0999 D0000",
};

INSTANTIATE_TEST_SUITE_P(EveryFunctionInstruction, RoundTrip, ::testing::ValuesIn(kLines));

TEST(OperandForms, EveryFunctionInstructionWithOperandsHasAFormAndARoundTrip) {
    std::set<std::string_view> covered;
    for (const std::string& line : kLines)
        covered.insert(IlTokens(line).front());
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

TEST(OperandForms, OkNormalisesWhatWasTyped) {
    const OperandForm cmp = FormOf(IC::CMP);
    FormValues values = cmp.blank();
    values.fields = {"2 字节", "D5", "007", "R1"};
    EXPECT_EQ(cmp.validate(values).text, "CMP     0002 D0005 7 R0001.0");

    const OperandForm ctrc = FormOf(IC::CTRC);
    values = ctrc.blank();
    values.fields = {"1", "减计数", "X5.3 ", "", "DC5", "Y1"};
    EXPECT_EQ(ctrc.validate(values).text, "CTRC    0011 X0005.3 C0000 DC0005 Y0001.0");

    const OperandForm rotb = FormOf(IC::ROTB);
    values = rotb.parse("ROTB    0000 0012 0002 D1 D2 D3 Y1");
    EXPECT_EQ(rotb.validate(values).text, "ROTB    0000 0012 0002 D0001 D0002 D0003 Y0001.0");
}

// --- Pre-filling from a line and new forms ----------------------------------

struct PrefillCase {
    std::string line;
    std::vector<std::string> fields;
};

void PrintTo(const PrefillCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class Prefill : public ::testing::TestWithParam<PrefillCase> {};

TEST_P(Prefill, FillsFieldsFromTheLineWords) {
    EXPECT_EQ(FormOf(GetParam().line).parse(GetParam().line).fields, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, Prefill,
    ::testing::Values(PrefillCase{"CMP     0004 D1 D2 R1.0", {"4 字节", "D1", "D2", "R1.0"}},
                      // Other lengths leave the combo as a new form has it.
                      PrefillCase{"CMP     0003 D1 D2 R1.0", {"1 字节", "D1", "D2", "R1.0"}},
                      PrefillCase{"CMP     0002", {"2 字节", "", "", ""}},
                      PrefillCase{"CTRC    0001 R0010.1 C0005 100 Y0001.2",
                                  {"0", "减计数", "R0010.1", "0005", "100", "Y0001.2"}},
                      PrefillCase{"CTRC    0010 R0010.1 C0005 100 Y0001.2",
                                  {"1", "加计数", "R0010.1", "0005", "100", "Y0001.2"}},
                      PrefillCase{"CTRC    0021 R0010.1 5 100 Y0001.2",
                                  {"0", "减计数", "R0010.1", "5", "100", "Y0001.2"}},
                      PrefillCase{"DECB    0002 D0010 300 R0020",
                                  {"2 字节", "D0010", "R0020", "300"}},
                      PrefillCase{"ROTB    1010 0012 0002 D1 D2 D3 Y1",
                                  {"1", "不选择", "目标前一位置", "位置号", "0012", "2 字节", "D1",
                                   "D2", "D3", "Y1"}},
                      PrefillCase{"PARI    0001 X0001.0 X0002 Y0003.4",
                                  {"奇校验(1)", "X0001.0", "X0002", "Y0003.4"}},
                      PrefillCase{"JMPB    L0042", {"0042"}}));

TEST(OperandForms, CodbEntriesComeFromTheValuesAfterTheComma) {
    const OperandForm codb = FormOf(IC::CODB);
    const FormValues values = codb.parse("CODB    0002 0002 X0010 R0020 , 5 9 7 1");
    EXPECT_EQ(values.fields[0], "2 字节");
    EXPECT_EQ(values.fields[1], "2");
    EXPECT_EQ(values.list, (std::vector<std::string>{"5", "9", "7", "1"}));
    // A short table is completed with zeros so that the list has 2^Length2 lines.
    EXPECT_EQ(codb.parse("CODB    0001 0002 X0010 R0020 , 5").list,
              (std::vector<std::string>{"5", "0", "0", "0"}));
    EXPECT_EQ(codb.parse("CODB    0001 0001 X0010 R0020").list,
              (std::vector<std::string>{"0", "0"}));
}

// --- Check order --------------------------------------------------------------

struct BadField {
    std::string name;
    std::string bad;
    std::string message;
};

struct OrderCase {
    std::string line;           // a valid line
    std::vector<BadField> bad;  // in check order
};

void PrintTo(const OrderCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class CheckOrder : public ::testing::TestWithParam<OrderCase> {};

// All fields are spoiled; each OK reports the first spoiled field in check
// order, which is then mended, until the line passes again.
TEST_P(CheckOrder, TheFirstFailingFieldsMessageWins) {
    const OrderCase& c = GetParam();
    const OperandForm form = FormOf(c.line);
    const FormValues good = form.parse(c.line);
    FormValues values = good;
    for (const BadField& b : c.bad) {
        const int i = FieldIndex(form, b.name);
        if (form.fields()[static_cast<std::size_t>(i)].kind == FieldKind::List) {
            values.list.back() = b.bad;
        } else {
            values.fields[static_cast<std::size_t>(i)] = b.bad;
        }
    }
    for (const BadField& b : c.bad) {
        const FormResult result = form.validate(values);
        ASSERT_FALSE(result.ok);
        EXPECT_EQ(result.message, b.message);
        EXPECT_EQ(result.field, FieldIndex(form, b.name));
        const auto i = static_cast<std::size_t>(FieldIndex(form, b.name));
        if (form.fields()[i].kind == FieldKind::List) {
            values.list = good.list;
        } else {
            values.fields[i] = good.fields[i];
        }
    }
    EXPECT_EQ(form.validate(values).text, c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CheckOrder,
    // SET and RST name the kind of error: see ByKind.
    ::testing::Values(OrderCase{"ALT     Y0001.2", {{"", "X1.0", "指令地址设置错误!"}}},
                      OrderCase{"CMP     0001 D0001 5 R0001.0",
                                {{"S1", "", "比较参数设置错误!"},
                                 {"S2", "Q1", "地址类型错误!"},
                                 {"Addr_Out", "X1.0", "地址类型错误!"}}},
                      OrderCase{"CTRC    0001 R0010.1 C0005 100 Y0001.2",
                                {{"Addr_Rst", "Z1", "复位元件(Addr_Rst)设置错误!"},
                                 {"Counter", "100", "计数器地址(Counter)设置错误!"},
                                 {"nCount", "DT0001", "计数器参数(Ncount)设置错误!"},
                                 {"Addr_Out", "X1.0", "输出地址(Addr_Out)设置错误!"}}},
                      OrderCase{"TMRB    T0012 DT0003 Y0002.0",
                                {{"Timer", "100", "定时器地址(Timer)设置错误!"},
                                 {"nTime", "DC0001", "定时器参数(Time)设置错误!"},
                                 {"Addr_Out", "X1.0", "输出地址(Addr_Out)设置错误!"}}},
                      OrderCase{
                          "MOVN    0001 X0001 D0002",
                          {{"S", "", "源数据(S)设置错误!"}, {"D", "X1", "目的地址(D)设置错误!"}}},
                      // Data stands before Add2 in the line but is checked last.
                      OrderCase{"DECB    0002 D0010 300 R0020",
                                {{"Add1", "L1", "ADD1(译码起始地址)设置错误!"},
                                 {"Add2", "D1", "ADD2(结果输出地址)设置错误!"},
                                 {"Data", "D0001", "Data(常数基值)设置错误!"}}},
                      OrderCase{"CODB    0001 0001 X0010 R0020 , 5 9",
                                {{"Add_In", "DC1", "ADD_In(数据输入地址)设置错误!"},
                                 {"Add_Out", "X1", "ADD_Out(结果输出地址)设置错误!"},
                                 {"DataList", "127", "转换表数据设置错误!(最大值为126)"}}},
                      OrderCase{"ROTB    1011 0012 0001 D0001 D0002 D0003 Y0001.0",
                                {{"RN0", "2", "Format(位参数)设置错误!"},
                                 {"Inc", "", "Format(位参数)设置错误!"},
                                 {"Cnt", "0", "Cnt(转台分度)设置错误!(0<Cnt<=127)"},
                                 {"Addr_W", "C1", "Addr_W(当前位置地址)设置错误!"},
                                 {"Addr_D", "", "Addr_D(目标位置地址)设置错误!"},
                                 {"Addr_E", "D1.1", "ADD_E(计算结果输出地址)设置错误!"},
                                 {"Addr_O", "X1.0", "ADD_O(旋转方向输出位)设置错误!"}}},
                      OrderCase{"PARI    0001 X0001.0 X0002 Y0003.4",
                                {{"Addr_Rst", "Z1", "复位元件(Addr_Rst)设置错误!"},
                                 {"Addr_In", "DC1", "ADD_In(数据输入地址)设置错误!"},
                                 {"Addr_Out", "X0.0", "ADD_Out(结果输出地址)设置错误!"}}},
                      OrderCase{"ADDB    0001 D0001 100 X0000.1 D0002 R0000.0",
                                {{"Addr_ADG1", "128", "Addr_ADG1(被加数) 设置错误!"},
                                 {"Addr_ADG2", "Z", "Addr_ADG2(加数) 设置错误!"},
                                 {"Addr_Rst", "Y1.8", "Addr_Rst(复位地址) 设置错误!"},
                                 {"Addr_Out", "X1", "Addr_Out(计算结果输出地址) 设置错误!"},
                                 {"Addr_Err", "X1.0", "Addr_Err(运算错误输出地址) 设置错误!"}}},
                      OrderCase{"SUBB    0002 D0001 100 X0000.1 D0002 R0000.0",
                                {{"Addr_Mind", "32768", "Addr_Mind(被减数) 设置错误!"},
                                 {"Addr_Subd", "", "Addr_Subd(减数) 设置错误!"},
                                 {"Addr_Rst", "", "Addr_Rst(复位地址) 设置错误!"},
                                 {"Addr_Out", "DC100", "Addr_Out(计算结果输出地址) 设置错误!"},
                                 {"Addr_Err", "", "Addr_Err(运算错误输出地址) 设置错误!"}}},
                      OrderCase{"MOVE    1010 0001 X0005 Y0006",
                                {{"High4", "0012", "High4(高4位逻辑乘数)设置错误!"},
                                 {"Low4", "101", "Low4(低4位逻辑乘数)设置错误!"},
                                 {"Addr_In", "C1", "ADD_In(数据输入地址)设置错误!"},
                                 {"Addr_Out", "DC1", "ADD_Out(结果输出地址)设置错误!"}}}));

// --- Messages by kind of error and the documented edge cases ---------------

struct KindCase {
    std::string text;
    std::string message;
};

class ByKind : public ::testing::TestWithParam<KindCase> {};

TEST_P(ByKind, SetRstContactAndCoilNameTheKindOfError) {
    for (const OperandForm& form :
         {FormOf(IC::SET), FormOf(IC::RST), OperandForm::Contact(), OperandForm::Coil()}) {
        FormValues values = form.blank();
        values.fields.back() = GetParam().text;
        const FormResult result = form.validate(values);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, GetParam().message) << form.title();
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ByKind,
                         ::testing::Values(KindCase{"", "请输入元件地址号!"},
                                           KindCase{"Q1", "地址类型错误!"},
                                           KindCase{"Y256", "地址范围错误!"},
                                           KindCase{"Y1.8", "地址位号错误!"}));

// One field of a valid line replaced: OK gives either this line or this message.
struct FieldCase {
    std::string line;
    std::string field;
    std::string value;
    std::string text;     // expected line, empty when refused
    std::string message;  // expected message when refused
};

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.field << "=\"" << c.value << "\" in \"" << c.line << '"';
}

class FieldValue : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldValue, IsCanonicalisedOrRefusedWithTheFieldsMessage) {
    const FieldCase& c = GetParam();
    const OperandForm form = FormOf(c.line);
    FormValues values = form.parse(c.line);
    values.fields[static_cast<std::size_t>(FieldIndex(form, c.field))] = c.value;
    const FormResult result = form.validate(values);
    EXPECT_EQ(result.ok, c.message.empty());
    EXPECT_EQ(result.text, c.text);
    EXPECT_EQ(result.message, c.message);
}

const std::string kCmp1 = "CMP     0001 D0001 5 R0001.0";
const std::string kCtrc = "CTRC    0001 R0010.1 C0005 100 Y0001.2";
const std::string kTmrb = "TMRB    T0012 DT0003 Y0002.0";
const std::string kDecb = "DECB    0001 D0010 100 R0020";
const std::string kRotb1 = "ROTB    0000 0012 0001 D0001 D0002 D0003 Y0001.0";
const std::string kMove = "MOVE    1010 0001 X0005 Y0006";
const std::string kCmpBad = "比较参数设置错误!";
const std::string kCounterBad = "计数器地址(Counter)设置错误!";
const std::string kDataBad = "Data(常数基值)设置错误!";
const std::string kCnt127 = "Cnt(转台分度)设置错误!(0<Cnt<=127)";
const std::string kHigh4Bad = "High4(高4位逻辑乘数)设置错误!";

INSTANTIATE_TEST_SUITE_P(
    DocumentedLimits, FieldValue,
    ::testing::Values(
        // CMP constants follow the data length.
        FieldCase{kCmp1, "S1", "127", "CMP     0001 127 5 R0001.0", ""},
        FieldCase{kCmp1, "S1", "128", "", kCmpBad},
        FieldCase{kCmp1, "S2", "99999999999", "", kCmpBad},
        FieldCase{"CMP     0004 D0001 5 R0001.0", "S1", "2147483647",
                  "CMP     0004 2147483647 5 R0001.0", ""},
        FieldCase{kCtrc, "Counter", "100", "", kCounterBad},
        FieldCase{kCtrc, "Counter", "99", "CTRC    0001 R0010.1 C0099 100 Y0001.2", ""},
        FieldCase{kCtrc, "Counter", std::string(30, '0') + "1",
                  "CTRC    0001 R0010.1 C0001 100 Y0001.2", ""},
        FieldCase{kCtrc, "Counter", std::string(30, '9'), "", kCounterBad},
        FieldCase{kCtrc, "nCount", "DC0001", "CTRC    0001 R0010.1 C0005 DC0001 Y0001.2", ""},
        FieldCase{kTmrb, "Timer", "", "TMRB    T0000 DT0003 Y0002.0", ""},
        // DECB data is a constant only.
        FieldCase{kDecb, "Data", "D0001", "", kDataBad},
        FieldCase{kDecb, "Data", "128", "", kDataBad},
        // The ROTB count message names the bound of the data length.
        FieldCase{kRotb1, "Cnt", "0", "", kCnt127}, FieldCase{kRotb1, "Cnt", "128", "", kCnt127},
        FieldCase{kRotb1, "Cnt", "127", "ROTB    0000 0127 0001 D0001 D0002 D0003 Y0001.0", ""},
        FieldCase{"ROTB    0000 0012 0002 D0001 D0002 D0003 Y0001.0", "Cnt", "32768", "",
                  "Cnt(转台分度)设置错误!(0<Cnt<=32767)"},
        // MOVE masks are four zeros or ones.
        FieldCase{kMove, "High4", "0012", "", kHigh4Bad},
        FieldCase{kMove, "High4", "101", "", kHigh4Bad},
        FieldCase{kMove, "High4", "10101", "", kHigh4Bad}));

TEST(OperandForms, RotbModeIsCheckedBeforeTheCount) {
    const OperandForm rotb = FormOf(IC::ROTB);
    FormValues values = rotb.parse(kRotb1);
    values.fields[4] = "0";
    values.fields[2] = "?";
    EXPECT_EQ(rotb.validate(values).message, "Format(位参数)设置错误!");
}

TEST(OperandForms, JumpNumbersAreNotRangeCheckedButMustBeShortDigits) {
    const OperandForm jmpb = FormOf(IC::JMPB);
    FormValues values = jmpb.blank();
    EXPECT_EQ(jmpb.validate(values).text, "JMPB    L0000");
    values.fields[0] = "12";
    EXPECT_EQ(jmpb.validate(values).text, "JMPB    L0012");
    // Neither can be typed into the 4-digit field; both are refused safely.
    for (const std::string& bad : {std::string("12345"), std::string("1A"), std::string(30, '9')}) {
        values.fields[0] = bad;
        const FormResult result = jmpb.validate(values);
        EXPECT_FALSE(result.ok) << bad;
        EXPECT_EQ(result.message, "指令地址设置错误!");
    }
}

TEST(OperandForms, ComboValuesOutsideTheItemsAreRefused) {
    const OperandForm cmp = FormOf(IC::CMP);
    FormValues values = cmp.parse("CMP     0001 D0001 5 R0001.0");
    values.fields[0] = "3 字节";
    EXPECT_FALSE(cmp.validate(values).ok);
    EXPECT_EQ(cmp.validate(values).field, 0);
    const OperandForm pari = FormOf(IC::PARI);
    values = pari.parse("PARI    0001 X0001.0 X0002 Y0003.4");
    values.fields.resize(1);  // missing fields read as empty
    EXPECT_EQ(pari.validate(values).message, "复位元件(Addr_Rst)设置错误!");
}

// --- Contact and coil -----------------------------------------------------

TEST(ElementForms, ReturnTheCanonicalBitAddressAndTheChosenForm) {
    const OperandForm contact = OperandForm::Contact();
    FormValues values = contact.parse("X0005.3");
    EXPECT_EQ(values.fields[2], "X0005.3");
    FormResult result = contact.validate(values);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.text, "X0005.3");
    EXPECT_EQ(result.choice, 0);
    values.fields[1] = "--|/|--";
    values.fields[2] = "F5";
    result = contact.validate(values);
    EXPECT_EQ(result.text, "F0005.0");
    EXPECT_EQ(result.choice, 1);

    const OperandForm coil = OperandForm::Coil();
    values = coil.blank();
    values.fields[2] = "X5";
    EXPECT_EQ(coil.validate(values).message, "地址类型错误!");
    values.fields[2] = "A24.7";
    EXPECT_EQ(coil.validate(values).text, "A0024.7");
}

// --- CODB conversion table --------------------------------------------------

TEST(CodbTable, ListLinesAndFreshTableSize) {
    EXPECT_EQ(CodbTableLine(5, "12"), "005  12");
    EXPECT_EQ(CodbTableLine(255, "0"), "255  0");
    EXPECT_EQ(CodbFreshTable(8).size(), 256u);
}

struct EntryCase {
    std::string typed;
    int length1;
    std::optional<std::string> message;
    std::string entry;
};

class CodbEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(CodbEntry, IsTenDigitsAtMostAndNotAboveTheMaximum) {
    std::string entry = "77";
    EXPECT_EQ(CodbEditEntry(entry, GetParam().typed, GetParam().length1), GetParam().message);
    EXPECT_EQ(entry, GetParam().entry);
}

const std::string kTooLong = "数据设置错误!请输入小于或等于10个数字字符的数字.";

INSTANTIATE_TEST_SUITE_P(
    Entries, CodbEntry,
    ::testing::Values(EntryCase{"126", 1, std::nullopt, "126"},
                      EntryCase{"127", 1, "转换表数据设置错误!(最大值为126)", "0"},
                      EntryCase{"0126", 1, std::nullopt, "126"},
                      EntryCase{"32767", 2, "转换表数据设置错误!(最大值为32766)", "0"},
                      EntryCase{"2147483646", 4, std::nullopt, "2147483646"},
                      EntryCase{"9999999999", 4, "转换表数据设置错误!(最大值为2147483646)", "0"},
                      EntryCase{"12345678901", 4, kTooLong, "0"}, EntryCase{"", 4, kTooLong, "0"},
                      EntryCase{"-1", 4, kTooLong, "0"}));

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

TEST(CodbTable, EditingThroughTheFormUsesTheSelectedLength) {
    const OperandForm codb = FormOf(IC::CODB);
    FormValues values = codb.parse("CODB    0001 0001 X0010 R0020 , 5 9");
    EXPECT_EQ(codb.editListEntry(values, 1, "127"), "转换表数据设置错误!(最大值为126)");
    EXPECT_EQ(values.list[1], "0");
    EXPECT_EQ(codb.editListEntry(values, 1, "126"), std::nullopt);
    EXPECT_EQ(codb.validate(values).text, "CODB    0001 0001 X0010 R0020 , 5 126");
    EXPECT_EQ(codb.editListEntry(values, 2, "1"), std::nullopt);  // no such entry
    EXPECT_EQ(values.list.size(), 2u);
}

TEST(CodbTable, OkRechecksEveryEntryAgainstTheMaximum) {
    const OperandForm codb = FormOf(IC::CODB);
    const std::string message = "转换表数据设置错误!(最大值为126)";
    // Pre-filled entries are not judged until OK.
    EXPECT_EQ(Validate("CODB    0001 0001 X0010 R0020 , 127 0").message, message);
    EXPECT_EQ(Validate("CODB    0001 0001 X0010 R0020 , 0 ABC").message, message);
    EXPECT_EQ(Validate("CODB    0001 0001 X0010 R0020 , 0 12345678901").message, message);
    FormValues values = codb.parse("CODB    0001 0001 X0010 R0020 , 5 9");
    values.list.push_back("0");  // one more entry than Length2 allows
    EXPECT_EQ(codb.validate(values).message, message);
    values.list.resize(2);
    values.fields[2] = "";  // addresses are checked before the table
    values.list[0] = "127";
    EXPECT_EQ(codb.validate(values).message, "ADD_In(数据输入地址)设置错误!");
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
