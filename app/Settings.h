#pragma once

// The settings shared with the companion applications. Every operation opens its own store, so a
// value the companion changed is seen at the next read; every write reaches the store at once.
// Windows keeps them in the registry key the companion uses; elsewhere in an INI file, named by
// CORVANE_SETTINGS_FILE or kept in the user's configuration folder. The user's file has system-wide
// defaults under the same name in the XDG configuration folders: a key it lacks is read from the first
// of them that has it, and nothing is ever written there.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

class QSettings;

QString SettingsLocation();
// The defaults files in the order they are read; none on Windows or for CORVANE_SETTINGS_FILE.
QStringList SettingsDefaultsLocations();

class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    bool Contains(const QString& key) const;

    // Absent or malformed values read as 0, false and the empty text.
    int ReadInt(const QString& key) const;
    bool ReadBool(const QString& key) const;
    QString ReadText(const QString& key) const;

    // Skipped, with a warning, when the store could not be read: it is not rewritten from a part.
    void Write(const QString& key, const QVariant& value);

    // Creates `key` as true when it is absent, then reads it.
    bool EnsureTrue(const QString& key);

private:
    QVariant Value(const QString& key) const;

    std::unique_ptr<QSettings> settings_;
    std::vector<std::unique_ptr<QSettings>> defaults_;  // read only
};

namespace SettingsKey {
inline const QString ResizeAppforDPI = QStringLiteral("ResizeAppforDPI");
inline const QString LanguageType = QStringLiteral("LanguageType");
inline const QString TaskName = QStringLiteral("TaskName");
inline const QString SmartctlFolderPath = QStringLiteral("SmartctlFolderPath");
inline const QString WarningValue = QStringLiteral("WarningValue");
inline const QString ShutDownValue = QStringLiteral("ShutDownValue");
inline const QString TempValue = QStringLiteral("TempValue");
inline const QString ShowWarning = QStringLiteral("ShowWarning");
inline const QString DontShow = QStringLiteral("DontShow");
inline const QString ShutDownDontShow = QStringLiteral("ShutDownDontShow");
inline const QString HealthDontShow = QStringLiteral("HealthDontShow");
inline const QString PerformanceDontShow = QStringLiteral("PerformanceDontShow");
inline const QString ShowTrayIcon = QStringLiteral("ShowTrayIcon");
inline const QString FirstTimeLaunch = QStringLiteral("FirstTimeLaunch");
inline const QString SystemTrayLaunch = QStringLiteral("SystemTrayLaunch");
}  // namespace SettingsKey
