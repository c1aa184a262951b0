#include "imoddata.h"

#include "core/globaldata.h"
#include "platform/jet/connection.h"
#include "platform/jet/sql/error.h"
#include "platform/ui/dialogs.h"
#include "platform/vb/error.h"

namespace imodData {

int ExecSQL(const QString &sql, bool showError)
{
    QString adapted;
    long number = 0;
    QString description;
    try {
        adapted = Global::AdaptSql(sql);
        Global::DbConnection().execute(adapted);
        return 0;
    } catch (const jet::Error &e) {
        number = e.number();
        description = e.description();
    } catch (const vb::Error &e) {
        number = e.number();
        description = e.description();
    } catch (const std::exception &e) {
        description = QString::fromLocal8Bit(e.what());
    }
    if (number == 0)
        number = -1;
    if (showError) {
        try {
            ui::Dialogs::msgBox(QStringLiteral("Executing the statement:\r\n'") + adapted +
                                    QStringLiteral("'\r\n caused the following error:\r\n") +
                                    description + QStringLiteral(" (Err#") +
                                    QString::number(number) + QLatin1Char(')'),
                                ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
        } catch (...) {
            // The result still tells the caller.
        }
    }
    return static_cast<int>(number);
}

} // namespace imodData
