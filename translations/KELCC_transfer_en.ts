<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Messages</name>
    <message>
        <source>串口不存在或被占用!</source>
        <translation>The serial port does not exist or is in use!</translation>
    </message>
    <message>
        <source>连接失败!请检查硬件连接。</source>
        <translation>Connection failed! Please check the cable and the controller.</translation>
    </message>
    <message>
        <source>连接成功!</source>
        <translation>Connected!</translation>
    </message>
    <message>
        <source>未收到断链应答,异常退出.</source>
        <translation>No answer to the disconnect request; the link was closed anyway.</translation>
    </message>
    <message>
        <source>获取文件列表失败!</source>
        <translation>Could not get the file list!</translation>
    </message>
    <message>
        <source>所有文件传送完毕</source>
        <translation>All files have been sent</translation>
    </message>
    <message>
        <source>所有文件接收完毕</source>
        <translation>All files have been received</translation>
    </message>
    <message>
        <source>通讯被用户取消</source>
        <translation>Communication cancelled by the user</translation>
    </message>
    <message>
        <source>将覆盖当前打开的工程文件,确定继续吗?</source>
        <translation>This overwrites the files of the open project. Continue?</translation>
    </message>
    <message>
        <source>从CNC读入文件</source>
        <translation>Read files from the CNC</translation>
    </message>
    <message>
        <source>已经与CNC连接，退出前将断开连接。&#13;
&#13;
确定要退出吗？</source>
        <translation>Connected to the CNC; the link will be closed before exiting.&#13;
&#13;
Exit now?</translation>
    </message>
    <message>
        <source>KELCC-文件传输</source>
        <translation>KELCC - File transfer</translation>
    </message>
    <message>
        <source>文件接收</source>
        <translation>File upload</translation>
    </message>
    <message>
        <source>接收到CNC上传的文件 &quot;%1&quot;</source>
        <translation>The CNC uploaded the file &quot;%1&quot;</translation>
    </message>
    <message>
        <source>CNC忙，暂停传输</source>
        <translation>CNC busy, transfer paused</translation>
    </message>
    <message>
        <source>未选定文件!</source>
        <translation>No file selected!</translation>
    </message>
    <message>
        <source>创建临时目录路径失败!</source>
        <translation>Could not create the temporary folder!</translation>
    </message>
    <message>
        <source>发送文件传输命令</source>
        <translation>Sending the file transfer command</translation>
    </message>
    <message>
        <source>发送文件数据</source>
        <translation>Sending file data</translation>
    </message>
    <message>
        <source>发送下载命令</source>
        <translation>Sending the download command</translation>
    </message>
    <message>
        <source>接收文件数据</source>
        <translation>Receiving file data</translation>
    </message>
    <message>
        <source>数据校验和错.</source>
        <translation>Data checksum error.</translation>
    </message>
    <message>
        <source>FLASH存储空间满.</source>
        <translation>The FLASH storage is full.</translation>
    </message>
    <message>
        <source>操作超时,断开连接.</source>
        <translation>Timed out; the link is closed.</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>The file does not exist</translation>
    </message>
    <message>
        <source>读写文件错误.</source>
        <translation>File read or write error.</translation>
    </message>
    <message>
        <source>达到最大错误数,断开连接.</source>
        <translation>Too many errors; the link is closed.</translation>
    </message>
    <message>
        <source>操作超时，检测对方状态</source>
        <translation>Timed out, probing the other end</translation>
    </message>
    <message>
        <source>通讯被另一端取消.</source>
        <translation>The other end cancelled the communication.</translation>
    </message>
    <message>
        <source>未知的应答数据</source>
        <translation>Unknown answer data</translation>
    </message>
    <message>
        <source>CNC禁止修改文件数据</source>
        <translation>The CNC does not allow the file to be changed</translation>
    </message>
    <message>
        <source>CNC权限不允许文件数据修改</source>
        <translation>The CNC's access level does not allow the file to be changed</translation>
    </message>
    <message>
        <source>传送至CNC</source>
        <translation>Send to the CNC</translation>
    </message>
    <message>
        <source>工程有未保存的修改,或PLC程序尚未编译.&#13;
选择&quot;是&quot;先保存(并编译)工程再传送,选择&quot;否&quot;按磁盘上的文件传送.</source>
        <translation>The project has unsaved changes, or the PLC program is not compiled.&#13;
Choose &quot;Yes&quot; to save (and compile) the project before sending, &quot;No&quot; to send the files as they are on disk.</translation>
    </message>
    <message>
        <source>PLC程序未能编译,工程未传送.</source>
        <translation>The PLC program could not be compiled; nothing was sent.</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::CommSettingsDialog</name>
    <message>
        <source>通信设置</source>
        <translation>Communication settings</translation>
    </message>
    <message>
        <source>串口 COM</source>
        <translation>Serial port COM</translation>
    </message>
    <message>
        <source>波特率(bps)</source>
        <translation>Baud rate (bps)</translation>
    </message>
    <message>
        <source>串口设备</source>
        <translation>Serial devices</translation>
    </message>
    <message>
        <source>(不存在)</source>
        <translation>(missing)</translation>
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
    <name>kelcc::ui::TransferCommands</name>
    <message>
        <source>通讯(&amp;C)</source>
        <translation>&amp;Communication</translation>
    </message>
    <message>
        <source>与CNC建立连接(&amp;N)</source>
        <translation>Co&amp;nnect to the CNC</translation>
    </message>
    <message>
        <source>断开与CNC的连接(&amp;C)</source>
        <translation>Dis&amp;connect from the CNC</translation>
    </message>
    <message>
        <source>传送至CNC(&amp;U)...</source>
        <translation>&amp;Upload to the CNC...</translation>
    </message>
    <message>
        <source>从CNC读入(&amp;D)...</source>
        <translation>Rea&amp;d from the CNC...</translation>
    </message>
    <message>
        <source>通信设置(&amp;M)</source>
        <translation>Co&amp;mmunication settings</translation>
    </message>
    <message>
        <source>已连接CNC: COM%1 (%2)</source>
        <translation>Connected to the CNC: COM%1 (%2)</translation>
    </message>
    <message>
        <source>正在连接CNC: COM%1 (%2)</source>
        <translation>Connecting to the CNC: COM%1 (%2)</translation>
    </message>
    <message>
        <source>未连接CNC</source>
        <translation>Not connected</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>All Files(*)</source>
        <translation>All Files(*)</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::TransferFileDialog</name>
    <message>
        <source>PLC程序文件</source>
        <translation>PLC program file</translation>
    </message>
    <message>
        <source>CNC配置文件</source>
        <translation>CNC configuration files</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>刀具偏置</source>
        <translation>Tool offsets</translation>
    </message>
    <message>
        <source>螺距补偿</source>
        <translation>Pitch compensation</translation>
    </message>
    <message>
        <source>加工程序文件</source>
        <translation>Part programs</translation>
    </message>
    <message>
        <source>%1 字节</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>从CNC读入文件</source>
        <translation>Read files from the CNC</translation>
    </message>
    <message>
        <source>传送工程至CNC</source>
        <translation>Send the project to the CNC</translation>
    </message>
    <message>
        <source>传送文件</source>
        <translation>Files to send</translation>
    </message>
    <message>
        <source>保存在存储区：</source>
        <translation>Store in area:</translation>
    </message>
    <message>
        <source>保存方式：</source>
        <translation>Save as:</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>工程 - %1</source>
        <translation>Project - %1</translation>
    </message>
    <message>
        <source>开始传送</source>
        <translation>Start sending</translation>
    </message>
    <message>
        <source>开始读入</source>
        <translation>Start reading</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>新建工程并打开</source>
        <translation>New project, then open it</translation>
    </message>
    <message>
        <source>覆盖当前工程</source>
        <translation>Overwrite the open project</translation>
    </message>
    <message>
        <source>读入文件</source>
        <translation>Files to read</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::TransferProgressWindow</name>
    <message>
        <source>通讯状态</source>
        <translation>Link state</translation>
    </message>
    <message>
        <source>当前状态：</source>
        <translation>State:</translation>
    </message>
    <message>
        <source>重试次数：</source>
        <translation>Retries:</translation>
    </message>
    <message>
        <source>上次错误：</source>
        <translation>Last error:</translation>
    </message>
    <message>
        <source>传输速度：</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>%1 字节/秒</source>
        <translation>%1 bytes/s</translation>
    </message>
    <message>
        <source>文件 %1</source>
        <translation>File %1</translation>
    </message>
    <message>
        <source>当前文件：</source>
        <translation>Current file:</translation>
    </message>
    <message>
        <source>总进度：</source>
        <translation>Total:</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::UploadReceivedDialog</name>
    <message>
        <source>接收到文件</source>
        <translation>File received</translation>
    </message>
    <message>
        <source>接收到CNC上传的文件 &quot;%1&quot;</source>
        <translation>The CNC uploaded the file &quot;%1&quot;</translation>
    </message>
    <message>
        <source>保存文件到硬盘吗?</source>
        <translation>Save the file to disk?</translation>
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
</TS>
