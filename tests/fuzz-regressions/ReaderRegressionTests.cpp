#include "ToolOutputReaders.h"

#include <QDir>
#include <QtTest>

class ReaderRegressionTests : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("corvane.*.debug=false")); }

    // A misnamed folder would quietly keep its inputs out of the run below.
    void everyInputFolderNamesAReader() {
        const QStringList folders = QDir(CORVANE_READER_INPUTS).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QVERIFY(!folders.isEmpty());
        for (const QString& folder : folders) QVERIFY2(ToolOutputReaderNamed(folder), qPrintable(folder));
    }

    void readersStaySoundOnKeptInputs_data() {
        QTest::addColumn<QString>("readerName");
        QTest::addColumn<QString>("path");
        const QDir inputs(CORVANE_READER_INPUTS);
        for (const QString& folder : inputs.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QDir readerInputs(inputs.filePath(folder));
            for (const QString& file : readerInputs.entryList(QDir::Files))
                QTest::newRow(qPrintable(folder + QLatin1Char('/') + file)) << folder << readerInputs.filePath(file);
        }
    }
    void readersStaySoundOnKeptInputs() {
        QFETCH(QString, readerName);
        QFETCH(QString, path);
        QFile input(path);
        QVERIFY(input.open(QIODevice::ReadOnly));
        const QString fault = ToolOutputReaderNamed(readerName)->read(input.readAll());
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
};

QTEST_GUILESS_MAIN(ReaderRegressionTests)
#include "ReaderRegressionTests.moc"
