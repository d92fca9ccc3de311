#include "ShutDownWarning.h"

#include "DialogDrag.h"
#include "LayoutTables.h"
#include "WarningDialogLook.h"
#include "app/DisplayScaling.h"
#include "app/Settings.h"

#include <QEvent>

ShutDownWarning::ShutDownWarning() : QDialog(nullptr), DragOffset(0, 0) {
    setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    setWindowTitle(tr("Corvane Drive Monitor"));
    PaintWhiteBackground(*this);
    SetDialogGeometry();
    SetDialogStyle();
    connect(OkButton, SIGNAL(clicked()), this, SLOT(OnOk()));
}

QString ShutDownWarning::Message() const {
    return tr("Temperature of your storage drive has reached the shut down value.To avoid any permanent damage, "
              "shutdown the system immediately.");
}

void ShutDownWarning::SetDialogGeometry() {
    LayoutNumbers = LayoutForLanguage(ShutdownWarningLayout, ShutdownWarningChanges, ActiveLanguage());
    ApplyLayout(*this, LayoutNumbers, UpdateDpiClassScale());
}

void ShutDownWarning::SetDialogStyle() {
    const QString imageFolder = CurrentImageFolder();
    StyleTitleStrip(*CenterTitleLabel, tr("Shut Down Warning"));
    MediaNameLabel->setStyleSheet(BlackLabelSheet);
    MediaNameLabel->setFont(BodyFont());
    WarningLbl->setFont(HeadingFont());
    WarningLbl->setText(tr("Warning"));
    WarningLbl->setStyleSheet(BlackLabelSheet);
    WarningTxtLbl->setText(Message());
    WarningTxtLbl->setStyleSheet(BlackLabelSheet);
    WarningTxtLbl->setFont(BodyFont());
    OkButton->setFont(BodyFont());
    OkButton->setStyleSheet(SecondaryButtonSheet(imageFolder));
    ShutDownButton->setFont(BodyFont());
    ShutDownButton->setStyleSheet(PrimaryButtonSheet(imageFolder) + WhiteButtonTextSheet);
    ShowWarningImage(*ImageLbl, imageFolder);
}

void ShutDownWarning::OnOk() { hide(); }

void ShutDownWarning::OnDontShowClicked() {
    SettingsStore settings;
    settings.Write(SettingsKey::ShutDownDontShow, true);
    hide();
}

void ShutDownWarning::mousePressEvent(QMouseEvent* event) { PressForDrag(*this, *event, DragOffset); }

void ShutDownWarning::mouseReleaseEvent(QMouseEvent*) { ReleaseDrag(); }

void ShutDownWarning::mouseMoveEvent(QMouseEvent* event) { MoveForDrag(*this, *event, DragOffset); }

void ShutDownWarning::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        // The form's text pass puts its placeholder over the drive name, which is kept.
        const QString mediaName = MediaNameLabel->text();
        retranslateUi(this);
        MediaNameLabel->setText(mediaName);
        setWindowTitle(tr("Corvane Drive Monitor"));
        CenterTitleLabel->setText(tr("Shutdown Warning"));
        WarningLbl->setText(tr("Warning"));
        WarningLbl->setStyleSheet(QStringLiteral("QLabel {color : #64778b;}"));
        WarningTxtLbl->setText(Message());
        SetDialogGeometry();
    }
    QWidget::changeEvent(event);
}
