<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Messages</name>
    <message>
        <source>串口存在,但当前用户没有打开它的权限!请把用户加入dialout组(sudo adduser $USER dialout),然后重新登录.</source>
        <translation>The serial port exists, but this user may not open it. Add the user to the dialout group (sudo adduser $USER dialout) and log in again.</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::CompareWithCncAction</name>
    <message>
        <source>与CNC比较(&amp;P)...</source>
        <translation>Com&amp;pare with CNC...</translation>
    </message>
    <message>
        <source>比较当前工程与CNC中的文件,不改变工程</source>
        <translation>Compare the open project with the files in the CNC; the project is not changed</translation>
    </message>
    <message>
        <source>请先打开工程.</source>
        <translation>Open a project first.</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::CompareWithCncDialog</name>
    <message>
        <source>与CNC比较</source>
        <translation>Compare with CNC</translation>
    </message>
    <message>
        <source>正在与CNC比较...</source>
        <translation>Comparing with the CNC...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>正在取消...</source>
        <translation>Cancelling...</translation>
    </message>
    <message>
        <source>工程与CNC中的文件相同.</source>
        <translation>The project and the CNC hold the same files.</translation>
    </message>
    <message>
        <source>工程与CNC中的文件不同.</source>
        <translation>The project and the CNC differ.</translation>
    </message>
    <message>
        <source>比较未完成.</source>
        <translation>The compare did not finish.</translation>
    </message>
    <message>
        <source>相同</source>
        <translation>same</translation>
    </message>
    <message>
        <source>不同</source>
        <translation>different</translation>
    </message>
    <message>
        <source>仅在工程中</source>
        <translation>only in the project</translation>
    </message>
    <message>
        <source>仅在CNC中</source>
        <translation>only on the CNC</translation>
    </message>
    <message>
        <source>未比较</source>
        <translation>not compared</translation>
    </message>
</context>
</TS>
