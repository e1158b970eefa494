#pragma once

#include <QCoreApplication>
#include <functional>

#include "common/interaction.h"

class QWidget;

namespace kelcc::ui {

// The core's messages and questions as modal message boxes, texts and
// captions translated. A test can take the boxes' place with a recording
// interaction: it then answers from its script and keeps what would have
// been shown.
class MessageBoxInteraction final : public core::common::Interaction {
    Q_DECLARE_TR_FUNCTIONS(MessageBoxInteraction)

public:
    explicit MessageBoxInteraction(std::function<QWidget*()> parent);

    void inform(const std::string& text, const std::string& caption,
                core::common::MessageIcon icon) override;
    core::common::Answer ask(const std::string& text, const std::string& caption,
                             const std::vector<core::common::Answer>& buttons,
                             core::common::MessageIcon icon) override;

    void setTestRecorder(core::common::RecordingInteraction* recorder) { m_recorder = recorder; }

private:
    core::common::Answer show(const std::string& text, const std::string& caption,
                              const std::vector<core::common::Answer>& buttons,
                              core::common::MessageIcon icon);

    std::function<QWidget*()> m_parent;
    core::common::RecordingInteraction* m_recorder = nullptr;
};

}  // namespace kelcc::ui
