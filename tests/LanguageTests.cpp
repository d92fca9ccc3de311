#include "app/Language.h"
#include "app/ProcessValues.h"

#include <QtTest>

class LanguageTests : public QObject {
    Q_OBJECT

    void Install(int languageType, const QString& applicationDirectory) {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            qApp->removeTranslator(translator);
            delete translator;
        }
        const LanguageInfo& language = LanguageForType(languageType);
        SelectLanguage(language.flag);
        TranslationDirectory = TranslationDirectoryFor(applicationDirectory, language);
        InstallTranslations(*qApp, language);
    }

    static QString BuiltApplicationDirectory() { return qEnvironmentVariable("CORVANE_TEST_BIN"); }

private slots:
    void mapsLanguageTypes_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("qtFile");
        QTest::addColumn<QString>("programFile");
        QTest::newRow("0") << 0 << "EN" << "qt_en" << "LANG_EN";
        QTest::newRow("1") << 1 << "DE" << "qt_de" << "LANG_DE";
        QTest::newRow("2") << 2 << "FR" << "qt_fr" << "LANG_FR";
        QTest::newRow("6") << 6 << "CN" << "qt_cn" << "LANG_CN";
        QTest::newRow("7, no Qt file") << 7 << "KO" << "" << "LANG_KO";
        QTest::newRow("10") << 10 << "HI" << "qt_hi" << "LANG_HI";
        QTest::newRow("11") << 11 << "EN" << "qt_en" << "LANG_EN";
        QTest::newRow("-1") << -1 << "EN" << "qt_en" << "LANG_EN";
    }
    void mapsLanguageTypes() {
        QFETCH(int, type);
        QFETCH(QString, code);
        QFETCH(QString, qtFile);
        QFETCH(QString, programFile);
        const LanguageInfo& language = LanguageForType(type);
        QCOMPARE(QString(language.code), code);
        QCOMPARE(QString(language.qtTranslation), qtFile);
        QCOMPARE(QString(language.programTranslation), programFile);
        QCOMPARE(TranslationDirectoryFor("/opt/app", language), "/opt/app/TranslationCM/" + code);

        SelectLanguage(language.flag);
        QCOMPARE(std::count(LanguageFlag.begin(), LanguageFlag.end(), true), 1L);
        QVERIFY(IsLanguage(language.flag));
    }

    void frenchLoadsBothFiles() {
        Install(2, BuiltApplicationDirectory());
        QCOMPARE(TranslationDirectory, BuiltApplicationDirectory() + "/TranslationCM/FR");
        QCOMPARE(QCoreApplication::translate("QWaitClass", "Exit"), QString("Quitter"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annuler"));
    }

    void koreanHasOnlyTheProgramFile() {
        Install(7, BuiltApplicationDirectory());
        QCOMPARE(QCoreApplication::translate("QWaitClass", "Exit"), QString::fromUtf8("종료"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
    }

    void missingFolderLeavesEnglish() {
        Install(1, QDir::tempPath() + "/no such application folder");
        QVERIFY(IsLanguage(Language::DE));
        QCOMPARE(QCoreApplication::translate("QWaitClass", "Exit"), QString("Exit"));
    }
};

QTEST_GUILESS_MAIN(LanguageTests)
#include "LanguageTests.moc"
