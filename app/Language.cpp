#include "Language.h"

#include "ProcessValues.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcLanguage, "corvane.language")

namespace {

const std::array<LanguageInfo, LanguageCount> Languages = {{
    {Language::EN, "EN", "qt_en", "LANG_EN"},
    {Language::DE, "DE", "qt_de", "LANG_DE"},
    {Language::FR, "FR", "qt_fr", "LANG_FR"},
    {Language::IT, "IT", "qt_it", "LANG_IT"},
    {Language::ES, "ES", "qt_es", "LANG_ES"},
    {Language::JA, "JA", "qt_ja", "LANG_JA"},
    {Language::CN, "CN", "qt_cn", "LANG_CN"},
    {Language::KO, "KO", "", "LANG_KO"},
    {Language::DU, "DU", "qt_du", "LANG_DU"},
    {Language::BR, "BR", "qt_br", "LANG_BR"},
    {Language::HI, "HI", "qt_hi", "LANG_HI"},
}};

// English is the language of the texts themselves: its files are looked for, but none is expected.
void LoadAndInstall(QCoreApplication& application, const QString& baseName, bool expected) {
    auto* translator = new QTranslator(&application);
    if (!baseName.isEmpty() && !translator->load(baseName, TranslationDirectory) && expected)
        qCDebug(lcLanguage) << "no translation" << baseName << "in" << TranslationDirectory;
    application.installTranslator(translator);
}

}  // namespace

const LanguageInfo& LanguageForType(int languageType) {
    if (languageType < 0 || languageType >= LanguageCount) return Languages[0];
    return Languages[static_cast<size_t>(languageType)];
}

void SelectLanguage(Language language) {
    LanguageFlag.fill(false);
    LanguageFlag[static_cast<size_t>(language)] = true;
}

QString TranslationDirectoryFor(const QString& applicationDirectory, const LanguageInfo& language) {
    return applicationDirectory + QStringLiteral("/TranslationCM/") + QLatin1String(language.code);
}

void InstallTranslations(QCoreApplication& application, const LanguageInfo& language) {
    const bool expected = language.flag != Language::EN;
    LoadAndInstall(application, QLatin1String(language.qtTranslation), expected);
    LoadAndInstall(application, QLatin1String(language.programTranslation), expected);
}
