#include "app/message_translator.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>
#include <map>

namespace kelcc::ui {
namespace {

// A translator filled in memory instead of from a compiled file.
class MapTranslator final : public QTranslator {
public:
    std::map<QString, QString> entries;
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (QByteArray(context) != MessageTranslator::kContext) return {};
        const auto it = entries.find(QString::fromUtf8(source));
        return it == entries.end() ? QString() : it->second;
    }
    bool isEmpty() const override { return false; }
};

class MessageTranslatorTest : public testing::Test {
protected:
    void SetUp() override {
        m_translator.entries = {
            {QStringLiteral("文件打开失败!"), QStringLiteral("The file could not be opened.")},
            {QStringLiteral("路径名 %1 无效,未找到工程文件!"),
             QStringLiteral("No project file at %1.")},
            {QStringLiteral("行%1列%2"), QStringLiteral("column %2, row %1")},
            {QStringLiteral("最大值为%1!d!"), QStringLiteral("at most %1!d!!")},
        };
        QCoreApplication::installTranslator(&m_translator);
        MessageTranslator::addTemplates(
            {"路径名 %1 无效,未找到工程文件!", "行%1列%2", "未翻译 %1", "最大值为%1!d!"});
    }
    void TearDown() override { QCoreApplication::removeTranslator(&m_translator); }

    MapTranslator m_translator;
};

TEST_F(MessageTranslatorTest, TranslatesExactTextsAndTemplatesWithTheirArguments) {
    EXPECT_EQ(MessageTranslator::translate("文件打开失败!"), "The file could not be opened.");
    EXPECT_EQ(MessageTranslator::translate("路径名 /home/u/a b.gpr 无效,未找到工程文件!"),
              "No project file at /home/u/a b.gpr.");
    // Arguments go back by number even when the translation reorders them,
    // and an argument that looks like a placeholder stays as it is.
    EXPECT_EQ(MessageTranslator::translate("行12列%1"), "column %1, row 12");
    // A placeholder with a format ("%1!d!") stands for the bare number.
    EXPECT_EQ(MessageTranslator::translate("最大值为126"), "at most 126!");
}

TEST_F(MessageTranslatorTest, UnknownTextsStayInTheSourceLanguage) {
    EXPECT_EQ(MessageTranslator::translate("没有翻译"), "没有翻译");
    EXPECT_EQ(MessageTranslator::translate("未翻译 x"), "未翻译 x");
    // A text that only resembles a template is not cut apart.
    EXPECT_EQ(MessageTranslator::translate("路径名 x 有效"), "路径名 x 有效");
}

}  // namespace
}  // namespace kelcc::ui
