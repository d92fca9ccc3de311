#pragma once

// The warning shown when the boot disk's health has fallen below the limit. It offers to clone the
// drive or to recover its data with the companion applications.

#include "DialogLayout.h"
#include "DriveWarningForm.h"
#include "ui_HealthWarningDialog.h"

#include <QDialog>
#include <QPoint>
#include <QString>

class HealthWarning : public QDialog, public Ui::HealthWarningDialog {
    Q_OBJECT

public:
    HealthWarning();

    // The drive the warning is about, for the clone request.
    QString MediaName;

public slots:
    void OnOk();
    void OnDontShowClicked();
    void OnClone();
    void OnLaunchDriveMonitorApplication();
    void OnLaunchDataRecoveryApplication();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetDialogGeometry();
    void SetDialogStyle();
    DriveWarningTexts Texts() const;

    QPoint DragOffset;
    DialogLayout LayoutNumbers;
};
