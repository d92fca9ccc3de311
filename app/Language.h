#pragma once

// The user-interface language, chosen by the companion application and fixed at start-up.

#include <QString>

#include <array>

class QCoreApplication;

enum class Language { EN, DE, FR, IT, ES, JA, CN, KO, DU, BR, HI };

inline constexpr int LanguageCount = 11;

struct LanguageInfo {
    Language flag;
    const char* code;                // folder name under TranslationCM
    const char* qtTranslation;       // base name of Qt's own texts; empty where Qt has none
    const char* programTranslation;  // base name of the monitor's texts
};

// One flag per language; exactly one is set after start-up.
inline std::array<bool, LanguageCount> LanguageFlag{};

inline bool IsLanguage(Language language) { return LanguageFlag[static_cast<size_t>(language)]; }

// The language for a stored LanguageType; English for anything out of range.
const LanguageInfo& LanguageForType(int languageType);

void SelectLanguage(Language language);

// applicationDirectory + "/TranslationCM/" + code.
QString TranslationDirectoryFor(const QString& applicationDirectory, const LanguageInfo& language);

// Loads Qt's and the monitor's translations from TranslationDirectory and installs them, the
// monitor's last so that it is consulted first. A file that is missing leaves its texts in English.
void InstallTranslations(QCoreApplication& application, const LanguageInfo& language);
