#include "SmartWarning.h"

#include "DialogDrag.h"
#include "LayoutTables.h"
#include "WarningDialogLook.h"
#include "app/DisplayScaling.h"
#include "app/ProcessValues.h"
#include "app/Settings.h"

#include <QEvent>

SmartWarning::SmartWarning() : QDialog(nullptr), DragOffset(0, 0) {
    setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    setWindowTitle(tr("Corvane Drive Monitor"));
    PaintWhiteBackground(*this);
    SetDialogGeometry();
    SetDialogStyle();
    connect(OkButton, SIGNAL(clicked()), this, SLOT(OnOk()));
}

QString SmartWarning::Message() const {
    return tr("Temperature of your storage drive has exceeded the set threshold value.To avoid any permanent "
              "damage, it is recommended to shutdown the system.");
}

void SmartWarning::SetDialogGeometry() {
    LayoutNumbers = LayoutForLanguage(TemperatureWarningLayout, TemperatureWarningChanges, ActiveLanguage());
    ApplyLayout(*this, LayoutNumbers, UpdateDpiClassScale());
}

void SmartWarning::SetDialogStyle() {
    const QString imageFolder = CurrentImageFolder();
    StyleTitleStrip(*CenterTitleLabel, tr("SMART Warning"));
    MediaNameLabel->setStyleSheet(BlackLabelSheet);
    MediaNameLabel->setFont(BodyFont());
    WarningLbl->setFont(HeadingFont());
    WarningLbl->setText(tr("Warning"));
    WarningLbl->setStyleSheet(BlackLabelSheet);
    WarningTxtLbl->setText(Message());
    WarningTxtLbl->setStyleSheet(BlackLabelSheet);
    WarningTxtLbl->setFont(BodyFont());
    DontShowLabel->setText(tr("Don't show this again"));
    DontShowLabel->setStyleSheet(BlackLabelSheet);
    DontShowLabel->setFont(BodyFont());
    OkButton->setFont(BodyFont());
    OkButton->setStyleSheet(SecondaryButtonSheet(imageFolder));
    ShutDownButton->setFont(BodyFont());
    ShutDownButton->setStyleSheet(PrimaryButtonSheet(imageFolder) + WhiteButtonTextSheet);
    ShowWarningImage(*ImageLbl, imageFolder);
}

void SmartWarning::OnOk() {
    TemperatureWarningSuppressed = CheckBox->isChecked();
    hide();
}

void SmartWarning::OnDontShowClicked() {
    SettingsStore settings;
    settings.Write(SettingsKey::DontShow, true);
    hide();
}

void SmartWarning::mousePressEvent(QMouseEvent* event) { PressForDrag(*this, *event, DragOffset); }

void SmartWarning::mouseReleaseEvent(QMouseEvent*) { ReleaseDrag(); }

void SmartWarning::mouseMoveEvent(QMouseEvent* event) { MoveForDrag(*this, *event, DragOffset); }

void SmartWarning::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        // The form's text pass empties the drive name and the check box label; both are kept.
        const QString mediaName = MediaNameLabel->text();
        retranslateUi(this);
        MediaNameLabel->setText(mediaName);
        DontShowLabel->setText(tr("Don't show this again"));
        CenterTitleLabel->setText(tr("SMART Warning"));
        WarningLbl->setText(tr("Warning"));
        WarningTxtLbl->setText(Message());
        SetDialogGeometry();
    }
    QWidget::changeEvent(event);
}
