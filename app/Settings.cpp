#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

Q_LOGGING_CATEGORY(lcSettings, "corvane.settings")

namespace {

#ifdef Q_OS_WIN
// The explicit 32-bit view, which the companion application reads and writes.
const QSettings::Format StoreFormat = QSettings::NativeFormat;
QString StoreLocation() {
    return QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Corvane Data Recovery\\Data Recovery\\"
                          "Corvane Drive Monitor for Windows");
}
// The registry has no file that could be malformed.
bool StoreCanBeRewritten(const QString&) { return true; }
#else
const QSettings::Format StoreFormat = QSettings::IniFormat;
QString StoreLocation() {
    const QString configured = qEnvironmentVariable("CORVANE_SETTINGS_FILE");
    if (!configured.isEmpty()) return configured;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Corvane/Corvane Drive Monitor.ini");
}

// Qt keeps one parsed copy per file for the whole process, so whether the file itself parses is
// asked of a copy under another name. The copy goes beside the store, which a write needs anyway, so
// that writes do not depend on the temporary folder.
bool StoreCanBeRewritten(const QString& path) {
    QFile file(path);
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) return false;
    QTemporaryFile copy(QFileInfo(path).absolutePath() + QStringLiteral("/.settings-check-XXXXXX"));
    if (!copy.open() || copy.write(file.readAll()) < 0 || !copy.flush()) {
        qCWarning(lcSettings) << "cannot check" << path << "before writing it:" << copy.errorString();
        return false;
    }
    return QSettings(copy.fileName(), QSettings::IniFormat).status() != QSettings::FormatError;
}
#endif

}  // namespace

QString SettingsLocation() { return StoreLocation(); }

SettingsStore::SettingsStore() : settings_(std::make_unique<QSettings>(StoreLocation(), StoreFormat)) {}

SettingsStore::~SettingsStore() = default;

bool SettingsStore::Contains(const QString& key) const { return settings_->contains(key); }

int SettingsStore::ReadInt(const QString& key) const { return settings_->value(key).toInt(); }

// Only "true" or a non-zero number is true: a malformed value reads like an absent one.
bool SettingsStore::ReadBool(const QString& key) const {
    const QVariant value = settings_->value(key);
    if (value.type() == QVariant::Bool) return value.toBool();
    const QString text = value.toString().trimmed();
    bool isNumber = false;
    const qlonglong number = text.toLongLong(&isNumber);
    return isNumber ? number != 0 : text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString SettingsStore::ReadText(const QString& key) const { return settings_->value(key).toString(); }

void SettingsStore::Write(const QString& key, const QVariant& value) {
    // A store that could not be read is left as it is rather than rewritten from what could be read.
    if (settings_->status() == QSettings::FormatError || !StoreCanBeRewritten(settings_->fileName())) {
        qCWarning(lcSettings) << "not writing" << key << "to" << settings_->fileName() << "which could not be read";
        return;
    }
    settings_->setValue(key, value);
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        qCWarning(lcSettings) << "could not write" << key << "to" << settings_->fileName();
}

bool SettingsStore::EnsureTrue(const QString& key) {
    if (!Contains(key)) Write(key, true);
    return ReadBool(key);
}
