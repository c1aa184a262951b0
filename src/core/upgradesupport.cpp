#include "upgradesupport.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/imoddata.h"
#include "platform/ui/dialogs.h"

namespace imodData::detail {

QString shortAppName()
{
    return Global::CentreSettings().ShortAppName();
}

void dataErrorBox(const QString &text)
{
    ui::Dialogs::msgBox(text, ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Data Error"));
}

void stepErrorBox(const QString &sentence, const Failure &f)
{
    dataErrorBox(sentence + QStringLiteral("\r\nErr#") + QString::number(f.number) +
                 QStringLiteral(" - ") + f.description + QStringLiteral(".\r\nPlease contact ") +
                 shortAppName() + QStringLiteral(" support."));
}

void tableErrorBox(const QString &sentence, const Failure &f)
{
    dataErrorBox(sentence + QStringLiteral(" (Err#") + QString::number(f.number) +
                 QStringLiteral(" - ") + f.description + QStringLiteral("). Please contact ") +
                 shortAppName() + QStringLiteral(" support."));
}

std::unique_ptr<jet::Connection> openOwnConnection()
{
    auto own = std::make_unique<jet::Connection>(Global::DbConnection().connectionString());
    own->open();
    return own;
}

bool exec(const QString &sql)
{
    return ExecSQL(sql, false) == 0;
}

} // namespace imodData::detail
