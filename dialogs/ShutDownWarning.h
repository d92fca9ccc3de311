#pragma once

// The warning shown when the boot disk's temperature reaches the shutdown threshold. It urges an
// immediate shutdown; Ignore only hides it, so the next check shows it again.

#include "DialogLayout.h"
#include "ui_SmartShutdownDialog.h"

#include <QDialog>
#include <QPoint>

class ShutDownWarning : public QDialog, public Ui::SmartShutdownDialog {
    Q_OBJECT

public:
    ShutDownWarning();

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
