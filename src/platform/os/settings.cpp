#include "settings.h"

#include <QSettings>

namespace os {

namespace {

// One INI file per company and application in the user's configuration folder.
QString keyPath(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

QSettings store(const QString &company, const QString &application)
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, company, application);
}

QString trimRight(QString text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    text.truncate(n);
    return text;
}

} // namespace

void Settings::save(const QString &company, const QString &application, const QString &section,
                    const QString &key, const QVariant &value)
{
    auto s = store(company, application);
    s.setValue(keyPath(section, key), value.toString());
    s.sync();
}

QVariant Settings::get(const QString &company, const QString &application, const QString &section,
                       const QString &key, const QVariant &defaultValue)
{
    const auto s = store(company, application);
    const QVariant v = s.value(keyPath(section, key));
    if (!v.isValid())
        return defaultValue;
    return trimRight(v.toString());
}

int Settings::number(const QString &company, const QString &application, const QString &section,
                     const QString &key, int defaultValue)
{
    bool ok = false;
    const int n = get(company, application, section, key).toString().trimmed().toInt(&ok);
    return ok ? n : defaultValue;
}

} // namespace os
