#include "app/Language.h"
#include "app/ProcessValues.h"
#include "dialogs/HealthWarning.h"
#include "dialogs/PerformanceWarning.h"
#include "dialogs/ShutDownWarning.h"
#include "dialogs/SmartWarning.h"
#include "platform/Platform.h"
#include "support/ProcessTestSupport.h"
#include "tray/DiskOverview.h"
#include "tray/QWaitClass.h"

#include <QAction>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTranslator>
#include <QXmlStreamReader>

#include <memory>

// The four warning dialogs as the user meets them, and every LanguageType's texts in them and the tray menu.
namespace {

const QStringList Kinds = {"temperature", "shutdown", "health", "performance"};

std::unique_ptr<QDialog> MakeDialog(const QString& kind) {
    if (kind == "temperature") return std::make_unique<SmartWarning>();
    if (kind == "shutdown") return std::make_unique<ShutDownWarning>();
    if (kind == "health") return std::make_unique<HealthWarning>();
    return std::make_unique<PerformanceWarning>();
}

template <class T = QWidget>
T* Child(const QDialog& dialog, const char* name) {
    if (T* child = dialog.findChild<T*>(name)) return child;
    qFatal("no widget %s", name);
}

const QStringList Codes = {"EN", "DE", "FR", "IT", "ES", "JA", "CN", "KO", "DU", "BR", "HI"};  // by LanguageType
using Text = QPair<QString, QString>;  // translation context, text

// A .ts file's translations by context and source text; an unfinished one is empty.
QHash<Text, QString> ReadTranslations(const QString& code) {
    QFile file(QStringLiteral(TRANSLATION_SOURCES "/LANG_%1.ts").arg(code));
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(file.fileName()));
    QXmlStreamReader xml(&file);
    QHash<Text, QString> translations;
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("name")) context = xml.readElementText();
        if (xml.name() == QLatin1String("source")) source = xml.readElementText();
        if (xml.name() != QLatin1String("translation")) continue;
        const bool finished = !xml.attributes().hasAttribute("type");
        translations[{context, source}] =
            finished ? xml.readElementText(QXmlStreamReader::IncludeChildElements) : QString();
    }
    if (xml.hasError()) qFatal("%s: %s", qPrintable(file.fileName()), qPrintable(xml.errorString()));
    return translations;
}

// What a translation must keep: line breaks, the spaces at either end (they join the next value), placeholders.
QStringList KeptParts(const QString& text) {
    static const QRegularExpression placeholder("%(L?[1-9][0-9]?|n)"), visible("\\S");
    const int start = text.indexOf(visible), end = text.lastIndexOf(visible) + 1;
    const QStringList parts = {QString::number(text.count('\n')), text.left(start), text.mid(end)};
    QStringList placeholders;
    for (auto match = placeholder.globalMatch(text); match.hasNext();) placeholders << match.next().captured();
    placeholders.sort();
    return parts + placeholders;
}

// As start-up does it, from the translation folders beside the built monitor.
void InstallLanguage(int languageType, const QString& applicationDirectory = qEnvironmentVariable("CORVANE_TEST_BIN")) {
    qDeleteAll(qApp->findChildren<QTranslator*>());
    const LanguageInfo& language = LanguageForType(languageType);
    SelectLanguage(language.flag);
    TranslationDirectory = TranslationDirectoryFor(applicationDirectory, language);
    InstallTranslations(*qApp, language);
}

// A label's or a button's text.
QString TextOf(const QWidget& widget) { return widget.property("text").toString(); }

// A dialog's texts by widget with their contexts (the form's for its own buttons), but the controller's drive name.
QHash<QString, Text> TextsOf(const QDialog& dialog) {
    const QString form = dialog.objectName(), dialogClass = dialog.metaObject()->className();
    QHash<QString, Text> texts = {{"window title", {dialogClass, dialog.windowTitle()}}};
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        const bool formButton = widget->objectName() == "OkButton" || widget->objectName() == "ShutDownButton";
        if (!TextOf(*widget).isEmpty() && widget->objectName() != "MediaNameLabel")
            texts[widget->objectName()] = {formButton ? form : dialogClass, TextOf(*widget)};
    }
    return texts;
}

// The room a widget has for its text (a button keeps 4 pixels clear at either side), and where it draws it.
QRect TextRoom(const QWidget& widget, const QWidget& dialog) {
    const QRect room = widget.contentsRect().translated(widget.mapTo(&dialog, QPoint(0, 0)));
    return qobject_cast<const QPushButton*>(&widget) ? room.adjusted(4, 0, -4, 0) : room;
}
QRect DrawnText(const QWidget& widget, const QWidget& dialog) {
    int flags = int(Qt::AlignCenter) | Qt::TextSingleLine;
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : int(Qt::TextSingleLine));
    return widget.fontMetrics().boundingRect(TextRoom(widget, dialog), flags, TextOf(widget));
}

// What a widget covers: a label with a text only its text, a check box only its box, others all of it.
QRect Covered(const QWidget& widget, const QWidget& dialog) {
    if (qobject_cast<const QLabel*>(&widget) && !TextOf(widget).isEmpty()) return DrawnText(widget, dialog);
    QRect area = widget.rect();
    if (const auto* box = qobject_cast<const QCheckBox*>(&widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        area = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    }
    return area.translated(widget.mapTo(&dialog, QPoint(0, 0)));
}

}  // namespace

class DialogTests : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        SystemDirectory = QString::fromStdString(platform::SystemDirectory());
        qputenv("CORVANE_SIMULATED_MACHINE", MachinePath("hot-nvme-laptop").toUtf8());
        // Korean takes no Qt translation, not even one that lies in its folder.
        const QString korean = QDir::temp().filePath("with Qt's Korean/TranslationCM/KO");
        QVERIFY(QDir().mkpath(korean));
        QVERIFY(QFile::copy(qEnvironmentVariable("CORVANE_TEST_BIN") + "/TranslationCM/KO/LANG_KO.qm",
                            korean + "/LANG_KO.qm"));
        QFile::copy(QLibraryInfo::location(QLibraryInfo::TranslationsPath) + "/qtbase_ko.qm", korean + "/qt_ko.qm");
    }

    void init() {
        qDeleteAll(qApp->findChildren<QTranslator*>());
        WriteSettings({});
        DpiScale = 1.0f;
        SelectLanguage(Language::EN);
        DialogDragActive = TemperatureWarningSuppressed = false;
    }

    // The geometry and the images (buttons' and the warning's) follow the language and the display class.
    void layoutFollowsLanguageAndScale() {
        for (const QStringList& row : DataRows("dialog-layouts.txt")) {
            const auto number = [&](int at) { return row.at(at).toInt(); };
            DpiScale = row[2].toFloat();
            SelectLanguage(static_cast<Language>(Codes.indexOf(row[1])));
            const auto dialog = MakeDialog(row[0]);
            QCOMPARE(dialog->minimumSize(), QSize(number(3), number(4)));
            QCOMPARE(dialog->maximumSize(), QSize(number(3), number(4)));
            QCOMPARE(Child(*dialog, "MainFrame")->geometry(), QRect(0, 0, number(3), number(4)));
            QCOMPARE(Child(*dialog, "CenterTitleLabel")->geometry(), QRect(2, 2, number(5), number(6)));
            const QRect geometry(number(8), number(9), number(10), number(11));
            QCOMPARE(Child(*dialog, qPrintable(row[7]))->geometry(), geometry);
            const QString imageFolder = row[12] == "-" ? QString() : row[12];
            for (const QPushButton* button : dialog->findChildren<QPushButton*>())
                QCOMPARE(button->styleSheet().section(":/images/", 1).section('/', 0, 0), imageFolder);
            QCOMPARE(Child<QLabel>(*dialog, "ImageLbl")->pixmap(Qt::ReturnByValue).width(), number(13));
        }
    }

    // Borderless and not modal; dragged only by a left press in the top 27 pixels, and any release ends it.
    void dragOnlyByTheTitleStrip() {
        for (const QString& kind : Kinds) {
            const auto dialog = MakeDialog(kind);
            QCOMPARE(dialog->windowFlags(), Qt::Window | Qt::FramelessWindowHint);
            dialog->show();
            QVERIFY(!dialog->isModal());
            const auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
                QMouseEvent event(type, global - dialog->pos(), global, button, held, Qt::NoModifier);
                QApplication::sendEvent(dialog.get(), &event);
            };
            // The press's distance from the top edge and its button, and whether a move by (50, 50) follows it.
            for (const auto& [top, button, follows] :
                 {std::tuple{26, Qt::LeftButton, true}, {27, Qt::LeftButton, false}, {10, Qt::RightButton, false}}) {
                dialog->move(100, 100);
                send(QEvent::MouseButtonPress, {400, 100 + top}, button, button);
                send(QEvent::MouseMove, {450, 150 + top}, Qt::NoButton, button);
                QCOMPARE(dialog->pos(), follows ? QPoint(150, 150) : QPoint(100, 100));
                send(QEvent::MouseButtonRelease, {450, 150 + top}, Qt::RightButton, Qt::NoButton);
                QVERIFY(!DialogDragActive);
            }
        }
    }

    // A warning may appear while the user types elsewhere: Enter means Ignore, never Shut Down; Escape hides it.
    void answersWriteTheirSettings() {
        for (const QStringList& row : DataRows("dialog-answers.txt")) {
            init();
            const auto dialog = MakeDialog(row[0]);
            if (auto* box = dialog->findChild<QCheckBox*>("CheckBox")) box->setChecked(row[2] == "ticked");
            dialog->show();
            const QByteArray action = row[1].toUtf8();
            if (action.endsWith("()"))
                QVERIFY(dialog->metaObject()->method(dialog->metaObject()->indexOfSlot(action)).invoke(dialog.get()));
            else if (action == "Enter" || action == "Escape")
                QTest::keyClick(dialog.get(), action == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
            else
                Child<QPushButton>(*dialog, action)->click();
            QVERIFY(dialog->isHidden());
            QCOMPARE(AllSettings() + (TemperatureWarningSuppressed ? QStringList{"suppressed"} : QStringList()),
                     row.mid(3));
        }
    }

    // The controller on the hot laptop, above both thresholds, builds its menu and shows both warnings; at the
    // display scale of this run's font DPI (QT_FONT_DPI, else 96) every text lies inside its widget, clear of
    // every other widget, as the dialog gallery draws them.
    void languageTypeSelectsTextsThatFit_data() {
        QTest::addColumn<QStringList>("row");
        for (const QStringList& row : DataRows("language-types.txt")) QTest::newRow(qPrintable(row.join(' '))) << row;
    }
    void languageTypeSelectsTextsThatFit() {
        QFETCH(QStringList, row);
        const QString code = row[1];
        const QHash<Text, QString> translations = code == "EN" ? QHash<Text, QString>() : ReadTranslations(code);
        // Every file holds every text (TranslationFilesCurrent); each must be translated, keeping its parts.
        for (auto text = translations.begin(); text != translations.end(); ++text)
            QVERIFY2(!text->trimmed().isEmpty() && KeptParts(*text) == KeptParts(text.key().second),
                     qPrintable(text.key().first + ": \"" + text.key().second + "\" becomes \"" + *text + "\""));
        const auto translated = [&](const Text& text) { return code == "EN" ? text.second : translations.value(text); };
        const auto tray = [&](const char* text) { return translated({"QWaitClass", text}); };
        QHash<QString, QHash<QString, Text>> english;
        InstallLanguage(0, "/nonexistent");
        for (const QString& kind : Kinds) {
            const auto dialog = MakeDialog(kind);
            english[dialog->metaObject()->className()] = TextsOf(*dialog);
        }

        const QString built = qEnvironmentVariable("CORVANE_TEST_BIN");
        const QString korean = QDir::temp().filePath("with Qt's Korean");
        InstallLanguage(row[0].toInt(), row[2] == "built" ? built : row[2] == "korean" ? korean : row[2]);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), row[3]);
        WriteSettings({{"ShowWarning", true}, {"WarningValue", 1}, {"ShutDownValue", 1}});
        const int fontDpi = qEnvironmentVariableIntValue("QT_FONT_DPI");
        DpiScale = fontDpi > 0 ? fontDpi / 96.0f : 1.0f;
        QStringList menu;
        {
            const QWaitClass controller;
            for (const QAction* action : controller.findChildren<QAction*>()) menu << action->text();
        }
        for (const char* label : {"Temperature: ", "Health: ", "Performance: ", "Partition: "})
            QVERIFY2(!menu.filter(QRegularExpression("^" + QRegularExpression::escape(tray(label)))).isEmpty(),
                     qPrintable(menu.join('|')));
        for (const char* entry : {"Go to Corvane Drive Monitor", "Stop S.M.A.R.T monitoring", "Exit"})
            QVERIFY2(menu.contains(tray(entry)), qPrintable(menu.join('|')));
        // Windows cuts a tray tooltip after 127 characters: the longest one, with both obstacles, stays whole.
        const QString longestToolTip = tray::TrayToolTip(QString(), {true, true});
        QVERIFY2(longestToolTip.size() <= 127, qPrintable(longestToolTip));
        QStringList dialogs;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            window->deleteLater();
            auto* dialog = qobject_cast<QDialog*>(window);
            if (!dialog) continue;
            const QString name = dialog->metaObject()->className();
            auto* mediaName = dialog->findChild<QLabel*>("MediaNameLabel");
            if (dialog->isVisible()) QVERIFY(mediaName->text().startsWith(tray("Disk: ")));
            const QHash<QString, Text> texts = TextsOf(*dialog), sources = english.value(name);
            QCOMPARE(texts.size(), sources.size());
            for (auto source = sources.begin(); source != sources.end(); ++source)
                QCOMPARE(texts.value(source.key()), Text(source->first, translated(*source)));

            dialogs << name;
            mediaName->setText(tray::DiskLabelText("Samsung SSD 870 EVO 1TB "));
            dialog->show();
            QWidgetList parts = dialog->findChildren<QWidget*>();
            parts.removeOne(dialog->findChild<QWidget*>("MainFrame"));
            for (const QWidget* part : parts) {
                const QRect text = DrawnText(*part, *dialog);
                QVERIFY2(text.isEmpty() || TextRoom(*part, *dialog).contains(text),
                         qPrintable(name + " " + part->objectName() + " does not hold \"" + TextOf(*part) + "\""));
                for (const QWidget* other : parts)
                    QVERIFY2(text.isEmpty() || other == part || !text.intersects(Covered(*other, *dialog)),
                             qPrintable(name + " " + part->objectName() + " runs into " + other->objectName()));
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        dialogs.sort();
        QCOMPARE(dialogs, (QStringList{"HealthWarning", "PerformanceWarning", "ShutDownWarning", "SmartWarning"}));
    }
};

CORVANE_TEST_MAIN(DialogTests)
#include "DialogTests.moc"
