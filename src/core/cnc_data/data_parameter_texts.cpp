#include "cnc_data/data_parameter_texts.h"

#include <array>

namespace kelcc::core::cnc_data {
namespace {

constexpr std::size_t kCount = DataParameterTexts::kCount;

// Parameters 0015-0163, one text each.
constexpr std::array<std::string_view, kCount> kDescriptionsZh = {
    "X轴指令倍乘系数",                                 // 0015
    "Z轴指令倍乘系数",                                 // 0016
    "X轴指令分频系数",                                 // 0017
    "Z轴指令分频系数",                                 // 0018
    "轴运动方向改变时脉冲输出的延迟时间",              // 0019
    "保留",                                            // 0020
    "模拟主轴输出10V时的电压偏置补偿值(mV)",           // 0021
    "X轴快速移动速率(mm/min)",                         // 0022
    "Z轴快速移动速率(mm/min)",                         // 0023
    "X轴快速移动线性加减速时间常数(ms)",               // 0024
    "Z轴快速移动线性加减速时间常数(ms)",               // 0025
    "快速移动线性加减速的初速度(mm/min)",              // 0026
    "X,Z轴切削进给上限速度(mm/min)",                   // 0027
    "返回参考点时的低速FL(mm/min)",                    // 0028
    "切削和手动进给的指数加减速时间常数(ms)",          // 0029
    "切削和手动进给的指数加减速下限速度(mm/min)",      // 0030
    "保留",                                            // 0031
    "快速移动倍率F0的速度(mm/min)",                    // 0032
    "手动连续进给速度(mm/min)",                        // 0033
    "X轴反向间隙补偿量(0.001mm)",                      // 0034
    "Z轴反向间隙补偿量(0.001mm)",                      // 0035
    "主轴速度偏置补偿值",                              // 0036
    "10V时齿轮1档的主轴最高转速(r/min)",               // 0037
    "10V时齿轮2档的主轴最高转速(r/min)",               // 0038
    "10V时齿轮3档的主轴最高转速(r/min)",               // 0039
    "10V时齿轮4档的主轴最高转速(r/min)",               // 0040
    "G92螺纹切削时X,Z轴的指数加减速下限速度(mm/min)",  // 0041
    "G92螺纹切削时的倒角宽度(0.1导程)",                // 0042
    "G92螺纹切削时X轴的指数加减速时间常数(ms)",        // 0043
    "串口通信的速率(BPS)",                             // 0044
    "软件限位机床坐标X轴最大坐标值(0.001mm)",          // 0045
    "软件限位机床坐标Z轴最大坐标值(0.001mm)",          // 0046
    "软件限位机床坐标X轴最小坐标值(0.001mm)",          // 0047
    "软件限位机床坐标Z轴最小坐标值(0.001mm)",          // 0048
    "返回参考点后自动设定的X轴坐标值(0.001mm)",        // 0049
    "返回参考点后自动设定的Z轴坐标值(0.001mm)",        // 0050
    "X轴螺距补偿间隔(0.001mm)",                        // 0051
    "Z轴螺距补偿间隔(0.001mm)",                        // 0052
    "X轴螺距补偿原点(0.001mm)",                        // 0053
    "Z轴螺距补偿原点(0.001mm)",                        // 0054
    "执行M代码的等待时间(ms)",                         // 0055
    "执行S代码的等待时间(ms)",                         // 0056
    "自动换档信号输出延迟时间1(100ms)",                // 0057
    "自动换档信号输出延迟时间2(100ms)",                // 0058
    "主轴停止到主轴制动输出的时间(ms)",                // 0059
    "主轴制动输出时间(ms)",                            // 0060
    "保留",                                            // 0061
    "保留",                                            // 0062
    "保留",                                            // 0063
    "保留",                                            // 0064
    "换刀时移动一个刀位的时间上限(ms)",                // 0065
    "从第一把刀换到最后一把刀的时间上限(ms)",          // 0066
    "刀架正转停止到反转锁紧的延迟时间(ms)",            // 0067
    "保留",                                            // 0068
    "未接收到*TCP信号的报警时间(ms)",                  // 0069
    "刀架反转锁紧时间(ms)",                            // 0070
    "主轴换档时的转速(r/min)",                         // 0071
    "主轴点动转速(r/min)",                             // 0072
    "保留",                                            // 0073
    "保留",                                            // 0074
    "保留",                                            // 0075
    "卡盘夹紧到位最大时间(ms)",                        // 0076
    "保留",                                            // 0077
    "换档到位信号的检测时间上限(ms)",                  // 0078
    "保留",                                            // 0079
    "尾座到位延迟时间(ms)",                            // 0080
    "润滑输出时间(ms)",                                // 0081
    "手轮方式的最高进给速度(mm/min)",                  // 0082
    "空运行速度(mm/min)",                              // 0083
    "总刀位数",                                        // 0084
    "恒线速控制时主轴最低转速(r/min)",                 // 0085
    "保留",                                            // 0086
    "恒线速控制时主轴最高转速(r/min)",                 // 0087
    "保留",                                            // 0088
    "主轴速度到达检测时间(ms)",                        // 0089
    "保留",                                            // 0090
    "保留",                                            // 0091
    "保留",                                            // 0092
    "保留",                                            // 0093
    "保留",                                            // 0094
    "保留",                                            // 0095
    "保留",                                            // 0096
    "保留",                                            // 0097
    "手轮进给的加减速时间常数(ms)",                    // 0098
    "输入信号的滤波时间(ms)",                          // 0099
    "保留",                                            // 0100
    "保留",                                            // 0101
    "X轴电机每转脉冲数",                               // 0102
    "Z轴电机每转脉冲数",                               // 0103
    "保留",                                            // 0104
    "保留",                                            // 0105
    "主轴转速允许波动率(%)",                           // 0106
    "返回参考点的快速速度(mm/min)",                    // 0107
    "自动润滑间隔时间(s)",                             // 0108
    "手动快速移动速率(mm/min)",                        // 0109
    "编码器主轴侧齿轮齿数",                            // 0110
    "编码器侧齿轮齿数",                                // 0111
    "M代码输出保持时间(ms)",                           // 0112
    "快速移动的最低速度(mm/min)",                      // 0113
    "第二参考点X轴坐标值(0.001mm)",                    // 0114
    "第二参考点Z轴坐标值(0.001mm)",                    // 0115
    "保留",                                            // 0116
    "保留",                                            // 0117
    "保留",                                            // 0118
    "主轴档位数",                                      // 0119
    "第二软件限位X轴最大坐标值(0.001mm)",              // 0120
    "第二软件限位Z轴最大坐标值(0.001mm)",              // 0121
    "第二软件限位X轴最小坐标值(0.001mm)",              // 0122
    "第二软件限位Z轴最小坐标值(0.001mm)",              // 0123
    "第三参考点X轴坐标值(0.001mm)",                    // 0124
    "第三参考点Z轴坐标值(0.001mm)",                    // 0125
    "第四参考点X轴坐标值(0.001mm)",                    // 0126
    "第四参考点Z轴坐标值(0.001mm)",                    // 0127
    "PLC用户参数1",                                    // 0128
    "PLC用户参数2",                                    // 0129
    "PLC用户参数3",                                    // 0130
    "PLC用户参数4",                                    // 0131
    "PLC用户参数5",                                    // 0132
    "PLC用户参数6",                                    // 0133
    "PLC用户参数7",                                    // 0134
    "PLC用户参数8",                                    // 0135
    "PLC用户参数9",                                    // 0136
    "PLC用户参数10",                                   // 0137
    "PLC用户参数11",                                   // 0138
    "PLC用户参数12",                                   // 0139
    "PLC用户参数13",                                   // 0140
    "PLC用户参数14",                                   // 0141
    "PLC用户参数15",                                   // 0142
    "PLC用户参数16",                                   // 0143
    "PLC用户参数17",                                   // 0144
    "PLC用户参数18",                                   // 0145
    "PLC用户参数19",                                   // 0146
    "PLC用户参数20",                                   // 0147
    "PLC用户参数21",                                   // 0148
    "PLC用户参数22",                                   // 0149
    "PLC用户参数23",                                   // 0150
    "PLC用户参数24",                                   // 0151
    "PLC用户参数25",                                   // 0152
    "PLC用户参数26",                                   // 0153
    "PLC用户参数27",                                   // 0154
    "扩展参数1",                                       // 0155
    "扩展参数2",                                       // 0156
    "扩展参数3",                                       // 0157
    "扩展参数4",                                       // 0158
    "扩展参数5",                                       // 0159
    "扩展参数6",                                       // 0160
    "扩展参数7",                                       // 0161
    "扩展参数8",                                       // 0162
    "扩展参数9",                                       // 0163
};

constexpr std::array<std::string_view, kCount> kDescriptionsEn = {
    "X command numerator",                                      // 0015
    "Z command numerator",                                      // 0016
    "X command denominator",                                    // 0017
    "Z command denominator",                                    // 0018
    "Pulse delay at axis reversal",                             // 0019
    "Standby",                                                  // 0020
    "Spindle voltage offset at 10V (mV)",                       // 0021
    "X rapid traverse rate (mm/min)",                           // 0022
    "Z rapid traverse rate (mm/min)",                           // 0023
    "X rapid linear acc/dec time constant (ms)",                // 0024
    "Z rapid linear acc/dec time constant (ms)",                // 0025
    "Initial speed of rapid linear acc/dec (mm/min)",           // 0026
    "Upper limit of cutting feed rate (mm/min)",                // 0027
    "Reference return low speed FL (mm/min)",                   // 0028
    "Exponential acc/dec time constant of feed (ms)",           // 0029
    "Exponential acc/dec low speed of feed (mm/min)",           // 0030
    "Standby",                                                  // 0031
    "Rapid override F0 speed (mm/min)",                         // 0032
    "Manual jog feed rate (mm/min)",                            // 0033
    "X backlash (0.001mm)",                                     // 0034
    "Z backlash (0.001mm)",                                     // 0035
    "Spindle speed offset",                                     // 0036
    "Gear 1 spindle speed at 10V (r/min)",                      // 0037
    "Gear 2 spindle speed at 10V (r/min)",                      // 0038
    "Gear 3 spindle speed at 10V (r/min)",                      // 0039
    "Gear 4 spindle speed at 10V (r/min)",                      // 0040
    "G92 exponential acc/dec low speed (mm/min)",               // 0041
    "G92 thread chamfer width (0.1 lead)",                      // 0042
    "G92 X exponential acc/dec time constant (ms)",             // 0043
    "Baudrate",                                                 // 0044
    "X+ stroke limit",                                          // 0045
    "Z+ stroke limit",                                          // 0046
    "X- stroke limit",                                          // 0047
    "Z- stroke limit",                                          // 0048
    "X coordinate after reference return (0.001mm)",            // 0049
    "Z coordinate after reference return (0.001mm)",            // 0050
    "X pitch compensation interval (0.001mm)",                  // 0051
    "Z pitch compensation interval (0.001mm)",                  // 0052
    "X pitch compensation origin (0.001mm)",                    // 0053
    "Z pitch compensation origin (0.001mm)",                    // 0054
    "M code waiting time (ms)",                                 // 0055
    "S code waiting time (ms)",                                 // 0056
    "Gear change output delay 1 (100ms)",                       // 0057
    "Gear change output delay 2 (100ms)",                       // 0058
    "Spindle stop to brake output delay (ms)",                  // 0059
    "Spindle brake output time (ms)",                           // 0060
    "Standby",                                                  // 0061
    "Standby",                                                  // 0062
    "Standby",                                                  // 0063
    "Standby",                                                  // 0064
    "Time limit for one tool position (ms)",                    // 0065
    "Time limit from first to last tool (ms)",                  // 0066
    "Turret stop to reverse lock delay (ms)",                   // 0067
    "Standby",                                                  // 0068
    "Alarm time without *TCP signal (ms)",                      // 0069
    "Turret reverse locking time (ms)",                         // 0070
    "Spindle speed during gear change (r/min)",                 // 0071
    "Spindle jog speed (r/min)",                                // 0072
    "Standby",                                                  // 0073
    "Standby",                                                  // 0074
    "Standby",                                                  // 0075
    "Maximum chuck clamping time (ms)",                         // 0076
    "Standby",                                                  // 0077
    "Time limit of gear in-position signal (ms)",               // 0078
    "Standby",                                                  // 0079
    "Tailstock in-position delay (ms)",                         // 0080
    "Lubrication output time (ms)",                             // 0081
    "Maximum handwheel feed rate (mm/min)",                     // 0082
    "Dry run feed rate (mm/min)",                               // 0083
    "Number of tool positions",                                 // 0084
    "Lowest spindle speed in constant surface speed (r/min)",   // 0085
    "Standby",                                                  // 0086
    "Highest spindle speed in constant surface speed (r/min)",  // 0087
    "Standby",                                                  // 0088
    "Spindle speed arrival check time (ms)",                    // 0089
    "Standby",                                                  // 0090
    "Standby",                                                  // 0091
    "Standby",                                                  // 0092
    "Standby",                                                  // 0093
    "Standby",                                                  // 0094
    "Standby",                                                  // 0095
    "Standby",                                                  // 0096
    "Standby",                                                  // 0097
    "Handwheel acc/dec time constant (ms)",                     // 0098
    "Input signal filter time (ms)",                            // 0099
    "Standby",                                                  // 0100
    "Standby",                                                  // 0101
    "X motor pulses per revolution",                            // 0102
    "Z motor pulses per revolution",                            // 0103
    "Standby",                                                  // 0104
    "Standby",                                                  // 0105
    "Allowed spindle speed fluctuation (%)",                    // 0106
    "Reference return rapid speed (mm/min)",                    // 0107
    "Automatic lubrication interval (s)",                       // 0108
    "Manual rapid traverse rate (mm/min)",                      // 0109
    "Encoder gear teeth, spindle side",                         // 0110
    "Encoder gear teeth, encoder side",                         // 0111
    "M code output hold time (ms)",                             // 0112
    "Lowest rapid traverse rate (mm/min)",                      // 0113
    "X of the second reference point (0.001mm)",                // 0114
    "Z of the second reference point (0.001mm)",                // 0115
    "Standby",                                                  // 0116
    "Standby",                                                  // 0117
    "Standby",                                                  // 0118
    "Number of spindle gears",                                  // 0119
    "Second X+ stroke limit (0.001mm)",                         // 0120
    "Second Z+ stroke limit (0.001mm)",                         // 0121
    "Second X- stroke limit (0.001mm)",                         // 0122
    "Second Z- stroke limit (0.001mm)",                         // 0123
    "X of the third reference point (0.001mm)",                 // 0124
    "Z of the third reference point (0.001mm)",                 // 0125
    "X of the fourth reference point (0.001mm)",                // 0126
    "Z of the fourth reference point (0.001mm)",                // 0127
    "PLC user parameter 1",                                     // 0128
    "PLC user parameter 2",                                     // 0129
    "PLC user parameter 3",                                     // 0130
    "PLC user parameter 4",                                     // 0131
    "PLC user parameter 5",                                     // 0132
    "PLC user parameter 6",                                     // 0133
    "PLC user parameter 7",                                     // 0134
    "PLC user parameter 8",                                     // 0135
    "PLC user parameter 9",                                     // 0136
    "PLC user parameter 10",                                    // 0137
    "PLC user parameter 11",                                    // 0138
    "PLC user parameter 12",                                    // 0139
    "PLC user parameter 13",                                    // 0140
    "PLC user parameter 14",                                    // 0141
    "PLC user parameter 15",                                    // 0142
    "PLC user parameter 16",                                    // 0143
    "PLC user parameter 17",                                    // 0144
    "PLC user parameter 18",                                    // 0145
    "PLC user parameter 19",                                    // 0146
    "PLC user parameter 20",                                    // 0147
    "PLC user parameter 21",                                    // 0148
    "PLC user parameter 22",                                    // 0149
    "PLC user parameter 23",                                    // 0150
    "PLC user parameter 24",                                    // 0151
    "PLC user parameter 25",                                    // 0152
    "PLC user parameter 26",                                    // 0153
    "PLC user parameter 27",                                    // 0154
    "Extension parameter 1",                                    // 0155
    "Extension parameter 2",                                    // 0156
    "Extension parameter 3",                                    // 0157
    "Extension parameter 4",                                    // 0158
    "Extension parameter 5",                                    // 0159
    "Extension parameter 6",                                    // 0160
    "Extension parameter 7",                                    // 0161
    "Extension parameter 8",                                    // 0162
    "Extension parameter 9",                                    // 0163
};

}  // namespace

std::string_view DataParameterTexts::description(int number, common::Language language) noexcept {
    const int index = number - kFirstNumber;
    if (index < 0 || index >= kCount) return {};
    const auto& table = language == common::Language::Chinese ? kDescriptionsZh : kDescriptionsEn;
    return table[static_cast<std::size_t>(index)];
}

}  // namespace kelcc::core::cnc_data
