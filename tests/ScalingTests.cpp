#include "app/DisplayScaling.h"
#include "platform/Platform.h"

#include <QtTest>

class ScalingTests : public QObject {
    Q_OBJECT

private slots:
    void stepsDownByQuarters_data() {
        QTest::addColumn<float>("scale");
        QTest::addColumn<float>("step");
        QTest::newRow("just above 1") << 1.01f << 1.0f;
        QTest::newRow("1.25 itself") << 1.25f << 1.0f;
        QTest::newRow("1.3") << 1.3f << 1.25f;
        QTest::newRow("1.5") << 1.5f << 1.25f;
        QTest::newRow("5.0") << 5.0f << 4.75f;
        QTest::newRow("zero") << 0.0f << 1.0f;
        QTest::newRow("one") << 1.0f << 0.0f;
        QTest::newRow("below one") << 0.75f << 0.0f;
        QTest::newRow("above five") << 6.25f << 0.0f;
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 0.0f;
    }
    void stepsDownByQuarters() {
        QFETCH(float, scale);
        QFETCH(float, step);
        QCOMPARE(DpiStep(scale), step);
    }

    void decidesScaleAndFontDpi_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<float>("scale");
        QTest::addColumn<QByteArray>("fontDpi");
        QTest::addColumn<float>("classScale");
        QTest::addColumn<QString>("folder");
        QTest::newRow("96 dpi") << 96 << 1024 << 700 << 1.0f << QByteArray("96") << 1.0f << "96";
        QTest::newRow("144 dpi, small work area") << 144 << 1280 << 680 << 1.0f << QByteArray("96") << 1.0f << "96";
        QTest::newRow("144 dpi, full hd") << 144 << 1920 << 1040 << 1.5f << QByteArray("144") << 1.5f << "144";
        QTest::newRow("110 dpi") << 110 << 8000 << 8000 << 110.0f / 96.0f << QByteArray("110") << 1.25f << "120";
        QTest::newRow("72 dpi") << 72 << 1024 << 700 << 0.75f << QByteArray("72") << 0.75f << "";
        QTest::newRow("600 dpi that never fits") << 600 << 1920 << 1040 << 1.0f << QByteArray("96") << 1.0f << "96";
        QTest::newRow("no dpi at all") << 0 << 1920 << 1040 << 1.0f << QByteArray("96") << 1.0f << "96";
        QTest::newRow("168 dpi, 4k") << 168 << 3840 << 2100 << 1.75f << QByteArray("168") << 1.75f << "144";
    }
    void decidesScaleAndFontDpi() {
        QFETCH(int, dpi);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(float, scale);
        QFETCH(QByteArray, fontDpi);
        QFETCH(float, classScale);
        QFETCH(QString, folder);
        const ScalingDecision decision = DecideScaling(true, dpi, width, height);
        QCOMPARE(decision.dpiScale, scale);
        QCOMPARE(decision.environment.size(), 1);
        QCOMPARE(decision.environment[0].name, QByteArray("QT_FONT_DPI"));
        QCOMPARE(decision.environment[0].value, fontDpi);
        QCOMPARE(ClassScaleFor(decision.dpiScale), classScale);
        QCOMPARE(ImageFolderFor(ClassScaleFor(decision.dpiScale)), folder);
    }

    void classRuleIsStrictAtTheSteps() {
        QCOMPARE(ClassScaleFor(1.0f), 1.0f);
        QCOMPARE(ClassScaleFor(1.25f), 1.25f);
        QCOMPARE(ClassScaleFor(1.3f), 1.5f);
        QCOMPARE(ClassScaleFor(1.5f), 1.5f);
        QCOMPARE(ClassScaleFor(2.0f), 2.0f);
        QCOMPARE(ImageFolderFor(0.9f), QString());
    }

    void scalingOffPinsQt() {
        const ScalingDecision decision = DecideScaling(false, 144, 1920, 1040);
        QCOMPARE(decision.dpiScale, 1.0f);
        QCOMPARE(decision.environment.size(), 3);
        QCOMPARE(decision.environment[0].value, QByteArray("1"));
        QCOMPARE(decision.environment[1].value, QByteArray("0"));
        QCOMPARE(decision.environment[2].value, QByteArray("102"));
    }

    void displayIsDescribedByTheEnvironment() {
        qputenv("CORVANE_DPI", "144");
        qputenv("CORVANE_WORKAREA", "1920x1040");
        QCOMPARE(platform::PrimaryMonitorDpi(), 144);
        QCOMPARE(platform::PrimaryWorkArea().width, 1920);
        QCOMPARE(platform::PrimaryWorkArea().height, 1040);
        qputenv("CORVANE_WORKAREA", "garbage");
        QVERIFY(platform::PrimaryWorkArea().width > 0);
        qunsetenv("CORVANE_DPI");
        qunsetenv("CORVANE_WORKAREA");
        qunsetenv("DISPLAY");
        QCOMPARE(platform::PrimaryMonitorDpi(), 96);
        QVERIFY(platform::PrimaryWorkArea().width >= 905);
    }
};

QTEST_GUILESS_MAIN(ScalingTests)
#include "ScalingTests.moc"
