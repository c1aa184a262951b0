#include "programs.h"

#include "classes.h"
#include "core/daypatterns.h"
#include "core/dbtransaction.h"
#include "core/errorinfo.h"
#include "core/imoddata.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/lookups.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/forms.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"

namespace imodPrograms {

namespace {

std::unique_ptr<jet::Recordset> open(const QString &sql)
{
    return irecObjectCode::OpenRecordset(sql);
}

QString byId(const char *select, qint32 programId)
{
    return QString::fromLatin1(select) + QString::number(programId) + QLatin1Char(';');
}

// The first row's column, or nothing when the statement gives no row.
std::optional<QVariant> first(const QString &sql, int column = 0)
{
    auto rs = open(sql);
    if (rs->eof())
        return std::nullopt;
    return rs->value(column);
}

int countOrMinusOne(const QString &sql)
{
    try {
        const auto n = first(sql);
        return n ? vb::CLng(*n) : 0;
    } catch (...) {
        return -1;
    }
}

QString text(const std::optional<QVariant> &value)
{
    return value ? vb::CStr(*value) : QString();
}

vb::Currency amount(const std::optional<QVariant> &value)
{
    return value ? vb::CCur(*value) : vb::Currency();
}

QDateTime date(const std::optional<QVariant> &value)
{
    return value ? vb::CDate(*value) : vb::zeroDate();
}

// Walks from the date one day at a time (step +1 or -1) to the weekday named.
QDateTime walkToWeekday(QDateTime day, const QString &weekday, int step)
{
    for (int i = 0; i < 7; ++i) {
        if (Global::DayNameForNumber(vb::Weekday(day)) == weekday)
            return day;
        day = day.addDays(step);
    }
    return vb::zeroDate();
}

QDateTime classDate(qint32 programId, const char *column, const QString &weekday, int step)
{
    auto rs = open(QStringLiteral("SELECT %1 FROM Programs WHERE ProgramID=%2;")
                       .arg(QLatin1String(column))
                       .arg(programId));
    if (rs->eof() || rs->value(0).isNull() || weekday.isEmpty())
        return vb::zeroDate();
    return walkToWeekday(vb::DateValue(rs->value(0)), weekday, step);
}

} // namespace

int GetProgramNumClasses(qint32 programId)
{
    return countOrMinusOne(
        byId("SELECT Count(ClassID) AS TotalClasses FROM Classes WHERE ProgramID=", programId));
}

int GetProgramNumEnrolments(qint32 programId)
{
    return countOrMinusOne(byId("SELECT Count(BookingID) AS TotalBookings FROM Classes INNER JOIN "
                                "Bookings ON Bookings.ClassID = Classes.ClassID WHERE ProgramID=",
                                programId));
}

QString GetProgramRevenueAccount(qint32 programId)
{
    return text(first(byId("SELECT Programs.* FROM Programs WHERE ProgramID=", programId), 11));
}

QString GetProgramDefaultDay(const QString &programName)
{
    auto rs = open(QStringLiteral("SELECT Programs.* FROM Programs WHERE Program=%1;")
                       .arg(Global::SqlText(programName)));
    QString day;
    for (; !rs->eof(); rs->moveNext()) {
        if (vb::CStr(vb::Nz(rs->value(1))) == programName)
            day = vb::CStr(rs->value(6));
    }
    return day;
}

QString GetProgramChargeMode(qint32 programId)
{
    const auto mode =
        first(byId("SELECT AttendChargeOn FROM Programs WHERE ProgramID=", programId));
    return mode ? vb::CStr(vb::Nz(*mode)) : QStringLiteral("Enrolment");
}

vb::Currency IsProgramChargedPerSession(qint32 programId)
{
    return amount(first(byId("SELECT Programs.* FROM Programs WHERE ProgramID=", programId), 16));
}

vb::Currency GetProgramCostPerSession(qint32 programId)
{
    return amount(first(byId("SELECT PricePerSession FROM Programs WHERE ProgramID=", programId)));
}

vb::Currency GetProgramCost(qint32 programId)
{
    return amount(first(byId("SELECT DefaultCost FROM Programs WHERE ProgramID=", programId)));
}

QDateTime GetProgramStartDate(qint32 programId)
{
    return date(first(byId("SELECT StartDate FROM Programs WHERE ProgramID=", programId)));
}

QDateTime GetProgramEndDate(qint32 programId)
{
    return date(first(byId("SELECT EndDate FROM Programs WHERE ProgramID=", programId)));
}

qint32 GetProgramIdForName(const QString &programName)
{
    const auto id = first(QStringLiteral("SELECT ProgramID FROM Programs WHERE Program=%1;")
                              .arg(Global::SqlText(programName)));
    return id ? vb::CLng(*id) : 0;
}

double GetProgramGstRate(qint32 programId)
{
    const auto code = first(byId("SELECT TaxCode FROM Programs WHERE ProgramID=", programId));
    return code ? Global::GetTaxRate(vb::CStr(*code)) : 0.0;
}

QString GetProgramTaxCode(qint32 programId)
{
    return text(first(byId("SELECT TaxCode FROM Programs WHERE ProgramID=", programId)));
}

QString GetProgramName(qint32 programId)
{
    if (programId == 0)
        return QStringLiteral("One-Off Enrolments");
    return text(first(byId("SELECT Programs.* FROM Programs WHERE ProgramID=", programId), 1));
}

int GetProgramNumSessions(qint32 programId)
{
    if (programId == 0)
        return 1;
    const auto n = first(byId("SELECT [Sessions] FROM Programs WHERE ProgramID=", programId));
    return n ? vb::CInt(*n) : 0;
}

QDateTime GetFirstClassDateInProgram(qint32 programId, const QString &dayName)
{
    return classDate(programId, "StartDate", imodClasses::GetFirstRunWeekday(dayName), 1);
}

QDateTime GetLastClassDateInProgram(qint32 programId, const QString &dayName)
{
    return classDate(programId, "EndDate", imodClasses::GetLastRunWeekday(dayName), -1);
}

int DeleteProgramCascade(qint32 programId)
{
    const QString id = QString::number(programId);
    const QString statements[] = {
        QStringLiteral("DELETE * FROM Payments WHERE BookingID IN (SELECT BookingID FROM Bookings "
                       "WHERE ClassID IN (SELECT ClassID FROM Classes WHERE ProgramID = %1));")
            .arg(id),
        QStringLiteral("DELETE * FROM Bookings WHERE ClassID IN (SELECT ClassID FROM Classes WHERE "
                       "ProgramID = %1);")
            .arg(id),
        QStringLiteral("DELETE * FROM Classes WHERE ProgramID = %1;").arg(id),
        QStringLiteral("DELETE * FROM Programs WHERE ProgramID = %1;").arg(id),
    };
    int result = 0;
    try {
        // All four or none: a program is never left half deleted.
        Global::DbTransaction transaction;
        for (const QString &sql : statements) {
            result = imodData::ExecSQL(sql, false);
            if (result != 0)
                break;
        }
        if (result == 0)
            transaction.commit();
    } catch (...) {
        const long number = core::currentError().number;
        result = number != 0 ? int(number) : -1;
    }
    for (ui::Form *f : ui::Forms::all()) {
        if (f->name() == QLatin1String("frmPrograms"))
            ui::callByName(f, QStringLiteral("Load_Program_List"));
    }
    return result;
}

int FillProgramCombo(QWidget *list, bool includeInactive)
{
    try {
        core::listClear(list);
        auto rs = irecObjectCode::OpenRecordset(
            includeInactive
                ? QStringLiteral("SELECT ProgramID, Program FROM Programs;")
                : QStringLiteral(
                      "SELECT ProgramID, Program FROM Programs WHERE Programs.Inactive = 0;"),
            false);
        for (; !rs->eof(); rs->moveNext())
            core::listAddItem(list, vb::CStr(rs->value(1)), vb::CLng(rs->value(0)));
        return 0;
    } catch (...) {
        const long number = core::currentError().number;
        return number != 0 ? int(number) : -1;
    }
}

} // namespace imodPrograms
