#pragma once

#include <QDialog>

#include "app/settings_rules.h"

class QCheckBox;
class QRadioButton;

namespace kelcc::ui {

// The options "选项": start-up, project opening and language, opened with
// the values of the settings file.
class OptionsDialog final : public QDialog {
    Q_OBJECT

public:
    explicit OptionsDialog(const core::app::SettingsRules::Options& current,
                           QWidget* parent = nullptr);

    core::app::SettingsRules::Options chosen() const;
    QCheckBox* autoLoadBox() const { return m_autoLoad; }
    QCheckBox* autoOpenBox() const { return m_autoOpen; }
    QRadioButton* englishButton() const { return m_english; }
    QRadioButton* chineseButton() const { return m_chinese; }

private:
    QCheckBox* m_autoLoad;
    QCheckBox* m_autoOpen;
    QRadioButton* m_chinese;
    QRadioButton* m_english;
};

}  // namespace kelcc::ui
