#include "imodglobalsubs.h"

#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "platform/jet/recordset.h"

#include <limits>

namespace imodGlobalSubs {

int CountRecords(const QString &sql)
{
    try {
        jet::Recordset rs;
        irecObjectCode::PrepareRecordset(rs);
        rs.setSource(Global::AdaptSql(sql));
        rs.open();
        const qint64 count = rs.recordCount();
        rs.close();
        return static_cast<int>(qMin<qint64>(count, std::numeric_limits<int>::max()));
    } catch (...) {
        return 0;
    }
}

} // namespace imodGlobalSubs
