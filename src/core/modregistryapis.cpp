#include "modregistryapis.h"

#include "platform/os/settings.h"

#include <QStringList>

namespace modRegistryAPIs {

namespace {

struct KeyPath
{
    QString company, application, section;
};

// "Software\company\application\section": what follows the application is the section.
KeyPath split(const QString &keyPath)
{
    QStringList parts = keyPath.split(QLatin1Char('\\'));
    if (!parts.isEmpty() &&
        parts.first().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    KeyPath key;
    if (!parts.isEmpty())
        key.company = parts.takeFirst();
    if (!parts.isEmpty())
        key.application = parts.takeFirst();
    key.section = parts.join(QLatin1Char('\\'));
    return key;
}

QString path(const QString &company, const QString &application, const QString &section)
{
    return QStringLiteral("Software\\") + company + QLatin1Char('\\') + application +
           QLatin1Char('\\') + section;
}

} // namespace

void SaveRegValue(const QString &root, const QString &company, const QString &application,
                  const QString &section, const QString &valueName, const QVariant &value)
{
    Q_UNUSED(root);
    SetRegString(HKEY_CURRENT_USER, path(company, application, section), valueName,
                 value.toString());
}

QVariant GetRegValue(const QString &root, const QString &company, const QString &application,
                     const QString &section, const QString &valueName, const QVariant &defaultValue)
{
    Q_UNUSED(root);
    return QueryRegValue(HKEY_CURRENT_USER, path(company, application, section), valueName,
                         defaultValue);
}

long SetRegString(long rootKey, const QString &keyPath, const QString &valueName,
                  const QString &text)
{
    Q_UNUSED(rootKey);
    const KeyPath key = split(keyPath);
    os::Settings::save(key.company, key.application, key.section, valueName, text);
    return 0;
}

QVariant QueryRegValue(long rootKey, const QString &keyPath, const QString &valueName,
                       const QVariant &defaultValue)
{
    Q_UNUSED(rootKey);
    const KeyPath key = split(keyPath);
    const QVariant value =
        os::Settings::get(key.company, key.application, key.section, valueName, defaultValue);
    if (value.typeId() == QMetaType::QString)
        return TrimAtNull(value.toString());
    return value;
}

QString TrimAtNull(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

} // namespace modRegistryAPIs
