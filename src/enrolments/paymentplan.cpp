#include "paymentplan.h"

#include "core/dbtransaction.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "imodenrolments.h"
#include "money/imodmoney.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "timetable/programs.h"

namespace imodEnrolments {

namespace {

QString planRowSql(qint32 chargeDateId)
{
    return QStringLiteral("SELECT ChargeDate.* FROM ChargeDate WHERE ChargeDateID = ") +
           Global::SqlNumber(chargeDateId) + QLatin1Char(';');
}

PlanRow readRow(jet::Recordset &rs)
{
    PlanRow row;
    row.chargeDateId = vb::CLng(rs.value(QStringLiteral("ChargeDateID")));
    row.programId = vb::CLng(vb::Nz(rs.value(QStringLiteral("ProgramID")), 0));
    const QVariant date = rs.value(QStringLiteral("Date"));
    if (!date.isNull())
        row.date = vb::CDate(date).date();
    row.amount = vb::CCur(vb::Nz(rs.value(QStringLiteral("Amount")), 0));
    row.run = vb::CLng(vb::Nz(rs.value(QStringLiteral("Run")), 0)) == 1;
    return row;
}

// The row's Run flag read inside the caller's transaction; a missing row fails
// (no current record).
bool hasRun(jet::Recordset &rs)
{
    return vb::CLng(vb::Nz(rs.value(QStringLiteral("Run")), 0)) != 0;
}

} // namespace

QList<PlanRow> ReadPaymentPlan(qint32 programId)
{
    QList<PlanRow> plan;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT ChargeDate.* FROM ChargeDate WHERE ProgramID = ") +
        Global::SqlNumber(programId) + QStringLiteral(" ORDER BY Date;"));
    for (; !rs->eof(); rs->moveNext())
        plan << readRow(*rs);
    return plan;
}

PlanChange SavePlanRow(qint32 chargeDateId, qint32 programId, const QDate &date,
                       vb::Currency amount)
{
    Global::DbTransaction transaction;
    auto rs = irecObjectCode::OpenRecordset(planRowSql(chargeDateId));
    if (chargeDateId == 0)
        rs->addNew();
    else if (hasRun(*rs))
        return PlanChange::Executed;
    rs->setValue(QStringLiteral("ProgramID"), programId);
    rs->setValue(QStringLiteral("Date"), QDateTime(date, QTime(0, 0)));
    rs->setValue(QStringLiteral("Amount"), QVariant::fromValue(amount));
    rs->setValue(QStringLiteral("Run"), 0);
    rs->update();
    rs->close();
    transaction.commit();
    return PlanChange::Done;
}

PlanChange DeletePlanRow(qint32 chargeDateId)
{
    Global::DbTransaction transaction;
    auto rs = irecObjectCode::OpenRecordset(planRowSql(chargeDateId));
    if (hasRun(*rs))
        return PlanChange::Executed;
    rs->deleteRecord();
    rs->close();
    transaction.commit();
    return PlanChange::Done;
}

QList<PlanRow> ListDueCharges(const QDate &today)
{
    QList<PlanRow> due;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT ChargeDate.* FROM ChargeDate WHERE (Date <= ") +
        Global::SqlDate(today) + QStringLiteral(") AND Run = 0;"));
    for (; !rs->eof(); rs->moveNext())
        due << readRow(*rs);
    return due;
}

ChargeOutcome ChargeDuePlanRow(qint32 chargeDateId, qint32 programId, vb::Currency amount)
{
    // The write transaction sees every other workstation's commit: a row run
    // meanwhile is skipped, never charged twice.
    Global::DbTransaction transaction;
    {
        auto row = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT Run FROM ChargeDate WHERE ChargeDateID = ") +
            Global::SqlNumber(chargeDateId) + QLatin1Char(';'));
        if (row->eof() || hasRun(*row))
            return ChargeOutcome::Skipped;
    }
    QList<QPair<qint32, qint32>> bookings; // BookingID, StudentID
    {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT BookingID, StudentID FROM Bookings WHERE ((Status = ") +
            Global::SqlText(BookingStatus::Confirmed) + QStringLiteral(") OR (Status = ") +
            Global::SqlText(BookingStatus::Tentative) +
            QStringLiteral(")) AND (Bookings.ClassID In (SELECT Tmp.ClassID FROM Classes AS Tmp "
                           "WHERE Tmp.ProgramID = ") +
            Global::SqlNumber(programId) + QStringLiteral("));"));
        for (; !rs->eof(); rs->moveNext())
            bookings.append({vb::CLng(rs->value(0)), vb::CLng(vb::Nz(rs->value(1), 0))});
    }
    if (!bookings.isEmpty()) {
        const double rate = imodPrograms::GetProgramGstRate(programId);
        const QString account = imodPrograms::GetProgramRevenueAccount(programId);
        const QString taxCode = imodPrograms::GetProgramTaxCode(programId);
        const vb::Currency tax = amount * vb::Currency(rate);
        for (const auto &[bookingId, studentId] : bookings)
            if (!imodMoney::AddCharge(imodMoney::PaymentRowType::Charge, amount, tax, account,
                                      bookingId, studentId, 0, taxCode, QString()))
                return ChargeOutcome::Failed;
    }
    Global::DbConnection().execute(QStringLiteral("UPDATE ChargeDate SET Run = 1 WHERE "
                                                  "ChargeDateID = ") +
                                   Global::SqlNumber(chargeDateId) + QLatin1Char(';'));
    transaction.commit();
    return ChargeOutcome::Charged;
}

} // namespace imodEnrolments
