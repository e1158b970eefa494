<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Messages</name>
    <message>
        <source>删除一行</source>
        <translation>Delete Row</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::CViewPLCLd</name>
    <message>
        <source>删除一行</source>
        <translation>Delete Row</translation>
    </message>
</context>
</TS>
