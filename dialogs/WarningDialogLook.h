#pragma once

// The look the four warning dialogs share: the grey title strip, the fonts, and the button and
// warning images of the display's DPI class.

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

inline const QString BlackLabelSheet = QStringLiteral("QLabel {color : #000000;}");
inline const QString WhiteButtonTextSheet = QStringLiteral("QPushButton {color : #ffffff;}");

QFont BodyFont();
QFont HeadingFont();

// Recomputes the DPI class and names its image folder; empty below 1.0, where no images are used.
QString CurrentImageFolder();

// The medium button image in every state; empty without a folder.
QString SecondaryButtonSheet(const QString& imageFolder);

// The big button image, brighter under the mouse; empty without a folder.
QString PrimaryButtonSheet(const QString& imageFolder);

// Without a folder the label is left empty.
void ShowWarningImage(QLabel& imageLabel, const QString& imageFolder);

void StyleTitleStrip(QLabel& titleLabel, const QString& title);

// The white background that the frameless dialogs paint behind their frame.
void PaintWhiteBackground(QWidget& dialog);
