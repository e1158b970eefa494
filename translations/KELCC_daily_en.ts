<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Messages</name>
    <message>
        <source>删除一行</source>
        <translation>Delete Row</translation>
    </message>
    <message>
        <source>此程序有一份比程序文件新的草稿, 是否打开草稿?</source>
        <translation>This program has a draft newer than the program file. Open the draft?</translation>
    </message>
    <message>
        <source>打开草稿</source>
        <translation>Open Draft</translation>
    </message>
    <message>
        <source>上次运行未正常结束, 以下文件有未保存的修改:
%1
是否恢复?</source>
        <translation>The workbench did not end normally last time. These files have unsaved changes:
%1
Restore them?</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Restore</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::LadderView</name>
    <message>
        <source>删除一行</source>
        <translation>Delete Row</translation>
    </message>
    <message>
        <source>导出PDF...</source>
        <translation>Export PDF...</translation>
    </message>
    <message>
        <source>交叉引用...</source>
        <translation>Cross Reference...</translation>
    </message>
    <message>
        <source>保存为草稿</source>
        <translation>Save as Draft</translation>
    </message>
    <message>
        <source>草稿已保存: %1</source>
        <translation>Draft saved: %1</translation>
    </message>
</context>
<context>
    <name>LadderDialogs</name>
    <message>
        <source>导出PDF</source>
        <translation>Export PDF</translation>
    </message>
    <message>
        <source>PDF文件(*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::PartProgramWindow</name>
    <message>
        <source>行 %1, 列 %2</source>
        <translation>Ln %1, Col %2</translation>
    </message>
    <message>
        <source>查找(&amp;F)...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <source>替换(&amp;R)...</source>
        <translation>&amp;Replace...</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::TextFindDialog</name>
    <message>
        <source>区分大小写(&amp;C)</source>
        <translation>Match &amp;case</translation>
    </message>
    <message>
        <source>查找内容(&amp;N):</source>
        <translation>Fi&amp;nd what:</translation>
    </message>
    <message>
        <source>替换为(&amp;P):</source>
        <translation>Re&amp;place with:</translation>
    </message>
    <message>
        <source>查找下一个(&amp;F)</source>
        <translation>&amp;Find Next</translation>
    </message>
    <message>
        <source>替换(&amp;R)</source>
        <translation>&amp;Replace</translation>
    </message>
    <message>
        <source>全部替换(&amp;A)</source>
        <translation>Replace &amp;All</translation>
    </message>
    <message>
        <source>替换</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>找不到“%1”</source>
        <translation>Cannot find "%1"</translation>
    </message>
    <message>
        <source>已替换 %1 处</source>
        <translation>%1 replaced</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::CrossReferenceWindow</name>
    <message>
        <source>交叉引用</source>
        <translation>Cross Reference</translation>
    </message>
    <message>
        <source>地址前缀, 例如 R00</source>
        <translation>Address prefix, e.g. R00</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>用途</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>指令</source>
        <translation>Instruction</translation>
    </message>
    <message>
        <source>常开触点</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>常闭触点</source>
        <translation>Closed contact</translation>
    </message>
    <message>
        <source>线圈</source>
        <translation>Coil</translation>
    </message>
    <message>
        <source>读</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>写</source>
        <translation>Written</translation>
    </message>
    <message>
        <source>行%1列%2</source>
        <translation>row %1 column %2</translation>
    </message>
    <message>
        <source>警告: %1 用于多个线圈: %2</source>
        <translation>Warning: %1 is the coil of more than one rung: %2</translation>
    </message>
    <message>
        <source>警告: %1 被读取但从未写入: %2</source>
        <translation>Warning: %1 is read but never written: %2</translation>
    </message>
</context>
</TS>
