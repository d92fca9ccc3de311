#pragma once

// A Wine prefix of a test's own, with the stand-in tools in place, and what the Windows program's tests
// ask of it: running its programs, the registry, the tray icon Wine docks in the tray host.

#include "support/DesktopTestSupport.h"

// Wine shows this machine's root folder as drive Z:.
inline QString WindowsPath(const QString& path) { return "Z:" + QDir::toNativeSeparators(path); }

const QString MonitorRegistryKey = "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Corvane Data Recovery\\Data Recovery\\"
                                   "Corvane Drive Monitor for Windows";

struct WinePrefix {
    QString path;

    QProcessEnvironment Environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("WINEPREFIX", path);
        environment.insert("WINEDEBUG", "-all");
        environment.insert("WINEDLLOVERRIDES", "mscoree,mshtml=");
        return environment;
    }

    // Runs a program of the prefix (reg, regedit, an installer) to its end; what it printed.
    QString Run(const QStringList& arguments, int* exitCode = nullptr) const {
        QProcess wine;
        wine.setProcessEnvironment(Environment());
        wine.start("wine", arguments);
        if (!wine.waitForFinished(300000)) qWarning("wine %s did not end", qPrintable(arguments.join(' ')));
        if (exitCode) *exitCode = wine.exitStatus() == QProcess::NormalExit ? wine.exitCode() : -1;
        return QString::fromUtf8(wine.readAllStandardOutput());
    }

    // The stand-in tools in the system folder, the display set to `dpi`.
    bool Prepare(const QString& windowsBin, int dpi = 96) const {
        QProcess script;
        script.setProcessChannelMode(QProcess::ForwardedChannels);
        script.start("bash", {QStringLiteral(CORVANE_SOURCE_DIR "/scripts/wine-prefix.sh"), path,
                              windowsBin + "/system/corvane-standin.exe", QString::number(dpi)});
        return script.waitForFinished(600000) && script.exitCode() == 0;
    }

    // "REG_SZ true", "REG_DWORD 0x32": the value `name` of `key` as `reg query` prints it; "absent".
    QString RegistryEntry(const QString& key, const QString& name) const {
        const QRegularExpression line("^\\s+" + QRegularExpression::escape(name) + "\\s+(REG_\\w+)\\s*(.*)$",
                                      QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = line.match(Run({"reg", "query", key, "/v", name}));
        return match.hasMatch() ? (match.captured(1) + ' ' + match.captured(2).trimmed()).trimmed() : QString("absent");
    }
    QString RegistryValue(const QString& name) const {
        const QString entry = RegistryEntry(MonitorRegistryKey, name);
        return entry == "absent" ? entry : entry.section(' ', 1);
    }
    bool KeyExists(const QString& key) const {
        int exitCode = -1;
        Run({"reg", "query", key}, &exitCode);
        return exitCode == 0;
    }

    void EndSession() const { QProcess::execute("env", {"WINEPREFIX=" + path, "wineserver", "-k"}); }
};

// The tray icon as Wine docks it in the tray host: a small window of Wine's explorer.
inline QString DockedTrayIcon() { return TrayIconWindow("explorer.exe", 64); }

// The command lines the monitor ran, as its debug output quotes them.
inline QStringList CommandsRun(Monitor& monitor) {
    QStringList commands;
    for (const QString& line : monitor.Output("corvane.exec: running "))
        commands << line.mid(1, line.size() - 2).replace("\\\"", "\"").replace("\\\\", "\\");
    return commands;
}

// A Wine test's home folder leaves TMP and TEMP to Wine.
template <class Test>
int RunWineTest(int argc, char** argv) {
    return RunInOwnHome<Test>(argc, argv, {"TMPDIR", "XDG_RUNTIME_DIR", "CORVANE_SETTINGS_FILE"});
}
