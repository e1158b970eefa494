#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>

#include "app/about_dialog.h"
#include "app/application.h"
#include "app/message_translator.h"
#include "app/output_pane.h"
#include "app/single_instance.h"
#include "common/interaction.h"
#include "compiler/plc_document_file.h"
#include "plc/codb_table.h"

namespace kelcc::ui {
namespace {

TEST(SingleInstanceTest, SecondStartHandsItsRequestToTheFirst) {
    const QString name = QStringLiteral("kelcc-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(name);
    ASSERT_TRUE(first.start(QString()));
    QSignalSpy requests(&first, &SingleInstance::requestReceived);

    SingleInstance second(name);
    EXPECT_FALSE(second.start(QStringLiteral("/home/u/项目/demo.gpr")));
    ASSERT_TRUE(requests.wait(2000));
    EXPECT_EQ(requests[0][0].toString(), QStringLiteral("/home/u/项目/demo.gpr"));
}

// A translator filled in memory: the built file reorders no arguments.
class ReorderingTranslator final : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        return QByteArray(context) == MessageTranslator::kContext &&
                       QByteArray(source) == "行%1列%2"
                   ? QStringLiteral("column %2, row %1")
                   : QString();
    }
    bool isEmpty() const override { return false; }
};

TEST(LanguageTest, BuiltEnglishFileTranslatesTextsAndTemplatesOrChineseIsUsed) {
    QTemporaryDir empty;
    QTranslator translator;
    core::common::RecordingInteraction recorder;
    EXPECT_EQ(Application::installLanguage(1, {empty.path()}, translator, recorder), 0);
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, "Failed to load \"KELCC_ResENU.qm\" !");
    // Chinese needs no file and says nothing.
    EXPECT_EQ(Application::installLanguage(0, {empty.path()}, translator, recorder), 0);
    EXPECT_EQ(recorder.messages().size(), 1u);

    ASSERT_EQ(Application::installLanguage(1, {QStringLiteral(KELCC_TRANSLATION_DIR)}, translator,
                                           recorder),
              1);
    EXPECT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(QCoreApplication::translate("kelcc::ui::MainWindow", "文件(&F)"),
              QStringLiteral("&File"));
    EXPECT_EQ(MessageTranslator::translate("是否保存当前打开的工程?"),
              QStringLiteral("Save the open project?"));
    MessageTranslator::addTemplates({"KELCC - 工程:%1", "路径名 %1 无效,未找到工程文件!",
                                     core::plc::kCodbMaxMessage.data(), "未翻译 %1"});
    EXPECT_EQ(MessageTranslator::translate("KELCC - 工程:车床"),
              QStringLiteral("KELCC - Project:车床"));
    EXPECT_EQ(MessageTranslator::translate("路径名 /home/u/a b.gpr 无效,未找到工程文件!"),
              QStringLiteral("Invalid path /home/u/a b.gpr: project file not found!"));
    // A placeholder with a format ("%1!d!") stands for the bare number.
    EXPECT_EQ(MessageTranslator::translate("转换表数据设置错误!(最大值为126)"),
              QStringLiteral("Invalid conversion table data! (Maximum 126)"));
    // Unknown texts, and texts that only resemble a template, stay as they are.
    for (const char* kept : {"没有翻译", "未翻译 x", "路径名 x 有效"})
        EXPECT_EQ(MessageTranslator::translate(kept), QString::fromUtf8(kept));
    // A question whose argument comes first and spans lines.
    MessageTranslator::addTemplates({core::compiler::PlcDocumentFile::kSaveQuestionFormat});
    const QString question = MessageTranslator::translate(
        std::string("/p/main_a.ldx") + (core::compiler::PlcDocumentFile::kSaveQuestionFormat + 2));
    EXPECT_TRUE(question.startsWith(QStringLiteral("/p/main_a.ldx\r\n"))) << question.toStdString();
    EXPECT_FALSE(question.contains(QStringLiteral("梯形图"))) << question.toStdString();

    // Arguments go back by number when a translation reorders them, and one
    // that looks like a placeholder stays as it is.
    ReorderingTranslator reordering;
    QCoreApplication::installTranslator(&reordering);
    MessageTranslator::addTemplates({"行%1列%2"});
    EXPECT_EQ(MessageTranslator::translate("行12列%1"), QStringLiteral("column %1, row 12"));
    QCoreApplication::removeTranslator(&reordering);
    QCoreApplication::removeTranslator(&translator);
}

TEST(OutputPaneTest, LinesNamingALadderPlace) {
    using Place = std::optional<std::pair<int, int>>;
    const std::pair<const char*, Place> cases[] = {
        {"    错误 0012 : [行(35)列(4)] : x", std::pair{35, 4}},
        {"    错误 0012 : [行(7)列( )] : x", std::pair{7, 0}},
        {"    Error 0012 : [Row(35)Column(4)] : x", std::pair{35, 4}},
        {"    Warning 0081 : [Row(9)Column(1)] : LBL L2No JUMP.", std::pair{9, 1}},
        {"    Found X0005.3 (12)(5)", std::pair{12, 5}},
        // No row, no four spaces, or another first word: nothing to go to.
        {"    错误 0001                 : 程序为空", std::nullopt},
        {"错误 0012 : [行(35)列(4)] : x", std::nullopt},
        {"    编译成功 : 0 错误(2)", std::nullopt}};
    for (const auto& [line, place] : cases)
        EXPECT_EQ(OutputPane::placeOf(QString::fromUtf8(line)), place) << line;
}

TEST(AboutDialogTest, HistoryShowsTheFileOrSaysItIsMissing) {
    QTemporaryDir dir;
    EXPECT_EQ(AboutDialog::historyText(dir.path()), QStringLiteral("未找到history.txt."));
    QFile file(dir.filePath(QStringLiteral("history.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("V1.4\r\n\xb0\xe6\xb1\xbe\r\n");  // GBK, as the controller's tools write
    file.close();
    EXPECT_EQ(AboutDialog::historyText(dir.path()), QStringLiteral("V1.4\r\n版本\r\n"));
}

}  // namespace
}  // namespace kelcc::ui
