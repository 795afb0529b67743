#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

// Language files: ./modules/i18n/lang_LLLCCC.ini, UTF-8 INI. LLL and CCC are
// the language and country numbers the shipped files were named with; they
// are translated to the platform's names here.
namespace Languages {

inline constexpr const char *folder = "./modules/i18n/";
inline constexpr int layoutStringCount = 16;

// The platform's English names for the numbers used in the file names;
// "Unknown" for numbers beyond the table.
QString languageName(uint number);
QString countryName(uint number);

// Upper-case language name (with " (Simp)", " (Trad)" or the country) -> six-digit code.
QVariantMap installed();
// Group `type` (0 main .. 6 other) of "./modules/i18n/" + langCode + ".ini".
QStringList globalStrings(uint type, const QString &langCode);
// The sixteen Z5_133C6AA strings of "./modules/i18n/lang_" + code + ".ini".
QStringList productLayoutStrings(const QString &code);

} // namespace Languages

// The texts of the bridge's message boxes, addressed by position.
namespace MessageTexts {

enum Entry {
    MacroTooLongTitle = 0,
    MacroTooLongText = 1,
    PictureTitle = 2,
    PictureText = 3,
    ConfirmTitle = 4,
    ConfirmText = 5,
    ImportTitle = 6,
    ImportText = 7,
    Count = 8
};

QStringList builtIn(bool simplifiedChinese);
// For "ChineseSimplified" the `other` group of lang_025044 when it holds all
// the texts, else the built-in Chinese ones; English for any other language.
QStringList load(const QVariant &language);

} // namespace MessageTexts
