#include "app/Language.h"
#include "app/ProcessValues.h"
#include "dialogs/HealthWarning.h"
#include "dialogs/PerformanceWarning.h"
#include "dialogs/ShutDownWarning.h"
#include "dialogs/SmartWarning.h"
#include "resources/ImageResources.h"
#include "tray/DiskInfoWgt.h"
#include "tray/QWaitClass.h"

#include <QtTest>

#include <memory>

namespace {

std::unique_ptr<QDialog> MakeDialog(const QString& kind) {
    if (kind == "temperature") return std::make_unique<SmartWarning>();
    if (kind == "shutdown") return std::make_unique<ShutDownWarning>();
    if (kind == "health") return std::make_unique<HealthWarning>();
    return std::make_unique<PerformanceWarning>();
}

template <class T = QWidget>
T* Child(QDialog& dialog, const char* name) {
    T* child = dialog.findChild<T*>(name);
    if (!child) qFatal("no widget %s", name);
    return child;
}

QRect Geometry(QDialog& dialog, const char* name) { return Child(dialog, name)->geometry(); }

QString Sheet(QDialog& dialog, const char* name) { return Child(dialog, name)->styleSheet(); }

QString ButtonSheet(const QString& folder, const QString& image, const QString& hover) {
    const QString rule = "border-image: url(:/images/%1/%2);width: 75px; height:32px}";
    return "QPushButton{" + rule.arg(folder, image) + "QPushButton:hover { " + rule.arg(folder, hover) +
           "QPushButton:disabled { " + rule.arg(folder, image) + "QPushButton:pressed { " + rule.arg(folder, image);
}

}  // namespace

class WarningDialogTests : public QObject {
    Q_OBJECT

    QTemporaryDir directory_;
    QString settingsFile_;

    QStringList WrittenSettings() const { return QSettings(settingsFile_, QSettings::IniFormat).allKeys(); }

    // "Key=value" for every setting in the file.
    QStringList WrittenValues() const {
        QSettings settings(settingsFile_, QSettings::IniFormat);
        QStringList values;
        for (const QString& key : settings.allKeys()) values << key + "=" + settings.value(key).toString();
        return values;
    }

private slots:
    void initTestCase() {
        settingsFile_ = directory_.filePath("settings.ini");
        qputenv("CORVANE_SETTINGS_FILE", settingsFile_.toUtf8());
    }

    void init() {
        QFile::remove(settingsFile_);
        DpiScale = 1.0f;
        SelectLanguage(Language::EN);
        DialogDragActive = false;
        TemperatureWarningSuppressed = false;
    }

    void layoutFollowsLanguageAndScale_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("language");
        QTest::addColumn<float>("scale");
        QTest::addColumn<QSize>("dialogSize");
        QTest::addColumn<QRect>("title");
        QTest::addColumn<QByteArray>("widget");
        QTest::addColumn<QRect>("geometry");
        const auto add = [](const char* name, QString kind, Language language, float scale, QSize dialogSize,
                            QRect title, QByteArray widget, QRect geometry) {
            QTest::newRow(name) << kind << int(language) << scale << dialogSize << title << widget << geometry;
        };
        add("temperature EN 1.0", "temperature", Language::EN, 1.0f, {636, 321}, {2, 2, 632, 32}, "OkButton",
            {510, 260, 100, 32});
        add("temperature DE 1.25", "temperature", Language::DE, 1.25f, {795, 401}, {2, 2, 790, 40}, "ShutDownButton",
            {481, 325, 140, 40});
        add("temperature DE 1.1 as 1.25", "temperature", Language::DE, 1.1f, {795, 401}, {2, 2, 790, 40},
            "WarningLbl", {193, 66, 225, 62});
        add("temperature CN 0.9", "temperature", Language::CN, 0.9f, {572, 288}, {2, 2, 568, 27}, "DontShowLabel",
            {45, 239, 180, 19});
        add("shutdown HI 1.5", "shutdown", Language::HI, 1.5f, {954, 481}, {2, 2, 948, 48}, "OkButton",
            {768, 390, 169, 48});
        add("shutdown IT 1.3 as 1.5", "shutdown", Language::IT, 1.3f, {954, 481}, {2, 2, 948, 48}, "WarningTxtLbl",
            {232, 196, 685, 102});
        add("health JA 1.0", "health", Language::JA, 1.0f, {636, 321}, {2, 2, 632, 32}, "RecoverData",
            {240, 260, 112, 32});
        add("performance JA 1.0", "performance", Language::JA, 1.0f, {636, 321}, {2, 2, 632, 32}, "RecoverData",
            {240, 260, 110, 32});
        add("health DU 1.75", "health", Language::DU, 1.75f, {1113, 561}, {2, 2, 1106, 56}, "RecoverDataTxtLbl",
            {271, 341, 798, 78});
        add("performance FR 1.0", "performance", Language::FR, 1.0f, {636, 321}, {2, 2, 632, 32}, "CheckBox",
            {18, 267, 20, 23});
        add("image stays square", "health", Language::EN, 1.75f, {1113, 561}, {2, 2, 1106, 56}, "ImageLbl",
            {52, 105, 175, 175});
    }
    void layoutFollowsLanguageAndScale() {
        QFETCH(QString, kind);
        QFETCH(int, language);
        QFETCH(float, scale);
        QFETCH(QSize, dialogSize);
        QFETCH(QRect, title);
        QFETCH(QByteArray, widget);
        QFETCH(QRect, geometry);
        DpiScale = scale;
        SelectLanguage(static_cast<Language>(language));
        const auto dialog = MakeDialog(kind);
        QCOMPARE(dialog->size(), dialogSize);
        QCOMPARE(dialog->minimumSize(), dialogSize);
        QCOMPARE(dialog->maximumSize(), dialogSize);
        QCOMPARE(Geometry(*dialog, "CenterTitleLabel"), title);
        QCOMPARE(Geometry(*dialog, "MainFrame"), QRect(QPoint(0, 0), dialogSize));
        QCOMPARE(Geometry(*dialog, widget.constData()), geometry);
    }

    void formsHaveTheirWidgetsAndWindowKind_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("formName");
        QTest::addColumn<QStringList>("frameChildren");
        QTest::addColumn<QStringList>("slotNames");
        const QStringList temperatureSlots = {"OnOk()", "OnDontShowClicked()"};
        const QStringList cloneSlots = {"OnOk()", "OnDontShowClicked()", "OnClone()",
                                        "OnLaunchDriveMonitorApplication()", "OnLaunchDataRecoveryApplication()"};
        const QStringList common = {"WarningTxtLbl", "ImageLbl", "WarningLbl", "OkButton", "MediaNameLabel"};
        QTest::newRow("temperature") << "temperature" << "SmartWarning" << "SmartWarningDialog"
                                     << common + QStringList{"CheckBox", "DontShowLabel", "ShutDownButton"}
                                     << temperatureSlots;
        QTest::newRow("shutdown") << "shutdown" << "ShutDownWarning" << "SmartShutdownDialog"
                                  << common + QStringList{"ShutDownButton"} << temperatureSlots;
        const QStringList clone = {"CheckBox", "DontShowLabel", "CloneButton", "RecoverData", "RecoverDataTxtLbl"};
        QTest::newRow("health") << "health" << "HealthWarning" << "HealthWarningDialog" << common + clone << cloneSlots;
        QTest::newRow("performance") << "performance" << "PerformanceWarning" << "PerformanceWarningDialog"
                                     << common + clone << cloneSlots;
    }
    void formsHaveTheirWidgetsAndWindowKind() {
        QFETCH(QString, kind);
        QFETCH(QString, className);
        QFETCH(QString, formName);
        QFETCH(QStringList, frameChildren);
        QFETCH(QStringList, slotNames);
        const auto dialog = MakeDialog(kind);
        const QMetaObject* meta = dialog->metaObject();
        QCOMPARE(QString(meta->className()), className);
        QStringList declared;
        for (int index = meta->methodOffset(); index < meta->methodCount(); ++index)
            declared << meta->method(index).methodSignature();
        QCOMPARE(declared, slotNames);
        QCOMPARE(dialog->objectName(), formName);
        // Asked for the frameless hint alone; Qt makes a parentless widget a plain window, not a dialog.
        QCOMPARE(dialog->windowFlags(), Qt::Window | Qt::FramelessWindowHint);
        QCOMPARE(dialog->windowTitle(), QString("Corvane Drive Monitor"));
        QVERIFY(!dialog->isModal());
        QVERIFY(dialog->autoFillBackground());
        QCOMPARE(dialog->palette().color(QPalette::Inactive, QPalette::Window), QColor(Qt::white));
        QCOMPARE(dialog->palette().color(QPalette::Disabled, QPalette::Base), QColor(253, 253, 253));

        auto* frame = Child<QFrame>(*dialog, "MainFrame");
        QCOMPARE(frame->parentWidget(), dialog.get());
        QCOMPARE(frame->frameShape(), QFrame::Box);
        QCOMPARE(frame->palette().color(QPalette::Active, QPalette::WindowText), QColor(150, 150, 150));
        QCOMPARE(frame->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(118, 116, 108));
        QStringList names;
        for (QWidget* child : frame->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            names << child->objectName();
        QCOMPARE(QSet<QString>(names.begin(), names.end()),
                 QSet<QString>(frameChildren.begin(), frameChildren.end()));

        auto* title = Child<QLabel>(*dialog, "CenterTitleLabel");
        QCOMPARE(title->parentWidget(), dialog.get());
        QCOMPARE(title->alignment(), Qt::AlignCenter);
        QVERIFY(title->autoFillBackground());
        QCOMPARE(title->palette().color(QPalette::Disabled, QPalette::Window), QColor(237, 240, 243));
        QCOMPARE(title->font().family(), QString("Segoe UI SemiBold"));
        QCOMPARE(title->font().pointSize(), 10);
        QCOMPARE(Child<QLabel>(*dialog, "WarningLbl")->font().pointSize(), 24);
        QCOMPARE(Child<QLabel>(*dialog, "WarningTxtLbl")->font().family(), QString("Segoe UI"));
        QVERIFY(Child<QLabel>(*dialog, "WarningTxtLbl")->wordWrap());
        QVERIFY(Child<QLabel>(*dialog, "ImageLbl")->hasScaledContents());
        QCOMPARE(Child<QPushButton>(*dialog, "OkButton")->text(), QString("Ignore"));
        QCOMPARE(Sheet(*dialog, "WarningLbl"), QString("QLabel {color : #000000;}"));
    }

    void texts() {
        SmartWarning temperature;
        QCOMPARE(temperature.CenterTitleLabel->text(), QString("SMART Warning"));
        QCOMPARE(temperature.WarningTxtLbl->text(),
                 QString("Temperature of your storage drive has exceeded the set threshold value.To avoid any "
                         "permanent damage, it is recommended to shutdown the system."));
        QCOMPARE(temperature.DontShowLabel->text(), QString("Don't show this again"));
        QCOMPARE(temperature.CheckBox->text(), QString());
        ShutDownWarning shutdown;
        QCOMPARE(shutdown.CenterTitleLabel->text(), QString("Shut Down Warning"));
        QCOMPARE(shutdown.ShutDownButton->text(), QString("Shut Down"));
        QCOMPARE(shutdown.MediaNameLabel->text(), QString("TextLabel"));
        HealthWarning health;
        QCOMPARE(health.WarningTxtLbl->text(),
                 QString("Drive health is declining and may lead to permanent damage.To avoid data loss, create a "
                         "clone of the failing storage drive."));
        QCOMPARE(health.RecoverDataTxtLbl->text(),
                 QString("To recover data from the failing drive, click the 'Recover Data' button."));
        QCOMPARE(health.CloneButton->text(), QString("Clone Disk"));
        QCOMPARE(health.RecoverData->text(), QString("Recover Data"));
        PerformanceWarning performance;
        QCOMPARE(performance.CenterTitleLabel->text(), QString("Performance Warning"));
        QCOMPARE(performance.WarningTxtLbl->text(),
                 QString("Drive performance is declining and may lead to permanent damage.To avoid data loss, "
                         "create a clone of the storage drive."));
        QCOMPARE(performance.MediaNameLabel->text(), QString());
    }

    void stylePicksImagesByDpiClass_data() {
        QTest::addColumn<float>("scale");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("imageSize");
        QTest::newRow("0.9 has no images") << 0.9f << "" << 0;
        QTest::newRow("1.0") << 1.0f << "96" << 100;
        QTest::newRow("1.1 as 1.25") << 1.1f << "120" << 125;
        QTest::newRow("1.5") << 1.5f << "144" << 150;
        QTest::newRow("1.75") << 1.75f << "144" << 150;
    }
    void stylePicksImagesByDpiClass() {
        QFETCH(float, scale);
        QFETCH(QString, folder);
        QFETCH(int, imageSize);
        DpiScale = scale;
        const QString white = "QPushButton {color : #ffffff;}";
        const QString secondary =
            folder.isEmpty() ? QString() : ButtonSheet(folder, "img_MediumButton.png", "img_MediumButton.png");
        const QString primary =
            folder.isEmpty() ? white : ButtonSheet(folder, "img_BigButton.png", "img_BigButtonActive.png") + white;
        SmartWarning temperature;
        QCOMPARE(Sheet(temperature, "OkButton"), secondary);
        QCOMPARE(Sheet(temperature, "ShutDownButton"), primary);
        QCOMPARE(temperature.ImageLbl->pixmap(Qt::ReturnByValue).width(), imageSize);
        HealthWarning health;
        QCOMPARE(Sheet(health, "CloneButton"), secondary);
        QCOMPARE(Sheet(health, "RecoverData"), primary);
        QCOMPARE(health.ImageLbl->pixmap(Qt::ReturnByValue).height(), imageSize);
    }

    void imagesAreCompiledIn() {
        RegisterImageResources();
        QCOMPARE(QImage(":/images/96/img_warning.png").size(), QSize(100, 100));
        const QStringList menuImages = {"NormalTemp",      "AverageTemp",        "HighTemp",
                                        "GoodHealth",      "AverageHealth",      "BadHealth",
                                        "GoodPerformance", "AveragePerformance", "BadPerformance",
                                        "Partition"};
        for (const auto& [folder, size] : {std::pair{"96", 16}, {"120", 20}, {"144", 24}}) {
            for (const QString& name : menuImages)
                QCOMPARE(QImage(QString(":/images/%1/%2.png").arg(folder, name)).size(), QSize(size, size));
            for (const char* name : {"img_BigButton", "img_BigButtonActive", "img_MediumButton"})
                QCOMPARE(QImage(QString(":/images/%1/%2.png").arg(folder, name)).height(), size * 2);
        }
        QVERIFY(!QImage(":/images/img_Moniter-drive.png").isNull());
    }

    void dragMovesOnlyFromTheTopBand_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"temperature", "shutdown", "health", "performance"}) QTest::newRow(kind) << kind;
    }
    void dragMovesOnlyFromTheTopBand() {
        QFETCH(QString, kind);
        const auto dialog = MakeDialog(kind);
        dialog->move(100, 100);
        dialog->show();
        const auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
            QMouseEvent event(type, global - dialog->pos(), global, button, held, Qt::NoModifier);
            QApplication::sendEvent(dialog.get(), &event);
        };

        send(QEvent::MouseButtonPress, {400, 126}, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(DialogDragActive);
        send(QEvent::MouseMove, {450, 176}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(dialog->pos(), QPoint(150, 150));
        send(QEvent::MouseButtonRelease, {450, 176}, Qt::LeftButton, Qt::NoButton);
        QVERIFY(!DialogDragActive);

        send(QEvent::MouseButtonPress, {450, 177}, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(DialogDragActive);
        send(QEvent::MouseMove, {500, 227}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(dialog->pos(), QPoint(150, 150));
        send(QEvent::MouseButtonRelease, {500, 227}, Qt::LeftButton, Qt::NoButton);

        send(QEvent::MouseButtonPress, {300, 160}, Qt::RightButton, Qt::RightButton);
        QVERIFY(!DialogDragActive);
        DialogDragActive = true;
        send(QEvent::MouseButtonRelease, {300, 160}, Qt::RightButton, Qt::NoButton);
        QVERIFY(!DialogDragActive);
    }

    void slotsWriteTheirSettings_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("action");  // a button to click, or a slot to call
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QStringList>("written");  // "Key=value"
        QTest::addColumn<bool>("suppressed");
        QTest::newRow("temperature Ignore ticked") << "temperature" << QByteArray("OkButton") << true << QStringList{}
                                                   << true;
        QTest::newRow("temperature Ignore") << "temperature" << QByteArray("OkButton") << false << QStringList{}
                                            << false;
        QTest::newRow("temperature don't show") << "temperature" << QByteArray("OnDontShowClicked()") << false
                                                << QStringList{"DontShow=true"} << false;
        QTest::newRow("shutdown Ignore ticked") << "shutdown" << QByteArray("OkButton") << true << QStringList{}
                                                << false;
        QTest::newRow("shutdown don't show") << "shutdown" << QByteArray("OnDontShowClicked()") << false
                                             << QStringList{"ShutDownDontShow=true"} << false;
        QTest::newRow("health Ignore ticked") << "health" << QByteArray("OkButton") << true
                                              << QStringList{"HealthDontShow=true"} << false;
        QTest::newRow("health Ignore") << "health" << QByteArray("OkButton") << false << QStringList{} << false;
        QTest::newRow("health clone slot") << "health" << QByteArray("OnClone()") << true
                                           << QStringList{"HealthDontShow=true"} << false;
        QTest::newRow("health don't show") << "health" << QByteArray("OnDontShowClicked()") << false
                                           << QStringList{"HealthDontShow=true"} << false;
        QTest::newRow("health Clone Disk") << "health" << QByteArray("CloneButton") << true
                                           << QStringList{"SystemTrayLaunch=false"} << false;
        QTest::newRow("health Recover Data") << "health" << QByteArray("RecoverData") << true << QStringList{}
                                             << false;
        QTest::newRow("performance Ignore ticked") << "performance" << QByteArray("OkButton") << true
                                                   << QStringList{"PerformanceDontShow=true"} << false;
        QTest::newRow("performance don't show") << "performance" << QByteArray("OnDontShowClicked()") << false
                                                << QStringList{"PerformanceDontShow=true"} << false;
        QTest::newRow("performance Recover Data") << "performance" << QByteArray("RecoverData") << true
                                                  << QStringList{} << false;
    }
    void slotsWriteTheirSettings() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, action);
        QFETCH(bool, ticked);
        QFETCH(QStringList, written);
        QFETCH(bool, suppressed);
        const auto dialog = MakeDialog(kind);
        if (auto* box = dialog->findChild<QCheckBox*>("CheckBox")) box->setChecked(ticked);
        dialog->show();
        if (action.endsWith("()")) {
            const int index = dialog->metaObject()->indexOfSlot(action.constData());
            QVERIFY(index >= 0);
            QVERIFY(dialog->metaObject()->method(index).invoke(dialog.get()));
        } else {
            Child<QPushButton>(*dialog, action.constData())->click();
        }
        QVERIFY(dialog->isHidden());
        QCOMPARE(WrittenValues(), written);
        QCOMPARE(TemperatureWarningSuppressed, suppressed);
    }

    void escapeHidesAndWritesNothing() {
        for (const char* kind : {"temperature", "shutdown", "health", "performance"}) {
            const auto dialog = MakeDialog(kind);
            if (auto* box = dialog->findChild<QCheckBox*>("CheckBox")) box->setChecked(true);
            dialog->show();
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
            QVERIFY2(dialog->isHidden(), kind);
        }
        QCOMPARE(WrittenSettings(), QStringList());
        QVERIFY(!TemperatureWarningSuppressed);
    }

    // The warning may appear while the user is typing elsewhere: Enter must mean Ignore, not Shut Down.
    void enterIgnoresTheTemperatureWarnings() {
        for (const char* kind : {"temperature", "shutdown"}) {
            const auto dialog = MakeDialog(kind);
            QSignalSpy shutDown(Child<QPushButton>(*dialog, "ShutDownButton"), &QPushButton::clicked);
            dialog->show();
            QTest::keyClick(dialog.get(), Qt::Key_Return);
            QVERIFY2(shutDown.isEmpty(), kind);
            QVERIFY2(dialog->isHidden(), kind);
        }
    }

    void languageChangeRetranslatesInEachContext() {
        SmartWarning temperature;
        ShutDownWarning shutdown;
        HealthWarning health;
        PerformanceWarning performance;
        temperature.MediaNameLabel->setText("Disk: Example SSD ");
        SelectLanguage(Language::DE);
        QTranslator markers;
        QVERIFY(markers.load(QStringLiteral(CONTEXT_MARKERS_QM)));
        QCoreApplication::installTranslator(&markers);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCoreApplication::removeTranslator(&markers);

        QCOMPARE(temperature.CenterTitleLabel->text(), QString("SmartWarning: SMART Warning"));
        QCOMPARE(temperature.WarningLbl->text(), QString("SmartWarning: Warning"));
        QCOMPARE(temperature.OkButton->text(), QString("SmartWarningDialog: Ignore"));
        QCOMPARE(temperature.ShutDownButton->text(), QString("SmartWarningDialog: Shut Down"));
        QCOMPARE(temperature.windowTitle(), QString("SmartWarningDialog: Corvane Drive Monitor"));
        QCOMPARE(temperature.DontShowLabel->text(), QString("SmartWarning: Don't show this again"));
        QCOMPARE(temperature.MediaNameLabel->text(), QString("Disk: Example SSD "));
        QCOMPARE(temperature.WarningLbl->width(), 180);

        QCOMPARE(shutdown.windowTitle(), QString("ShutDownWarning: Corvane Drive Monitor"));
        QCOMPARE(shutdown.CenterTitleLabel->text(), QString("ShutDownWarning: Shutdown Warning"));
        QCOMPARE(shutdown.WarningLbl->styleSheet(), QString("QLabel {color : #64778b;}"));
        QCOMPARE(shutdown.CenterTitleLabel->height(), 30);

        QCOMPARE(health.CenterTitleLabel->text(), QString("HealthWarning: Health Warning"));
        QCOMPARE(health.CloneButton->text(), QString("HealthWarning: Clone Disk"));
        QCOMPARE(health.RecoverData->text(), QString("HealthWarning: Recover Data"));
        QCOMPARE(health.OkButton->text(), QString("HealthWarningDialog: Ignore"));
        QCOMPARE(health.RecoverData->geometry(), QRect(230, 260, 165, 32));
        QCOMPARE(performance.CenterTitleLabel->text(), QString("PerformanceWarning: Performance Warning"));
        QCOMPARE(performance.OkButton->text(), QString("PerformanceWarningDialog: Ignore"));
    }

    void controllerCreatesEveryDialogHidden() {
        qputenv("TMPDIR", directory_.path().toUtf8());
        qputenv("CORVANE_SYSTEM_DIR", directory_.filePath("no tools").toUtf8());
        QWaitClass controller;
        QStringList created;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->inherits("QDialog") && !window->inherits("DiskInfoWgt")) continue;
            QVERIFY(window->isHidden());
            created << window->metaObject()->className();
        }
        created.sort();
        QCOMPARE(created, (QStringList{"DiskInfoWgt", "HealthWarning", "PerformanceWarning", "ShutDownWarning",
                                       "SmartWarning"}));
    }

    void diskPanelIsAFramelessFixedPanel() {
        DiskInfoWgt panel;
        QCOMPARE(panel.objectName(), QString("m_pDiskInfoWgt"));
        QCOMPARE(panel.windowFlags(), Qt::Window | Qt::FramelessWindowHint);
        QCOMPARE(panel.windowModality(), Qt::ApplicationModal);
        QCOMPARE(panel.minimumSize(), QSize(400, 126));
        QCOMPARE(panel.maximumSize(), QSize(400, 126));
        QCOMPARE(panel.windowTitle(), QString("Form"));
        QCOMPARE(panel.frame->geometry(), QRect(0, 0, 400, 126));
        QCOMPARE(panel.frame->palette().color(QPalette::Inactive, QPalette::WindowText), QColor(150, 150, 150));
        QCOMPARE(panel.label->parentWidget(), panel.frame);
        QCOMPARE(panel.label->geometry(), QRect(76, 50, 316, 20));
        QCOMPARE(panel.label->text(), QString());
    }
};

QTEST_MAIN(WarningDialogTests)
#include "WarningDialogTests.moc"
