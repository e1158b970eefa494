#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

#include "app/settings_rules.h"

namespace kelcc::ui {

// The settings file "KELCC.ini" and the recent-files list kept beside its
// sections. Values are read as text and interpreted by the core's
// SettingsRules; a missing key reads as nothing.
class AppSettings final {
public:
    static constexpr int kRecentFiles = 4;
    static constexpr const char* kRecentSection = "Recent File List";

    explicit AppSettings(const QString& filePath);

    // KELCC_SETTINGS when set, else KELCC.ini in the user's configuration
    // folder.
    static QString defaultFilePath();
    QString filePath() const { return m_settings->fileName(); }

    std::optional<std::string> value(const char* section, const char* key) const;
    void setValue(const char* section, const char* key, const std::string& value);
    void remove(const char* section, const char* key);

    core::app::SettingsRules::Options options() const;
    core::app::SettingsRules::Communication communication() const;
    std::optional<std::string> lastProject() const;

    // Most recent first; entries that are empty are skipped.
    QStringList recentFiles() const;
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);

    void sync() { m_settings->sync(); }

private:
    void writeRecentFiles(const QStringList& files);

    std::unique_ptr<QSettings> m_settings;
};

}  // namespace kelcc::ui
