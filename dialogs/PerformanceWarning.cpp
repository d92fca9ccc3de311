#include "PerformanceWarning.h"

#include "DialogDrag.h"
#include "LayoutTables.h"
#include "app/DisplayScaling.h"
#include "app/Settings.h"
#include "tray/CompanionLauncher.h"

#include <QEvent>

PerformanceWarning::PerformanceWarning() : QDialog(nullptr), DragOffset(0, 0) {
    setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    setWindowTitle(tr("Corvane Drive Monitor"));
    PaintWhiteBackground(*this);
    SetDialogGeometry();
    SetDialogStyle();
    connect(OkButton, SIGNAL(clicked()), this, SLOT(OnOk()));
    connect(CloneButton, SIGNAL(clicked()), this, SLOT(OnLaunchDriveMonitorApplication()));
    connect(RecoverData, SIGNAL(clicked()), this, SLOT(OnLaunchDataRecoveryApplication()));
}

DriveWarningTexts PerformanceWarning::Texts() const {
    return {tr("Performance Warning"),
            tr("Warning"),
            tr("Drive performance is declining and may lead to permanent damage.To avoid data loss, create a clone "
               "of the storage drive."),
            tr("Don't show this again"),
            tr("To recover data from the failing drive, click the 'Recover Data' button."),
            tr("Clone Disk"),
            tr("Recover Data")};
}

void PerformanceWarning::SetDialogGeometry() {
    LayoutNumbers = LayoutForLanguage(DriveWarningLayout, PerformanceWarningChanges, ActiveLanguage());
    ApplyLayout(*this, LayoutNumbers, UpdateDpiClassScale());
}

void PerformanceWarning::SetDialogStyle() { StyleDriveWarning(*this, Texts()); }

void PerformanceWarning::OnOk() {
    SettingsStore settings;
    if (CheckBox->isChecked()) settings.Write(SettingsKey::PerformanceDontShow, true);
    hide();
}

void PerformanceWarning::OnDontShowClicked() {
    SettingsStore settings;
    settings.Write(SettingsKey::PerformanceDontShow, true);
    hide();
}

void PerformanceWarning::OnClone() { OnOk(); }

void PerformanceWarning::OnLaunchDriveMonitorApplication() {
    hide();
    tray::LaunchCompanion(tray::Companion::DriveMonitor, &MediaName);
}

void PerformanceWarning::OnLaunchDataRecoveryApplication() {
    hide();
    tray::LaunchCompanion(tray::Companion::DataRecovery);
}

void PerformanceWarning::mousePressEvent(QMouseEvent* event) { PressForDrag(*this, *event, DragOffset); }

void PerformanceWarning::mouseReleaseEvent(QMouseEvent*) { ReleaseDrag(); }

void PerformanceWarning::mouseMoveEvent(QMouseEvent* event) { MoveForDrag(*this, *event, DragOffset); }

void PerformanceWarning::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        RetranslateDriveWarning(*this, *this, Texts());
        SetDialogGeometry();
    }
    QWidget::changeEvent(event);
}
