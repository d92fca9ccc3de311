#pragma once

// The warning dialogs have no title bar; a left press in their top band and a drag moves them.

#include <QPoint>

class QMouseEvent;
class QWidget;

// The lowest offset from the window's top edge at which a press still starts a move. It is the same
// at every DPI class, so only the upper part of an enlarged title strip drags.
inline constexpr int DragBandBottom = 26;

void PressForDrag(const QWidget& dialog, const QMouseEvent& event, QPoint& dragOffset);
void MoveForDrag(QWidget& dialog, QMouseEvent& event, const QPoint& dragOffset);
void ReleaseDrag();
