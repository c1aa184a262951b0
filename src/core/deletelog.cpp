#include "deletelog.h"

#include "globaldata.h"
#include "platform/jet/recordset.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"

namespace Global {

void WriteDeleteLog(const QString &record, const QString &action, const QString &userId)
{
    WriteDeleteLog(DbConnection(), record, action, userId);
}

void WriteDeleteLog(jet::Connection &connection, const QString &record, const QString &action,
                    const QString &userId)
{
    jet::Recordset log(connection, AdaptSql(QStringLiteral(
                                       "SELECT DeleteLog.* FROM DeleteLog WHERE DeleteLogID = 0;")));
    log.addNew();
    log.setValue(1, vb::Format(vb::Now(), QStringLiteral("yyyy/mm/dd hh:mm:ss AMPM")));
    log.setValue(2, record);
    log.setValue(3, action);
    if (!userId.isNull())
        log.setValue(4, userId.toUpper());
    log.update();
    log.close();
}

} // namespace Global
