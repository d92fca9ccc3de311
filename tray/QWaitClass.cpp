#include "QWaitClass.h"

#include "app/DisplayScaling.h"
#include "app/Settings.h"
#include "dialogs/HealthWarning.h"
#include "dialogs/PerformanceWarning.h"
#include "dialogs/ShutDownWarning.h"
#include "dialogs/SmartWarning.h"
#include "disks/DiskQueries.h"
#include "resources/ImageResources.h"
#include "smart/SmartCapture.h"
#include "smart/SmartCommand.h"
#include "tray/DiskInfoWgt.h"

#include <QTimer>

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

void QWaitClass::OnInitialize() {}

void QWaitClass::GetAllDiskTemperature() {}

void QWaitClass::OnQutiApplication() {}

void QWaitClass::OnStopSmartMontoring() {}

void QWaitClass::OnLaunchApplication() {}

void QWaitClass::GetDriveRefresh() {}

void QWaitClass::GetSmartTemprature() {}

void QWaitClass::GetHealthAndPerformanceWarning() {}

void QWaitClass::OnSystemShutDown() {}

void QWaitClass::OnShowDiskInfo() {}

void QWaitClass::GetInitialPerformanceandHealthWarning() { GetHealthAndPerformanceWarning(); }

void QWaitClass::CreateTrayIcon() {}

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

int QWaitClass::ToFahrenheit(int celsius) { return smart::ToFahrenheit(celsius); }
