// Renders every warning dialog for every language and display scale to PNG files, and the tray icon at
// each scale, so translators and reviewers see them without waiting for a hot or failing drive.
//
// Usage: dialog-gallery OUTDIR
//
// Each scale is rendered by a child run of this program, because the font DPI that goes with a
// scale must be fixed before the application object exists, as at start-up.

#include "app/DisplayScaling.h"
#include "app/Language.h"
#include "app/ProcessValues.h"
#include "dialogs/HealthWarning.h"
#include "dialogs/PerformanceWarning.h"
#include "dialogs/ShutDownWarning.h"
#include "dialogs/SmartWarning.h"
#include "tray/TrayIcon.h"
#include "tray/WarningDecisions.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QTextStream>
#include <QTranslator>

#include <functional>
#include <memory>

namespace {

const float Scales[] = {0.9f, 1.0f, 1.25f, 1.5f, 1.75f};

const QString RenderOption = QStringLiteral("--render-scale");

// A model text as the drive query leaves it, with its trailing space.
const QString SampleDriveName = QStringLiteral("Samsung SSD 870 EVO 1TB ");

struct GalleryDialog {
    const char* fileName;
    std::function<std::unique_ptr<QDialog>()> create;
};

template <class Dialog>
std::unique_ptr<QDialog> CreateWithDriveName() {
    auto dialog = std::make_unique<Dialog>();
    dialog->MediaNameLabel->setText(QCoreApplication::translate("QWaitClass", "Disk: ") + SampleDriveName);
    return dialog;
}

const GalleryDialog Dialogs[] = {
    {"temperature-warning", CreateWithDriveName<SmartWarning>},
    {"shutdown-warning", CreateWithDriveName<ShutDownWarning>},
    {"health-warning", CreateWithDriveName<HealthWarning>},
    {"performance-warning", CreateWithDriveName<PerformanceWarning>},
};

// The boot disk of the failing-boot-disk machine reads 41 °C: two digits in Celsius, three in Fahrenheit.
const int SampleCelsius = 41;

QString ScaleText(float scale) { return QString::number(static_cast<double>(scale), 'f', 2); }

// Runs one child per scale with the environment start-up would set for it.
int RenderAllScales(const QString& program, const QString& outputFolder) {
    for (float scale : Scales) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_FONT_DPI"), QString::number(static_cast<int>(96.0f * scale)));
        if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(program, {RenderOption, ScaleText(scale), outputFolder});
        if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            QTextStream(stderr) << "rendering at scale " << ScaleText(scale) << " failed\n";
            return 1;
        }
    }
    return 0;
}

// The icon in Celsius and in Fahrenheit side by side, on a dark strip like a task bar's.
bool RenderTrayIcons(float scale, const QDir& outputFolder) {
    const float classScale = UpdateDpiClassScale();
    const QPixmap icons[] = {
        tray::TrayIconPixmap(tray::TrayIconTextFor(SampleCelsius, QString()), classScale),
        tray::TrayIconPixmap(tray::TrayIconTextFor(SampleCelsius, QStringLiteral("F")), classScale)};
    const int gap = icons[0].width() / 3;
    QPixmap strip(2 * icons[0].width() + 3 * gap, icons[0].height() + 2 * gap);
    strip.fill(QColor(32, 32, 32));
    QPainter painter(&strip);
    painter.drawPixmap(gap, gap, icons[0]);
    painter.drawPixmap(2 * gap + icons[0].width(), gap, icons[1]);
    painter.end();
    const QString path = outputFolder.filePath(QStringLiteral("tray-icon_%1x.png").arg(ScaleText(scale)));
    if (strip.save(path)) return true;
    QTextStream(stderr) << "could not write " << path << "\n";
    return false;
}

int RenderOneScale(const QApplication& application, float scale, const QDir& outputFolder) {
    DpiScale = scale;
    if (!RenderTrayIcons(scale, outputFolder)) return 1;
    const QString translations = application.applicationDirPath() + QStringLiteral("/TranslationCM/");
    int written = 1;  // the tray icons
    for (int type = 0; type < LanguageCount; ++type) {
        const LanguageInfo& language = LanguageForType(type);
        SelectLanguage(language.flag);
        // A language without a translation file shows the English texts in its own layout.
        QTranslator translator;
        translator.load(QLatin1String(language.programTranslation), translations + QLatin1String(language.code));
        QCoreApplication::installTranslator(&translator);
        for (const GalleryDialog& entry : Dialogs) {
            const std::unique_ptr<QDialog> dialog = entry.create();
            dialog->show();
            QCoreApplication::processEvents();
            const QString name = QStringLiteral("%1_%2_%3x.png")
                                     .arg(QLatin1String(entry.fileName), QLatin1String(language.code), ScaleText(scale));
            if (!dialog->grab().save(outputFolder.filePath(name))) {
                QTextStream(stderr) << "could not write " << outputFolder.filePath(name) << "\n";
                return 1;
            }
            ++written;
        }
        QCoreApplication::removeTranslator(&translator);
    }
    QTextStream(stdout) << "scale " << ScaleText(scale) << ": " << written << " pictures\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && QString::fromLocal8Bit(argv[1]) == RenderOption) {
        QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling, true);
        QApplication application(argc, argv);
        return RenderOneScale(application, QString::fromLocal8Bit(argv[2]).toFloat(), QDir(QString::fromLocal8Bit(argv[3])));
    }
    if (argc != 2) {
        QTextStream(stderr) << "usage: dialog-gallery OUTDIR\n";
        return 2;
    }
    QCoreApplication application(argc, argv);
    const QDir outputFolder(QString::fromLocal8Bit(argv[1]));
    if (!outputFolder.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "could not create " << outputFolder.path() << "\n";
        return 1;
    }
    return RenderAllScales(QCoreApplication::applicationFilePath(), outputFolder.absolutePath());
}
