// Paints the monitor's images into the resource folder: the dialog images for 96, 120 and 144 DPI,
// the graded tray-menu images and the drive icon. Every picture is drawn at its final pixel size,
// so nothing is resampled and each DPI set stays crisp.
//
// Usage: draw-images RESOURCE_IMAGES_FOLDER

#include <QBuffer>
#include <QColor>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cmath>
#include <functional>

namespace {

// One palette for the whole family: a grade reads the same in every image.
const QColor Good(0x2e, 0x9e, 0x44);
const QColor Average(0xe8, 0x93, 0x0c);
const QColor Bad(0xd6, 0x34, 0x2a);
const QColor Neutral(0x3f, 0x7c, 0xc4);
const QColor Glyph(Qt::white);

enum class Grade { Good, Average, Bad };

QColor GradeColor(Grade grade) {
    switch (grade) {
    case Grade::Good: return Good;
    case Grade::Average: return Average;
    case Grade::Bad: return Bad;
    }
    return Neutral;
}

struct ImageSet {
    QString folder;
    double scale;
};

const ImageSet ImageSets[] = {{QStringLiteral("96"), 1.0}, {QStringLiteral("120"), 1.25}, {QStringLiteral("144"), 1.5}};

using Painting = std::function<void(QPainter&)>;

// `draw` paints in a square or rectangle of design units; `unit` is the pixel size of one unit.
QImage Render(QSize pixels, double unit, const Painting& draw) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(unit, unit);
    draw(painter);
    return image;
}

bool Save(const QString& path, QSize pixels, double unit, const Painting& draw) {
    if (Render(pixels, unit, draw).save(path)) return true;
    QTextStream(stderr) << "could not write " << path << "\n";
    return false;
}

// A Windows icon file holding one PNG image per size, drawn at each size from a 32-unit design.
bool SaveIcon(const QString& path, const QList<int>& sizes, const Painting& draw) {
    QList<QByteArray> images;
    for (const int size : sizes) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        Render({size, size}, size / 32.0, draw).save(&png, "PNG");
        images.append(png.data());
    }
    QByteArray icon;
    QDataStream out(&icon, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(sizes.size());
    quint32 offset = 6 + 16 * sizes.size();
    for (int i = 0; i < sizes.size(); ++i) {
        const quint8 side = sizes[i] >= 256 ? 0 : quint8(sizes[i]);  // 0 stands for 256
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32) << quint32(images[i].size()) << offset;
        offset += images[i].size();
    }
    for (const QByteArray& image : images) out.writeRawData(image.constData(), image.size());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(icon) == icon.size()) return true;
    QTextStream(stderr) << "could not write " << path << "\n";
    return false;
}

// Menu images: a rounded badge in the grade colour with a white glyph, readable on light and on
// dark menus alike. The design grid is 16 units.
void Badge(QPainter& painter, const QColor& color) {
    QLinearGradient fill(0, 0, 0, 16);
    fill.setColorAt(0, color.lighter(112));
    fill.setColorAt(1, color.darker(108));
    painter.setPen(QPen(color.darker(135), 0.8));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.9, 0.9, 14.2, 14.2), 3.2, 3.2);
}

// A thermometer whose column rises with the temperature.
void Thermometer(QPainter& painter, Grade grade) {
    const double level = grade == Grade::Good ? 9.0 : grade == Grade::Average ? 6.5 : 3.8;
    QPainterPath outline;
    outline.addRoundedRect(QRectF(6.3, 2.6, 3.4, 8.6), 1.7, 1.7);
    outline.addEllipse(QPointF(8, 11.4), 2.6, 2.6);
    outline = outline.simplified();
    painter.setPen(QPen(Glyph, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Glyph);
    painter.drawEllipse(QPointF(8, 11.4), 1.7, 1.7);
    painter.drawRect(QRectF(7.25, level, 1.5, 11.4 - level));
}

QPainterPath HeartPath() {
    QPainterPath heart;
    heart.moveTo(8, 13.2);
    heart.cubicTo(2.2, 9.4, 2.4, 3.4, 5.4, 3.4);
    heart.cubicTo(6.9, 3.4, 7.7, 4.5, 8, 5.5);
    heart.cubicTo(8.3, 4.5, 9.1, 3.4, 10.6, 3.4);
    heart.cubicTo(13.6, 3.4, 13.8, 9.4, 8, 13.2);
    heart.closeSubpath();
    return heart;
}

// A whole heart for good health, a heart with a gap for average, a broken heart for bad.
void Heart(QPainter& painter, Grade grade, const QColor& badgeColor) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Glyph);
    painter.drawPath(HeartPath());
    if (grade == Grade::Good) return;
    painter.setPen(QPen(badgeColor, 1.1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath crack;
    crack.moveTo(8, 5.2);
    if (grade == Grade::Average) {
        crack.lineTo(8, 8.2);
    } else {
        crack.lineTo(6.9, 7.6);
        crack.lineTo(9.0, 9.3);
        crack.lineTo(7.7, 13.4);
    }
    painter.drawPath(crack);
}

// A speedometer whose needle points right when fast, up when middling and left when slow.
void Gauge(QPainter& painter, Grade grade) {
    const double degrees = grade == Grade::Good ? 25.0 : grade == Grade::Average ? 90.0 : 155.0;
    const QPointF centre(8, 10.6);
    painter.setPen(QPen(Glyph, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(centre.x() - 5.4, centre.y() - 5.4, 10.8, 10.8), 0, 180 * 16);
    const double radians = degrees * M_PI / 180.0;
    const QPointF tip(centre.x() + 4.3 * std::cos(radians), centre.y() - 4.3 * std::sin(radians));
    painter.setPen(QPen(Glyph, 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, tip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Glyph);
    painter.drawEllipse(centre, 1.5, 1.5);
}

// A disk cut into slices: the drive's lettered volumes.
void Pie(QPainter& painter) {
    const QRectF disk(3.4, 3.4, 9.2, 9.2);
    painter.setPen(QPen(Glyph, 1.1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(disk);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Glyph);
    painter.drawPie(disk, 0, 120 * 16);
}

// The warning image of the dialogs: an amber triangle with a white exclamation mark. The design
// grid is 100 units.
void WarningSign(QPainter& painter) {
    QPainterPath triangle;
    triangle.moveTo(50, 8);
    triangle.lineTo(94, 86);
    triangle.lineTo(6, 86);
    triangle.closeSubpath();
    QLinearGradient fill(0, 8, 0, 86);
    fill.setColorAt(0, QColor(0xf7, 0xb2, 0x35));
    fill.setColorAt(1, Average);
    painter.setPen(QPen(Average.darker(118), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(fill);
    painter.drawPath(triangle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Glyph);
    painter.drawRoundedRect(QRectF(45, 32, 10, 32), 5, 5);
    painter.drawEllipse(QPointF(50, 74), 5.6, 5.6);
}

// Buttons are stretched to each button's width, so they have plain vertical edges and a small
// corner radius that stays round under stretching. The design grid is 100 x 32 units.
void Button(QPainter& painter, const QColor& top, const QColor& bottom, const QColor& border) {
    QLinearGradient fill(0, 0, 0, 32);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.setPen(QPen(border, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 99, 31), 3, 3);
}

// The tray submenu's drive icon: a drive seen from the front with its activity light.
void Drive(QPainter& painter) {
    QLinearGradient body(0, 7, 0, 25);
    body.setColorAt(0, QColor(0x6b, 0x7d, 0x90));
    body.setColorAt(1, QColor(0x44, 0x52, 0x61));
    painter.setPen(QPen(QColor(0xc8, 0xd2, 0xdc), 1.2));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(2.6, 7.6, 26.8, 16.8), 3, 3);
    painter.setPen(QPen(QColor(0xc8, 0xd2, 0xdc), 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(6.5, 19.5), QPointF(18.5, 19.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x5f, 0xd0, 0x6e));
    painter.drawEllipse(QPointF(24.5, 19.5), 2.0, 2.0);
}

struct MenuImage {
    const char* name;
    Painting draw;
};

QVector<MenuImage> MenuImages() {
    QVector<MenuImage> images;
    const struct {
        Grade grade;
        const char* temperature;
        const char* health;
        const char* performance;
    } grades[] = {{Grade::Good, "NormalTemp", "GoodHealth", "GoodPerformance"},
                  {Grade::Average, "AverageTemp", "AverageHealth", "AveragePerformance"},
                  {Grade::Bad, "HighTemp", "BadHealth", "BadPerformance"}};
    for (const auto& row : grades) {
        const Grade grade = row.grade;
        const QColor color = GradeColor(grade);
        images.append({row.temperature, [=](QPainter& p) { Badge(p, color); Thermometer(p, grade); }});
        images.append({row.health, [=](QPainter& p) { Badge(p, color); Heart(p, grade, color.darker(108)); }});
        images.append({row.performance, [=](QPainter& p) { Badge(p, color); Gauge(p, grade); }});
    }
    images.append({"Partition", [](QPainter& p) { Badge(p, Neutral); Pie(p); }});
    return images;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        QTextStream(stderr) << "usage: draw-images RESOURCE_IMAGES_FOLDER\n";
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    bool written = true;
    for (const ImageSet& set : ImageSets) {
        root.mkpath(set.folder);
        const QString folder = root.filePath(set.folder) + QLatin1Char('/');
        const int menuSize = static_cast<int>(16 * set.scale);
        for (const MenuImage& image : MenuImages())
            written &= Save(folder + image.name + ".png", {menuSize, menuSize}, set.scale, image.draw);
        const int warningSize = static_cast<int>(100 * set.scale);
        written &= Save(folder + "img_warning.png", {warningSize, warningSize}, set.scale, WarningSign);
        const QSize buttonSize(static_cast<int>(100 * set.scale), static_cast<int>(32 * set.scale));
        written &= Save(folder + "img_BigButton.png", buttonSize, set.scale, [](QPainter& p) {
            Button(p, QColor(0x2f, 0x84, 0xdb), QColor(0x1c, 0x60, 0xad), QColor(0x17, 0x52, 0x96));
        });
        written &= Save(folder + "img_BigButtonActive.png", buttonSize, set.scale, [](QPainter& p) {
            Button(p, QColor(0x4a, 0x9b, 0xee), QColor(0x27, 0x74, 0xc6), QColor(0x1c, 0x60, 0xad));
        });
        written &= Save(folder + "img_MediumButton.png", buttonSize, set.scale, [](QPainter& p) {
            Button(p, QColor(0xff, 0xff, 0xff), QColor(0xe9, 0xec, 0xf0), QColor(0xad, 0xb5, 0xbf));
        });
    }
    // One drive icon for every scale; Qt reduces it for small menus.
    written &= Save(root.filePath("img_Moniter-drive.png"), {32, 32}, 1.0, Drive);
    // The program's own icon on Windows, the same drive.
    written &= SaveIcon(root.filePath("CorvaneSMART.ico"), {16, 24, 32, 48, 64, 256}, Drive);
    return written ? 0 : 1;
}
