#include "QWaitClass.h"

#include "app/DisplayScaling.h"
#include "app/Settings.h"
#include "dialogs/HealthWarning.h"
#include "dialogs/PerformanceWarning.h"
#include "dialogs/ShutDownWarning.h"
#include "dialogs/SmartWarning.h"
#include "disks/DiskQueries.h"
#include "disks/DriveList.h"
#include "resources/ImageResources.h"
#include "smart/SmartCapture.h"
#include "smart/SmartCommand.h"
#include "tray/DiskInfoWgt.h"

#include "app/ProcessValues.h"
#include "exec/CaptureFile.h"
#include "exec/CommandRunner.h"
#include "platform/Platform.h"
#include "tray/CompanionLauncher.h"
#include "tray/DiskOverview.h"
#include "tray/TrayIcon.h"
#include "tray/WarningDecisions.h"

#include <QAction>
#include <QCoreApplication>
#include <QHash>
#include <QLoggingCategory>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

Q_LOGGING_CATEGORY(lcTray, "corvane.tray")

QWaitClass::QWaitClass(QObject* parent) : QObject(parent) {
    SettingsStore settings;
    if (!settings.EnsureTrue(SettingsKey::ResizeAppforDPI)) ApplyEnvironment(PinnedScalingEnvironment());

    CreateWarningDialogs();
    OnInitialize();
    GetHealthAndPerformanceWarning();

    TemperatureTimer = new QTimer(this);
    HealthTimer = new QTimer(this);
    TemperatureTimer->start(TemperatureInterval);
    HealthTimer->start(HealthInterval);
    connect(TemperatureTimer, SIGNAL(timeout()), this, SLOT(GetSmartTemprature()));
    connect(HealthTimer, SIGNAL(timeout()), this, SLOT(GetHealthAndPerformanceWarning()));
}

// Each is created once, hidden, and lives until the monitor ends; the checks only show them.
void QWaitClass::CreateWarningDialogs() {
    RegisterImageResources();
    TemperatureWarningDialog = new SmartWarning();
    TemperatureWarningDialog->hide();
    ShutDownWarningDialog = new ShutDownWarning();
    ShutDownWarningDialog->hide();
    HealthWarningDialog = new HealthWarning();
    HealthWarningDialog->hide();
    PerformanceWarningDialog = new PerformanceWarning();
    PerformanceWarningDialog->hide();
    DiskInfoWidget = new DiskInfoWgt();
    DiskInfoWidget->hide();
}

namespace {

const QString BootReadingCaptureName = QStringLiteral("Temp.txt");
const QString DriveReportCaptureName = QStringLiteral("SMART.txt");
const QString IndexCaptureName = QStringLiteral("SMART1.txt");
const QString DetailCaptureName = QStringLiteral("Out.txt");

tray::TemperatureSettings ReadTemperatureSettings(const SettingsStore& settings) {
    tray::TemperatureSettings read;
    read.warningValue = settings.ReadInt(SettingsKey::WarningValue);
    read.shutDownValue = settings.ReadInt(SettingsKey::ShutDownValue);
    read.dontShow = settings.ReadBool(SettingsKey::DontShow);
    read.shutDownDontShow = settings.ReadBool(SettingsKey::ShutDownDontShow);
    read.temperatureUnit = settings.ReadText(SettingsKey::TempValue);
    read.showWarning = settings.ReadBool(SettingsKey::ShowWarning);
    return read;
}

// A dialog already on screen keeps its place and only gets the renewed label.
void ShowDriveWarning(QDialog& dialog, QLabel& mediaNameLabel) {
    mediaNameLabel.setText(tray::DiskLabelText(WarningDiskName));
    qCDebug(lcTray) << "showing" << dialog.metaObject()->className() << mediaNameLabel.text();
    dialog.show();
}

// The visible entries of a menu on one line, a submenu's entries in braces after its title.
QString MenuOutline(const QMenu& menu) {
    QStringList entries;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator() || !action->isVisible()) continue;
        entries << (action->menu() ? action->text() + QStringLiteral(" {") + MenuOutline(*action->menu()) +
                                         QLatin1Char('}')
                                   : action->text());
    }
    return entries.join(QStringLiteral(" | "));
}

// Each image is read once: every rebuild asks for the same few, and reading one decodes its PNG.
QIcon ImageIcon(const QString& path) {
    static QHash<QString, QIcon> icons;
    auto icon = icons.find(path);
    if (icon == icons.end()) icon = icons.insert(path, QIcon(path));
    return *icon;
}

QIcon GradeIcon(const QString& grade) {
    const QString path = tray::GradeImagePath(DpiClassScale, grade);
    return path.isEmpty() ? QIcon() : ImageIcon(path);
}

}  // namespace

// One reading of the boot disk: the tray icon, the menu with every drive, and the temperature warnings.
void QWaitClass::OnInitialize() {
    if (PrepareWorkFolder() != WorkFolderState::Ready) {
        ShowWithoutWorkFolder();
        return;
    }
    SettingsStore settings;
    const QString bootIndex = GetBootDiskIndex();
    qCDebug(lcTray) << "boot disk index" << bootIndex;
    const std::optional<int> reading =
        ReadBootDiskTemperature(bootIndex.isEmpty() ? QStringLiteral("sda") : DeviceNameForIndex(bootIndex));
    if (!reading) return;
    const int celsius = *reading;

    const tray::TemperatureSettings limits = ReadTemperatureSettings(settings);
    HasWorkFolder = true;
    TrayIconText = tray::TrayIconTextFor(celsius, limits.temperatureUnit);
    CreateTrayIcon();
    WarningDiskName = GetDiskModelName(bootIndex);
    RebuildTrayMenu(true);

    ShowTemperatureWarnings(celsius, limits);

    // The dialogs outlive every rebuild: one connection each, so one click asks for one shutdown.
    connect(ShutDownWarningDialog->ShutDownButton, SIGNAL(clicked()), this, SLOT(OnSystemShutDown()),
            Qt::UniqueConnection);
    connect(TemperatureWarningDialog->ShutDownButton, SIGNAL(clicked()), this, SLOT(OnSystemShutDown()),
            Qt::UniqueConnection);
}

// No tool can run, so there is no reading: the icon is still there to say why, and its menu can end the
// monitor. A later check that has the folder shows the reading again.
void QWaitClass::ShowWithoutWorkFolder() {
    HasWorkFolder = false;
    TrayIconText.clear();
    CreateTrayIcon();
    RebuildTrayMenu(false);
}

// A submenu for every drive when `withDrives`, then the monitor's own entries.
void QWaitClass::RebuildTrayMenu(bool withDrives) {
    ReleaseTrayMenu();
    TrayMenu = new QMenu();
    if (withDrives) GetAllDiskTemperature();
    StopMonitoringAction = new QAction(tr("Stop S.M.A.R.T monitoring"), this);
    ExitAction = new QAction(tr("Exit"), this);
    GoToMonitorAction = new QAction(tr("Go to Corvane Drive Monitor"), this);
    MenuActions << StopMonitoringAction << ExitAction << GoToMonitorAction;
    TrayMenu->addSeparator();
    TrayMenu->addAction(GoToMonitorAction);
    TrayMenu->addAction(StopMonitoringAction);
    TrayMenu->addSeparator();
    TrayMenu->addSeparator();
    TrayMenu->addAction(ExitAction);
    StopMonitoringAction->setVisible(false);
    TrayIcon->setContextMenu(TrayMenu);
    qCDebug(lcTray).noquote() << "tray menu:" << MenuOutline(*TrayMenu);

    connect(StopMonitoringAction, SIGNAL(triggered()), this, SLOT(OnStopSmartMontoring()));
    connect(ExitAction, SIGNAL(triggered()), this, SLOT(OnQutiApplication()));
    connect(GoToMonitorAction, SIGNAL(triggered()), this, SLOT(OnLaunchApplication()));
}

// The previous menu goes with its drive submenus, and the entries of the previous rebuild with it.
// A menu the user has open stays as it is until it closes; the new one is there at its next opening.
void QWaitClass::ReleaseTrayMenu() {
    const auto release = [menu = QPointer<QMenu>(TrayMenu), actions = MenuActions] {
        if (menu) menu->deleteLater();
        for (QAction* action : actions) action->deleteLater();
    };
    if (TrayMenu && TrayMenu->isVisible()) {
        qCDebug(lcTray) << "the tray menu is open: it is replaced when it closes";
        connect(TrayMenu, &QMenu::aboutToHide, this, release, Qt::QueuedConnection);
    } else {
        release();
    }
    MenuActions.clear();
    TrayMenu = nullptr;
    DiskSubMenu = nullptr;
    TemperatureEntry = HealthEntry = PerformanceEntry = PartitionEntry = nullptr;
    ExitAction = StopMonitoringAction = GoToMonitorAction = nullptr;
}

// One submenu per drive whose report the tool passed, in the order the drive list gives them.
void QWaitClass::GetAllDiskTemperature() {
    RemoveCaptureFile(CapturePath(IndexCaptureName));
    UpdateDpiClassScale();
    const QString reportCapture = CapturePath(DriveReportCaptureName);
    const QString detailCapture = CapturePath(DetailCaptureName);
    const QStringList entries = DiskIndexList;
    for (const QString& entry : entries) {
        if (!disks::IsDriveIndex(entry)) continue;
        const QString index = entry.trimmed();
        const QString model = GetDiskModelName(index);
        QueryDiskDetail(index);
        SettingsStore settings;
        RemoveCaptureFile(reportCapture);
        RunSmartTool(DeviceNameForIndex(index), reportCapture);
        const std::optional<smart::SmartScan> scan = ScanSmartReport(reportCapture);
        if (!scan) {
            qCDebug(lcTray) << "no report for drive" << index << "- the drive overview ends here";
            return;
        }
        if (!scan->passedSeen) {
            qCDebug(lcTray) << "drive" << index << "was not passed by the tool; it gets no submenu";
            continue;
        }
        const int celsius = scan->Temperature();
        const int health = EvaluateHealth(reportCapture);
        const int performance = EvaluatePerformance(reportCapture);
        const QString unit = settings.ReadText(SettingsKey::TempValue);

        TemperatureEntry = new QAction(GradeIcon(tray::TemperatureGrade(celsius)),
                                       tray::TemperatureEntryText(celsius, unit), this);
        HealthEntry = new QAction(GradeIcon(tray::HealthGrade(health)), tray::HealthEntryText(health), this);
        PerformanceEntry = new QAction(GradeIcon(tray::PerformanceGrade(performance)),
                                       tray::PerformanceEntryText(performance), this);
        MenuActions << TemperatureEntry << HealthEntry << PerformanceEntry;
        DiskSubMenu = new QMenu(tray::DriveMenuTitle(model), TrayMenu);
        DiskSubMenu->setIcon(ImageIcon(QStringLiteral(":/images/img_Moniter-drive.png")));
        TrayMenu->addMenu(DiskSubMenu);
        TrayMenu->addSeparator();

        const std::optional<QStringList> detail = ReadCaptureLines(detailCapture);
        if (!detail) {
            qCDebug(lcTray) << "no diskpart details for drive" << index << "- the drive overview ends here";
            return;
        }
        const QStringList letters = tray::VolumeLetters(*detail);
        qCDebug(lcTray) << "drive" << index << model << celsius << "C, health" << health << "performance"
                        << performance << "letters" << letters;
        PartitionEntry = new QAction(GradeIcon(QStringLiteral("Partition")), tray::PartitionEntryText(letters), this);
        MenuActions << PartitionEntry;
        DiskSubMenu->addSeparator();
        DiskSubMenu->addAction(TemperatureEntry);
        DiskSubMenu->addSeparator();
        DiskSubMenu->addAction(HealthEntry);
        DiskSubMenu->addSeparator();
        DiskSubMenu->addAction(PerformanceEntry);
        DiskSubMenu->addSeparator();
        DiskSubMenu->addAction(PartitionEntry);
        RemoveCaptureFile(reportCapture);
        RemoveCaptureFile(detailCapture);
    }
}

void QWaitClass::OnQutiApplication() {
    SettingsStore settings;
    settings.Write(SettingsKey::ShowTrayIcon, false);
    settings.Write(SettingsKey::FirstTimeLaunch, true);
    if (TrayIcon) TrayIcon->hide();
    QCoreApplication::quit();
}

void QWaitClass::OnStopSmartMontoring() {
    SettingsStore settings;
    settings.Write(SettingsKey::ShowTrayIcon, false);
    if (TrayIcon) TrayIcon->hide();
    QCoreApplication::quit();
}

void QWaitClass::OnLaunchApplication() { tray::LaunchCompanion(tray::Companion::DriveMonitor); }

void QWaitClass::GetDriveRefresh() {}

void QWaitClass::GetSmartTemprature() {
    if (PrepareWorkFolder() != WorkFolderState::Ready) {
        ShowWithoutWorkFolder();
        return;
    }
    SettingsStore settings;
    const std::optional<int> reading = ReadBootDiskTemperature(DeviceNameForIndex(GetBootDiskIndex()));
    if (!reading) return;
    const tray::TemperatureSettings limits = ReadTemperatureSettings(settings);

    // The menu is not emptied beforehand: OnInitialize replaces it once it has a reading of its own,
    // so a reading that fails keeps the last menu, Exit included, instead of leaving an empty one.
    OnInitialize();

    tray::TemperatureSettings current = limits;
    current.showWarning = settings.ReadBool(SettingsKey::ShowWarning);
    ShowTemperatureWarnings(*reading, current);
}

// The boot disk's temperature in degrees Celsius, 0 without a usable line; nothing when no report
// could be captured.
std::optional<int> QWaitClass::ReadBootDiskTemperature(const QString& device) {
    const QString capture = CapturePath(BootReadingCaptureName);
    RemoveCaptureFile(capture);
    RunSmartTool(device, capture);
    const std::optional<smart::SmartScan> scan = ScanSmartReport(capture);
    if (!scan) {
        qCDebug(lcTray) << "no boot disk reading in" << capture << "- the tray keeps its last state";
        return std::nullopt;
    }
    RemoveCaptureFile(capture);
    return scan->Temperature();
}

// The shutdown warning first when both are due. Both have one size and may appear on one spot, so a
// temperature warning that appears over the shutdown warning leaves the graver one's title in sight.
void QWaitClass::ShowTemperatureWarnings(int celsius, const tray::TemperatureSettings& settings) {
    const tray::TemperatureWarnings warnings =
        tray::DecideTemperatureWarnings(celsius, settings, TemperatureWarningSuppressed);
    if (warnings.shutDown) ShowDriveWarning(*ShutDownWarningDialog, *ShutDownWarningDialog->MediaNameLabel);
    if (!warnings.temperature) return;
    const bool appears = !TemperatureWarningDialog->isVisible();
    ShowDriveWarning(*TemperatureWarningDialog, *TemperatureWarningDialog->MediaNameLabel);
    if (!appears || !ShutDownWarningDialog->isVisible()) return;
    const std::optional<QPoint> clear = tray::WarningPositionClearOf(
        ShutDownWarningDialog->frameGeometry(), ShutDownWarningDialog->CenterTitleLabel->geometry().bottom() + 1,
        TemperatureWarningDialog->frameGeometry(), ShutDownWarningDialog->screen()->availableGeometry());
    if (clear)
        TemperatureWarningDialog->move(*clear);
    else
        ShutDownWarningDialog->raise();
}

void QWaitClass::GetHealthAndPerformanceWarning() {
    if (PrepareWorkFolder() != WorkFolderState::Ready) return;
    SettingsStore settings;
    const QString capture = CapturePath(BootReadingCaptureName);
    RemoveCaptureFile(capture);
    RunSmartTool(DeviceNameForIndex(GetBootDiskIndex()), capture);
    const std::optional<QStringList> report = ReadCaptureLines(capture);
    if (!report) {
        qCDebug(lcTray) << "no boot disk report in" << capture << "- no health check this time";
        return;
    }
    const tray::HealthCheckReading reading = tray::ReadHealthCheck(*report);
    RemoveCaptureFile(capture);
    qCDebug(lcTray) << "health check: PASSED" << reading.passed << "health" << reading.health << "performance"
                    << reading.performance;

    tray::DriveSettings suppression;
    suppression.healthDontShow = settings.ReadBool(SettingsKey::HealthDontShow);
    suppression.performanceDontShow = settings.ReadBool(SettingsKey::PerformanceDontShow);
    suppression.showWarning = settings.ReadBool(SettingsKey::ShowWarning);
    const tray::DriveWarnings warnings =
        tray::DecideDriveWarnings(reading.passed, reading.health, reading.performance, suppression);
    if (warnings.health) {
        HealthWarningDialog->MediaName = WarningDiskName;
        ShowDriveWarning(*HealthWarningDialog, *HealthWarningDialog->MediaNameLabel);
    }
    if (warnings.performance) {
        PerformanceWarningDialog->MediaName = WarningDiskName;
        ShowDriveWarning(*PerformanceWarningDialog, *PerformanceWarningDialog->MediaNameLabel);
    }
}

// The system may refuse (on Linux: no logind, or polkit says no); the monitor keeps running either way,
// and the tool has put its reason on the error output it shares with the monitor.
void QWaitClass::OnSystemShutDown() {
    const platform::CommandOutcome outcome = RunCommandWithin("shutdown /s", {}, EffectiveCommandTimeLimit());
    if (outcome.started && !outcome.timedOut && outcome.exitCode != 0)
        qCWarning(lcTray) << "the machine was not shut down: \"shutdown /s\" ended with exit code" << outcome.exitCode;
}

void QWaitClass::OnShowDiskInfo() {}

void QWaitClass::GetInitialPerformanceandHealthWarning() { GetHealthAndPerformanceWarning(); }

void QWaitClass::CreateTrayIcon() {
    const QPixmap pixmap =
        tray::TrayIconPixmap(TrayIconText.isEmpty() ? tray::NoReadingIconText : TrayIconText, UpdateDpiClassScale());
    // The icon is this controller's own, so it is created on its first drawing.
    if (!TrayIcon) TrayIcon = new QSystemTrayIcon(this);
    TrayIcon->setToolTip(tray::TrayToolTip(TrayIconText, {!HasWorkFolder, platform::LacksRightsToReadDrives()}));
    qCDebug(lcTray) << "tray icon" << TrayIcon->toolTip();
    // The picture first: an icon shown without one is reported by Qt, and nothing is drawn between.
    TrayIcon->setIcon(QIcon(pixmap));
    TrayIcon->setVisible(true);
    TrayIconNotCreated = false;
}

QString QWaitClass::GetDiskModelName(const QString& index) { return disks::GetDiskModelName(index); }

QString QWaitClass::GetBootDiskIndex() { return disks::GetBootDiskIndex(); }

void QWaitClass::QueryDiskDetail(const QString& index) { disks::QueryDiskDetail(index); }

QString QWaitClass::DeviceNameForIndex(const QString& index) { return smart::DeviceNameForIndex(index); }

void QWaitClass::RunSmartTool(const QString& device, const QString& capturePath) {
    smart::RunSmartTool(device, capturePath);
}

std::optional<smart::SmartScan> QWaitClass::ScanSmartReport(const QString& capturePath) {
    return smart::ScanSmartReport(capturePath);
}

int QWaitClass::EvaluateHealth(QString capturePath) { return smart::EvaluateHealth(capturePath); }

int QWaitClass::EvaluatePerformance(QString capturePath) { return smart::EvaluatePerformance(capturePath); }

