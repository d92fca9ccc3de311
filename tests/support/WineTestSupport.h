#pragma once

// A Wine prefix of a test's own, with the stand-in tools in place, on a virtual X display with a tray
// host; xdotool looks at the windows and drives them as a user does.

#include "support/ProcessTestSupport.h"

inline QString X(const QStringList& arguments) {
    QProcess xdotool;
    xdotool.start("xdotool", arguments);
    xdotool.waitForFinished(30000);
    return QString::fromLocal8Bit(xdotool.readAllStandardOutput()).trimmed();
}

inline QStringList VisibleWindows(const QString& how, const QString& what) {
    return X({"search", "--onlyvisible", how, "^" + what + "$"}).split('\n', Qt::SkipEmptyParts);
}

inline void Click(const QString& window, const QPoint& point, int button = 1) {
    X({"mousemove", "--window", window, QString::number(point.x()), QString::number(point.y()), "click",
       QString::number(button)});
}

// Where a window lies on the screen.
inline QRect WindowGeometry(const QString& window) {
    static const QRegularExpression geometry("X=(-?\\d+)\nY=(-?\\d+)\nWIDTH=(\\d+)\nHEIGHT=(\\d+)\n");
    const QRegularExpressionMatch match = geometry.match(X({"getwindowgeometry", "--shell", window}));
    if (!match.hasMatch()) return {};
    return {match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(), match.captured(4).toInt()};
}
inline QSize WindowSize(const QString& window) { return WindowGeometry(window).size(); }

// The monitor's warning dialogs on screen.
inline QStringList MonitorDialogs() { return VisibleWindows("--name", "Corvane Drive Monitor"); }

// The tray icon as Wine docks it in the tray host, once there is one: a small window of Wine's explorer.
inline QString DockedTrayIcon() {
    QString icon;
    WaitUntil([&] {
        for (const QString& window : VisibleWindows("--class", "explorer.exe"))
            if (WindowSize(window).width() < 64 && WindowSize(window).height() < 64) icon = window;
        return !icon.isEmpty();
    });
    return icon;
}

// Right-clicks the tray icon until a new window of the monitor opens, its menu; a freshly docked icon may
// miss a click. Empty when none opened.
inline QString OpenTrayMenu() {
    const QString icon = DockedTrayIcon(), menuClass = "corvanesmart.exe";
    const QStringList before = VisibleWindows("--class", menuClass);
    QString menu;
    for (int attempt = 0; attempt < 3 && !icon.isEmpty() && menu.isEmpty(); ++attempt) {
        Click(icon, {5, 5}, 3);
        WaitUntil([&] {
            for (const QString& window : VisibleWindows("--class", menuClass))
                if (!before.contains(window)) menu = window;
            return !menu.isEmpty();
        }, 10000);
    }
    return menu;
}

// What a monitor started on the hot laptop, warning at 60 °C and 70 °C, shows: both warnings, 71° on its
// icon, its menu.
inline void ExpectHotLaptopStart(Monitor& monitor) {
    const QString disk = " \"Disk: Samsung SSD 980 PRO 1TB \"";
    QVERIFY(WaitUntil([&] { return monitor.Output("corvane.tray: showing ").size() == 2; }));
    QCOMPARE(monitor.Output("corvane.tray: showing "), (QStringList{"ShutDownWarning" + disk, "SmartWarning" + disk}));
    QVERIFY(WaitUntil([&] { return MonitorDialogs().size() == 2; }));
    QCOMPARE(monitor.Output("corvane.tray: tray icon "), QStringList{"\"Corvane Drive Monitor\\n71°\""});
    QCOMPARE(monitor.Output("corvane.tray: tray menu: "), QStringList{HotLaptopMenu()});
}

// What a monitor started on the failing machine, warning at 90 °C, shows: the health warning of its boot
// disk, the second of its two drives.
inline void ExpectFailingDiskStart(Monitor& monitor) {
    QVERIFY(WaitUntil([&] { return !monitor.Output("corvane.tray: showing ").isEmpty(); }));
    QCOMPARE(monitor.Output("corvane.tray: showing "), QStringList{"HealthWarning \"Disk: HGST HUS724040ALE640 \""});
    QCOMPARE(monitor.Output("corvane.tray: tray menu: ").value(0).count(" {Temperature: "), 2);
    QVERIFY(WaitUntil([&] { return MonitorDialogs().size() == 1; }));
}

inline QStringList Lines(const QString& path) { return QString::fromUtf8(ReadBytes(path)).split('\n', Qt::SkipEmptyParts); }

// Xvfb and trayer, ended with this object. Programs started after Start() inherit its DISPLAY.
struct VirtualDesktop {
    QProcess server, trayHost;

    bool Start(const QString& screen = "1280x800x24") {
        for (const char* tool : {"Xvfb", "trayer", "xdotool"})
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                qWarning("%s is missing: scripts/run-tests.sh installs it", tool);
                return false;
            }
        server.start("Xvfb", {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"});
        if (!WaitUntil([&] { return server.canReadLine() || server.waitForReadyRead(100); })) return false;
        qputenv("DISPLAY", ":" + server.readLine().trimmed());
        // Once, under load, a tray host showed no window in two minutes: it is started again, and what it said named.
        for (int attempt = 0; attempt < 3; ++attempt) {
            trayHost.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "200",
                                      "--heighttype", "pixel", "--height", "40"});
            if (WaitUntil([&] { return !X({"search", "--class", "^trayer$"}).isEmpty(); }, 60000)) return true;
            trayHost.kill();
            trayHost.waitForFinished();
            qWarning("trayer showed no window: %s", trayHost.readAllStandardError().constData());
        }
        return false;
    }

    ~VirtualDesktop() {
        for (QProcess* process : {&trayHost, &server}) {
            process->kill();
            process->waitForFinished();
        }
    }
};

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
