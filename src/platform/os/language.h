#pragma once

#include <QLocale>
#include <QString>

namespace os {

// Windows language identifiers of locales, as the language file's sections are
// named ("3081" for English (Australia), "1033" for English (United States)).
class Language
{
public:
    // The identifier of a locale: an exact language and territory match from the
    // table of common locales; else the table's first entry for the language; else
    // 1033 (English (United States)).
    static int idFor(const QLocale &locale);
    // The identifier of the user's locale in decimal, such as "3081".
    static QString userLanguageId();
};

} // namespace os
