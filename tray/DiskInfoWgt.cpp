#include "DiskInfoWgt.h"

#include <QPalette>

DiskInfoWgt::DiskInfoWgt() : QWidget(nullptr) {
    setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, QColor(150, 150, 150));
    frame->setPalette(palette);
}
