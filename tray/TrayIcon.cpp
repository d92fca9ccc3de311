#include "TrayIcon.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QLoggingCategory>
#include <QPainter>

#include <cmath>

Q_DECLARE_LOGGING_CATEGORY(lcTray)

namespace tray {

int TrayTextPixelSize(int pixelSize, qreal textWidth, int iconWidth) {
    if (!(textWidth > iconWidth)) return pixelSize;
    const qreal proportional = std::floor(pixelSize * (iconWidth / textWidth));
    return proportional < 1 ? 1 : static_cast<int>(proportional);
}

QPixmap TrayIconPixmap(const QString& text, float classScale) {
    QPixmap pixmap(static_cast<int>(29 * classScale), static_cast<int>(28 * classScale));
    pixmap.fill(QColor(33, 140, 254));
    QFont font(QStringLiteral("Segoe UI"), 11);
    // Hinting may round a smaller size a little wider than in proportion, so the size is measured again
    // until it fits.
    for (int size = QFontInfo(font).pixelSize();;) {
        const qreal width = QFontMetricsF(font, &pixmap).horizontalAdvance(text);
        const int fitting = TrayTextPixelSize(size, width, pixmap.width());
        if (fitting == size) break;
        qCDebug(lcTray) << "tray icon text" << text << "too wide at" << size << "pixels, trying" << fitting;
        font.setPixelSize(size = fitting);
    }
    QPainter painter(&pixmap);
    painter.setPen(Qt::white);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, pixmap.width(), pixmap.height()), Qt::AlignCenter, text);
    return pixmap;
}

}  // namespace tray
