#include "plc/operand_form_data.h"

#include <utility>

namespace kelcc::core::plc {
namespace {

using enum AddressClass;
using Items = std::vector<std::string_view>;

const Items kLengthItems = {"1 字节", "2 字节", "4 字节"};

// The "by kind of error" forms leave `message` empty.
constexpr std::string_view kByKind{};
constexpr std::string_view kInstructionAddress = "指令地址设置错误!";
constexpr std::string_view kAddInMessage = "ADD_In(数据输入地址)设置错误!";
constexpr std::string_view kAddOutMessage = "ADD_Out(结果输出地址)设置错误!";
constexpr std::string_view kResetMessage = "复位元件(Addr_Rst)设置错误!";
constexpr std::string_view kOutMessage = "输出地址(Addr_Out)设置错误!";
constexpr std::string_view kFormatMessage = "Format(位参数)设置错误!";

OperandField Combo(std::string_view name, std::string_view caption, Items items,
                   FieldCheck check = FieldCheck::None, std::string_view message = {}) {
    return {.name = name,
            .caption = caption,
            .kind = FieldKind::Combo,
            .items = std::move(items),
            .check = check,
            .message = message};
}

OperandField Bit(std::string_view name, std::string_view caption, AddressClass addressClass,
                 std::string_view message) {
    return {.name = name,
            .caption = caption,
            .kind = FieldKind::Text,
            .maxChars = 7,
            .check = FieldCheck::Address,
            .addressClass = addressClass,
            .message = message};
}

OperandField Byte(std::string_view name, std::string_view caption, std::size_t maxChars,
                  AddressClass addressClass, bool dcDtAllowed, std::string_view message) {
    return {.name = name,
            .caption = caption,
            .kind = FieldKind::Text,
            .maxChars = maxChars,
            .check = FieldCheck::Address,
            .addressClass = addressClass,
            .byteOperand = true,
            .dcDtAllowed = dcDtAllowed,
            .message = message};
}

// A constant or an address, the constant limited by the data length of
// the combo `lengthField` or by `fixedLength`.
OperandField Operand(std::string_view name, std::string_view caption, FieldKind kind,
                     AddressClass addressClass, int lengthField, int fixedLength,
                     std::string_view message) {
    return {.name = name,
            .caption = caption,
            .kind = kind,
            .maxChars = 10,
            .check = FieldCheck::Operand,
            .addressClass = addressClass,
            .byteOperand = true,
            .dcDtAllowed = true,
            .lengthField = lengthField,
            .fixedLength = fixedLength,
            .message = message};
}

OperandField Digits(std::string_view name, std::string_view caption, std::size_t maxChars,
                    std::string_view prefix, FieldCheck check, std::uint32_t limit,
                    std::string_view message) {
    return {.name = name,
            .caption = caption,
            .kind = FieldKind::Digits,
            .maxChars = maxChars,
            .prefix = prefix,
            .check = check,
            .limit = limit,
            .message = message};
}

OperandField Mask(std::string_view name, std::string_view caption, std::string_view message) {
    return {.name = name,
            .caption = caption,
            .kind = FieldKind::Digits,
            .maxChars = 4,
            .initial = "0000",
            .check = FieldCheck::Mask,
            .message = message};
}

IlToken Text(int field) {
    return {TokenKind::Text, {field}, {}};
}
IlToken Length(int field) {
    return {TokenKind::Length, {field}, {}};
}
IlToken Prefixed(int field) {
    return {TokenKind::Prefixed, {field}, {}};
}

OperandFormData BitForm(InstructionCode code, std::string_view title, std::string_view message) {
    return {.code = code,
            .title = title,
            .fields = {Bit("", "地址", BitOut, message)},
            .checkOrder = {0},
            .layout = {Text(0)}};
}

// JMPB, LBL, CALL and SP: a number that the compiler checks, not the form.
OperandFormData NumberForm(InstructionCode code, std::string_view title, std::string_view prefix,
                           std::string_view button) {
    const bool label = prefix == "L";
    return {.code = code,
            .title = title,
            .fields = {Digits(label ? "Label" : "Subprogram", "", 4, prefix, FieldCheck::Number, 0,
                              kInstructionAddress)},
            .checkOrder = {0},
            .layout = {Prefixed(0)},
            .lookupButton = button};
}

OperandFormData ArithmeticForm(InstructionCode code, std::string_view title, OperandField first,
                               OperandField second) {
    return {.code = code,
            .title = title,
            .fields = {Combo("Length", "数据长度", {"1", "2", "4"}), std::move(first),
                       std::move(second),
                       Bit("Addr_Rst", "复位地址", BitIn, "Addr_Rst(复位地址) 设置错误!"),
                       Byte("Addr_Out", "计算结果输出地址", 7, ByteDest, true,
                            "Addr_Out(计算结果输出地址) 设置错误!"),
                       Bit("Addr_Err", "运算错误输出地址", BitOut,
                           "Addr_Err(运算错误输出地址) 设置错误!")},
            .checkOrder = {1, 2, 3, 4, 5},
            .layout = {Length(0), Text(1), Text(2), Text(3), Text(4), Text(5)}};
}

std::vector<OperandFormData> MakeFunctionForms() {
    using IC = InstructionCode;
    std::vector<OperandFormData> forms;
    forms.push_back(BitForm(IC::SET, "SET-置位指令", kByKind));
    forms.push_back(BitForm(IC::RST, "RST-复位指令", kByKind));
    forms.push_back(BitForm(IC::ALT, "ALT-交替输出指令", kInstructionAddress));
    forms.push_back(BitForm(IC::DIFU, "DIFU-上升沿检测指令", kInstructionAddress));
    forms.push_back(BitForm(IC::DIFD, "DIFD-下降沿检测指令", kInstructionAddress));

    forms.push_back(
        {.code = IC::CMP,
         .title = "CMP-数据比较指令",
         .fields = {Combo("Length", "数据长度", kLengthItems),
                    Operand("S1", "比较数据1", FieldKind::Text, ByteSource, 0, 0, kByKind),
                    Operand("S2", "比较数据2", FieldKind::Text, ByteSource, 0, 0, kByKind),
                    Bit("Addr_Out", "比较结果输出地址", BitFlag, kByKind)},
         .checkOrder = {1, 2, 3},
         .layout = {Length(0), Text(1), Text(2), Text(3)},
         .compareMessages = true});

    forms.push_back(
        {.code = IC::CTRC,
         .title = "CTRC- 计数器指令",
         .fields = {Combo("nStart", "计数初值", {"0", "1"}),
                    Combo("Up/Down", "加减计数指定", {"加计数", "减计数"}),
                    Bit("Addr_Rst", "复位地址", BitIn, kResetMessage),
                    Digits("Counter", "计数器地址", 4, "C", FieldCheck::Range, 100,
                           "计数器地址(Counter)设置错误!"),
                    Operand("nCount", "计数值", FieldKind::Text, DCOnly, kNoField, 4,
                            "计数器参数(Ncount)设置错误!"),
                    Bit("Addr_Out", "输出地址", BitOut, kOutMessage)},
         .checkOrder = {2, 3, 4, 5},
         .layout = {{TokenKind::Flags, {0, 1}, "00"}, Text(2), Prefixed(3), Text(4), Text(5)}});

    forms.push_back({.code = IC::TMRB,
                     .title = "TMRB- 定时器指令",
                     .fields = {Digits("Timer", "定时器地址", 5, "T", FieldCheck::Range, 100,
                                       "定时器地址(Timer)设置错误!"),
                                Operand("nTime", "定时值", FieldKind::Text, DTOnly, kNoField, 4,
                                        "定时器参数(Time)设置错误!"),
                                Bit("Addr_Out", "输出地址", BitOut, kOutMessage)},
                     .checkOrder = {0, 1, 2},
                     .layout = {Prefixed(0), Text(1), Text(2)}});

    forms.push_back(
        {.code = IC::MOVN,
         .title = "MOVN-数据拷贝指令",
         .fields = {Combo("Length", "数据长度", kLengthItems),
                    Operand("S", "源数据", FieldKind::Text, ByteSource, 0, 0, "源数据(S)设置错误!"),
                    Byte("D", "目的地址", 8, ByteDest, true, "目的地址(D)设置错误!")},
         .checkOrder = {1, 2},
         .layout = {Length(0), Text(1), Text(2)}});

    forms.push_back(
        {.code = IC::DECB,
         .title = "DECB-二进制译码指令",
         .fields = {Combo("Length", "数据长度", kLengthItems),
                    Byte("Add1", "译码起始地址", 6, ByteSource, true,
                         "ADD1(译码起始地址)设置错误!"),
                    Byte("Add2", "结果输出地址", 6, BitFlag, false, "ADD2(结果输出地址)设置错误!"),
                    Operand("Data", "常数基值", FieldKind::Digits, ConstOnly, 0, 0,
                            "Data(常数基值)设置错误!")},
         .checkOrder = {1, 2, 3},
         // The line has Data before Add2; the form checks Add2 first.
         .layout = {Length(0), Text(1), Text(3), Text(2)}});

    forms.push_back(
        {.code = IC::CODB,
         .title = "CODB-二进制数据转换",
         .fields = {Combo("Length1", "数据长度", kLengthItems),
                    Combo("Length2", "转换表长度", {"1", "2", "3", "4", "5", "6", "7", "8"}),
                    Byte("Add_In", "输入数据起始地址", 7, ByteIn, false, kAddInMessage),
                    Byte("Add_Out", "输出数据起始地址", 7, ByteDest, false, kAddOutMessage),
                    {.name = "DataList",
                     .caption = "转换数据表",
                     .kind = FieldKind::List,
                     .maxChars = 10,
                     .check = FieldCheck::Table,
                     .lengthField = 0,
                     .sizeField = 1,
                     .message = "转换表数据设置错误!(最大值为%1!d!)"}},
         .checkOrder = {2, 3, 4},
         .layout = {Length(0), Length(1), Text(2), Text(3), {TokenKind::Table, {4}, {}}}});

    forms.push_back(NumberForm(IC::JMPB, "JMPB-程序跳转指令", "L", "查看标号"));
    forms.push_back(NumberForm(IC::LBL, "LBL-程序跳转标号", "L", "查看跳转"));
    forms.push_back(NumberForm(IC::CALL, "CALL-子程序调用指令", "P", "查看子程序"));
    forms.push_back(NumberForm(IC::SP, "SP-子程序标号", "P", "查看调用"));

    forms.push_back(
        {.code = IC::ROTB,
         .title = "ROTB-二进制旋转控制指令",
         .fields = {Combo("RN0", "转台起始号", {"0", "1"}, FieldCheck::Mode, kFormatMessage),
                    Combo("Dir", "是否进行短路径选择", {"不选择", "选择"}, FieldCheck::Mode,
                          kFormatMessage),
                    Combo("Pos", "计算位置", {"目标位置", "目标前一位置"}, FieldCheck::Mode,
                          kFormatMessage),
                    Combo("Inc", "计算位置号或步数", {"位置号", "步数"}, FieldCheck::Mode,
                          kFormatMessage),
                    {.name = "Cnt",
                     .caption = "转台分度",
                     .kind = FieldKind::Digits,
                     .maxChars = 10,
                     .check = FieldCheck::Count,
                     .lengthField = 5,
                     .message = "Cnt(转台分度)设置错误!(0<Cnt<=%1!d!)"},
                    Combo("Length", "数据长度", kLengthItems),
                    Byte("Addr_W", "当前位置地址", 6, ByteIn, true,
                         "Addr_W(当前位置地址)设置错误!"),
                    Byte("Addr_D", "目标位置地址", 6, ByteIn, true,
                         "Addr_D(目标位置地址)设置错误!"),
                    Byte("Addr_E", "计算结果输出地址", 6, ByteIn, true,
                         "ADD_E(计算结果输出地址)设置错误!"),
                    Bit("Addr_O", "旋转方向输出位", BitOut, "ADD_O(旋转方向输出位)设置错误!")},
         .checkOrder = {0, 1, 2, 3, 4, 6, 7, 8, 9},
         .layout = {{TokenKind::Flags, {0, 1, 2, 3}, {}},
                    Text(4),
                    Length(5),
                    Text(6),
                    Text(7),
                    Text(8),
                    Text(9)}});

    forms.push_back({.code = IC::PARI,
                     .title = "PARI-奇偶校验指令",
                     .fields = {Combo("O_E", "校验方式", {"偶校验(0)", "奇校验(1)"}),
                                Bit("Addr_Rst", "复位地址", BitIn, kResetMessage),
                                Byte("Addr_In", "输入数据地址", 7, ByteIn, false, kAddInMessage),
                                Bit("Addr_Out", "校验结果输出地址", BitOut, kAddOutMessage)},
                     .checkOrder = {1, 2, 3},
                     .layout = {{TokenKind::Flags, {0}, "000"}, Text(1), Text(2), Text(3)}});

    forms.push_back(ArithmeticForm(IC::ADDB, "ADDB-二进制数据加法运算指令",
                                   Operand("Addr_ADG1", "被加数", FieldKind::Text, ByteSource, 0, 0,
                                           "Addr_ADG1(被加数) 设置错误!"),
                                   Operand("Addr_ADG2", "加数", FieldKind::Text, ByteSource, 0, 0,
                                           "Addr_ADG2(加数) 设置错误!")));
    forms.push_back(ArithmeticForm(IC::SUBB, "SUBB-二进制数据减法运算指令",
                                   Operand("Addr_Mind", "被减数", FieldKind::Text, ByteSource, 0, 0,
                                           "Addr_Mind(被减数) 设置错误!"),
                                   Operand("Addr_Subd", "减数", FieldKind::Text, ByteSource, 0, 0,
                                           "Addr_Subd(减数) 设置错误!")));

    forms.push_back(
        {.code = IC::MOVE,
         .title = "MOVE-逻辑乘数据传送指令",
         .fields = {Mask("High4", "高4位逻辑乘数", "High4(高4位逻辑乘数)设置错误!"),
                    Mask("Low4", "低4位逻辑乘数", "Low4(低4位逻辑乘数)设置错误!"),
                    Byte("Addr_In", "输入数据地址", 6, MoveIn, false, kAddInMessage),
                    Byte("Addr_Out", "输出数据地址", 6, MoveOut, false, kAddOutMessage)},
         .checkOrder = {0, 1, 2, 3},
         .layout = {Text(0), Text(1), Text(2), Text(3)}});
    return forms;
}

OperandFormData ElementForm(InstructionCode code, std::string_view type, Items forms,
                            AddressClass addressClass) {
    return {.code = code,
            .title = "触点/线圈设置",
            .fields = {Combo("Type", "", {type}), Combo("Form", "", std::move(forms)),
                       Bit("Address", "", addressClass, kByKind)},
            .checkOrder = {2},
            .layout = {Text(2)},
            .returnsAddress = true,
            .choiceField = 1};
}

}  // namespace

const std::vector<OperandFormData>& FunctionFormData() {
    static const std::vector<OperandFormData> kForms = MakeFunctionForms();
    return kForms;
}

const OperandFormData& ContactFormData() {
    static const OperandFormData kForm =
        ElementForm(InstructionCode::LD, "触点", {"--| |--", "--|/|--"}, BitIn);
    return kForm;
}

const OperandFormData& CoilFormData() {
    static const OperandFormData kForm =
        ElementForm(InstructionCode::OUT, "线圈", {"--( )--"}, BitOut);
    return kForm;
}

}  // namespace kelcc::core::plc
