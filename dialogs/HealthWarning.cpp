#include "HealthWarning.h"

#include "DialogDrag.h"
#include "LayoutTables.h"
#include "app/DisplayScaling.h"
#include "app/Settings.h"
#include "tray/CompanionLauncher.h"

#include <QEvent>

HealthWarning::HealthWarning() : QDialog(nullptr), DragOffset(0, 0) {
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

DriveWarningTexts HealthWarning::Texts() const {
    return {tr("Health Warning"),
            tr("Warning"),
            tr("Drive health is declining and may lead to permanent damage.To avoid data loss, create a clone of "
               "the failing storage drive."),
            tr("Don't show this again"),
            tr("To recover data from the failing drive, click the 'Recover Data' button."),
            tr("Clone Disk"),
            tr("Recover Data")};
}

void HealthWarning::SetDialogGeometry() {
    LayoutNumbers = LayoutForLanguage(DriveWarningLayout, HealthWarningChanges, ActiveLanguage());
    ApplyLayout(*this, LayoutNumbers, UpdateDpiClassScale());
}

void HealthWarning::SetDialogStyle() { StyleDriveWarning(*this, Texts()); }

void HealthWarning::OnOk() {
    SettingsStore settings;
    if (CheckBox->isChecked()) settings.Write(SettingsKey::HealthDontShow, true);
    hide();
}

void HealthWarning::OnDontShowClicked() {
    SettingsStore settings;
    settings.Write(SettingsKey::HealthDontShow, true);
    hide();
}

void HealthWarning::OnClone() { OnOk(); }

void HealthWarning::OnLaunchDriveMonitorApplication() {
    hide();
    tray::LaunchCompanion(tray::Companion::DriveMonitor, &MediaName);
}

void HealthWarning::OnLaunchDataRecoveryApplication() {
    hide();
    tray::LaunchCompanion(tray::Companion::DataRecovery);
}

void HealthWarning::mousePressEvent(QMouseEvent* event) { PressForDrag(*this, *event, DragOffset); }

void HealthWarning::mouseReleaseEvent(QMouseEvent*) { ReleaseDrag(); }

void HealthWarning::mouseMoveEvent(QMouseEvent* event) { MoveForDrag(*this, *event, DragOffset); }

void HealthWarning::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        RetranslateDriveWarning(*this, *this, Texts());
        SetDialogGeometry();
    }
    QWidget::changeEvent(event);
}
