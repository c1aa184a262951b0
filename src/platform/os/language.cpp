#include "language.h"

namespace os {

namespace {

struct Entry
{
    QLocale::Language language;
    QLocale::Territory territory;
    int id;
};

// The first entry of each language is its fallback for territories not listed.
constexpr Entry table[] = {
    {QLocale::English, QLocale::UnitedStates, 1033},
    {QLocale::English, QLocale::Australia, 3081},
    {QLocale::English, QLocale::UnitedKingdom, 2057},
    {QLocale::English, QLocale::NewZealand, 5129},
    {QLocale::English, QLocale::Canada, 4105},
    {QLocale::English, QLocale::Ireland, 6153},
    {QLocale::English, QLocale::SouthAfrica, 7177},
    {QLocale::English, QLocale::India, 16393},
    {QLocale::English, QLocale::Singapore, 18441},
    {QLocale::English, QLocale::Malaysia, 17417},
    {QLocale::English, QLocale::Philippines, 13321},
    {QLocale::French, QLocale::France, 1036},
    {QLocale::French, QLocale::Canada, 3084},
    {QLocale::French, QLocale::Belgium, 2060},
    {QLocale::French, QLocale::Switzerland, 4108},
    {QLocale::German, QLocale::Germany, 1031},
    {QLocale::German, QLocale::Austria, 3079},
    {QLocale::German, QLocale::Switzerland, 2055},
    {QLocale::Spanish, QLocale::Spain, 3082},
    {QLocale::Spanish, QLocale::Mexico, 2058},
    {QLocale::Italian, QLocale::Italy, 1040},
    {QLocale::Dutch, QLocale::Netherlands, 1043},
    {QLocale::Dutch, QLocale::Belgium, 2067},
    {QLocale::Portuguese, QLocale::Brazil, 1046},
    {QLocale::Portuguese, QLocale::Portugal, 2070},
    {QLocale::Swedish, QLocale::Sweden, 1053},
    {QLocale::Danish, QLocale::Denmark, 1030},
    {QLocale::NorwegianBokmal, QLocale::Norway, 1044},
    {QLocale::Finnish, QLocale::Finland, 1035},
    {QLocale::Polish, QLocale::Poland, 1045},
    {QLocale::Greek, QLocale::Greece, 1032},
    {QLocale::Turkish, QLocale::Turkey, 1055},
    {QLocale::Russian, QLocale::Russia, 1049},
    {QLocale::Japanese, QLocale::Japan, 1041},
    {QLocale::Korean, QLocale::SouthKorea, 1042},
    {QLocale::Chinese, QLocale::China, 2052},
    {QLocale::Chinese, QLocale::Taiwan, 1028},
    {QLocale::Chinese, QLocale::HongKong, 3076},
    {QLocale::Chinese, QLocale::Singapore, 4100},
    {QLocale::Thai, QLocale::Thailand, 1054},
    {QLocale::Vietnamese, QLocale::Vietnam, 1066},
    {QLocale::Indonesian, QLocale::Indonesia, 1057},
    {QLocale::Malay, QLocale::Malaysia, 1086},
    {QLocale::Arabic, QLocale::SaudiArabia, 1025},
    {QLocale::Hebrew, QLocale::Israel, 1037},
    {QLocale::Hindi, QLocale::India, 1081},
};

constexpr int EnglishUnitedStates = 1033;

} // namespace

int Language::idFor(const QLocale &locale)
{
    const Entry *fallback = nullptr;
    for (const Entry &e : table) {
        if (e.language != locale.language())
            continue;
        if (e.territory == locale.territory())
            return e.id;
        if (!fallback)
            fallback = &e;
    }
    return fallback ? fallback->id : EnglishUnitedStates;
}

QString Language::userLanguageId()
{
    return QString::number(idFor(QLocale::system()));
}

} // namespace os
