#pragma once

#include <QString>

// Translation of interface words through the language file "Language.ini" in
// the application data folder: one section per user language (the decimal
// language identifier, "3081" for English (Australia)), lines of an English word
// or "DateFormat", "=", and its value.
namespace imodLanguage {

// Locale information items that GetLocaleText answers.
constexpr int LOCALE_ILANGUAGE = 1; // the language identifier in hexadecimal, "0c09"

// An item of the user's locale; the empty text for an item it does not know.
QString GetLocaleText(int lcType);

// The user's language identifier in decimal, such as "3081".
QString GetUserLanguageId();

// The full path of the language file. The program's own file is installed there
// when there is none (when that fails, there is simply no translation).
QString LanguageFile();

// The translation of text for the user's language, or the text itself when the
// language file has no value for it.
QString Translate(const QString &text);

} // namespace imodLanguage
