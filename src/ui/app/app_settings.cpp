#include "app/app_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kelcc::ui {

using core::app::SettingsRules;

namespace {

QString keyOf(const char* section, const char* key) {
    return QString::fromUtf8(section) + u'/' + QString::fromUtf8(key);
}

}  // namespace

AppSettings::AppSettings(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

QString AppSettings::defaultFilePath() {
    QString fromEnvironment = qEnvironmentVariable("KELCC_SETTINGS");
    if (!fromEnvironment.isEmpty()) return fromEnvironment;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.config");
    return folder + QStringLiteral("/KELCC/") + QString::fromUtf8(SettingsRules::kFileName);
}

std::optional<std::string> AppSettings::value(const char* section, const char* key) const {
    const QString name = keyOf(section, key);
    if (!m_settings->contains(name)) return std::nullopt;
    return m_settings->value(name).toString().toStdString();
}

void AppSettings::setValue(const char* section, const char* key, const std::string& value) {
    m_settings->setValue(keyOf(section, key), QString::fromStdString(value));
    m_settings->sync();
}

void AppSettings::remove(const char* section, const char* key) {
    m_settings->remove(keyOf(section, key));
    m_settings->sync();
}

SettingsRules::Options AppSettings::options() const {
    return SettingsRules::options(value(SettingsRules::kOptions, SettingsRules::kAutoLoad),
                                  value(SettingsRules::kOptions, SettingsRules::kAutoOpen),
                                  value(SettingsRules::kOptions, SettingsRules::kLang));
}

SettingsRules::Communication AppSettings::communication() const {
    return SettingsRules::communication(value(SettingsRules::kCommSection, SettingsRules::kPort),
                                        value(SettingsRules::kCommSection, SettingsRules::kBaud));
}

std::optional<std::string> AppSettings::lastProject() const {
    return value(SettingsRules::kLastProject, SettingsRules::kPath);
}

QStringList AppSettings::recentFiles() const {
    QStringList files;
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString path =
            m_settings->value(QString::fromUtf8(kRecentSection) + QStringLiteral("/File%1").arg(i))
                .toString();
        if (!path.isEmpty()) files.append(path);
    }
    return files;
}

void AppSettings::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeIf([&](const QString& file) { return QFileInfo(file) == QFileInfo(absolute); });
    files.prepend(absolute);
    writeRecentFiles(files);
}

void AppSettings::removeRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeIf([&](const QString& file) { return QFileInfo(file) == QFileInfo(path); });
    writeRecentFiles(files);
}

void AppSettings::writeRecentFiles(const QStringList& files) {
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString key = QString::fromUtf8(kRecentSection) + QStringLiteral("/File%1").arg(i);
        if (i <= files.size())
            m_settings->setValue(key, files[i - 1]);
        else
            m_settings->remove(key);
    }
    m_settings->sync();
}

}  // namespace kelcc::ui
