<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Messages</name>
    <message>
        <source>按功能设置</source>
        <translation>By function</translation>
    </message>
    <message>
        <source>按序号设置</source>
        <translation>By number</translation>
    </message>
    <message>
        <source>状态参数</source>
        <translation>Bit parameters</translation>
    </message>
    <message>
        <source>数据参数</source>
        <translation>Data parameters</translation>
    </message>
    <message>
        <source>相关参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>参数值(或选项)</source>
        <translation>Value (or option)</translation>
    </message>
    <message>
        <source>参数序号</source>
        <translation>Number</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::ParameterWindow</name>
    <message>
        <source>参数</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>筛选: 序号、助记符或说明</source>
        <translation>Filter: number, mnemonic or description</translation>
    </message>
</context>
</TS>
