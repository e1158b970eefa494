#include "cnc_data/function_groups.h"

#include <array>

namespace kelcc::core::cnc_data {
namespace {

// {name, English name, option 0, option 1, English options, ParameterNumber,
// bit}. Which bit or parameter an item edits is this system's own choice;
// each bit with a function is edited by exactly one item.
constexpr std::array<GroupItem, 9> kGroup0 = {{
    {"驱动器准备好信号", "Driver ready signal", "低电平", "高电平", "Low", "High", 175, 0},
    {"系统输出波形", "Output waveform", "脉冲", "方波", "Pulse", "Square", 5, 0},
    {"X轴电机旋转方向", "X motor direction", "逆时针", "顺时针", "Counterclockwise", "Clockwise", 8,
     0},
    {"Z轴电机旋转方向", "Z motor direction", "逆时针", "顺时针", "Counterclockwise", "Clockwise", 8,
     1},
    {"X轴驱动器报警输出电平", "X driver alarm level", "低电平", "高电平", "Low", "High", 9, 0},
    {"Z轴驱动器报警输出电平", "Z driver alarm level", "低电平", "高电平", "Low", "High", 9, 1},
    {"轴运动方向改变时,脉冲信号输出延迟", "Pulse delay when an axis reverses", "不延迟", "延迟",
     "No delay", "Delay", 175, 1},
    {"轴负向运动时,运动符号保持", "Direction sign held in negative motion", "不保持", "保持",
     "Not held", "Held", 175, 3},
    {"MRDY信号输出之前,PRDY信号为ON是否报警", "Alarm if PRDY is ON before MRDY output", "不报警",
     "报警", "No alarm", "Alarm", 175, 4},
}};
constexpr std::array<GroupItem, 4> kGroup1 = {{
    {"X轴指令倍乘比   (1 - 255)", "X command numerator   (1 - 255)", "", "", "", "", 15, -1},
    {"Z轴指令倍乘比   (1 - 255)", "Z command numerator   (1 - 255)", "", "", "", "", 16, -1},
    {"X轴指令分频系数 (1 - 255)", "X command denominator (1 - 255)", "", "", "", "", 17, -1},
    {"Z轴指令分频系数 (1 - 255)", "Z command denominator (1 - 255)", "", "", "", "", 18, -1},
}};
constexpr std::array<GroupItem, 8> kGroup2 = {{
    {"断电后系统是否记忆当前的绝对坐标", "Keep absolute position at power off", "不记忆", "记忆",
     "No", "Yes", 180, 0},
    {"M30执行完毕后,光标返回程序开头", "Cursor back to program start after M30", "按循环启动返回",
     "直接返回", "At cycle start", "At once", 5, 4},
    {"X轴快速移动速率", "X rapid traverse rate", "", "", "", "", 22, -1},
    {"Z轴快速移动速率", "Z rapid traverse rate", "", "", "", "", 23, -1},
    {"X轴快速移动时,线性加减速时间常数值", "X rapid linear acc/dec time constant", "", "", "", "",
     24, -1},
    {"Z轴快速移动时,线性加减速时间常数值", "Z rapid linear acc/dec time constant", "", "", "", "",
     25, -1},
    {"X,Z轴快速切削进给上限速度", "Upper limit of cutting feed rate", "", "", "", "", 27, -1},
    {"X,Z轴快速移动倍率最低速度(F0)", "Lowest rapid override speed (F0)", "", "", "", "", 32, -1},
}};
constexpr std::array<GroupItem, 5> kGroup3 = {{
    {"是否检查软件限位", "Check stroke limits", "检查", "不检查", "Check", "No check", 172, 4},
    {"X轴坐标的正向最大行程", "X positive stroke limit", "", "", "", "", 45, -1},
    {"Z轴坐标的正向最大行程", "Z positive stroke limit", "", "", "", "", 46, -1},
    {"X轴坐标的负向最大行程", "X negative stroke limit", "", "", "", "", 47, -1},
    {"Z轴坐标的负向最大行程", "Z negative stroke limit", "", "", "", "", 48, -1},
}};
constexpr std::array<GroupItem, 14> kGroup4 = {{
    {"返回机械参考点时,输出的减速信号", "Deceleration signal in reference return", "低电平",
     "高电平", "Low", "High", 4, 5},
    {"G50设置绝对坐标和返回参考点时自动设置相对坐标值",
     "Relative position set by G50 and reference return", "不设置", "自动设置", "Not set", "Set", 5,
     1},
    {"X轴参考点返回方向和原始方向的间隙方向", "X reference return direction", "正", "负",
     "Positive", "Negative", 6, 0},
    {"Z轴参考点返回方向和原始方向的间隙方向", "Z reference return direction", "正", "负",
     "Positive", "Negative", 6, 1},
    {"X轴返回机械零点的信号方式", "X zero return signals", "减速开关和零位信号", "感应磁开关",
     "Dog and zero pulse", "Proximity switch", 7, 0},
    {"Z轴返回机械零点的信号方式", "Z zero return signals", "减速开关和零位信号", "感应磁开关",
     "Dog and zero pulse", "Proximity switch", 7, 1},
    {"回零时轴运动键自动保持", "Axis key held in zero return", "不保持", "自动保持", "Not held",
     "Held", 11, 2},
    {"返回参考点后是否自动设定绝对坐标系", "Coordinate system set after reference return", "不设置",
     "自动设置", "Not set", "Set", 12, 7},
    {"开机或急停后在返回参考点前,手动快速是否有效", "Manual rapid before reference return", "无效",
     "有效", "Invalid", "Valid", 12, 0},
    {"X轴回零方式(A无机械零点,B有机械零点)", "X zero return type (A no zero, B zero)", "方式A",
     "方式B", "Type A", "Type B", 14, 0},
    {"Z轴回零方式(A无机械零点,B有机械零点)", "Z zero return type (A no zero, B zero)", "方式A",
     "方式B", "Type A", "Type B", 14, 1},
    {"X,Z轴返回参考点时低速的速度(FL速度)", "Reference return low speed (FL)", "", "", "", "", 28,
     -1},
    {"返回参考点自动坐标系设定中,X轴的坐标值", "X coordinate set after reference return", "", "",
     "", "", 49, -1},
    {"返回参考点自动坐标系设定中,Z轴的坐标值", "Z coordinate set after reference return", "", "",
     "", "", 50, -1},
}};
constexpr std::array<GroupItem, 1> kGroup5 = {{
    {"急停信号(*ESP)是否有效", "Emergency stop signal (*ESP)", "有效", "无效", "Valid", "Invalid",
     172, 3},
}};
constexpr std::array<GroupItem, 4> kGroup6 = {{
    {"G92螺纹切削时的倒角宽度", "G92 thread chamfer width", "", "", "", "", 42, -1},
    {"G92螺纹切削时X轴的指数加减速时间常数", "G92 X exponential acc/dec time constant", "", "", "",
     "", 43, -1},
    {"G92螺纹切削时X,Z轴的指数加减速下限值", "G92 exponential acc/dec low speed", "", "", "", "",
     41, -1},
    {"切削进给和手动进给时的指数加减速时间常数", "Feed exponential acc/dec time constant", "", "",
     "", "", 29, -1},
}};
constexpr std::array<GroupItem, 2> kGroup7 = {{
    {"手轮或单步方式选择", "Handwheel or incremental feed", "单步", "手轮", "Incremental",
     "Handwheel", 1, 3},
    {"单步(手轮)方式时,0.1mm,1mm步长是否有效(步进驱动时建议无效)",
     "Steps of 0.1mm and 1mm (invalid for steppers)", "有效", "无效", "Valid", "Invalid", 173, 1},
}};
constexpr std::array<GroupItem, 2> kGroup8 = {{
    {"通讯口传输是否打开", "Serial port transfer", "关闭", "打开", "Closed", "Open", 2, 5},
    {"通讯接口的波特率", "Baud rate of the serial port", "", "", "", "", 44, -1},
}};
constexpr std::array<GroupItem, 4> kGroup9 = {{
    {"主轴控制方式", "Spindle control", "S1 - S4档位控制", "模拟量(变频器)控制", "Gears S1 - S4",
     "Analog (inverter)", 1, 4},
    {"按复位键时,是否自动关闭M3,M4,M8,M32输出信号", "M3,M4,M8,M32 outputs at reset", "关闭",
     "不关闭", "Off", "Kept", 9, 3},
    {"执行M代码的等待时间", "M code waiting time", "", "", "", "", 55, -1},
    {"执行S代码的等待时间", "S code waiting time", "", "", "", "", 56, -1},
}};
constexpr std::array<GroupItem, 2> kGroup10 = {{
    {"主轴指令停止输出到主轴制动输出时间", "Spindle stop to brake output time", "", "", "", "", 59,
     -1},
    {"主轴制动输出时间", "Spindle brake output time", "", "", "", "", 60, -1},
}};
constexpr std::array<GroupItem, 6> kGroup11 = {{
    {"模拟主轴输出10V时,电压偏置补偿", "Voltage offset at 10V analog output", "", "", "", "", 21,
     -1},
    {"主轴速度偏置补偿", "Spindle speed offset", "", "", "", "", 36, -1},
    {"主轴速度指令为10V时,齿轮1档的主轴最高转速", "Gear 1 spindle speed at 10V", "", "", "", "", 37,
     -1},
    {"主轴速度指令为10V时,齿轮2档的主轴最高转速", "Gear 2 spindle speed at 10V", "", "", "", "", 38,
     -1},
    {"主轴速度指令为10V时,齿轮3档的主轴最高转速", "Gear 3 spindle speed at 10V", "", "", "", "", 39,
     -1},
    {"主轴速度指令为10V时,齿轮4档的主轴最高转速", "Gear 4 spindle speed at 10V", "", "", "", "", 40,
     -1},
}};
constexpr std::array<GroupItem, 6> kGroup12 = {{
    {"自动换档功能是否有效", "Automatic gear change", "无效", "有效", "Invalid", "Valid", 164, 7},
    {"自动换档时,是否检测换档到位信号", "Gear in-position signal check", "不检查", "检查",
     "No check", "Check", 164, 6},
    {"换档到位信号电平", "Gear in-position signal level", "高电平", "低电平", "High", "Low", 164,
     5},
    {"自动换档信号输出延迟时间1", "Gear change output delay 1", "", "", "", "", 57, -1},
    {"自动换档信号输出延迟时间2", "Gear change output delay 2", "", "", "", "", 58, -1},
    {"主轴换档时的转速", "Spindle speed during gear change", "", "", "", "", 71, -1},
}};
constexpr std::array<GroupItem, 3> kGroup13 = {{
    {"卡盘功能有效时,是否检查卡盘已夹紧", "Chuck clamp check", "检查", "不检查", "Check",
     "No check", 172, 6},
    {"卡盘控制功能是否有效", "Chuck control", "无效", "有效", "Invalid", "Valid", 164, 0},
    {"卡盘夹紧到位最大时间(ms)", "Maximum chuck clamping time (ms)", "", "", "", "", 76, -1},
}};
constexpr std::array<GroupItem, 1> kGroup14 = {{
    {"尾座控制功能是否有效", "Tailstock control", "无效", "有效", "Invalid", "Valid", 164, 2},
}};
constexpr std::array<GroupItem, 2> kGroup15 = {{
    {"自动循环允许输入机能是否有效", "Cycle permission input", "无效", "有效", "Invalid", "Valid",
     164, 1},
    {"主轴旋转允许输入机能是否有效", "Spindle permission input", "无效", "有效", "Invalid", "Valid",
     164, 3},
}};
constexpr std::array<GroupItem, 6> kGroup16 = {{
    {"刀具半径补偿功能是否有效", "Tool nose radius compensation", "无效", "有效", "Invalid",
     "Valid", 2, 1},
    {"刀补执行方式", "Tool offset execution", "移动方式", "坐标偏移方式", "By motion", "By shift",
     12, 6},
    {"刀具偏置值表示方式", "Tool offset values given as", "直径", "半径", "Diameter", "Radius", 4,
     4},
    {"偏移矢量在复位时是否保持", "Offset vector at reset", "清零", "不变", "Cleared", "Kept", 172,
     5},
    {"位置显示的相对坐标", "Relative position display", "编程坐标位置", "含刀偏后的位置",
     "As programmed", "With tool offset", 4, 1},
    {"刀具偏置的直接测量输入是否有效", "Direct input of measured offsets", "无效", "有效",
     "Invalid", "Valid", 12, 5},
}};
constexpr std::array<GroupItem, 8> kGroup17 = {{
    {"反向间隙补偿的脉冲频率CPF4", "Backlash pulse frequency CPF4", "0", "1", "0", "1", 10, 3},
    {"反向间隙补偿的脉冲频率CPF3", "Backlash pulse frequency CPF3", "0", "1", "0", "1", 10, 2},
    {"反向间隙补偿的脉冲频率CPF2", "Backlash pulse frequency CPF2", "0", "1", "0", "1", 10, 1},
    {"反向间隙补偿的脉冲频率CPF1", "Backlash pulse frequency CPF1", "0", "1", "0", "1", 10, 0},
    {"反向间隙补偿方式(A固定频率输出,B加减速方式输出)",
     "Backlash type (A fixed frequency, B acc/dec)", "A", "B", "A", "B", 11, 7},
    {"反向间隙补偿与CPF4,3,2,1设定的频率的比值(A.1,B.1/8)", "Backlash frequency ratio (A 1, B 1/8)",
     "A", "B", "A", "B", 11, 6},
    {"X坐标间隙补偿量", "X backlash", "", "", "", "", 34, -1},
    {"Z坐标间隙补偿量", "Z backlash", "", "", "", "", 35, -1},
}};
constexpr std::array<GroupItem, 8> kGroup18 = {{
    {"螺距补偿功能是否有效", "Pitch error compensation", "无效", "有效", "Invalid", "Valid", 3, 5},
    {"螺距误差补偿倍率PML3", "Pitch error magnification PML3", "0", "1", "0", "1", 174, 2},
    {"螺距误差补偿倍率PML2", "Pitch error magnification PML2", "0", "1", "0", "1", 174, 1},
    {"螺距误差补偿倍率PML1", "Pitch error magnification PML1", "0", "1", "0", "1", 174, 0},
    {"X轴补偿间隔", "X compensation interval", "", "", "", "", 51, -1},
    {"Z轴补偿间隔", "Z compensation interval", "", "", "", "", 52, -1},
    {"X轴螺距补偿原点", "X compensation origin", "", "", "", "", 53, -1},
    {"Z轴螺距补偿原点", "Z compensation origin", "", "", "", "", 54, -1},
}};
constexpr std::array<GroupItem, 8> kGroup19 = {{
    {"刀架到位输出信号", "Turret in-position signal", "高电平", "低电平", "High", "Low", 11, 1},
    {"刀架锁紧输出信号", "Turret lock signal", "低电平", "高电平", "Low", "High", 11, 0},
    {"换刀时移动一个刀位所需时间上限", "Time limit for one tool position", "", "", "", "", 65, -1},
    {"换刀时从第一把刀换到最后一把刀所需的时间上限", "Time limit from first to last tool", "", "",
     "", "", 66, -1},
    {"刀架正转停止到刀架反转锁紧开始的延迟时间", "Turret stop to reverse lock delay", "", "", "",
     "", 67, -1},
    {"未接收到*TCP信号的报警时间", "Alarm time without *TCP signal", "", "", "", "", 69, -1},
    {"总刀位数", "Number of tool positions", "", "", "", "", 84, -1},
    {"刀架反转锁紧时间", "Turret reverse locking time", "", "", "", "", 70, -1},
}};
constexpr std::array<GroupItem, 11> kGroup20 = {{
    {"在编程输入时,按EOB键(A一次,B两次),程序分为下一段",
     "New block after EOB key (A once, B twice)", "B", "A", "B", "A", 168, 5},
    {"M30执行完毕后光标返回类型(A立刻返回,B再次按启动才返回)",
     "Cursor after M30 (A at once, B at next start)", "A", "B", "A", "B", 168, 7},
    {"编入系统标准以外的M,S,T代码时,系统是否报警", "Nonstandard M,S,T codes", "产生报警",
     "自动调用对应子程序", "Alarm", "Call subprogram", 5, 5},
    {"宏/子程序的程序号大于9000时,显示与编辑允许", "Display and edit of programs above 9000",
     "允许", "禁止", "Allowed", "Locked", 168, 6},
    {"系统报警时编辑允许", "Editing during alarm", "禁止", "允许", "Locked", "Allowed", 12, 3},
    {"在程序显示时,EOB代码显示为字符", "EOB shown as", "星号(*)", "分号(;)", "Asterisk (*)",
     "Semicolon (;)", 12, 1},
    {"程序显示方式(A仅程序,B程序和位置)", "Program display (A program, B with position)", "A", "B",
     "A", "B", 168, 4},
    {"编辑时,带小数点的地址是否必须编入小数", "Decimal point for decimal addresses", "可不输入",
     "必须输入", "Optional", "Required", 168, 0},
    {"编辑程序时数据的单位", "Program data unit", "um", "mm", "um", "mm", 168, 2},
    {"禁止修改参数", "Lock parameter writing", "不禁止", "禁止", "Unlocked", "Locked", 174, 4},
    {"禁止编辑程序", "Lock program editing", "不禁止", "禁止", "Unlocked", "Locked", 174, 3},
}};
constexpr std::array<GroupItem, 17> kGroup21 = {{
    {"编程方式", "Programming by", "直径编程", "半径编程", "Diameter", "Radius", 1, 2},
    {"刀具长度补偿功能是否有效", "Tool length compensation", "无效", "有效", "Invalid", "Valid", 3,
     4},
    {"空运行时快速移动是否有效", "Rapid traverse in dry run", "无效", "有效", "Invalid", "Valid", 4,
     6},
    {"外接循环启动信号是否有效", "External cycle start signal", "无效", "有效", "Invalid", "Valid",
     4, 2},
    {"倍率信号逻辑", "Override signal logic", "不取反", "取反", "Normal", "Inverted", 6, 4},
    {"程序段之间是否进行到位检查", "In-position check between blocks", "不检查", "检查", "No check",
     "Check", 7, 3},
    {"主轴倍率是否有效", "Spindle override", "无效", "有效", "Invalid", "Valid", 172, 0},
    {"主轴速度到达检测是否有效", "Spindle speed arrival check", "无效", "有效", "Invalid", "Valid",
     173, 0},
    {"螺纹切削时是否检测主轴转速", "Spindle speed check in threading", "不检测", "检测", "No check",
     "Check", 175, 7},
    {"X轴手动回零是否有效", "X manual zero return", "无效", "有效", "Invalid", "Valid", 183, 0},
    {"Z轴手动回零是否有效", "Z manual zero return", "无效", "有效", "Invalid", "Valid", 183, 1},
    {"系统自检测试方式", "Self test mode", "无效", "有效", "Invalid", "Valid", 184, 4},
    {"显示语言", "Display language", "中文", "英文", "Chinese", "English", 184, 0},
    {"手动连续进给速度", "Manual jog feed rate", "", "", "", "", 33, -1},
    {"空运行速度", "Dry run feed rate", "", "", "", "", 83, -1},
    {"恒线速控制时主轴最低转速", "Lowest spindle speed in constant surface speed", "", "", "", "",
     85, -1},
    {"恒线速控制时主轴最高转速", "Highest spindle speed in constant surface speed", "", "", "", "",
     87, -1},
}};

constexpr std::array<FunctionGroup, FunctionGroups::kCount> kGroups = {{
    {"驱动器", "Drivers", kGroup0},
    {"电子齿轮调整", "Electronic gear", kGroup1},
    {"X,Z轴运行", "X and Z axis motion", kGroup2},
    {"软件限位", "Software limits", kGroup3},
    {"机械零点", "Machine zero", kGroup4},
    {"限位急停", "Limits and emergency stop", kGroup5},
    {"螺纹切削", "Thread cutting", kGroup6},
    {"手轮", "Handwheel", kGroup7},
    {"通讯", "Communication", kGroup8},
    {"档位主轴", "Gear-changed spindle", kGroup9},
    {"主轴制动", "Spindle brake", kGroup10},
    {"变频主轴", "Inverter spindle", kGroup11},
    {"自动换档控制", "Automatic gear change", kGroup12},
    {"卡盘", "Chuck", kGroup13},
    {"尾座", "Tailstock", kGroup14},
    {"自动循环允许", "Automatic cycle interlocks", kGroup15},
    {"刀具补偿", "Tool compensation", kGroup16},
    {"间隙补偿", "Backlash compensation", kGroup17},
    {"螺距补偿", "Pitch compensation", kGroup18},
    {"刀架", "Tool post", kGroup19},
    {"编程", "Programming", kGroup20},
    {"其他参数", "Other parameters", kGroup21},
}};

}  // namespace

std::span<const FunctionGroup> FunctionGroups::all() noexcept {
    return kGroups;
}

}  // namespace kelcc::core::cnc_data
