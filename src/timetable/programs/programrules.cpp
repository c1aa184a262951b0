#include "programrules.h"

#include "core/dbtransaction.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/error.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "timetable/programs.h"

namespace programrules {

namespace {

vb::Currency amountOf(const QString &text)
{
    if (const auto amount = vb::Currency::parse(text))
        return *amount;
    throw vb::Error(vb::err::TypeMismatch);
}

QString dateValue(const QDate &date)
{
    return Global::SqlDate(date); // Null for an empty field
}

} // namespace

const QStringList &ChargeModes()
{
    static const QStringList modes = {QStringLiteral("Enrolment"), AttendanceMode,
                                      QStringLiteral("Enrolment (discount absence)"),
                                      PaymentPlanMode};
    return modes;
}

QString FormatProgramAmount(vb::Currency amount)
{
    return vb::Format(QVariant::fromValue(amount), QStringLiteral("$#####0.00;-$#####0.00"));
}

QString FormatConfirmAmount(vb::Currency amount)
{
    return vb::Format(QVariant::fromValue(amount), QStringLiteral("$#,###,##0.00;-$#,###,##0.00"));
}

QString CheckProgramEntries(const ProgramEntries &entries)
{
    if (entries.name.isEmpty())
        return QStringLiteral("You must enter a program name");
    if (entries.name.contains(QLatin1Char('\'')))
        return QStringLiteral(
            "You cannot have a ' character in the Program name. Please correct this.");
    if (entries.sessions.isEmpty())
        return QStringLiteral("You must enter the number of sessions");
    if (!vb::IsNumeric(entries.sessions))
        return QStringLiteral(
            "The number of sessions you have entered is not a number. Please correct this!");
    return {};
}

qint32 SaveProgram(const ProgramEntries &e, std::optional<qint32> programId)
{
    // The columns in the order of the row; AssessGen, AssumeAttendance and
    // AssessFinalise always take the same values, DefaultMax is left alone.
    const QList<std::pair<QString, QString>> columns = {
        {QStringLiteral("Program"), Global::SqlText(e.name)},
        {QStringLiteral("Inactive"), Global::SqlNumber(e.inactive ? 1 : 0)},
        {QStringLiteral("DefaultCost"), Global::SqlNumber(amountOf(e.fullCost))},
        {QStringLiteral("StartDate"), dateValue(e.startDate)},
        {QStringLiteral("DefaultDay"),
         e.defaultDay < 0 ? Global::SqlNull() : Global::SqlText(QString::number(e.defaultDay))},
        {QStringLiteral("EndDate"), dateValue(e.endDate)},
        {QStringLiteral("[Sessions]"), Global::SqlNumber(vb::CLng(e.sessions))},
        {QStringLiteral("AssessGen"), Global::SqlNumber(0)},
        {QStringLiteral("TaxCode"), Global::SqlText(e.taxCode)},
        {QStringLiteral("RevenueAccount"), Global::SqlText(e.revenueAccount)},
        {QStringLiteral("AssumeAttendance"), Global::SqlText(QStringLiteral("Attended"))},
        {QStringLiteral("AssessFinalise"), Global::SqlNumber(0)},
        {QStringLiteral("AttendChargeOn"), Global::SqlText(e.chargeMode)},
        {QStringLiteral("PricePerSession"), Global::SqlNumber(amountOf(e.costPerSession))},
        {QStringLiteral("ChargePerSession"), Global::SqlNumber(e.chargePerSession ? 1 : 0)},
        {QStringLiteral("AmountOverdue"), dateValue(e.feesDue)},
    };
    QStringList names, values, sets;
    for (const auto &[name, value] : columns) {
        names << name;
        values << value;
        sets << name + QStringLiteral(" = ") + value;
    }

    jet::Connection &db = Global::DbConnection();
    Global::DbTransaction transaction;
    qint32 id = 0;
    if (programId) {
        id = *programId;
        const qint64 changed = db.execute(Global::AdaptSql(
            QStringLiteral("UPDATE Programs SET ") + sets.join(QStringLiteral(", ")) +
            QStringLiteral(" WHERE ProgramID = ") + Global::SqlNumber(id) + QStringLiteral(";")));
        if (changed != 1)
            throw jet::Error(jet::err::NoCurrentRecord,
                             QStringLiteral("The program no longer exists."));
    } else {
        db.execute(Global::AdaptSql(QStringLiteral("INSERT INTO Programs (") +
                                    names.join(QStringLiteral(", ")) +
                                    QStringLiteral(") VALUES (") +
                                    values.join(QStringLiteral(", ")) + QStringLiteral(");")));
        // The write lock taken by the insert keeps other workstations from adding
        // a row before the key is read.
        jet::Recordset rs(db, QStringLiteral("SELECT Max(ProgramID) FROM Programs;"));
        id = vb::CLng(rs.value(0));
    }
    transaction.commit();
    return id;
}

std::optional<int> SessionCount(const QString &text)
{
    try {
        return vb::CLng(text);
    } catch (const vb::Error &) {
        return std::nullopt;
    }
}

std::optional<vb::Currency> CostPerSessionFor(const QString &fullCost, const QString &sessions)
{
    const auto full = vb::Currency::parse(fullCost);
    const auto count = SessionCount(sessions);
    if (!full || !count || *count == 0)
        return std::nullopt;
    return *full / vb::Currency(*count);
}

std::optional<vb::Currency> FullCostFor(const QString &costPerSession, const QString &sessions)
{
    const auto each = vb::Currency::parse(costPerSession);
    const auto count = SessionCount(sessions);
    if (!each || !count)
        return std::nullopt;
    try {
        return vb::Currency(*count) * *each;
    } catch (const vb::Error &) {
        return std::nullopt; // beyond the range of an amount
    }
}

int FixAllClassDates(qint32 programId, const QDate &startDate, const QDate &endDate)
{
    const QVariant start = startDate.isValid() ? QVariant(startDate) : QVariant();
    const QVariant end = endDate.isValid() ? QVariant(endDate) : QVariant();
    Global::DbTransaction transaction;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral(
            "SELECT ClassID, [Day], StartDate, EndDate FROM Classes WHERE ProgramID = ") +
        Global::SqlNumber(programId) + QStringLiteral(";"));
    int count = 0;
    for (; !rs->eof(); rs->moveNext()) {
        const QString day = rs->value(1).toString(); // a Null pattern runs on no weekday
        if (day == QStringLiteral("Other")) {
            rs->setValue(2, start);
            rs->setValue(3, end);
        } else {
            rs->setValue(2, imodPrograms::GetFirstClassDateInProgram(programId, day));
            rs->setValue(3, imodPrograms::GetLastClassDateInProgram(programId, day));
        }
        rs->update();
        ++count;
    }
    rs->close();
    transaction.commit();
    return count;
}

void ResetClassChargeMode(qint32 programId, const QString &mode)
{
    Global::DbTransaction transaction;
    Global::DbConnection().execute(Global::AdaptSql(
        QStringLiteral("UPDATE Classes SET Cost = 0.00, ChargePerSession = 0, AttendChargeOn = ") +
        Global::SqlText(mode) + QStringLiteral(" WHERE ProgramID = ") +
        Global::SqlNumber(programId) + QStringLiteral(";")));
    transaction.commit();
}

} // namespace programrules
