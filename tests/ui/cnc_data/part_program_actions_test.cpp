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

// The rules behind the dialogs (names, overwriting, the copied lines) are
// the core's PartProgramCommands tests; here the dialogs and their wiring.
namespace kelcc::ui {
namespace {

namespace fs = std::filesystem;
using core::app::ProjectItemType;
using core::common::Answer;

void clickOk(QDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}
QString nameIn(QDialog& dialog) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("name"))->text();
}
// Types into the name dialog as a user would and presses OK.
int typeName(QDialog& dialog, const QString& text) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("name"));
    edit->clear();
    QTest::keyClicks(edit, text);
    clickOk(dialog);
    return dialog.result();
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

    // A name dialog that keeps its preset and answers `typed`.
    void answerName(const QString& typed, QStringList* presets = nullptr) {
        m_steps.push_back([typed, presets](QDialog& d) {
            if (presets) *presets << nameIn(d);
            return typeName(d, typed);
        });
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
    const auto& messages() { return m_workbench.recording().messages(); }

    QTemporaryDir m_dir;
    test::FakeWorkbench m_workbench;
    std::deque<Step> m_steps;
    QStringList m_titles;
};

TEST_F(PartProgramActionsTest, NewProgramDialogStaysOpenOnRefusedNamesAndOpensTheProgram) {
    QString preset;
    m_steps.push_back([&](QDialog& dialog) {
        preset = nameIn(dialog);
        for (const char* refused : {"", "P0001", "O12A", "O"})
            EXPECT_EQ(typeName(dialog, refused), QDialog::Rejected) << refused;
        return typeName(dialog, QStringLiteral("o7"));  // typed as capitals
    });
    EXPECT_TRUE(PartProgramActions::newProgram(m_workbench));

    EXPECT_EQ(preset, QStringLiteral("O0001"));
    EXPECT_EQ(messages().size(), 4U);
    EXPECT_EQ(read("O0007.cnc"), "O0007\r\n");
    ASSERT_FALSE(m_workbench.host().opened().empty());
    EXPECT_EQ(m_workbench.host().opened().back(),
              std::make_pair((folder() / "O0007.cnc").string(), ProjectItemType::PartProgram));
    EXPECT_EQ(m_workbench.treeRefreshes(), 1);

    // The preset is the first number neither the tree nor the folder has.
    write(folder() / "O0002.cnc", "O0002\r\n");
    QStringList presets;
    answerName(QStringLiteral("O9"), &presets);
    ASSERT_TRUE(PartProgramActions::newProgram(m_workbench));
    EXPECT_EQ(presets, QStringList{QStringLiteral("O0001")});
    answerName(QStringLiteral("O1"), &presets);
    ASSERT_TRUE(PartProgramActions::newProgram(m_workbench));
    answerName(QStringLiteral("O3"), &presets);
    ASSERT_TRUE(PartProgramActions::newProgram(m_workbench));
    EXPECT_EQ(presets.last(), QStringLiteral("O0003"));
    EXPECT_EQ(messages().size(), 4U) << "the preset overwrites nothing";
}

TEST_F(PartProgramActionsTest, CancelOfTheOverwriteQuestionReturnsToTheDialog) {
    write(folder() / "O0012.cnc", "O0012\r\nG00 X0\r\n");
    m_workbench.recording().script({Answer::Cancel});
    answerName(QStringLiteral("O12"));
    m_steps.push_back([](QDialog& d) {
        EXPECT_EQ(nameIn(d), "O12") << "the same dialog with what was typed";
        d.reject();
        return d.result();
    });
    EXPECT_FALSE(PartProgramActions::newProgram(m_workbench));
    EXPECT_EQ(read("O0012.cnc"), "O0012\r\nG00 X0\r\n");
    EXPECT_TRUE(programs().empty());
    EXPECT_EQ(m_workbench.treeRefreshes(), 0);
    ASSERT_EQ(messages().size(), 1U);
    EXPECT_EQ(messages()[0].text, "文件 O0012.cnc 已存在,覆盖该文件吗?");
}

TEST_F(PartProgramActionsTest, DeleteDialogChoosesBetweenTheEntryAndTheFile) {
    for (const char* name : {"O0001", "O0002", "O0003"}) {
        m_workbench.project().tree().findOrAddProgram(name);
        write(folder() / (std::string(name) + ".cnc"), "x");
    }
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

    EXPECT_EQ(m_titles.size(), 3);
    EXPECT_EQ(m_titles.last(), QStringLiteral("删除CNC加工程序 O0002"));
    EXPECT_EQ(programs(), std::vector<std::string>{"O0003"});
    EXPECT_TRUE(fs::exists(folder() / "O0001.cnc"));
    EXPECT_FALSE(fs::exists(folder() / "O0002.cnc"));
    EXPECT_EQ(m_workbench.treeRefreshes(), 2);
}

TEST_F(PartProgramActionsTest, ImportCopiesTheChosenFileUnderTheCheckedName) {
    const auto choose = [this](const fs::path& source) {
        m_steps.push_back([source](QDialog& d) {
            auto& files = dynamic_cast<QFileDialog&>(d);
            EXPECT_EQ(files.fileMode(), QFileDialog::ExistingFile);
            files.selectFile(QString::fromStdString(source.string()));
            return int(QDialog::Accepted);
        });
    };
    const fs::path source = fs::path(m_dir.path().toStdString()) / "O0025 roughing.cnc";
    write(source, "O0025\nG00 X10\n");
    choose(source);
    QStringList presets;
    answerName(QStringLiteral("o25"), &presets);
    EXPECT_TRUE(PartProgramActions::importProgram(m_workbench));
    EXPECT_EQ(presets, QStringList{QStringLiteral("O0025")});
    EXPECT_EQ(read("O0025.cnc"), "O0025\r\nG00 X10\r\n");
    EXPECT_EQ(m_workbench.treeRefreshes(), 1);

    // A file of another extension is refused before the name is asked for.
    const fs::path text = fs::path(m_dir.path().toStdString()) / "O0026.txt";
    write(text, "O0026\n");
    choose(text);
    EXPECT_FALSE(PartProgramActions::importProgram(m_workbench));
    EXPECT_EQ(messages().size(), 1U);
}

TEST_F(PartProgramActionsTest, OpenGoesToTheProgramWindowKind) {
    answerName(QStringLiteral("O5"));
    ASSERT_TRUE(PartProgramActions::newProgram(m_workbench));
    // Open again: the window is already there and comes to the front.
    EXPECT_TRUE(PartProgramActions::openProgram(m_workbench, "O0005"));
    ASSERT_EQ(m_workbench.host().activated().size(), 1U);
    EXPECT_FALSE(PartProgramActions::openProgram(m_workbench, "O0006"));

    PartProgramActions::registerWindowKind();
    std::unique_ptr<DocumentWindow> window(DocumentKinds::create(
        m_workbench, (folder() / "O0005.cnc").string(), ProjectItemType::PartProgram));
    ASSERT_NE(dynamic_cast<PartProgramWindow*>(window.get()), nullptr);
    EXPECT_TRUE(window->load());
}

}  // namespace
}  // namespace kelcc::ui
