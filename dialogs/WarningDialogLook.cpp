#include "WarningDialogLook.h"

#include "app/DisplayScaling.h"
#include "resources/ImageResources.h"

#include <QLabel>
#include <QPalette>
#include <QPixmap>

namespace {

QString ButtonSheet(const QString& imageFolder, const QString& image, const QString& hoverImage) {
    if (imageFolder.isEmpty()) return {};
    const QString rule = QStringLiteral("border-image: url(:/images/%1/%2);width: 75px; height:32px}");
    const QString normal = rule.arg(imageFolder, image);
    const QString hover = rule.arg(imageFolder, hoverImage);
    return QStringLiteral("QPushButton{") + normal + QStringLiteral("QPushButton:hover { ") + hover +
           QStringLiteral("QPushButton:disabled { ") + normal + QStringLiteral("QPushButton:pressed { ") + normal;
}

void SetInAllGroups(QPalette& palette, QPalette::ColorRole role, const QColor& color) {
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setBrush(group, role, QBrush(color, Qt::SolidPattern));
}

}  // namespace

QFont BodyFont() { return QFont(QStringLiteral("Segoe UI"), 10); }

QFont HeadingFont() { return QFont(QStringLiteral("Segoe UI SemiBold"), 24); }

QString CurrentImageFolder() {
    RegisterImageResources();
    return ImageFolderFor(UpdateDpiClassScale());
}

QString SecondaryButtonSheet(const QString& imageFolder) {
    return ButtonSheet(imageFolder, QStringLiteral("img_MediumButton.png"), QStringLiteral("img_MediumButton.png"));
}

QString PrimaryButtonSheet(const QString& imageFolder) {
    return ButtonSheet(imageFolder, QStringLiteral("img_BigButton.png"), QStringLiteral("img_BigButtonActive.png"));
}

void ShowWarningImage(QLabel& imageLabel, const QString& imageFolder) {
    if (imageFolder.isEmpty()) return;
    imageLabel.setPixmap(QPixmap(QStringLiteral(":/images/%1/img_warning.png").arg(imageFolder)));
}

void StyleTitleStrip(QLabel& titleLabel, const QString& title) {
    QPalette palette = titleLabel.palette();
    SetInAllGroups(palette, QPalette::Window, QColor(237, 240, 243));
    SetInAllGroups(palette, QPalette::WindowText, QColor(0, 0, 0));
    titleLabel.setPalette(palette);
    titleLabel.setAutoFillBackground(true);
    titleLabel.setText(title);
    titleLabel.setFont(QFont(QStringLiteral("Segoe UI SemiBold"), 10));
}

void PaintWhiteBackground(QWidget& dialog) {
    QPalette palette = dialog.palette();
    SetInAllGroups(palette, QPalette::Window, Qt::white);
    dialog.setPalette(palette);
    dialog.setAutoFillBackground(true);
}
