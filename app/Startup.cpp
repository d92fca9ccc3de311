// Start-up: settings, scaling and language are fixed before the controller exists, in this order,
// because Qt reads the scaling environment when the application object is created.

#include "Startup.h"

#include "DisplayScaling.h"
#include "Language.h"
#include "ProcessValues.h"
#include "Settings.h"
#include "exec/CaptureFile.h"
#include "platform/EntryPoint.h"
#include "platform/Platform.h"
#include "tray/QWaitClass.h"

#include <QApplication>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcStartup, "corvane.startup")

namespace {

void FixDisplayScaling(SettingsStore& settings) {
    const bool resizeForDpi = settings.EnsureTrue(SettingsKey::ResizeAppforDPI);
    if (resizeForDpi) platform::MakeProcessDpiAware();
    const platform::WorkArea workArea = resizeForDpi ? platform::PrimaryWorkArea() : platform::WorkArea{};
    const ScalingDecision decision =
        DecideScaling(resizeForDpi, resizeForDpi ? platform::PrimaryMonitorDpi() : 96, workArea.width, workArea.height);
    DpiScale = decision.dpiScale;
    ApplyEnvironment(decision.environment);
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling, true);
}

}  // namespace

void PrepareApplication(QApplication& application) {
    // The monitor lives in the tray: hiding or closing a warning (Escape does both) must not end it.
    // It ends only through its own Exit entry.
    application.setQuitOnLastWindowClosed(false);
}

int CorvaneMain(int argc, char** argv) {
    platform::ShieldElevatedProcess();
    // Without a work folder or its lock yet, the monitor starts all the same and claims them at a later check.
    if (PrepareWorkFolder() == WorkFolderState::HeldByAnotherMonitor) {
        qCInfo(lcStartup) << "another monitor is already running with this work folder; leaving it alone";
        return 0;
    }

    SettingsStore scalingSettings;
    FixDisplayScaling(scalingSettings);

    QApplication application(argc, argv);
    PrepareApplication(application);
    LaunchArgument = argc > 1 ? QString::fromUtf8(argv[1]) : QString();
    SystemDirectory = QString::fromStdString(platform::SystemDirectory());

    SettingsStore settings;
    const int languageType = settings.ReadInt(SettingsKey::LanguageType);
    settings.Write(SettingsKey::TaskName,
                   LaunchArgument == ScheduledLaunchArgument ? ScheduledLaunchArgument : QString());

    const LanguageInfo& language = LanguageForType(languageType);
    SelectLanguage(language.flag);
    TranslationDirectory = TranslationDirectoryFor(QCoreApplication::applicationDirPath(), language);
    InstallTranslations(application, language);

    settings.Write(SettingsKey::PerformanceDontShow, false);
    settings.Write(SettingsKey::HealthDontShow, false);

    qCDebug(lcStartup) << "scale" << DpiScale << "language" << language.code << "argument" << LaunchArgument
                       << "elevated" << platform::RunsElevated();
    QWaitClass controller;
    return application.exec();
}
