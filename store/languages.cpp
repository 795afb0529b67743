#include "store/languages.h"

#include <QDir>
#include <QLocale>
#include <QMetaEnum>
#include <QSettings>

#include <iterator>
#include <limits>
#include <type_traits>

namespace Languages {

namespace {

// A corrupt file may claim any count; no page has more than a few dozen texts.
constexpr int maxStrings = 4096;

// The numbering the language files were named with, by position. Entries are
// the platform's enumerator names; an entry it no longer knows is shown as written.
const char *const languageKeys[] = {"AnyLanguage", "C", "Abkhazian", "Oromo", "Afar", "Afrikaans",
    "Albanian", "Amharic", "Arabic", "Armenian", "Assamese", "Aymara", "Azerbaijani", "Bashkir",
    "Basque", "Bangla", "Dzongkha", "Bihari", "Bislama", "Breton", "Bulgarian", "Burmese",
    "Belarusian", "Khmer", "Catalan", "Chinese", "Corsican", "Croatian", "Czech", "Danish", "Dutch",
    "English", "Esperanto", "Estonian", "Faroese", "Fijian", "Finnish", "French", "WesternFrisian",
    "Gaelic", "Galician", "Georgian", "German", "Greek", "Kalaallisut", "Guarani", "Gujarati",
    "Hausa", "Hebrew", "Hindi", "Hungarian", "Icelandic", "Indonesian", "Interlingua",
    "Interlingue", "Inuktitut", "Inupiaq", "Irish", "Italian", "Japanese", "Javanese", "Kannada",
    "Kashmiri", "Kazakh", "Kinyarwanda", "Kyrgyz", "Korean", "Kurdish", "Rundi", "Lao", "Latin",
    "Latvian", "Lingala", "Lithuanian", "Macedonian", "Malagasy", "Malay", "Malayalam", "Maltese",
    "Maori", "Marathi", "Romanian", "Mongolian", "NauruLanguage", "Nepali", "NorwegianBokmal",
    "Occitan", "Odia", "Pashto", "Persian", "Polish", "Portuguese", "Punjabi", "Quechua", "Romansh",
    "Romanian", "Russian", "Samoan", "Sango", "Sanskrit", "Serbian", "Bosnian", "SouthernSotho",
    "Tswana", "Shona", "Sindhi", "Sinhala", "Swati", "Slovak", "Slovenian", "Somali", "Spanish",
    "Sundanese", "Swahili", "Swedish", "Filipino", "Tajik", "Tamil", "Tatar", "Telugu", "Thai",
    "Tibetan", "Tigrinya", "Tongan", "Tsonga", "Turkish", "Turkmen", "Akan", "Uyghur", "Ukrainian",
    "Urdu", "Uzbek", "Vietnamese", "Volapuk", "Welsh", "Wolof", "Xhosa", "Yiddish", "Yoruba",
    "Zhuang", "Zulu"};

const char *const countryKeys[] = {"AnyCountry", "Afghanistan", "Albania", "Algeria",
    "AmericanSamoa", "Andorra", "Angola", "Anguilla", "Antarctica", "AntiguaAndBarbuda",
    "Argentina", "Armenia", "Aruba", "Australia", "Austria", "Azerbaijan", "Bahamas", "Bahrain",
    "Bangladesh", "Barbados", "Belarus", "Belgium", "Belize", "Benin", "Bermuda", "Bhutan",
    "Bolivia", "BosniaAndHerzegowina", "Botswana", "BouvetIsland", "Brazil",
    "BritishIndianOceanTerritory", "Brunei", "Bulgaria", "BurkinaFaso", "Burundi", "Cambodia",
    "Cameroon", "Canada", "CapeVerde", "CaymanIslands", "CentralAfricanRepublic", "Chad", "Chile",
    "China", "ChristmasIsland", "CocosIslands", "Colombia", "Comoros", "DemocraticRepublicOfCongo",
    "PeoplesRepublicOfCongo", "CookIslands", "CostaRica", "IvoryCoast", "Croatia", "Cuba", "Cyprus",
    "CzechRepublic", "Denmark", "Djibouti", "Dominica", "DominicanRepublic", "EastTimor", "Ecuador",
    "Egypt", "ElSalvador", "EquatorialGuinea", "Eritrea", "Estonia", "Ethiopia", "FalklandIslands",
    "FaroeIslands", "Fiji", "Finland", "France", "France", "FrenchGuiana", "FrenchPolynesia",
    "FrenchSouthernTerritories", "Gabon", "Gambia", "Georgia", "Germany", "Ghana", "Gibraltar",
    "Greece", "Greenland", "Grenada", "Guadeloupe", "Guam", "Guatemala", "Guinea", "GuineaBissau",
    "Guyana", "Haiti", "HeardAndMcDonaldIslands", "Honduras", "HongKong", "Hungary", "Iceland",
    "India", "Indonesia", "Iran", "Iraq", "Ireland", "Israel", "Italy", "Jamaica", "Japan",
    "Jordan", "Kazakhstan", "Kenya", "Kiribati", "DemocraticRepublicOfKorea", "RepublicOfKorea",
    "Kuwait", "Kyrgyzstan", "Laos", "Latvia", "Lebanon", "Lesotho", "Liberia", "Libya",
    "Liechtenstein", "Lithuania", "Luxembourg", "Macau", "Macedonia", "Madagascar", "Malawi",
    "Malaysia", "Maldives", "Mali", "Malta", "MarshallIslands", "Martinique", "Mauritania",
    "Mauritius", "Mayotte", "Mexico", "Micronesia", "Moldova", "Monaco", "Mongolia", "Montserrat",
    "Morocco", "Mozambique", "Myanmar", "Namibia", "NauruCountry", "Nepal", "Netherlands",
    "CuraSao", "NewCaledonia", "NewZealand", "Nicaragua", "Niger", "Nigeria", "Niue",
    "NorfolkIsland", "NorthernMarianaIslands", "Norway", "Oman", "Pakistan", "Palau",
    "PalestinianTerritories", "Panama", "PapuaNewGuinea", "Paraguay", "Peru", "Philippines",
    "Pitcairn", "Poland", "Portugal", "PuertoRico", "Qatar", "Reunion", "Romania",
    "RussianFederation", "Rwanda", "SaintKittsAndNevis", "SaintLucia", "SaintVincentAndGrenadines",
    "Samoa", "SanMarino", "SaoTomeAndPrincipe", "SaudiArabia", "Senegal", "Seychelles",
    "SierraLeone", "Singapore", "Slovakia", "Slovenia", "SolomonIslands", "Somalia", "SouthAfrica",
    "SouthGeorgiaAndTheSouthSandwichIslands", "Spain", "SriLanka", "SaintHelena",
    "SaintPierreAndMiquelon", "Sudan", "Suriname", "SvalbardAndJanMayenIslands", "Swaziland",
    "Sweden", "Switzerland", "SyrianArabRepublic", "Taiwan", "Tajikistan", "Tanzania", "Thailand",
    "Togo", "TokelauTerritory", "Tonga", "TrinidadAndTobago", "Tunisia", "Turkey", "Turkmenistan",
    "TurksAndCaicosIslands", "TuvaluTerritory", "Uganda", "Ukraine", "UnitedArabEmirates",
    "UnitedKingdom", "UnitedStates", "UnitedStatesMinorOutlyingIslands", "Uruguay", "Uzbekistan",
    "Vanuatu", "VaticanCityState", "Venezuela", "Vietnam", "BritishVirginIslands",
    "UnitedStatesVirginIslands", "WallisAndFutunaIslands", "WesternSahara", "Yemen", "Yugoslavia",
    "Zambia", "Zimbabwe", "Serbia and Montenegro", "Montenegro", "Serbia", "SaintBarthelemy",
    "SaintMartin", "LatinAmericaAndTheCaribbean"};

template<typename Enum, size_t N>
QString nameFromTable(const char *const (&keys)[N], uint number, QString (*toString)(Enum))
{
    if (number >= N)
        return toString(Enum(std::numeric_limits<std::underlying_type_t<Enum>>::max()));
    bool known = false;
    const int value = QMetaEnum::fromType<Enum>().keyToValue(keys[number], &known);
    return known ? toString(Enum(value)) : QString::fromLatin1(keys[number]);
}

bool safeCode(const QString &code)
{
    return !code.contains(QLatin1Char('/')) && !code.contains(QLatin1Char('\\'))
        && !code.contains(QLatin1String(".."));
}

QString languageFile(const QString &stem)
{
    return QString::fromLatin1(folder) + stem + QStringLiteral(".ini");
}

} // namespace

QString languageName(uint number)
{
    return nameFromTable<QLocale::Language>(languageKeys, number, &QLocale::languageToString);
}

QString countryName(uint number)
{
    return nameFromTable<QLocale::Country>(countryKeys, number, &QLocale::territoryToString);
}

QVariantMap installed()
{
    QVariantMap result;
    const QDir dir(QString::fromLatin1(folder));
    const QStringList entries = dir.entryList({QStringLiteral("lang_*.ini")},
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &entry : entries) {
        const QString code = entry.mid(5, 6);
        const uint language = code.left(3).toUInt();
        const uint country = code.mid(3, 3).toUInt();
        QString name = languageName(language).toUpper();
        if (country == 44)
            name += QStringLiteral(" (Simp)");
        else if (country == 208)
            name += QStringLiteral(" (Trad)");
        else if (country != 0)
            name += QStringLiteral(" (") + countryName(country).toUpper() + QLatin1Char(')');
        result.insert(name, code);
    }
    return result;
}

QStringList globalStrings(uint type, const QString &langCode)
{
    static const char *const groups[]
        = {"main", "keyMatrix", "keyMenu", "macroEditor", "gunControl", "macroKey", "other"};
    if (!safeCode(langCode))
        return QStringList();
    const QString group = type < std::size(groups) ? QString::fromLatin1(groups[type]) : QString();
    const QString prefix = group.isEmpty() ? QString() : group + QLatin1Char('/');
    QSettings file(languageFile(langCode), QSettings::IniFormat);
    const int count
        = qBound(0, file.value(prefix + QStringLiteral("total"), 0).toInt(), maxStrings);
    QStringList result;
    for (int i = 0; i < count; ++i)
        result.append(file.value(prefix + QString::number(i), QString()).toString());
    return result;
}

QStringList productLayoutStrings(const QString &code)
{
    QStringList result;
    if (!safeCode(code)) {
        for (int i = 0; i < layoutStringCount; ++i)
            result.append(QString());
        return result;
    }
    QSettings file(languageFile(QStringLiteral("lang_") + code), QSettings::IniFormat);
    for (int i = 0; i < layoutStringCount; ++i)
        result.append(file.value(QStringLiteral("Z5_133C6AA/%1").arg(i), QString()).toString());
    return result;
}

} // namespace Languages

namespace MessageTexts {

QStringList builtIn(bool simplifiedChinese)
{
    if (simplifiedChinese) {
        return {QStringLiteral("宏"), QStringLiteral("内存不足，\n部分命令行已被截断。"),
            QStringLiteral("图片"), QStringLiteral("无法打开图片文件："), QStringLiteral("警告"),
            QStringLiteral("此操作无法撤销，是否继续？"), QStringLiteral("配置文件"),
            QStringLiteral("此文件不是可用的配置文件，未做任何更改：\n")};
    }
    return {QStringLiteral("MACRO"),
        QStringLiteral("Out of memory,\nsome command line has been cut."),
        QStringLiteral("Picture"), QStringLiteral("Cannot open the picture file: "),
        QStringLiteral("Warning"), QStringLiteral("This cannot be undone. Continue?"),
        QStringLiteral("Profile"),
        QStringLiteral("This file holds no usable profile; nothing was changed:\n")};
}

QStringList load(const QVariant &language)
{
    if (language.toString() != QLatin1String("ChineseSimplified"))
        return builtIn(false);
    const QStringList other = Languages::globalStrings(6, QStringLiteral("lang_025044"));
    if (other.size() >= Count) {
        bool complete = true;
        for (int i = 0; i < Count; ++i)
            complete = complete && !other.at(i).isEmpty();
        if (complete)
            return other.mid(0, Count);
    }
    return builtIn(true);
}

} // namespace MessageTexts
