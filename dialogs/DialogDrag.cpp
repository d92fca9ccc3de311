#include "DialogDrag.h"

#include "app/ProcessValues.h"

#include <QMouseEvent>
#include <QWidget>

void PressForDrag(const QWidget& dialog, const QMouseEvent& event, QPoint& dragOffset) {
    if (event.button() != Qt::LeftButton) return;
    DialogDragActive = true;
    dragOffset = event.globalPos() - dialog.frameGeometry().topLeft();
}

void MoveForDrag(QWidget& dialog, QMouseEvent& event, const QPoint& dragOffset) {
    if (dragOffset.y() > DragBandBottom || !DialogDragActive || !(event.buttons() & Qt::LeftButton)) return;
    dialog.move(event.globalPos() - dragOffset);
    event.accept();
}

void ReleaseDrag() { DialogDragActive = false; }
