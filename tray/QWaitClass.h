#pragma once

// The monitor's one controller: it owns the tray icon and menu, the warning dialogs and the two timers
// whose slots do the periodic work, all on the GUI thread.

#include "smart/SmartReport.h"
#include "tray/WarningDecisions.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class SmartWarning;
class HealthWarning;
class PerformanceWarning;
class ShutDownWarning;
class DiskInfoWgt;

class QWaitClass : public QObject {
    Q_OBJECT

public:
    explicit QWaitClass(QObject* parent = nullptr);

    static constexpr int TemperatureInterval = 30000;
    static constexpr int HealthInterval = 5400000;

signals:
    void IntimateToRefreshDrives();

private slots:
    void OnInitialize();
    void GetAllDiskTemperature();
    void OnQutiApplication();
    void OnStopSmartMontoring();
    void OnLaunchApplication();
    void GetDriveRefresh();
    void GetSmartTemprature();
    void GetHealthAndPerformanceWarning();
    void OnSystemShutDown();
    void OnShowDiskInfo();
    void GetInitialPerformanceandHealthWarning();
    void CreateTrayIcon();

private:
    void CreateWarningDialogs();
    void ShowWithoutWorkFolder();
    void RebuildTrayMenu(bool withDrives);
    void ReleaseTrayMenu();
    static std::optional<int> ReadBootDiskTemperature(const QString& device);
    void ShowTemperatureWarnings(int celsius, const tray::TemperatureSettings& settings);

    // Drive discovery and S.M.A.R.T. reading for the slots; each runs its tools afresh.
    static QString GetDiskModelName(const QString& index);
    static QString GetBootDiskIndex();
    static void QueryDiskDetail(const QString& index);
    static QString DeviceNameForIndex(const QString& index);
    static void RunSmartTool(const QString& device, const QString& capturePath);
    static std::optional<smart::SmartScan> ScanSmartReport(const QString& capturePath);
    static int EvaluateHealth(QString capturePath);
    static int EvaluatePerformance(QString capturePath);

    QSystemTrayIcon* TrayIcon = nullptr;
    SmartWarning* TemperatureWarningDialog = nullptr;
    HealthWarning* HealthWarningDialog = nullptr;
    PerformanceWarning* PerformanceWarningDialog = nullptr;
    ShutDownWarning* ShutDownWarningDialog = nullptr;
    DiskInfoWgt* DiskInfoWidget = nullptr;
    QMenu* TrayMenu = nullptr;
    QMenu* DiskSubMenu = nullptr;
    QAction* TemperatureEntry = nullptr;
    QAction* HealthEntry = nullptr;
    QAction* PerformanceEntry = nullptr;
    QAction* PartitionEntry = nullptr;
    QAction* ExitAction = nullptr;
    QAction* StopMonitoringAction = nullptr;
    QAction* GoToMonitorAction = nullptr;
    QTimer* TemperatureTimer = nullptr;
    QTimer* HealthTimer = nullptr;
    // Without one no tool runs: the icon shows no reading and its tooltip says why.
    bool HasWorkFolder = false;
    // Every entry of the current menu, released with it at the next rebuild.
    QList<QAction*> MenuActions;
};
