#include "support/WineTestSupport.h"
#include "tray/TrayIcon.h"

#include <QImageReader>
#include <QScreen>

#include <functional>
#include <optional>

// The Windows program under Wine as a user meets it: installed in a folder of its own, its settings in
// the registry, the stand-in tools in the system folder, on a virtual X display with a tray host.
namespace {

bool Orange(const QColor& pixel) { return pixel.red() > 200 && pixel.green() > 100 && pixel.green() < 200 && pixel.blue() < 80; }

// The `size` pixels square picture of an .ico file.
QImage IconImage(const QString& path, int size) {
    QImageReader icons(path);
    do {
        const QImage image = icons.read();
        if (image.width() == size) return image.convertToFormat(QImage::Format_ARGB32);
    } while (icons.jumpToNextImage());
    return {};
}

// The `size` pixels square icon X has for a window (_NET_WM_ICON: width, height, pixels, and again).
QImage WindowIcon(const QString& window, int size) {
    QProcess xprop;
    xprop.start("xprop", {"-id", window, "-notype", "32c", "_NET_WM_ICON"});
    xprop.waitForFinished(30000);
    const QStringList numbers = QString::fromLatin1(xprop.readAllStandardOutput()).section('=', 1).split(',');
    for (int at = 0; at + 2 <= numbers.size();) {
        const int width = numbers.at(at).trimmed().toInt(), height = numbers.at(at + 1).trimmed().toInt();
        if (width <= 0 || height <= 0 || at + 2 + width * height > numbers.size()) break;
        if (width == size && height == size) {
            QImage icon(size, size, QImage::Format_ARGB32);
            for (int pixel = 0; pixel < size * size; ++pixel)
                icon.setPixel(pixel % size, pixel / size, numbers.at(at + 2 + pixel).trimmed().toUInt());
            return icon;
        }
        at += 2 + width * height;
    }
    return {};
}

QString RegistryData(const QVariant& value) {
    if (value.type() == QVariant::Int) return QString("dword:%1").arg(value.toInt(), 8, 16, QChar('0'));
    return '"' + value.toString().replace("\\", "\\\\").replace("\"", "\\\"") + '"';
}

}  // namespace

class WineEndToEndTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    VirtualDesktop desktop_;
    std::optional<Monitor> monitor_;
    const QString windowsBin_ = qEnvironmentVariable("CORVANE_WINDOWS_BIN");
    const WinePrefix prefix_{root_.filePath("wineprefix")};
    const QString installFolder_ = prefix_.path + "/drive_c/Program Files/Corvane Drive Monitor";
    const QString toolLog_ = root_.filePath("tools.log");

    // Replaces the monitor's registry key by one holding `values`, as the companion application writes it.
    void WriteRegistry(const QVariantMap& values) {
        QString text = "Windows Registry Editor Version 5.00\r\n\r\n[-" + MonitorRegistryKey + "]\r\n\r\n[" + MonitorRegistryKey + "]\r\n";
        for (auto value = values.cbegin(); value != values.cend(); ++value)
            text += '"' + value.key() + "\"=" + RegistryData(value.value()) + "\r\n";
        const QString file = root_.filePath("settings.reg");
        QVERIFY(WriteBytes(file, text.toUtf8()));
        prefix_.Run({"regedit", "/S", WindowsPath(file)});
    }

    QStringList Output(const QString& prefix) { return monitor_->Output(prefix); }
    QStringList MonitorWindows() { return VisibleWindows("--class", "corvanesmart.exe"); }

    void StartMonitor(const QString& machine, const QVariantMap& settings) {
        STEP(WriteRegistry(settings));
        QFile::remove(toolLog_);
        QProcessEnvironment environment = prefix_.Environment();
        environment.insert("WINEQT_FORCE_STDERR_LOGGING", "1");
        environment.insert("WINEQT_LOGGING_RULES", "corvane.*=true");
        environment.insert("CORVANE_SIMULATED_MACHINE", WindowsPath(MachinePath(machine)));
        environment.insert("CORVANE_TOOL_LOG", WindowsPath(toolLog_));
        monitor_.emplace(environment, QStringList{WindowsPath(installFolder_ + "/CorvaneSMART.exe")}, "wine",
                         installFolder_);
        monitor_->windows = true;
        QVERIFY2(monitor_->Started(300000), qPrintable(monitor_->output));
    }

    // The menu is built anew at every temperature check, every 30 seconds; under Wine a click takes
    // long enough to meet a rebuild. Menus are opened right after one.
    void AwaitFreshMenu() {
        const int built = Output("corvane.tray: tray menu: ").size();
        QVERIFY(WaitUntil([&] { return Output("corvane.tray: tray menu: ").size() > built; }, 120000));
    }

    QString OpenTrayMenu() { return ::OpenTrayMenu(DockedTrayIcon(), "corvanesmart.exe"); }

    // "Exit", the menu's last entry, clicked as a user clicks it.
    // A click Wine loses (seen now and then at the end of a long run) is made again, as a user would.
    void ChooseExitAndExpectTheEnd() {
        for (int attempt = 0; attempt < 3 && monitor_->process.state() != QProcess::NotRunning; ++attempt) {
            STEP(AwaitFreshMenu());
            const QString menu = OpenTrayMenu();
            QVERIFY2(!menu.isEmpty(), "no menu after right clicks on the tray icon");
            const QSize size = WindowSize(menu);
            Click(menu, {size.width() / 2, size.height() - 12});
            monitor_->process.waitForFinished(60000);
        }
        QCOMPARE(monitor_->process.state(), QProcess::NotRunning);
        QCOMPARE(monitor_->process.exitCode(), 0);
        QVERIFY(WaitUntil([&] { return MonitorWindows().isEmpty(); }));
        QCOMPARE(prefix_.RegistryValue("ShowTrayIcon"), QString("false"));
        QCOMPARE(prefix_.RegistryValue("FirstTimeLaunch"), QString("true"));
    }

private slots:
    // The package unpacked where the companion application lives, in a fresh prefix.
    void initTestCase() {
        const QFileInfoList packages =
            QDir(windowsBin_ + "/../package").entryInfoList({"CorvaneSMART-*-win64.zip"}, QDir::Files);
        QVERIFY2(packages.size() == 1, "no Windows package beside CORVANE_WINDOWS_BIN (packaging/check-windows-package.sh)");
        // Room for the dialogs at the scale 1.5 (the work area must hold 905 by 600 times the scale).
        QVERIFY(desktop_.Start("1920x1080x24"));
        QVERIFY(prefix_.Prepare(windowsBin_));
        QProcess unpack;
        unpack.setWorkingDirectory(root_.path());
        unpack.start("cmake", {"-E", "tar", "xf", packages[0].absoluteFilePath()});
        QVERIFY(unpack.waitForFinished(120000) && unpack.exitCode() == 0);
        QVERIFY(QDir().rename(root_.filePath(packages[0].completeBaseName()), installFolder_));
        // The stand-in takes the place of the package's smartctl64Bit.exe, which reads no drive under Wine:
        // a command that names the tool alone finds it there.
        QFile::remove(installFolder_ + "/smartctl64Bit.exe");
        QVERIFY(QFile::copy(windowsBin_ + "/system/corvane-standin.exe", installFolder_ + "/smartctl64Bit.exe"));
    }

    void cleanupTestCase() {
        monitor_.reset();
        prefix_.EndSession();
    }

    void hotMachineWarnsDocksItsIconAndEnds() {
        STEP(StartMonitor("hot-nvme-laptop", {{"ShowWarning", "true"}, {"WarningValue", 60}, {"ShutDownValue", 70}}));
        STEP(ExpectHotLaptopStart(*monitor_));
        // The second is moved clear of the first one's title strip, and both carry the program's icon.
        const QPoint apart = WindowGeometry(MonitorDialogs().value(1)).topLeft() - WindowGeometry(MonitorDialogs().value(0)).topLeft();
        QVERIFY2(qAbs(apart.x()) > 32 && qAbs(apart.y()) > 32, qPrintable(QString("%1,%2").arg(apart.x()).arg(apart.y())));
        const QImage programIcon = IconImage(CORVANE_SOURCE_DIR "/resources/images/CorvaneSMART.ico", 32);
        QVERIFY(!programIcon.isNull());
        for (const QString& dialog : MonitorDialogs()) QCOMPARE(WindowIcon(dialog, 32), programIcon);
        // An English start says nothing of English translation files, and the icon has its picture when shown.
        QVERIFY2(!monitor_->output.contains("no translation") && !monitor_->output.contains("No Icon set"),
                 qPrintable(monitor_->output));

        // Start-up wrote its values where the companion application reads them, as a start without an
        // argument writes them (the first row of start-up-settings.txt).
        const QStringList written = DataRows("start-up-settings.txt").value(0);
        for (const QString& expected : written.mid(written.indexOf("=>") + 1)) {
            const QString key = expected.section('=', 0, 0), value = prefix_.RegistryValue(key);
            QCOMPARE(value == "absent" ? key : key + '=' + value, expected);
        }

        // The tools ran through cmd with the Windows command lines, their output captured in the private
        // work folder, which the elevated monitor keeps in ProgramData; WMIC's list, in UTF-16, named the
        // boot disk.
        const QStringList commands = CommandsRun(*monitor_);
        const QRegularExpression listing(
            R"(^"C:\\windows\\system32\\wbem\\WMIC\.exe" diskdrive get index >> "(C:\\ProgramData\\CorvaneSMART-S-1-5-[0-9-]+)\\SMART1\.txt" $)");
        const QString work = commands.filter(listing).value(0).replace(listing, "\\1");
        QVERIFY2(!work.isEmpty(), qPrintable(commands.join('\n')));
        for (const QString& command :
             {"\"C:\\windows\\system32\\diskpart.exe\" /s \"" + work + "\\DiskList.txt\">\"" + work + "\\Out.txt\" ",
              "smartctl64Bit.exe -a  /dev/sda >> \"" + work + "\\Temp.txt\" ",
              "\"C:\\windows\\system32\\wbem\\WMIC.exe\" diskdrive get Model,Index >> \"" + work + "\\DiskInfo.txt\" "})
            QVERIFY2(commands.contains(command), qPrintable(command + " is not among\n" + commands.join('\n')));
        QVERIFY(Lines(toolLog_).contains("smartctl64Bit.exe -a /dev/sda"));
        QCOMPARE(Output("corvane.tray: boot disk index ").value(0), QString("\"0\""));

        // The icon is docked, blue with the temperature in white.
        const QString icon = DockedTrayIcon();
        QVERIFY2(!icon.isEmpty(), "no tray icon in the tray host");
        const QColor background = tray::TrayIconPixmap("71°", 1.0).toImage().pixelColor(0, 0);
        int backgroundPixels = 0, lightPixels = 0;
        WaitUntil([&] {
            const QImage picture = Grab(icon);
            backgroundPixels = Pixels(picture, [&](const QColor& pixel) {
                return qAbs(pixel.red() - background.red()) + qAbs(pixel.blue() - background.blue()) < 40;
            });
            lightPixels = Pixels(picture, [](const QColor& pixel) { return pixel.lightness() > 200; });
            return backgroundPixels > 60 && lightPixels > 10;
        }, 30000);
        QVERIFY2(backgroundPixels > 60 && lightPixels > 10,
                 qPrintable(QString("%1 blue and %2 white pixels").arg(backgroundPixels).arg(lightPixels)));

        // Its menu opens on a right click, and the drive's submenu, the first entry, beside it.
        const int before = MonitorWindows().size();
        STEP(AwaitFreshMenu());
        const QString menu = OpenTrayMenu();
        QVERIFY2(!menu.isEmpty(), "no menu after right clicks on the tray icon");
        bool submenu = false;
        for (int attempt = 0; attempt < 3 && !submenu; ++attempt) {
            Click(menu, {WindowSize(menu).width() / 2, 15});
            submenu = WaitUntil([&] { return MonitorWindows().size() >= before + 2; }, 10000);
        }
        QVERIFY(submenu);
        X({"key", "Escape", "Escape"});
        QVERIFY(WaitUntil([&] { return MonitorWindows().size() == before; }));
        STEP(ChooseExitAndExpectTheEnd());
    }

    void failingMachineWarnsOfItsHealth() {
        STEP(StartMonitor("failing-boot-disk", {{"ShowWarning", "true"}, {"WarningValue", 90}, {"ShutDownValue", 95}}));
        STEP(ExpectFailingDiskStart(*monitor_));
        STEP(ChooseExitAndExpectTheEnd());
    }

    // A display of 144 DPI (LogPixels, as Windows' display settings set it) takes the scale 1.5: the
    // dialogs half as large again, with the images of the "144" set.
    void highDpiDisplayTakesTheLargeImages() {
        const QVariantMap settings = {{"ShowWarning", "true"}, {"WarningValue", 60}, {"ShutDownValue", 95}};
        QSize size[2];
        int sign[2] = {0, 0};  // orange pixels
        for (const int step : {0, 1}) {
            QVERIFY(prefix_.Prepare(windowsBin_, step == 0 ? 96 : 144));
            STEP(StartMonitor("hot-nvme-laptop", settings));
            QCOMPARE(Output("corvane.startup: scale ").value(0).section(' ', 0, 0), QString(step == 0 ? "1" : "1.5"));
            QVERIFY(WaitUntil([&] { return MonitorDialogs().size() == 1; }));
            const QString dialog = MonitorDialogs().value(0);
            size[step] = WindowSize(dialog);
            WaitUntil([&] { return (sign[step] = Pixels(Grab(dialog), Orange)) > 0; }, 30000);
            STEP(ChooseExitAndExpectTheEnd());
        }
        prefix_.Prepare(windowsBin_);
        const QString sizes = QString("%1x%2 and a sign of %3 pixels at 96 DPI, %4x%5 and %6 at 144")
                                  .arg(size[0].width()).arg(size[0].height()).arg(sign[0])
                                  .arg(size[1].width()).arg(size[1].height()).arg(sign[1]);
        QVERIFY2(qAbs(size[1].width() - size[0].width() * 3 / 2) <= 3 && qAbs(size[1].height() - size[0].height() * 3 / 2) <= 3,
                 qPrintable(sizes));
        QVERIFY2(sign[0] > 1000 && qAbs(sign[1] - sign[0] * 9 / 4) < sign[0] / 4, qPrintable(sizes));
    }

private:
    // What the screen shows where the window lies, taken by this program on the X display.
    QImage Grab(const QString& window) {
        const QRect area = WindowGeometry(window);
        const QString file = root_.filePath("grab.png");
        QFile::remove(file);
        QProcess grab;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "xcb");
        grab.setProcessEnvironment(environment);
        grab.start(QCoreApplication::applicationFilePath(),
                   {"--grab", QString("%1,%2,%3,%4").arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height()), file});
        grab.waitForFinished(60000);
        return QImage(file);
    }
};

int main(int argc, char** argv) {
    if (argc == 4 && QByteArray(argv[1]) == "--grab") {
        QGuiApplication application(argc, argv);
        const QList<QByteArray> area = QByteArray(argv[2]).split(',');
        return QGuiApplication::primaryScreen()
                       ->grabWindow(0, area.value(0).toInt(), area.value(1).toInt(), area.value(2).toInt(), area.value(3).toInt())
                       .save(argv[3])
                   ? 0
                   : 1;
    }
    return RunWineTest<WineEndToEndTests>(argc, argv);
}

#include "WineEndToEndTests.moc"
