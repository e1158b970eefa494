<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Messages</name>
    <message>
        <source>D地址(1字节)</source>
        <translation>D address (1 byte)</translation>
    </message>
    <message>
        <source>数据值(十进制)</source>
        <translation>Value (decimal)</translation>
    </message>
    <message>
        <source>中文注释(长度小于15个汉字)</source>
        <translation>Chinese comment (under 15 characters)</translation>
    </message>
    <message>
        <source>英文注释(长度小于30个英文字符)</source>
        <translation>English comment (under 30 characters)</translation>
    </message>
    <message>
        <source>DC地址(4字节)</source>
        <translation>DC address (4 bytes)</translation>
    </message>
    <message>
        <source>DT地址(4字节)</source>
        <translation>DT address (4 bytes)</translation>
    </message>
    <message>
        <source>最大值(十进制)</source>
        <translation>Maximum (decimal)</translation>
    </message>
    <message>
        <source>最小值(十进制)</source>
        <translation>Minimum (decimal)</translation>
    </message>
    <message>
        <source>信息号</source>
        <translation>Info number</translation>
    </message>
    <message>
        <source>显示信息</source>
        <translation>Display text</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>K地址</source>
        <translation>K address</translation>
    </message>
    <message>
        <source>数据值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>最大值</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>最小值</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>中文注释</source>
        <translation>Chinese comment</translation>
    </message>
    <message>
        <source>英文注释</source>
        <translation>English comment</translation>
    </message>
    <message>
        <source>请输入十进制数字.</source>
        <translation>Enter a decimal number.</translation>
    </message>
    <message>
        <source>数据值必须为0～255.</source>
        <translation>The value must be 0 to 255.</translation>
    </message>
    <message>
        <source>数值必须为0～2147483647.</source>
        <translation>The value must be 0 to 2147483647.</translation>
    </message>
    <message>
        <source>文本不能超过100个字符.</source>
        <translation>The text must not be longer than 100 characters.</translation>
    </message>
    <message>
        <source>文本中有程序文件的中文编码(GBK)无法保存的字符.</source>
        <translation>The text holds characters that the program file&apos;s Chinese code page (GBK) cannot store.</translation>
    </message>
    <message>
        <source>文本中不能有制表符或换行符.</source>
        <translation>The text must not hold tabs or line breaks.</translation>
    </message>
    <message>
        <source>英文注释必须输入英文字符.</source>
        <translation>English comments must be entered in English characters.</translation>
    </message>
    <message>
        <source>必须设置不小于1000的信息号.&#xd;
将改为默认最小值1000.</source>
        <translation>The information number must not be below 1000.&#xd;
It is changed to the minimum, 1000.</translation>
    </message>
    <message>
        <source>信息号 %1 已存在,请另设置一个.</source>
        <translation>Information number %1 already exists; choose another one.</translation>
    </message>
    <message>
        <source>信息号必须为1000～9999.</source>
        <translation>The information number must be 1000 to 9999.</translation>
    </message>
    <message>
        <source>输入的地址错误!</source>
        <translation>The address is wrong!</translation>
    </message>
    <message>
        <source>输入的地址范围超限!</source>
        <translation>The address is out of range!</translation>
    </message>
    <message>
        <source>输入的地址位号错误!(0～7)</source>
        <translation>The bit number of the address is wrong! (0-7)</translation>
    </message>
    <message>
        <source>输入的地址格式错误!</source>
        <translation>The address format is wrong!</translation>
    </message>
    <message>
        <source>输入必须为X,Y,R,K,C,T地址!</source>
        <translation>The address must be an X, Y, R, K, C or T address!</translation>
    </message>
    <message>
        <source>关于地址 %1 的注释已存在.</source>
        <translation>A comment on address %1 already exists.</translation>
    </message>
    <message>
        <source>请先输入该行的地址.</source>
        <translation>Enter the address of this row first.</translation>
    </message>
    <message>
        <source>没有找到.</source>
        <translation>Not found.</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>超出表格范围.</source>
        <translation>Outside the table.</translation>
    </message>
    <message>
        <source>单元格不能编辑.</source>
        <translation>The cell cannot be edited.</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::PlcTableWindow</name>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::DataTablesWindow</name>
    <message>
        <source>数据设置表</source>
        <translation>Data Setting Tables</translation>
    </message>
    <message>
        <source>D (1字节)</source>
        <translation>D (1 byte)</translation>
    </message>
    <message>
        <source>DC (计数器)</source>
        <translation>DC (counters)</translation>
    </message>
    <message>
        <source>DT (定时器)</source>
        <translation>DT (timers)</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::InformationWindow</name>
    <message>
        <source>显示信息表</source>
        <translation>Display Information</translation>
    </message>
    <message>
        <source>I/O地址注释</source>
        <translation>I/O Address Comments</translation>
    </message>
    <message>
        <source>插入行(上)</source>
        <translation>Insert Row (Above)</translation>
    </message>
    <message>
        <source>插入行(下)</source>
        <translation>Insert Row (Below)</translation>
    </message>
    <message>
        <source>删除本行</source>
        <translation>Delete Row</translation>
    </message>
    <message>
        <source>排序</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>添加...</source>
        <translation>Add...</translation>
    </message>
    <message>
        <source>查找...</source>
        <translation>Find...</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::TableView</name>
    <message>
        <source>%1 个单元格未粘贴:</source>
        <translation>%1 cells were not pasted:</translation>
    </message>
    <message>
        <source>%1 (%2 个)</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::IoCommentAddDialog</name>
    <message>
        <source>添加I/O地址注释</source>
        <translation>Add I/O Address Comment</translation>
    </message>
    <message>
        <source>地址:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>符号:</source>
        <translation>Symbol:</translation>
    </message>
    <message>
        <source>注释:</source>
        <translation>Comment:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::IoCommentFindDialog</name>
    <message>
        <source>查找I/O地址注释</source>
        <translation>Find I/O Address Comment</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>注释</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>查找方式:</source>
        <translation>Find by:</translation>
    </message>
    <message>
        <source>查找内容:</source>
        <translation>Find what:</translation>
    </message>
    <message>
        <source>查找下一个</source>
        <translation>Find Next</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::KValueDialog</name>
    <message>
        <source>K值设置</source>
        <translation>K Value Settings</translation>
    </message>
    <message>
        <source>地址/位</source>
        <translation>Address/Bit</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::MainWindow</name>
    <message>
        <source>梯形图属性</source>
        <translation>Ladder Properties</translation>
    </message>
    <message>
        <source>KELCC-工程 %1 : 程序版本信息</source>
        <translation>KELCC-Project %1 : Program Version Information</translation>
    </message>
</context>
</TS>
