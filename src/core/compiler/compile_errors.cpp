#include "compile_errors.h"

namespace kelcc::core::compiler {

namespace {

// A run of codes sharing one text. The Chinese texts keep the controller's
// own blanks (leading and trailing) byte for byte; an empty English text is
// still an entry.
struct ErrorRange {
    int first;
    int last;
    std::string_view chinese;
    std::string_view english;
};

constexpr ErrorRange kErrors[] = {
    {1, 8, " 梯图扫描错误，请与开发者联系.", ""},
    {200, 200, "触点位置越界", "Invalid instruction."},
    {201, 201, "最后一列的触点不是OUT.", "Open circuit."},
    {202, 202, "此触点,右边断路或是非法链接.", "Open circuit."},
    {203, 203, "此触点,左边断路或是非法链接.", "Open circuit."},
    {204, 204, "节点位置越界", ""},
    {205, 205, "此节点，下边无链接或是非法链接.", "Open circuit."},
    {206, 206, "此节点，上边无链接或是非法链接.", "Open circuit."},
    {207, 207, "此处梯图块交叉。", "Reverse power flow."},
    {208, 208, "此处梯图发生短接.", "Reverse power flow."},
    {209, 209, "本段梯图存在多级输出情况.", "Multilevel output is not allowed."},
    {210, 210, "本段梯图存在多级输出情况.", "Multilevel output is not allowed."},
    {211, 211, "此处梯图发生短接.", "Reverse power flow."},
    {212, 212, "本段梯图存在多级输出情况.", "Multilevel output is not allowed."},
    {213, 213, "此处梯图与母线发生短接.", "A contact must proceed the output instruction."},
    {214, 214, "此处输出触点与母线发生短接.", "A contact must proceed the output instruction."},
    {215, 215, "梯图存在多级输出情况或块交叉情况.", ""},
    {216, 216, "功能触点之后不得编辑与链接.", ""},
    {218, 218, "梯形图程序超过5000步,请减少程序.", "Program exceeds 5000 steps."},
    {219, 219, "梯图块嵌套层次过深,请减少梯图的层次.", "Ladder blocks are nested too deeply."},
    {300, 300, "指令表生成梯图所用的空闲块不够，请减少梯图的层次或与开发者联系.", ""},
    {301, 301, "非法指令.", ""},
    {302, 304, "指令表生成的梯图出错，请与开发者联系. ", ""},
    {350, 352, "指令表生成的梯图越界.", ""},
    {353, 353, "每个梯形图段只能保存15行,请减少越界梯形图段的行数", ""},
    {400, 400, "无法构成回路", "Open circuit."},
    {401, 401, "缺少SPE指令 或SP指令位置不对.", "Need SPE"},
    {402, 402, "缺少SP指令 或 SP指令不得链接其他触点.", "Need SP"},
    {403, 403, "LBL指令不得链接其他触点.", ""},
    {404, 404, "只能出现一个END1指令，且END1指令不得链接其他触点.", "More than one END1."},
    {405, 405, "无法构成回路", "Open circuit."},
    {406, 406, "无法构成回路", "Open circuit."},
    {407, 407, "缺少END1", "Need END1"},
    {408, 408, "缺少END2", "Need END2"},
    {409, 409, "缺少SP指令或SPE指令", "Need SP or SPE."},
    {410, 410, "缺少相应跳转标号 ", "Not find the label."},
    {411, 411, "存在相同的跳转标号", "Same label"},
    {412, 412, "CALL调用的子程序不存在", "Subprograme is not exist."},
    {413, 413, "存在相同的的子程序", "Same Subprograme."},
    {414, 414, "不能执行跳出第一级程序的跳转指令 ",
     "Jumping from Level 1 to Level2 is not allowed."},
    {415, 415, "不能执行跳出第二级程序的跳转指令 ", "Jumping is not allowed."},
    {416, 416, "不能执行跳出当前子程序的跳转指令", "Jumping is not allowed."},
    {417, 417, "程序已结束,END2之后只能编辑子程序", ""},
    {500, 500, "内存分配错误", "Memory error"},
    {501, 501, "内部指令数据错误，字符串为空 ,请与开发者联系", ""},
    {502, 502, "编译时内存文件打开错误", "Too many rows in a network."},
    {503, 503, "未知的指令", ""},
    {504, 504, "内存分配错误", "Memory error"},
    {510, 510, "CODB指令使用次数超过上限100", ""},
    {511, 511, "CALL指令使用次数超过上限100", ""},
    {512, 512, "JMPB指令使用次数超过上限100", ""},
    {513, 513, "SP指令使用次数超过上限100", ""},
    {514, 514, "LBL指令使用次数超过上限100", ""},
    {515, 515, "ALT指令使用次数超过上限100", ""},
    {516, 516, "DIFU指令使用次数超过上限100", ""},
    {517, 517, "DIFD指令使用次数超过上限100", ""},
};

constexpr std::string_view kUnknownChinese = "未知报警信息，请与开发者联系.";
constexpr std::string_view kUnknownEnglish = "Unknown error.";

const ErrorRange* find(int code) noexcept {
    if (code < 0 || code >= CompileErrors::kTableSize) return nullptr;
    for (const ErrorRange& range : kErrors) {
        if (code >= range.first && code <= range.last) return &range;
    }
    return nullptr;
}

}  // namespace

std::string_view CompileErrors::text(int code, common::Language language) noexcept {
    const ErrorRange* range = find(code);
    if (!range) return unknownText(language);
    return language == common::Language::Chinese ? range->chinese : range->english;
}

std::string_view CompileErrors::unknownText(common::Language language) noexcept {
    return language == common::Language::Chinese ? kUnknownChinese : kUnknownEnglish;
}

bool CompileErrors::hasEntry(int code) noexcept {
    return find(code) != nullptr;
}

}  // namespace kelcc::core::compiler
