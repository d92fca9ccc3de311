#include "Settings.h"

#include <QDir>
#include <QLoggingCategory>
#include <QSettings>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcSettings, "corvane.settings")

namespace {

#ifdef Q_OS_WIN
// The explicit 32-bit view, which the companion application reads and writes.
const QSettings::Format StoreFormat = QSettings::NativeFormat;
QString StoreLocation() {
    return QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Corvane Data Recovery\\Data Recovery\\"
                          "Corvane Drive Monitor for Windows");
}
#else
const QSettings::Format StoreFormat = QSettings::IniFormat;
QString StoreLocation() {
    const QString configured = qEnvironmentVariable("CORVANE_SETTINGS_FILE");
    if (!configured.isEmpty()) return configured;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Corvane/Corvane Drive Monitor.ini");
}
#endif

}  // namespace

QString SettingsLocation() { return StoreLocation(); }

SettingsStore::SettingsStore() : settings_(std::make_unique<QSettings>(StoreLocation(), StoreFormat)) {}

SettingsStore::~SettingsStore() = default;

bool SettingsStore::Contains(const QString& key) const { return settings_->contains(key); }

int SettingsStore::ReadInt(const QString& key) const { return settings_->value(key).toInt(); }

bool SettingsStore::ReadBool(const QString& key) const { return settings_->value(key).toBool(); }

QString SettingsStore::ReadText(const QString& key) const { return settings_->value(key).toString(); }

void SettingsStore::Write(const QString& key, const QVariant& value) {
    settings_->setValue(key, value);
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        qCWarning(lcSettings) << "could not write" << key << "to" << settings_->fileName();
}

bool SettingsStore::EnsureTrue(const QString& key) {
    if (!Contains(key)) Write(key, true);
    return ReadBool(key);
}
