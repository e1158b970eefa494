#include "cnc_data/part_program_actions.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/document_kinds.h"
#include "cnc_data/part_program_dialogs.h"
#include "cnc_data/part_program_window.h"
#include "cnc_data/program_name_dialog.h"
#include "fake_workbench.h"

namespace kelcc::ui {
namespace {

namespace fs = std::filesystem;
using core::app::ProjectItemType;
using core::common::Answer;

void clickOk(QDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

// Types into the name dialog as a user would and presses OK.
void typeName(QDialog& dialog, const QString& text) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("name"));
    edit->clear();
    QTest::keyClicks(edit, text);
    clickOk(dialog);
}

class PartProgramActionsTest : public testing::Test {
protected:
    using Step = std::function<int(QDialog&)>;

    void SetUp() override {
        ASSERT_TRUE(m_workbench.project().newProject([this]() {
            return std::optional<core::app::ProjectLocation>({"Lathe", m_dir.path().toStdString()});
        }));
        PartProgramDialogs::setRunner([this](QDialog& dialog) {
            EXPECT_FALSE(m_steps.empty())
                << "unexpected dialog " << dialog.windowTitle().toStdString();
            if (m_steps.empty()) return int(QDialog::Rejected);
            const Step step = m_steps.front();
            m_steps.pop_front();
            m_titles.push_back(dialog.windowTitle());
            return step(dialog);
        });
    }
    void TearDown() override {
        PartProgramDialogs::setRunner({});
        EXPECT_TRUE(m_steps.empty()) << "dialogs not shown: " << m_steps.size();
    }

    fs::path folder() { return m_workbench.project().folder(); }
    std::string read(const std::string& file) {
        std::ifstream in(folder() / file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void write(const fs::path& path, const std::string& bytes) const {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::vector<std::string> programs() {
        std::vector<std::string> names;
        for (const auto& p : m_workbench.project().tree().enumeratePrograms())
            names.push_back(p.name);
        return names;
    }
    std::vector<std::string> messageTexts() {
        std::vector<std::string> texts;
        for (const auto& m : m_workbench.recording().messages())
            texts.push_back(m.text);
        return texts;
    }

    QTemporaryDir m_dir;
    test::FakeWorkbench m_workbench;
    std::deque<Step> m_steps;
    QStringList m_titles;
};

TEST_F(PartProgramActionsTest, NewProgramDialogStaysOpenOnRefusedNamesAndCreatesThePaddedName) {
    QString preset;
    m_steps.push_back([&](QDialog& dialog) {
        preset = dialog.findChild<QLineEdit*>(QStringLiteral("name"))->text();
        for (const char* refused : {"", "P0001", "O12A", "O"}) {
            typeName(dialog, refused);
            EXPECT_EQ(dialog.result(), QDialog::Rejected) << refused;
        }
        typeName(dialog, QStringLiteral("o7"));  // typed as capitals
        return dialog.result();
    });
    EXPECT_TRUE(PartProgramActions::newProgram(m_workbench));

    EXPECT_EQ(preset, QStringLiteral("O0001"));
    EXPECT_EQ(m_titles, QStringList{QStringLiteral("新建零件加工程序")});
    const auto texts = messageTexts();
    ASSERT_EQ(texts.size(), 4U);
    EXPECT_EQ(texts[0], "请输入文件名!");
    EXPECT_EQ(texts[3], "请输入以字母 'O' 开头后加数字的文件名!");
    EXPECT_EQ(read("O0007.cnc"), "O0007\r\n");
    EXPECT_EQ(programs(), std::vector<std::string>{"O0007"});
    ASSERT_FALSE(m_workbench.host().opened().empty());
    EXPECT_EQ(m_workbench.host().opened().back(),
              std::make_pair((folder() / "O0007.cnc").string(), ProjectItemType::PartProgram));
    EXPECT_EQ(m_workbench.treeRefreshes(), 1);
    // The project file lists the program.
    test::FakeWorkbench reader;
    ASSERT_TRUE(reader.project().loadProjectFile(m_workbench.project().projectFilePath(), true));
    ASSERT_EQ(reader.project().tree().enumeratePrograms().size(), 1U);
}

TEST_F(PartProgramActionsTest, NewProgramProposesTheFirstNumberNeitherTreeNorFolderHas) {
    write(folder() / "O0001.cnc", "O0001\r\n");  // a file the tree does not list
    QStringList presets;
    const auto step = [&presets](const QString& typed) {
        return [&presets, typed](QDialog& d) {
            presets << d.findChild<QLineEdit*>(QStringLiteral("name"))->text();
            typeName(d, typed);
            return d.result();
        };
    };
    m_steps.push_back(step(QStringLiteral("O2")));
    ASSERT_TRUE(PartProgramActions::newProgram(m_workbench));
    m_steps.push_back(step(QStringLiteral("O9")));
    ASSERT_TRUE(PartProgramActions::newProgram(m_workbench));
    EXPECT_EQ(presets, (QStringList{QStringLiteral("O0002"), QStringLiteral("O0003")}));
    EXPECT_TRUE(messageTexts().empty()) << "the preset overwrites nothing";
}

TEST_F(PartProgramActionsTest, NewProgramOverAnExistingFileAsksAndCancelReturnsToTheDialog) {
    write(folder() / "O0012.cnc", "O0012\r\nG00 X0\r\n");
    m_workbench.recording().script({Answer::Cancel});
    m_steps.push_back([](QDialog& d) {
        typeName(d, QStringLiteral("O12"));
        return d.result();
    });
    m_steps.push_back([](QDialog& d) {
        // The same dialog comes back with what was typed.
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("name"))->text(), "O12");
        d.reject();
        return d.result();
    });
    EXPECT_FALSE(PartProgramActions::newProgram(m_workbench));
    EXPECT_EQ(read("O0012.cnc"), "O0012\r\nG00 X0\r\n");
    EXPECT_TRUE(programs().empty());
    EXPECT_EQ(m_workbench.treeRefreshes(), 0);
    ASSERT_EQ(m_workbench.recording().messages().size(), 1U);
    EXPECT_EQ(m_workbench.recording().messages()[0].text, "文件 O0012.cnc 已存在,覆盖该文件吗?");
    EXPECT_EQ(m_workbench.recording().messages()[0].caption, "新建零件加工程序");

    m_workbench.recording().script({Answer::Ok});
    m_steps.push_back([](QDialog& d) {
        typeName(d, QStringLiteral("O0012"));
        return d.result();
    });
    EXPECT_TRUE(PartProgramActions::newProgram(m_workbench));
    EXPECT_EQ(read("O0012.cnc"), "O0012\r\n");
    EXPECT_EQ(programs(), std::vector<std::string>{"O0012"});
}

TEST_F(PartProgramActionsTest, DeleteRemovesTheEntryAndOnRequestTheFile) {
    for (const char* name : {"O1", "O2", "O3"}) {
        m_steps.push_back([name](QDialog& d) {
            typeName(d, QString::fromLatin1(name));
            return d.result();
        });
        ASSERT_TRUE(PartProgramActions::newProgram(m_workbench));
    }
    const int refreshes = m_workbench.treeRefreshes();

    m_steps.push_back([](QDialog& d) {
        d.reject();
        return d.result();
    });
    EXPECT_FALSE(PartProgramActions::deleteProgram(m_workbench, "O0001"));
    m_steps.push_back([](QDialog& d) {
        EXPECT_TRUE(d.findChild<QRadioButton*>(QStringLiteral("fromProject"))->isChecked());
        clickOk(d);
        return d.result();
    });
    EXPECT_TRUE(PartProgramActions::deleteProgram(m_workbench, "O0001"));
    m_steps.push_back([](QDialog& d) {
        d.findChild<QRadioButton*>(QStringLiteral("fromDisk"))->click();
        clickOk(d);
        return d.result();
    });
    EXPECT_TRUE(PartProgramActions::deleteProgram(m_workbench, "O0002"));
    // Not in the tree: no dialog.
    EXPECT_FALSE(PartProgramActions::deleteProgram(m_workbench, "O0002"));

    EXPECT_EQ(m_titles.mid(3), (QStringList{QStringLiteral("删除CNC加工程序 O0001"),
                                            QStringLiteral("删除CNC加工程序 O0001"),
                                            QStringLiteral("删除CNC加工程序 O0002")}));
    EXPECT_EQ(programs(), std::vector<std::string>{"O0003"});
    EXPECT_TRUE(fs::exists(folder() / "O0001.cnc"));
    EXPECT_FALSE(fs::exists(folder() / "O0002.cnc"));
    EXPECT_EQ(m_workbench.treeRefreshes(), refreshes + 2);
}

TEST_F(PartProgramActionsTest, ImportCopiesTheChosenFileUnderTheCheckedName) {
    const fs::path source = fs::path(m_dir.path().toStdString()) / "O0025 roughing.cnc";
    write(source, "O0025\nG00 X10\n");
    QString preset;
    m_steps.push_back([&](QDialog& d) {
        auto& files = dynamic_cast<QFileDialog&>(d);
        EXPECT_EQ(files.nameFilters(), QStringList{QStringLiteral("CNC加工程序文件(*.cnc)")});
        EXPECT_EQ(files.fileMode(), QFileDialog::ExistingFile);
        files.selectFile(QString::fromStdString(source.string()));
        return int(QDialog::Accepted);
    });
    m_steps.push_back([&](QDialog& d) {
        preset = d.findChild<QLineEdit*>(QStringLiteral("name"))->text();
        typeName(d, QStringLiteral("o25"));
        return d.result();
    });
    EXPECT_TRUE(PartProgramActions::importProgram(m_workbench));
    EXPECT_EQ(m_titles,
              (QStringList{QStringLiteral("加工程序文件"), QStringLiteral("加入零件加工程序")}));
    EXPECT_EQ(preset, QStringLiteral("O0025"));
    EXPECT_EQ(read("O0025.cnc"), "O0025\r\nG00 X10\r\n");
    EXPECT_EQ(programs(), std::vector<std::string>{"O0025"});
    EXPECT_EQ(m_workbench.treeRefreshes(), 1);

    // A file of another extension is refused before the name is asked for.
    const fs::path text = fs::path(m_dir.path().toStdString()) / "O0026.txt";
    write(text, "O0026\n");
    m_steps.push_back([&](QDialog& d) {
        dynamic_cast<QFileDialog&>(d).selectFile(QString::fromStdString(text.string()));
        return int(QDialog::Accepted);
    });
    EXPECT_FALSE(PartProgramActions::importProgram(m_workbench));
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"文件扩展名错误!"});
}

TEST_F(PartProgramActionsTest, OpenGoesToTheProgramWindowKind) {
    m_steps.push_back([](QDialog& d) {
        typeName(d, QStringLiteral("O5"));
        return d.result();
    });
    ASSERT_TRUE(PartProgramActions::newProgram(m_workbench));
    // Open again: the window is already there and comes to the front.
    EXPECT_TRUE(PartProgramActions::openProgram(m_workbench, "O0005"));
    ASSERT_EQ(m_workbench.host().activated().size(), 1U);
    EXPECT_FALSE(PartProgramActions::openProgram(m_workbench, "O0006"));

    PartProgramActions::registerWindowKind();
    std::unique_ptr<DocumentWindow> window(DocumentKinds::create(
        m_workbench, (folder() / "O0005.cnc").string(), ProjectItemType::PartProgram));
    ASSERT_NE(dynamic_cast<PartProgramWindow*>(window.get()), nullptr);
    ASSERT_TRUE(window->load());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("零件加工程序-O0005[*]"));
}

}  // namespace
}  // namespace kelcc::ui
