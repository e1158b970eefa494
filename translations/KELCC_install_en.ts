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
</TS>
