<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Messages</name>
    <message>
        <source>KELCC</source>
        <translation>KELCC</translation>
    </message>
    <message>
        <source>保存工程</source>
        <translation>Save Project</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>KELCC - 工程:%1</source>
        <translation>KELCC - Project:%1</translation>
    </message>
    <message>
        <source>新建配置工程...</source>
        <translation>New Project...</translation>
    </message>
    <message>
        <source>工程另存为...</source>
        <translation>Save Project As...</translation>
    </message>
    <message>
        <source>请输入工程名称.</source>
        <translation>Please enter the project name.</translation>
    </message>
    <message>
        <source>请输入存储路径.</source>
        <translation>Please enter the storage path.</translation>
    </message>
    <message>
        <source>"%1" 不存在的目录路径,创建工程失败.</source>
        <translation>"%1" is not an existing folder; the project was not created.</translation>
    </message>
    <message>
        <source>文件夹已存在,覆盖该文件夹吗?</source>
        <translation>The folder already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>创建工程失败.</source>
        <translation>Failed to create the project.</translation>
    </message>
    <message>
        <source>创建PLC程序文件失败.</source>
        <translation>Failed to create the PLC program file.</translation>
    </message>
    <message>
        <source>创建参数文件失败.</source>
        <translation>Failed to create the parameter file.</translation>
    </message>
    <message>
        <source>创建刀补文件失败.</source>
        <translation>Failed to create the tool offset file.</translation>
    </message>
    <message>
        <source>创建螺补文件失败.</source>
        <translation>Failed to create the pitch error compensation file.</translation>
    </message>
    <message>
        <source>文件扩展名错误!</source>
        <translation>Wrong file extension!</translation>
    </message>
    <message>
        <source>文件名过长!</source>
        <translation>File name too long!</translation>
    </message>
    <message>
        <source>文件打开失败!</source>
        <translation>Failed to open the file!</translation>
    </message>
    <message>
        <source>不支持的文件版本!</source>
        <translation>Unsupported file version!</translation>
    </message>
    <message>
        <source>路径名 %1 无效,未找到工程文件!</source>
        <translation>Invalid path %1: project file not found!</translation>
    </message>
    <message>
        <source>是否保存当前打开的工程?</source>
        <translation>Save the open project?</translation>
    </message>
    <message>
        <source>错误的文件扩展名!</source>
        <translation>Wrong file extension!</translation>
    </message>
    <message>
        <source>请输入文件路径!</source>
        <translation>Please enter the file path!</translation>
    </message>
    <message>
        <source>未找到文件 "%1" !</source>
        <translation>File "%1" not found!</translation>
    </message>
    <message>
        <source>将覆盖当前工程中的梯形图程序,确定要继续吗?</source>
        <translation>This replaces the ladder program of the open project. Continue?</translation>
    </message>
    <message>
        <source>工程文件夹中已存在文件 %1 ,覆盖该文件吗?</source>
        <translation>The project folder already holds the file %1. Overwrite it?</translation>
    </message>
    <message>
        <source>PLC程序文件数据不完整或已破坏!</source>
        <translation>The PLC program file is incomplete or damaged!</translation>
    </message>
    <message>
        <source>无效的文件名 "%1"!</source>
        <translation>Invalid file name "%1"!</translation>
    </message>
    <message>
        <source>文件数据已被改变,保存文件吗?</source>
        <translation>The file has been changed. Save it?</translation>
    </message>
    <message>
        <source>关闭窗口</source>
        <translation>Close Window</translation>
    </message>
    <message>
        <source>程序语言已更改,请退出程序重新运行.</source>
        <translation>The language has been changed. Please exit and start the program again.</translation>
    </message>
    <message>
        <source>工程 - %1</source>
        <translation>Project - %1</translation>
    </message>
    <message>
        <source>PLC</source>
        <translation>PLC</translation>
    </message>
    <message>
        <source>CNC配置</source>
        <translation>CNC Configuration</translation>
    </message>
    <message>
        <source>零件加工程序</source>
        <translation>Part Programs</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>刀具偏置</source>
        <translation>Tool Offsets</translation>
    </message>
    <message>
        <source>螺距补偿</source>
        <translation>Pitch Error Comp.</translation>
    </message>
    <message>
        <source>数据设置表</source>
        <translation>Data Tables</translation>
    </message>
    <message>
        <source>显示信息表</source>
        <translation>Message Table</translation>
    </message>
    <message>
        <source>梯形图程序</source>
        <translation>Ladder Program</translation>
    </message>
    <message>
        <source>程序版本信息</source>
        <translation>Program Information</translation>
    </message>
    <message>
        <source>K值设置</source>
        <translation>K Values</translation>
    </message>
    <message>
        <source>新建零件加工程序</source>
        <translation>New Part Program</translation>
    </message>
    <message>
        <source>加入零件加工程序</source>
        <translation>Add Part Program</translation>
    </message>
    <message>
        <source>加入文件</source>
        <translation>Add File</translation>
    </message>
    <message>
        <source>请输入文件名!</source>
        <translation>Please enter the file name!</translation>
    </message>
    <message>
        <source>请输入以字母 'O' 开头后加数字的文件名!</source>
        <translation>Please enter a file name of the letter 'O' followed by digits!</translation>
    </message>
    <message>
        <source>文件 %1 已存在,覆盖该文件吗?</source>
        <translation>The file %1 already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>通讯错误 11: 数据帧序号错误</source>
        <translation>Communication error 11: data frame out of sequence</translation>
    </message>
    <message>
        <source>通讯错误 17: 接收缓冲区溢出</source>
        <translation>Communication error 17: receive buffer overflow</translation>
    </message>
    <message>
        <source>通讯错误 18: 等待CNC就绪超时</source>
        <translation>Communication error 18: timed out waiting for the CNC to be ready</translation>
    </message>
    <message>
        <source>通讯错误 23: 零件程序格式错误</source>
        <translation>Communication error 23: part program format error</translation>
    </message>
    <message>
        <source>通讯错误 24: 零件程序长度超过2M字节</source>
        <translation>Communication error 24: part program longer than 2 MB</translation>
    </message>
    <message>
        <source>未收到断链应答,但所有文件已传送完毕.</source>
        <translation>No answer to the disconnect, but all files were transferred.</translation>
    </message>
    <message>
        <source>文件已在工程中</source>
        <translation>The file is already in the project</translation>
    </message>
    <message>
        <source>未找到文件,创建新文件吗?</source>
        <translation>File not found. Create a new file?</translation>
    </message>
    <message>
        <source>文件已存在,覆盖该文件吗?</source>
        <translation>The file already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>未知的文件数据格式</source>
        <translation>Unknown file data format</translation>
    </message>
    <message>
        <source>不能在此处编辑!</source>
        <translation>Cannot edit here!</translation>
    </message>
    <message>
        <source>元件设置错误</source>
        <translation>Invalid element setting</translation>
    </message>
    <message>
        <source>不能执行该操作!</source>
        <translation>This operation is not possible here!</translation>
    </message>
    <message>
        <source>剪贴板信息错误(PasteSingleCell)!</source>
        <translation>Invalid clipboard data (PasteSingleCell)!</translation>
    </message>
    <message>
        <source>输入超出范围.</source>
        <translation>Input out of range.</translation>
    </message>
    <message>
        <source>请输入查找内容!</source>
        <translation>Please enter what to find!</translation>
    </message>
    <message>
        <source>查找内容输入错误!</source>
        <translation>Invalid search text!</translation>
    </message>
    <message>
        <source>功能指令输入错误!</source>
        <translation>Invalid function instruction!</translation>
    </message>
    <message>
        <source>查看标号</source>
        <translation>Show Label</translation>
    </message>
    <message>
        <source>查看跳转</source>
        <translation>Show Jumps</translation>
    </message>
    <message>
        <source>查看子程序</source>
        <translation>Show Subprogram</translation>
    </message>
    <message>
        <source>查看调用</source>
        <translation>Show Calls</translation>
    </message>
    <message>
        <source>查找跳转</source>
        <translation>Find Jump</translation>
    </message>
    <message>
        <source>查找调用</source>
        <translation>Find Call</translation>
    </message>
    <message>
        <source>未找到对应的标号。</source>
        <translation>The label was not found.</translation>
    </message>
    <message>
        <source>未找到跳转到该标号的指令。</source>
        <translation>No instruction jumps to this label.</translation>
    </message>
    <message>
        <source>未找到对应的子程序。</source>
        <translation>The subprogram was not found.</translation>
    </message>
    <message>
        <source>未找到调用该子程序的指令。</source>
        <translation>No instruction calls this subprogram.</translation>
    </message>
    <message>
        <source>查找完成。</source>
        <translation>Search finished.</translation>
    </message>
    <message>
        <source>分配打印页错误(PrintPage_Init)</source>
        <translation>Could not set up the print pages (PrintPage_Init)</translation>
    </message>
    <message>
        <source>分配打印页错误(PrintPage_Add)</source>
        <translation>Could not add a print page (PrintPage_Add)</translation>
    </message>
    <message>
        <source>第%1页/共%2页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>KELCC工程-%1 PLC梯形图程序</source>
        <translation>KELCC Project - %1 PLC Ladder Program</translation>
    </message>
    <message>
        <source>修改梯形图</source>
        <translation>Ladder Changed</translation>
    </message>
    <message>
        <source>%1&#13;
&#13;
梯形图程序转换失败,返回修改吗?
按[是]返回修改程序,按[否]只保存修改前的程序</source>
        <translation>%1&#13;
&#13;
The ladder program could not be converted. Go back and correct it?
Press [Yes] to go back to the program, [No] to keep only the program as it was before the changes.</translation>
    </message>
    <message>
        <source>文件数据格式错误!</source>
        <translation>Invalid file data format!</translation>
    </message>
    <message>
        <source>SET-置位指令</source>
        <translation>SET - Set Instruction</translation>
    </message>
    <message>
        <source>RST-复位指令</source>
        <translation>RST - Reset Instruction</translation>
    </message>
    <message>
        <source>ALT-交替输出指令</source>
        <translation>ALT - Alternating Output Instruction</translation>
    </message>
    <message>
        <source>DIFU-上升沿检测指令</source>
        <translation>DIFU - Rising Edge Detection Instruction</translation>
    </message>
    <message>
        <source>DIFD-下降沿检测指令</source>
        <translation>DIFD - Falling Edge Detection Instruction</translation>
    </message>
    <message>
        <source>CMP-数据比较指令</source>
        <translation>CMP - Data Comparison Instruction</translation>
    </message>
    <message>
        <source>CTRC- 计数器指令</source>
        <translation>CTRC - Counter Instruction</translation>
    </message>
    <message>
        <source>TMRB- 定时器指令</source>
        <translation>TMRB - Timer Instruction</translation>
    </message>
    <message>
        <source>MOVN-数据拷贝指令</source>
        <translation>MOVN - Data Copy Instruction</translation>
    </message>
    <message>
        <source>DECB-二进制译码指令</source>
        <translation>DECB - Binary Decoding Instruction</translation>
    </message>
    <message>
        <source>CODB-二进制数据转换</source>
        <translation>CODB - Binary Data Conversion</translation>
    </message>
    <message>
        <source>JMPB-程序跳转指令</source>
        <translation>JMPB - Program Jump Instruction</translation>
    </message>
    <message>
        <source>LBL-程序跳转标号</source>
        <translation>LBL - Program Jump Label</translation>
    </message>
    <message>
        <source>CALL-子程序调用指令</source>
        <translation>CALL - Subprogram Call Instruction</translation>
    </message>
    <message>
        <source>SP-子程序标号</source>
        <translation>SP - Subprogram Label</translation>
    </message>
    <message>
        <source>ROTB-二进制旋转控制指令</source>
        <translation>ROTB - Binary Rotation Control Instruction</translation>
    </message>
    <message>
        <source>PARI-奇偶校验指令</source>
        <translation>PARI - Parity Check Instruction</translation>
    </message>
    <message>
        <source>ADDB-二进制数据加法运算指令</source>
        <translation>ADDB - Binary Addition Instruction</translation>
    </message>
    <message>
        <source>SUBB-二进制数据减法运算指令</source>
        <translation>SUBB - Binary Subtraction Instruction</translation>
    </message>
    <message>
        <source>MOVE-逻辑乘数据传送指令</source>
        <translation>MOVE - Data Transfer with AND Mask Instruction</translation>
    </message>
    <message>
        <source>触点/线圈设置</source>
        <translation>Contact/Coil Settings</translation>
    </message>
    <message>
        <source>触点</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>线圈</source>
        <translation>Coil</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>1 字节</source>
        <translation>1 byte</translation>
    </message>
    <message>
        <source>2 字节</source>
        <translation>2 bytes</translation>
    </message>
    <message>
        <source>4 字节</source>
        <translation>4 bytes</translation>
    </message>
    <message>
        <source>数据长度</source>
        <translation>Data length</translation>
    </message>
    <message>
        <source>复位地址</source>
        <translation>Reset address</translation>
    </message>
    <message>
        <source>计算结果输出地址</source>
        <translation>Calculation result output address</translation>
    </message>
    <message>
        <source>运算错误输出地址</source>
        <translation>Calculation error output address</translation>
    </message>
    <message>
        <source>比较数据1</source>
        <translation>Compare data 1</translation>
    </message>
    <message>
        <source>比较数据2</source>
        <translation>Compare data 2</translation>
    </message>
    <message>
        <source>比较结果输出地址</source>
        <translation>Compare result output address</translation>
    </message>
    <message>
        <source>计数初值</source>
        <translation>Initial count</translation>
    </message>
    <message>
        <source>加减计数指定</source>
        <translation>Count direction</translation>
    </message>
    <message>
        <source>加计数</source>
        <translation>Count up</translation>
    </message>
    <message>
        <source>减计数</source>
        <translation>Count down</translation>
    </message>
    <message>
        <source>计数器地址</source>
        <translation>Counter address</translation>
    </message>
    <message>
        <source>计数值</source>
        <translation>Count value</translation>
    </message>
    <message>
        <source>输出地址</source>
        <translation>Output address</translation>
    </message>
    <message>
        <source>定时器地址</source>
        <translation>Timer address</translation>
    </message>
    <message>
        <source>定时值</source>
        <translation>Time value</translation>
    </message>
    <message>
        <source>源数据</source>
        <translation>Source data</translation>
    </message>
    <message>
        <source>目的地址</source>
        <translation>Destination address</translation>
    </message>
    <message>
        <source>译码起始地址</source>
        <translation>Decoding start address</translation>
    </message>
    <message>
        <source>结果输出地址</source>
        <translation>Result output address</translation>
    </message>
    <message>
        <source>常数基值</source>
        <translation>Base constant</translation>
    </message>
    <message>
        <source>转换表长度</source>
        <translation>Conversion table length</translation>
    </message>
    <message>
        <source>输入数据起始地址</source>
        <translation>Input data start address</translation>
    </message>
    <message>
        <source>输出数据起始地址</source>
        <translation>Output data start address</translation>
    </message>
    <message>
        <source>转换数据表</source>
        <translation>Conversion data table</translation>
    </message>
    <message>
        <source>转台起始号</source>
        <translation>Turret start number</translation>
    </message>
    <message>
        <source>是否进行短路径选择</source>
        <translation>Choose shortest path</translation>
    </message>
    <message>
        <source>不选择</source>
        <translation>No</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>计算位置</source>
        <translation>Calculated position</translation>
    </message>
    <message>
        <source>目标位置</source>
        <translation>Target position</translation>
    </message>
    <message>
        <source>目标前一位置</source>
        <translation>Position before target</translation>
    </message>
    <message>
        <source>计算位置号或步数</source>
        <translation>Calculate position number or steps</translation>
    </message>
    <message>
        <source>位置号</source>
        <translation>Position number</translation>
    </message>
    <message>
        <source>步数</source>
        <translation>Steps</translation>
    </message>
    <message>
        <source>转台分度</source>
        <translation>Turret divisions</translation>
    </message>
    <message>
        <source>当前位置地址</source>
        <translation>Current position address</translation>
    </message>
    <message>
        <source>目标位置地址</source>
        <translation>Target position address</translation>
    </message>
    <message>
        <source>旋转方向输出位</source>
        <translation>Rotation direction output bit</translation>
    </message>
    <message>
        <source>校验方式</source>
        <translation>Parity mode</translation>
    </message>
    <message>
        <source>偶校验(0)</source>
        <translation>Even (0)</translation>
    </message>
    <message>
        <source>奇校验(1)</source>
        <translation>Odd (1)</translation>
    </message>
    <message>
        <source>输入数据地址</source>
        <translation>Input data address</translation>
    </message>
    <message>
        <source>校验结果输出地址</source>
        <translation>Check result output address</translation>
    </message>
    <message>
        <source>被加数</source>
        <translation>Augend</translation>
    </message>
    <message>
        <source>加数</source>
        <translation>Addend</translation>
    </message>
    <message>
        <source>被减数</source>
        <translation>Minuend</translation>
    </message>
    <message>
        <source>减数</source>
        <translation>Subtrahend</translation>
    </message>
    <message>
        <source>高4位逻辑乘数</source>
        <translation>High 4-bit AND mask</translation>
    </message>
    <message>
        <source>低4位逻辑乘数</source>
        <translation>Low 4-bit AND mask</translation>
    </message>
    <message>
        <source>输出数据地址</source>
        <translation>Output data address</translation>
    </message>
    <message>
        <source>元件设置错误!</source>
        <translation>Invalid element setting!</translation>
    </message>
    <message>
        <source>请输入元件地址号!</source>
        <translation>Please enter the element address!</translation>
    </message>
    <message>
        <source>地址类型错误!</source>
        <translation>Wrong address type!</translation>
    </message>
    <message>
        <source>地址范围错误!</source>
        <translation>Address out of range!</translation>
    </message>
    <message>
        <source>地址位号错误!</source>
        <translation>Wrong bit number!</translation>
    </message>
    <message>
        <source>比较参数设置错误!</source>
        <translation>Invalid compare parameter!</translation>
    </message>
    <message>
        <source>指令地址设置错误!</source>
        <translation>Invalid instruction address!</translation>
    </message>
    <message>
        <source>ADD_In(数据输入地址)设置错误!</source>
        <translation>Invalid ADD_In (data input address)!</translation>
    </message>
    <message>
        <source>ADD_Out(结果输出地址)设置错误!</source>
        <translation>Invalid ADD_Out (result output address)!</translation>
    </message>
    <message>
        <source>复位元件(Addr_Rst)设置错误!</source>
        <translation>Invalid reset element (Addr_Rst)!</translation>
    </message>
    <message>
        <source>输出地址(Addr_Out)设置错误!</source>
        <translation>Invalid output address (Addr_Out)!</translation>
    </message>
    <message>
        <source>Format(位参数)设置错误!</source>
        <translation>Invalid Format (bit parameters)!</translation>
    </message>
    <message>
        <source>Addr_Rst(复位地址) 设置错误!</source>
        <translation>Invalid Addr_Rst (reset address)!</translation>
    </message>
    <message>
        <source>Addr_Out(计算结果输出地址) 设置错误!</source>
        <translation>Invalid Addr_Out (calculation result output address)!</translation>
    </message>
    <message>
        <source>Addr_Err(运算错误输出地址) 设置错误!</source>
        <translation>Invalid Addr_Err (calculation error output address)!</translation>
    </message>
    <message>
        <source>计数器地址(Counter)设置错误!</source>
        <translation>Invalid counter address (Counter)!</translation>
    </message>
    <message>
        <source>计数器参数(Ncount)设置错误!</source>
        <translation>Invalid counter parameter (Ncount)!</translation>
    </message>
    <message>
        <source>定时器地址(Timer)设置错误!</source>
        <translation>Invalid timer address (Timer)!</translation>
    </message>
    <message>
        <source>定时器参数(Time)设置错误!</source>
        <translation>Invalid timer parameter (Time)!</translation>
    </message>
    <message>
        <source>源数据(S)设置错误!</source>
        <translation>Invalid source data (S)!</translation>
    </message>
    <message>
        <source>目的地址(D)设置错误!</source>
        <translation>Invalid destination address (D)!</translation>
    </message>
    <message>
        <source>ADD1(译码起始地址)设置错误!</source>
        <translation>Invalid ADD1 (decoding start address)!</translation>
    </message>
    <message>
        <source>ADD2(结果输出地址)设置错误!</source>
        <translation>Invalid ADD2 (result output address)!</translation>
    </message>
    <message>
        <source>Data(常数基值)设置错误!</source>
        <translation>Invalid Data (base constant)!</translation>
    </message>
    <message>
        <source>转换表数据设置错误!(最大值为%1!d!)</source>
        <translation>Invalid conversion table data! (Maximum %1!d!)</translation>
    </message>
    <message>
        <source>数据设置错误!请输入小于或等于10个数字字符的数字.</source>
        <translation>Invalid data! Please enter a number of at most 10 digits.</translation>
    </message>
    <message>
        <source>Cnt(转台分度)设置错误!(0&lt;Cnt&lt;=%1!d!)</source>
        <translation>Invalid Cnt (turret divisions)! (0&lt;Cnt&lt;=%1!d!)</translation>
    </message>
    <message>
        <source>Addr_W(当前位置地址)设置错误!</source>
        <translation>Invalid Addr_W (current position address)!</translation>
    </message>
    <message>
        <source>Addr_D(目标位置地址)设置错误!</source>
        <translation>Invalid Addr_D (target position address)!</translation>
    </message>
    <message>
        <source>ADD_E(计算结果输出地址)设置错误!</source>
        <translation>Invalid ADD_E (calculation result output address)!</translation>
    </message>
    <message>
        <source>ADD_O(旋转方向输出位)设置错误!</source>
        <translation>Invalid ADD_O (rotation direction output bit)!</translation>
    </message>
    <message>
        <source>Addr_ADG1(被加数) 设置错误!</source>
        <translation>Invalid Addr_ADG1 (augend)!</translation>
    </message>
    <message>
        <source>Addr_ADG2(加数) 设置错误!</source>
        <translation>Invalid Addr_ADG2 (addend)!</translation>
    </message>
    <message>
        <source>Addr_Mind(被减数) 设置错误!</source>
        <translation>Invalid Addr_Mind (minuend)!</translation>
    </message>
    <message>
        <source>Addr_Subd(减数) 设置错误!</source>
        <translation>Invalid Addr_Subd (subtrahend)!</translation>
    </message>
    <message>
        <source>High4(高4位逻辑乘数)设置错误!</source>
        <translation>Invalid High4 (high 4-bit AND mask)!</translation>
    </message>
    <message>
        <source>Low4(低4位逻辑乘数)设置错误!</source>
        <translation>Invalid Low4 (low 4-bit AND mask)!</translation>
    </message>
    <message>
        <source>文件 %1 含有非GBK编码的字节,不能打开.</source>
        <translation>The file %1 holds bytes that are not GBK text and cannot be opened.</translation>
    </message>
    <message>
        <source>第%1行含有不能以GBK编码保存的字符,文件未保存.</source>
        <translation>Line %1 holds characters that cannot be saved as GBK text. The file was not saved.</translation>
    </message>
    <message>
        <source>输入触点</source>
        <translation>Enter Contact</translation>
    </message>
    <message>
        <source>添加并联触点</source>
        <translation>Add Parallel Contact</translation>
    </message>
    <message>
        <source>输入线圈</source>
        <translation>Enter Coil</translation>
    </message>
    <message>
        <source>输入功能指令</source>
        <translation>Enter Function Instruction</translation>
    </message>
    <message>
        <source>添加连接横线</source>
        <translation>Add Horizontal Link</translation>
    </message>
    <message>
        <source>添加连接竖线</source>
        <translation>Add Vertical Link</translation>
    </message>
    <message>
        <source>修改元件</source>
        <translation>Change Element</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>删除选择区域</source>
        <translation>Delete Element</translation>
    </message>
    <message>
        <source>删除连接竖线</source>
        <translation>Delete Vertical Link</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>插入行</source>
        <translation>Insert Row</translation>
    </message>
    <message>
        <source>插入一行注释</source>
        <translation>Insert Comment Row</translation>
    </message>
    <message>
        <source>注释上移一行</source>
        <translation>Move Comments Up</translation>
    </message>
    <message>
        <source>删除本行注释</source>
        <translation>Delete Row Comment</translation>
    </message>
    <message>
        <source>修改注释</source>
        <translation>Edit Comment</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>编译</source>
        <translation>Compile</translation>
    </message>
    <message>
        <source>%1&#13;
&#13;
文件已被替换,但当前窗口中有未保存的修改.&#13;
按[是]读入新文件并放弃修改,按[否]保留修改</source>
        <translation>%1&#13;
&#13;
The file was replaced, but this window holds unsaved changes.&#13;
Press [Yes] to read the new file and drop the changes, [No] to keep the changes</translation>
    </message>
</context>
</TS>
