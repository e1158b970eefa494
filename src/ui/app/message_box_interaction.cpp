#include "app/message_box_interaction.h"

#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "app/message_translator.h"

namespace kelcc::ui {

using core::common::Answer;
using core::common::MessageIcon;

namespace {

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MessageBoxInteraction::MessageBoxInteraction(std::function<QWidget*()> parent)
    : m_parent(std::move(parent)) {}

void MessageBoxInteraction::inform(const std::string& text, const std::string& caption,
                                   MessageIcon icon) {
    if (m_recorder) {
        m_recorder->inform(text, caption, icon);
        return;
    }
    show(text, caption, {Answer::Ok}, icon);
}

Answer MessageBoxInteraction::ask(const std::string& text, const std::string& caption,
                                  const std::vector<Answer>& buttons, MessageIcon icon) {
    if (m_recorder) return m_recorder->ask(text, caption, buttons, icon);
    return show(text, caption, buttons, icon);
}

Answer MessageBoxInteraction::show(const std::string& text, const std::string& caption,
                                   const std::vector<Answer>& buttons, MessageIcon icon) {
    QMessageBox box(iconOf(icon), MessageTranslator::translate(caption),
                    MessageTranslator::translate(text), QMessageBox::NoButton,
                    m_parent ? m_parent() : nullptr);
    // Captions of our own, so that the buttons follow the chosen language
    // and not the system's.
    std::vector<std::pair<QAbstractButton*, Answer>> added;
    for (const Answer answer : buttons) {
        QPushButton* button = nullptr;
        switch (answer) {
            case Answer::Ok:
                button = box.addButton(tr("确定"), QMessageBox::AcceptRole);
                break;
            case Answer::Cancel:
                button = box.addButton(tr("取消"), QMessageBox::RejectRole);
                break;
            case Answer::Yes:
                button = box.addButton(tr("是(&Y)"), QMessageBox::YesRole);
                break;
            case Answer::No:
                button = box.addButton(tr("否(&N)"), QMessageBox::NoRole);
                break;
            case Answer::Retry:
                button = box.addButton(tr("重试(&R)"), QMessageBox::AcceptRole);
                break;
            case Answer::Abort:
                button = box.addButton(tr("中止(&A)"), QMessageBox::RejectRole);
                break;
            case Answer::Ignore:
                button = box.addButton(tr("忽略(&I)"), QMessageBox::AcceptRole);
                break;
        }
        added.emplace_back(button, answer);
    }
    if (!added.empty()) box.setDefaultButton(static_cast<QPushButton*>(added.front().first));
    // Escape (or the title bar's close) means Cancel or No when offered, as
    // in the platform's own boxes.
    for (const Answer escape : {Answer::Cancel, Answer::No, Answer::Ok}) {
        const auto it = std::find_if(added.begin(), added.end(),
                                     [&](const auto& pair) { return pair.second == escape; });
        if (it != added.end()) {
            box.setEscapeButton(it->first);
            break;
        }
    }
    box.exec();
    for (const auto& [button, answer] : added)
        if (box.clickedButton() == button) return answer;
    return buttons.empty() ? Answer::Ok : buttons.back();
}

}  // namespace kelcc::ui
