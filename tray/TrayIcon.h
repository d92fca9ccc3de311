#pragma once

// The tray icon's picture: a blue square with the boot disk's temperature written on it in white.

#include <QPixmap>
#include <QString>

namespace tray {

// The pixel size at which the icon text fits `iconWidth`, given the text's width at `pixelSize`:
// `pixelSize` itself when the text fits, else the largest whole size that would fit if the width grew in
// proportion to the size, and never below 1.
int TrayTextPixelSize(int pixelSize, qreal textWidth, int iconWidth);

// The icon for `text` at a display class scale. The text is drawn in "Segoe UI" at 11 points, centred;
// a text too wide for that (three digits) is drawn just small enough to fit, still centred.
QPixmap TrayIconPixmap(const QString& text, float classScale);

}  // namespace tray
