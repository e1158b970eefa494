<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>LadderPrintout</name>
    <message>
        <source>PDF文件写入失败: %1</source>
        <translation>Could not write the PDF file: %1</translation>
    </message>
</context>
<context>
    <name>MessageBoxInteraction</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>是(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>否(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>重试(&amp;R)</source>
        <translation>&amp;Retry</translation>
    </message>
    <message>
        <source>中止(&amp;A)</source>
        <translation>&amp;Abort</translation>
    </message>
    <message>
        <source>忽略(&amp;I)</source>
        <translation>&amp;Ignore</translation>
    </message>
</context>
<context>
    <name>PartProgramActions</name>
    <message>
        <source>加工程序文件</source>
        <translation>Part Program File</translation>
    </message>
    <message>
        <source>CNC加工程序文件(*.cnc)</source>
        <translation>CNC part program files (*.cnc)</translation>
    </message>
</context>
<context>
    <name>WorkbenchDialogs</name>
    <message>
        <source>打开工程...</source>
        <translation>Open Project...</translation>
    </message>
    <message>
        <source>配置工程文件(*.gpr)</source>
        <translation>Project files (*.gpr)</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::AboutDialog</name>
    <message>
        <source>关于 KELCC</source>
        <translation>About KELCC</translation>
    </message>
    <message>
        <source>KEL500LT 车床数控系统配置工具</source>
        <translation>Configuration workbench for the KEL500LT lathe CNC</translation>
    </message>
    <message>
        <source>KELCC</source>
        <translation>KELCC</translation>
    </message>
    <message>
        <source>版本历史</source>
        <translation>Version History</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>未找到history.txt.</source>
        <translation>history.txt not found.</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::LadderView</name>
    <message>
        <source>触点(&amp;I)</source>
        <translation>Co&amp;ntact</translation>
    </message>
    <message>
        <source>在光标下方添加并联触点</source>
        <translation>Parallel Contact</translation>
    </message>
    <message>
        <source>线圈(&amp;C)</source>
        <translation>C&amp;oil</translation>
    </message>
    <message>
        <source>功能指令(&amp;F)</source>
        <translation>&amp;Function Instruction</translation>
    </message>
    <message>
        <source>添加连接横线(F4)</source>
        <translation>Horizontal Link (F4)</translation>
    </message>
    <message>
        <source>添加连接竖线(F5)</source>
        <translation>Vertical Link (F5)</translation>
    </message>
    <message>
        <source>删除选择区域</source>
        <translation>Delete Selection</translation>
    </message>
    <message>
        <source>删除连接竖线</source>
        <translation>Delete Vertical Link</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>剪切(&amp;X)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>插入一行(&amp;I)</source>
        <translation>&amp;Insert Row</translation>
    </message>
    <message>
        <source>梯形图行号</source>
        <translation>Row Numbers</translation>
    </message>
    <message>
        <source>显示注释</source>
        <translation>Show Comments</translation>
    </message>
    <message>
        <source>编译(&amp;C)</source>
        <translation>&amp;Compile</translation>
    </message>
    <message>
        <source>编译梯形图程序</source>
        <translation>Compile the ladder program</translation>
    </message>
    <message>
        <source>查找(&amp;S)...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <source>指定行(&amp;L)...</source>
        <translation>&amp;Go to Row...</translation>
    </message>
    <message>
        <source>程序开始</source>
        <translation>Start of Program</translation>
    </message>
    <message>
        <source>程序末尾</source>
        <translation>End of Program</translation>
    </message>
    <message>
        <source>打印(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>打印预览(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>注释上移一行</source>
        <translation>Move Comments Up One Row</translation>
    </message>
    <message>
        <source>插入一行注释</source>
        <translation>Insert Comment Row</translation>
    </message>
    <message>
        <source>删除本行注释</source>
        <translation>Delete Comment of This Row</translation>
    </message>
    <message>
        <source>添加(&amp;A)...</source>
        <translation>&amp;Add...</translation>
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
        <source>功能指令</source>
        <translation>Function Instruction</translation>
    </message>
    <message>
        <source>转到(&amp;G)</source>
        <translation>&amp;Go To</translation>
    </message>
    <message>
        <source>指定行</source>
        <translation>Row...</translation>
    </message>
    <message>
        <source>程序结束</source>
        <translation>End of Program</translation>
    </message>
    <message>
        <source>查找结果</source>
        <translation>Find Results</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::DeleteProgramDialog</name>
    <message>
        <source>从工程中删除</source>
        <translation>Remove from the project</translation>
    </message>
    <message>
        <source>从硬盘上永久删除</source>
        <translation>Delete permanently from the disk</translation>
    </message>
    <message>
        <source>删除CNC加工程序 %1</source>
        <translation>Delete CNC Part Program %1</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::FindDialog</name>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>元件名</source>
        <translation>Element name</translation>
    </message>
    <message>
        <source>功能指令</source>
        <translation>Function instruction</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>元件地址</source>
        <translation>Element address</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>向上</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>向下</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::FunctionChooserDialog</name>
    <message>
        <source>功能指令</source>
        <translation>Function Instruction</translation>
    </message>
    <message>
        <source>在左边列表框选择
或直接在右边编辑框输入功能指令</source>
        <translation>Select from the list on the left
or type the function instruction in the box on the right</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::GoToDialog</name>
    <message>
        <source>转到</source>
        <translation>Go To</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Column</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::ImportLadderDialog</name>
    <message>
        <source>导入到新建工程中</source>
        <translation>Import into a new project</translation>
    </message>
    <message>
        <source>导入到当前打开的工程中</source>
        <translation>Import into the open project</translation>
    </message>
    <message>
        <source>导入梯形图程序(*.ldx)</source>
        <translation>Import Ladder Program (*.ldx)</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>选择梯形图程序文件</source>
        <translation>Select Ladder Program File</translation>
    </message>
    <message>
        <source>梯形图程序文件(*.ldx)</source>
        <translation>Ladder program files (*.ldx)</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::LadderWindow</name>
    <message>
        <source>PLC主程序</source>
        <translation>PLC Main Program</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::MainWindow</name>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>工程管理器</source>
        <translation>Project Manager</translation>
    </message>
    <message>
        <source>信息输出窗</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>新建工程(&amp;N)...</source>
        <translation>&amp;New Project...</translation>
    </message>
    <message>
        <source>新建一个配置工程</source>
        <translation>Create a new project</translation>
    </message>
    <message>
        <source>打开工程(&amp;O)...</source>
        <translation>&amp;Open Project...</translation>
    </message>
    <message>
        <source>打开一个已有的配置工程</source>
        <translation>Open an existing project</translation>
    </message>
    <message>
        <source>关闭工程(&amp;C)</source>
        <translation>&amp;Close Project</translation>
    </message>
    <message>
        <source>关闭当前打开的工程</source>
        <translation>Close the open project</translation>
    </message>
    <message>
        <source>保存工程(&amp;S)</source>
        <translation>&amp;Save Project</translation>
    </message>
    <message>
        <source>保存工程的所有文件</source>
        <translation>Save all files of the project</translation>
    </message>
    <message>
        <source>工程另存为(&amp;A)...</source>
        <translation>Save Project &amp;As...</translation>
    </message>
    <message>
        <source>以新的名称保存工程</source>
        <translation>Save the project under a new name</translation>
    </message>
    <message>
        <source>导入梯形图程序(&amp;I)...</source>
        <translation>&amp;Import Ladder Program...</translation>
    </message>
    <message>
        <source>导入一个梯形图程序文件</source>
        <translation>Import a ladder program file</translation>
    </message>
    <message>
        <source>打印设置(&amp;R)...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>选项(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>关于 KELCC(&amp;A)...</source>
        <translation>&amp;About KELCC...</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>工程管理器(&amp;W)</source>
        <translation>Project &amp;Manager</translation>
    </message>
    <message>
        <source>输出窗(&amp;O)</source>
        <translation>&amp;Output</translation>
    </message>
    <message>
        <source>PLC(&amp;P)</source>
        <translation>&amp;PLC</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>窗口(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>层叠(&amp;C)</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>平铺(&amp;T)</source>
        <translation>&amp;Tile</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::NewProjectDialog</name>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>工程名称</source>
        <translation>Project name</translation>
    </message>
    <message>
        <source>存储路径</source>
        <translation>Storage path</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>打开工程...</source>
        <translation>Open Project...</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::OperandDialog</name>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>形式</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>标号</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>子程序</source>
        <translation>Subprogram</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::OptionsDialog</name>
    <message>
        <source>自动载入最后一次打开的工程</source>
        <translation>Reopen the last project at start-up</translation>
    </message>
    <message>
        <source>打开工程时自动打开梯形图视图</source>
        <translation>Open the ladder view when a project is opened</translation>
    </message>
    <message>
        <source>中文(Chinese)</source>
        <translation>中文(Chinese)</translation>
    </message>
    <message>
        <source>英文(English)</source>
        <translation>英文(English)</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>程序启动选项</source>
        <translation>Start-up</translation>
    </message>
    <message>
        <source>打开工程选项</source>
        <translation>Opening a project</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
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
    <name>kelcc::ui::PartProgramWindow</name>
    <message>
        <source>零件加工程序-%1</source>
        <translation>Part Program - %1</translation>
    </message>
    <message>
        <source>撤消(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>剪切(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>全选(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::PlcPropertiesDialog</name>
    <message>
        <source>梯形图属性</source>
        <translation>Ladder Properties</translation>
    </message>
    <message>
        <source>梯形图设计:</source>
        <translation>Ladder designer:</translation>
    </message>
    <message>
        <source>梯形图版本:</source>
        <translation>Ladder version:</translation>
    </message>
    <message>
        <source>备注:</source>
        <translation>Remark:</translation>
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
    <name>kelcc::ui::ProgramNameDialog</name>
    <message>
        <source>新建零件加工程序</source>
        <translation>New Part Program</translation>
    </message>
    <message>
        <source>加入零件加工程序</source>
        <translation>Add Part Program</translation>
    </message>
    <message>
        <source>输入文件名</source>
        <translation>Enter the file name</translation>
    </message>
    <message>
        <source>保存文件名</source>
        <translation>Save under the file name</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::ProjectTreePane</name>
    <message>
        <source>打开(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>属性(&amp;A)...</source>
        <translation>Propert&amp;ies...</translation>
    </message>
    <message>
        <source>新建文件(&amp;N)...</source>
        <translation>&amp;New File...</translation>
    </message>
    <message>
        <source>导入文件(&amp;A)...</source>
        <translation>&amp;Add File...</translation>
    </message>
</context>
<context>
    <name>kelcc::ui::UndoActions</name>
    <message>
        <source>撤消(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>撤消 %1(&amp;U)</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>重做 %1(&amp;R)</source>
        <translation>&amp;Redo %1</translation>
    </message>
    <message>
        <source>撤消</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>撤消 %1</source>
        <translation>Undo %1</translation>
    </message>
    <message>
        <source>重做 %1</source>
        <translation>Redo %1</translation>
    </message>
</context>
</TS>
