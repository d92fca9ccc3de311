#include "app/Language.h"
#include "app/ProcessValues.h"
#include "dialogs/HealthWarning.h"
#include "dialogs/PerformanceWarning.h"
#include "dialogs/ShutDownWarning.h"
#include "dialogs/SmartWarning.h"
#include "tray/DiskOverview.h"
#include "tray/QWaitClass.h"
#include "tray/WarningDecisions.h"

#include <QAction>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

#include <memory>

namespace {

const QStringList TranslatedCodes = {"DE", "FR", "IT", "ES", "JA", "CN", "KO", "DU", "BR", "HI"};

struct TranslationEntry {
    QString context;
    QString source;
    QString translation;
    bool finished = false;
};

// The messages of a .ts file in file order. A message that is unfinished, obsolete or vanished
// counts as not translated.
QVector<TranslationEntry> ReadTranslationFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    QXmlStreamReader xml(&file);
    QVector<TranslationEntry> entries;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            entries.append({context, {}, {}, false});
        } else if (xml.name() == QLatin1String("source")) {
            entries.last().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            entries.last().finished = !xml.attributes().hasAttribute(QStringLiteral("type"));
            entries.last().translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    if (xml.hasError()) qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return entries;
}

QString TranslationFile(const QString& code) {
    return QStringLiteral(TRANSLATION_SOURCES "/LANG_%1.ts").arg(code);
}

// What a language shows for each text: the .ts file's translation, or in English the source text,
// which English has for every text.
class ExpectedTexts {
public:
    explicit ExpectedTexts(const QString& code) {
        if (code == QLatin1String("EN")) return;
        for (const TranslationEntry& entry : ReadTranslationFile(TranslationFile(code)))
            translations_.insert({entry.context, entry.source}, entry.translation);
    }
    bool Has(const QString& context, const QString& source) const {
        return translations_.isEmpty() || translations_.contains({context, source});
    }
    QString operator()(const QString& context, const QString& source) const {
        return translations_.value({context, source}, source);
    }

private:
    QHash<QPair<QString, QString>, QString> translations_;
};

// What a translation must keep of its source: each placeholder (%1, %L1, %n), each line break, and
// the spaces at either end, which join it to the value that follows.
QStringList LostParts(const QString& source, const QString& translation) {
    static const QRegularExpression placeholder(QStringLiteral("%(L?[1-9][0-9]?|n)"));
    const auto placeholders = [](const QString& text) {
        QStringList found;
        for (auto match = placeholder.globalMatch(text); match.hasNext();) found << match.next().captured();
        found.sort();
        return found;
    };
    const auto edges = [](const QString& text) {
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty()) return text;
        const int start = text.indexOf(trimmed);
        return text.left(start) + QLatin1Char('|') + text.mid(start + trimmed.size());
    };
    QStringList lost;
    if (placeholders(source) != placeholders(translation))
        lost << QStringLiteral("placeholders %1").arg(placeholders(source).join(QLatin1Char(' ')));
    if (source.count(QLatin1Char('\n')) != translation.count(QLatin1Char('\n')))
        lost << QStringLiteral("%1 line breaks").arg(source.count(QLatin1Char('\n')));
    if (edges(source) != edges(translation)) lost << QStringLiteral("the spaces at its ends");
    return lost;
}

// The texts a dialog shows, by widget, each with the translation context it comes from: the form's
// object name for the form's own buttons, the dialog class for everything the class sets. The drive
// name label is composed by the controller.
struct ShownText {
    QString context;
    QString text;
};

QHash<QString, ShownText> TextsOf(const QDialog& dialog) {
    const QString form = dialog.objectName();
    const QString dialogClass = QString::fromLatin1(dialog.metaObject()->className());
    QHash<QString, ShownText> texts = {{QStringLiteral("window title"), {dialogClass, dialog.windowTitle()}}};
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->objectName() == QLatin1String("MediaNameLabel")) continue;
        texts.insert(label->objectName(), {dialogClass, label->text()});
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        const bool formText = button->objectName() == QLatin1String("OkButton") ||
                              button->objectName() == QLatin1String("ShutDownButton");
        texts.insert(button->objectName(), {formText ? form : dialogClass, button->text()});
    }
    return texts;
}

std::unique_ptr<QDialog> MakeDialog(int kind) {
    switch (kind) {
        case 0: return std::make_unique<SmartWarning>();
        case 1: return std::make_unique<ShutDownWarning>();
        case 2: return std::make_unique<HealthWarning>();
        default: return std::make_unique<PerformanceWarning>();
    }
}

void RemoveTranslators() {
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// As start-up does it, from the translation folders beside the built monitor.
void InstallLanguage(int languageType, const QString& applicationDirectory) {
    RemoveTranslators();
    const LanguageInfo& language = LanguageForType(languageType);
    SelectLanguage(language.flag);
    TranslationDirectory = TranslationDirectoryFor(applicationDirectory, language);
    InstallTranslations(*qApp, language);
}

// Each dialog class's texts as they read without a translation.
QHash<QString, QHash<QString, ShownText>> EnglishDialogTexts() {
    RemoveTranslators();
    SelectLanguage(Language::EN);
    QHash<QString, QHash<QString, ShownText>> texts;
    for (int kind = 0; kind < 4; ++kind) {
        const auto dialog = MakeDialog(kind);
        texts.insert(dialog->metaObject()->className(), TextsOf(*dialog));
    }
    return texts;
}

QString BuiltApplicationDirectory() { return qEnvironmentVariable("CORVANE_TEST_BIN"); }

QRect AreaOf(const QWidget& widget, const QWidget& dialog) {
    return QRect(widget.mapTo(&dialog, QPoint(0, 0)), widget.size());
}

// The room a widget has for its text, in the dialog's coordinates: a button keeps a few pixels clear
// at either side of its text.
QRect TextRoom(const QWidget& widget, const QWidget& dialog) {
    QRect room = widget.contentsRect().translated(widget.mapTo(&dialog, QPoint(0, 0)));
    if (qobject_cast<const QPushButton*>(&widget)) room.adjust(4, 0, -4, 0);
    return room;
}

// Where a widget draws its text, in the dialog's coordinates; beyond its room when it does not fit.
QRect DrawnTextArea(const QWidget& widget, const QWidget& dialog) {
    int flags = int(Qt::AlignCenter) | Qt::TextSingleLine;
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        text = label->text();
        flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : int(Qt::TextSingleLine));
    } else if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
        text = button->text();
    }
    return widget.fontMetrics().boundingRect(TextRoom(widget, dialog), flags, text);
}

QString TextOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    return {};
}

// What each widget covers: a label with a text only the text, a check box without one only its
// box, any other widget all of itself.
QRect CoveredArea(const QWidget& widget, const QWidget& dialog) {
    if (qobject_cast<const QLabel*>(&widget) && !TextOf(widget).isEmpty()) return DrawnTextArea(widget, dialog);
    if (const auto* box = qobject_cast<const QCheckBox*>(&widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        return box->style()
            ->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box)
            .translated(box->mapTo(&dialog, QPoint(0, 0)));
    }
    return AreaOf(widget, dialog);
}

}  // namespace

class TranslationTests : public QObject {
    Q_OBJECT

    QTemporaryDir directory_;

private slots:
    void initTestCase() {
        qputenv("CORVANE_SETTINGS_FILE", directory_.filePath("settings.ini").toUtf8());
        qputenv("TMPDIR", directory_.path().toUtf8());
        SystemDirectory = BuiltApplicationDirectory() + "/system";
        qputenv("CORVANE_SYSTEM_DIR", SystemDirectory.toUtf8());
        qputenv("CORVANE_SIMULATED_MACHINE", DESCRIBED_MACHINES "/hot-nvme-laptop");
    }

    void cleanup() { RemoveTranslators(); }

    void everyTextTranslatedInEveryLanguage() {
        QSet<QPair<QString, QString>> firstTexts;
        for (const QString& code : TranslatedCodes) {
            QSet<QPair<QString, QString>> texts;
            for (const TranslationEntry& entry : ReadTranslationFile(TranslationFile(code))) {
                const QString where = code + ", " + entry.context + ": \"" + entry.source + "\"";
                QVERIFY2(entry.finished && !entry.translation.trimmed().isEmpty(),
                         qPrintable(where + " is not translated"));
                const QStringList lost = LostParts(entry.source, entry.translation);
                QVERIFY2(lost.isEmpty(), qPrintable(where + " loses " + lost.join(", ")));
                texts.insert({entry.context, entry.source});
            }
            QVERIFY2(texts.size() > 20, qPrintable(code + " holds too few texts"));
            if (firstTexts.isEmpty()) firstTexts = texts;
            QVERIFY2(texts == firstTexts, qPrintable(code + " does not hold the same texts as DE"));
        }
    }

    void placeholderCheckSeesWhatATranslationLoses() {
        QCOMPARE(LostParts("%1 of %n drives\n", "%n Laufwerke von %1\n"), QStringList());
        QCOMPARE(LostParts("%1 of %L2", "%1 von %2"), QStringList{"placeholders %1 %L2"});
        QCOMPARE(LostParts("Line\nbreak", "Zeile Umbruch"), QStringList{"1 line breaks"});
        QCOMPARE(LostParts("Disk: ", "Laufwerk:"), QStringList{"the spaces at its ends"});
    }

    // The controller builds the menu, creates the four warnings and shows the two temperature warnings
    // for a boot disk above both thresholds; every text appears in the selected language, and Qt's own
    // texts too where Debian's Qt translations have the language (not Korean, by choice, nor Hindi).
    void languageTypeSelectsTrayAndDialogTexts_data() {
        QTest::addColumn<int>("languageType");
        QTest::addColumn<QString>("code");  // the language whose texts appear
        QTest::addColumn<bool>("folderPresent");
        QTest::addColumn<QString>("qtCancel");
        const QStringList qtCancel = {"Abbrechen", "Annuler", "Annulla",   "Cancelar", "キャンセル",
                                      "取消",      "Cancel",  "Annuleren", "Cancelar", "Cancel"};
        for (int type = 1; type <= 10; ++type) {
            const QString code = TranslatedCodes[type - 1];
            QTest::newRow(qPrintable(code)) << type << code << true << qtCancel[type - 1];
        }
        QTest::newRow("11 is English") << 11 << "EN" << true << "Cancel";
        QTest::newRow("missing folder") << 1 << "EN" << false << "Cancel";
    }
    void languageTypeSelectsTrayAndDialogTexts() {
        QFETCH(int, languageType);
        QFETCH(QString, code);
        QFETCH(bool, folderPresent);
        QFETCH(QString, qtCancel);
        const auto english = EnglishDialogTexts();
        InstallLanguage(languageType, folderPresent ? BuiltApplicationDirectory() : directory_.filePath("absent"));
        const ExpectedTexts expected(code);
        const auto tray = [&](const char* source) { return expected("QWaitClass", source); };
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), qtCancel);

        QCOMPARE(tray::TemperatureEntryText(36, "C"), tray("Temperature: ") + "36" + QChar(0xB0) + "C");
        QCOMPARE(tray::HealthEntryText(100), tray("Health: ") + "100 %");
        QCOMPARE(tray::PerformanceEntryText(50), tray("Performance: ") + "50 %");
        QCOMPARE(tray::PartitionEntryText({"C", "D"}), tray("Partition: ") + "C: ,D: ");
        QCOMPARE(tray::TrayToolTip("41" + QString(QChar(0xB0))),
                 tray("Corvane Drive Monitor") + "\n41" + QChar(0xB0));
        QCOMPARE(tray::DiskLabelText("Example SSD "), tray("Disk: ") + "Example SSD ");

        {
            QSettings settings(directory_.filePath("settings.ini"), QSettings::IniFormat);
            settings.setValue("ShowWarning", true);
            settings.setValue("WarningValue", 1);
            settings.setValue("ShutDownValue", 1);
        }
        const QWidgetList windowsBefore = QApplication::topLevelWidgets();
        QStringList menuTexts;
        {
            QWaitClass controller;
            for (const QAction* action : controller.findChildren<QAction*>()) menuTexts << action->text();
        }
        for (const char* entry : {"Go to Corvane Drive Monitor", "Stop S.M.A.R.T monitoring", "Exit"})
            QVERIFY2(menuTexts.contains(tray(entry)), qPrintable(menuTexts.join(" | ")));
        for (const char* label : {"Temperature: ", "Health: ", "Performance: ", "Partition: "}) {
            const auto entries = menuTexts.filter(QRegularExpression("^" + QRegularExpression::escape(tray(label))));
            QVERIFY2(!entries.isEmpty(), qPrintable(menuTexts.join(" | ")));
        }

        QStringList checkedDialogs;
        QStringList shownDialogs;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(window);
            if (windowsBefore.contains(window) || !dialog) continue;
            checkedDialogs << dialog->metaObject()->className();
            if (dialog->isVisible()) {
                shownDialogs << dialog->metaObject()->className();
                const auto* driveLabel = dialog->findChild<QLabel*>("MediaNameLabel");
                QVERIFY2(driveLabel->text().startsWith(tray("Disk: ")), qPrintable(driveLabel->text()));
            }
            const QHash<QString, ShownText> shown = TextsOf(*dialog);
            const QHash<QString, ShownText> sources = english.value(dialog->metaObject()->className());
            QCOMPARE(QSet<QString>(shown.keyBegin(), shown.keyEnd()),
                     QSet<QString>(sources.keyBegin(), sources.keyEnd()));
            for (auto source = sources.begin(); source != sources.end(); ++source) {
                const QString where = source->context + ", " + source.key() + ": \"" + source->text + "\"";
                QVERIFY2(expected.Has(source->context, source->text), qPrintable(where + " has no translation"));
                QCOMPARE(shown[source.key()].text, expected(source->context, source->text));
            }
        }
        QWidgetList createdRoots;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (!windowsBefore.contains(window) && !window->parentWidget()) createdRoots << window;
        qDeleteAll(createdRoots);
        checkedDialogs.sort();
        QCOMPARE(checkedDialogs,
                 (QStringList{"HealthWarning", "PerformanceWarning", "ShutDownWarning", "SmartWarning"}));
        shownDialogs.sort();
        QCOMPARE(shownDialogs, (QStringList{"ShutDownWarning", "SmartWarning"}));
    }

    // At the display scale that goes with this run's font DPI (QT_FONT_DPI, else 96), as the gallery
    // draws the dialogs: every text inside its widget and clear of every other widget.
    void textsFitTheirWidgets_data() {
        QTest::addColumn<int>("languageType");
        for (int type = 0; type < LanguageCount; ++type) QTest::newRow(LanguageForType(type).code) << type;
    }
    void textsFitTheirWidgets() {
        QFETCH(int, languageType);
        const int fontDpi = qEnvironmentVariableIntValue("QT_FONT_DPI");
        DpiScale = fontDpi > 0 ? fontDpi / 96.0f : 1.0f;
        InstallLanguage(languageType, BuiltApplicationDirectory());
        for (int kind = 0; kind < 4; ++kind) {
            const auto dialog = MakeDialog(kind);
            dialog->findChild<QLabel*>("MediaNameLabel")->setText(tray::DiskLabelText("Samsung SSD 870 EVO 1TB "));
            dialog->show();
            QWidgetList parts = dialog->findChildren<QWidget*>();
            parts.removeOne(dialog->findChild<QWidget*>("MainFrame"));
            for (QWidget* part : parts) {
                const QRect text = DrawnTextArea(*part, *dialog);
                if (text.isEmpty()) continue;
                const QString name = QString(dialog->metaObject()->className()) + " " + part->objectName();
                const QRect room = TextRoom(*part, *dialog);
                QVERIFY2(room.contains(text),
                         qPrintable(QString("%1 does not hold \"%2\": it needs %3x%4 and has %5x%6")
                                        .arg(name, TextOf(*part))
                                        .arg(text.width())
                                        .arg(text.height())
                                        .arg(room.width())
                                        .arg(room.height())));
                for (QWidget* other : parts) {
                    if (other != part && text.intersects(CoveredArea(*other, *dialog)))
                        QFAIL(qPrintable(name + " runs into " + other->objectName()));
                }
            }
        }
    }
};

QTEST_MAIN(TranslationTests)
#include "TranslationTests.moc"
