#include "QWaitClass.h"

#include "app/DisplayScaling.h"
#include "app/Settings.h"

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

void QWaitClass::CreateWarningDialogs() {}

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
