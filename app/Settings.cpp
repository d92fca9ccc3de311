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
QStringList DefaultsLocations() { return {}; }
// The registry has no file that could be malformed.
bool StoreCanBeRewritten(const QString&) { return true; }
#else
const QSettings::Format StoreFormat = QSettings::IniFormat;
const QString StoreFileName = QStringLiteral("/Corvane/Corvane Drive Monitor.ini");

QString ConfiguredStore() { return qEnvironmentVariable("CORVANE_SETTINGS_FILE"); }

QString StoreLocation() {
    const QString configured = ConfiguredStore();
    if (!configured.isEmpty()) return configured;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + StoreFileName;
}

// The folders Qt takes from XDG_CONFIG_DIRS (/etc/xdg when it is unset), in order, without the user's
// own; the base directory rules ignore relative ones. A file named by CORVANE_SETTINGS_FILE stands
// alone, so that a demo or a test does not depend on the machine's defaults.
QStringList DefaultsLocations() {
    if (!ConfiguredStore().isEmpty()) return {};
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    const QString userFolder = folders.takeFirst();
    QStringList locations;
    for (const QString& folder : folders)
        if (QDir::isAbsolutePath(folder) && folder != userFolder) locations << folder + StoreFileName;
    return locations;
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

QStringList SettingsDefaultsLocations() { return DefaultsLocations(); }

SettingsStore::SettingsStore() : settings_(std::make_unique<QSettings>(StoreLocation(), StoreFormat)) {
    for (const QString& location : DefaultsLocations()) {
        if (!QFileInfo::exists(location)) continue;
        auto defaults = std::make_unique<QSettings>(location, StoreFormat);
        // Every section is parsed now, so that a fault anywhere in the file shows here. Qt reports it
        // to the first store that reads the file after it changed, not to the later ones.
        defaults->allKeys();
        if (defaults->status() == QSettings::FormatError)
            qCWarning(lcSettings) << "the defaults in" << location << "do not parse; using what could be read";
        else if (defaults->status() != QSettings::NoError)
            qCWarning(lcSettings) << "the defaults in" << location << "cannot be read";
        defaults_.push_back(std::move(defaults));
    }
}

SettingsStore::~SettingsStore() = default;

// The user's value, else the first defaults file's that has the key.
QVariant SettingsStore::Value(const QString& key) const {
    if (settings_->contains(key)) return settings_->value(key);
    for (const auto& defaults : defaults_)
        if (defaults->contains(key)) return defaults->value(key);
    return {};
}

bool SettingsStore::Contains(const QString& key) const { return Value(key).isValid(); }

int SettingsStore::ReadInt(const QString& key) const { return Value(key).toInt(); }

// Only "true" or a non-zero number is true: a malformed value reads like an absent one.
bool SettingsStore::ReadBool(const QString& key) const {
    const QVariant value = Value(key);
    if (value.type() == QVariant::Bool) return value.toBool();
    const QString text = value.toString().trimmed();
    bool isNumber = false;
    const qlonglong number = text.toLongLong(&isNumber);
    return isNumber ? number != 0 : text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString SettingsStore::ReadText(const QString& key) const { return Value(key).toString(); }

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
