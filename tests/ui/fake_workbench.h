#pragma once

#include <QStringList>
#include <QWidget>

#include "app/project.h"
#include "app/project_host.h"
#include "app/workbench.h"
#include "common/interaction.h"

namespace kelcc::ui::test {

// A workbench without a main window: scripted message boxes, a headless
// project host and the output lines kept in a list.
class FakeWorkbench final : public Workbench {
    Q_OBJECT

public:
    FakeWorkbench() : m_project(m_interaction, m_host) {}

    core::app::Project& project() override { return m_project; }
    core::common::Interaction& interaction() override { return m_interaction; }
    int language() const override { return m_language; }
    void clearOutput() override {
        m_output.clear();
        m_outputTitle.clear();
    }
    void setOutputTitle(const QString& title) override { m_outputTitle = title; }
    void appendOutput(const QString& line) override { m_output.append(line); }
    void showOutput() override { m_outputShown = true; }
    void refreshProjectTree() override { ++m_treeRefreshes; }
    QWidget* dialogParent() override { return &m_parent; }

    void setLanguage(int language) { m_language = language; }
    core::common::RecordingInteraction& recording() { return m_interaction; }
    core::app::HeadlessProjectHost& host() { return m_host; }
    const QStringList& output() const { return m_output; }
    bool outputShown() const { return m_outputShown; }
    const QString& outputTitle() const { return m_outputTitle; }
    int treeRefreshes() const { return m_treeRefreshes; }

private:
    core::common::RecordingInteraction m_interaction;
    core::app::HeadlessProjectHost m_host;
    core::app::Project m_project;
    QWidget m_parent;
    QStringList m_output;
    QString m_outputTitle;
    int m_language = 0;
    int m_treeRefreshes = 0;
    bool m_outputShown = false;
};

}  // namespace kelcc::ui::test
