#pragma once

#include <QString>
#include <QVariant>

namespace os {

// Per-user values kept by company, application, section and key, in place of the
// registry's "Software\company\application\section" keys. Values are stored as
// text; reading never fails: a missing value gives the default.
class Settings
{
public:
    // Writes the value as text.
    static void save(const QString &company, const QString &application, const QString &section,
                     const QString &key, const QVariant &value);
    // The stored text without trailing spaces, or the default when there is none.
    static QVariant get(const QString &company, const QString &application, const QString &section,
                        const QString &key, const QVariant &defaultValue = {});
    // The stored value as a 32-bit number; the default when missing or not a number.
    static int number(const QString &company, const QString &application, const QString &section,
                      const QString &key, int defaultValue = 0);
};

} // namespace os
