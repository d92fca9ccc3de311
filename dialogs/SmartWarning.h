#pragma once

// The warning shown when the boot disk's temperature reaches the user's warning threshold. It
// offers an immediate shutdown and lets the user ignore it, optionally until the monitor ends.

#include "DialogLayout.h"
#include "ui_SmartWarningDialog.h"

#include <QDialog>
#include <QPoint>

class SmartWarning : public QDialog, public Ui::SmartWarningDialog {
    Q_OBJECT

public:
    SmartWarning();

public slots:
    void OnOk();
    void OnDontShowClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetDialogGeometry();
    void SetDialogStyle();
    QString Message() const;

    QPoint DragOffset;
    DialogLayout LayoutNumbers;
};
