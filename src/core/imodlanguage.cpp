#include "imodlanguage.h"

#include "core/imodini.h"
#include "core/imodvista.h"
#include "platform/os/language.h"

#include <QFile>

namespace imodLanguage {

QString GetLocaleText(int lcType)
{
    if (lcType == LOCALE_ILANGUAGE)
        return QStringLiteral("%1").arg(GetUserLanguageId().toInt(), 4, 16, QLatin1Char('0'));
    return {};
}

QString GetUserLanguageId()
{
    return os::Language::userLanguageId();
}

QString LanguageFile()
{
    const QString path = imodVista::GetAppDataFolder() + QStringLiteral("Language.ini");
    if (!QFile::exists(path) && QFile::copy(QStringLiteral(":/core/Language.ini"), path))
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther);
    return path;
}

QString Translate(const QString &text)
{
    const QString value = imodINI::ReadIniValue(LanguageFile(), GetUserLanguageId(), text);
    return value.isEmpty() ? text : value;
}

} // namespace imodLanguage
