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
        <translation>Failed to create the pitch compensation file.</translation>
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
        <translation>Pitch Compensation</translation>
    </message>
    <message>
        <source>数据设置表</source>
        <translation>Data Tables</translation>
    </message>
    <message>
        <source>显示信息表</source>
        <translation>Display Information</translation>
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
</context>
</TS>
