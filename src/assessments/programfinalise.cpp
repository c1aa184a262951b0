#include "programfinalise.h"

#include "core/dbtransaction.h"
#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"

namespace imodAssessments {

FinaliseCounts FinaliseProgram(qint32 programId, FinaliseOption option)
{
    // One statement per kind of change rather than a walk of the rows: the same
    // rows change, and a big program closes at once.
    const QString ofProgram =
        QStringLiteral(" AND ClassID IN (SELECT ClassID FROM Classes WHERE ProgramID = ") +
        Global::SqlNumber(programId) + QStringLiteral(");");
    auto run = [](const QString &sql) {
        return int(Global::DbConnection().execute(Global::AdaptSql(sql)));
    };
    FinaliseCounts counts;
    Global::DbTransaction transaction;
    switch (option) {
    case FinaliseOption::Finalise:
        counts.finalised = run(
            QStringLiteral("UPDATE Assessments SET Processed = Processed + 1 WHERE Processed = 1") +
            ofProgram);
        break;
    case FinaliseOption::Delete:
        counts.deleted =
            run(QStringLiteral("DELETE FROM Assessments WHERE Processed = 1") + ofProgram);
        break;
    case FinaliseOption::Leave: break;
    }
    counts.deleted +=
        run(QStringLiteral("DELETE FROM Assessments WHERE Processed = 0") + ofProgram);
    transaction.commit();
    return counts;
}

} // namespace imodAssessments
