// Charging a class's students when its price changes, and the price look-ups of
// a class. Re-charging never rewrites a ledger row: it adds rows for the difference.
#include "classes.h"

#include "core/daypatterns.h"
#include "core/dbtransaction.h"
#include "core/errorinfo.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "money/imodmoney.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogs.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"
#include "programs.h"

namespace imodClasses {

namespace {

// A charge row that AddCharge could not write (it has said why): the change it
// belongs to is undone.
[[noreturn]] void chargeNotWritten()
{
    throw vb::Error(
        vb::err::ApplicationDefined,
        QStringLiteral("A charge could not be written to the ledger; nothing was charged"));
}

QString enrolledBookings(qint32 classId)
{
    return QStringLiteral("SELECT Bookings.* FROM Bookings WHERE ClassID=%1 AND "
                          "(Status='Confirmed' OR Status='Tentative');")
        .arg(classId);
}

vb::Currency tax(vb::Currency amount, double rate)
{
    return amount * vb::Currency(rate);
}

void showError(const QString &text, const QString &title)
{
    const core::ErrorInfo e = core::currentError();
    ui::Dialogs::msgBox(text.arg(e.number).arg(e.description), ui::vbExclamation, title);
}

} // namespace

int GetClassSessionCount(qint32 classId)
{
    return imodGlobalSubs::CountRunDays(GetClassDay(classId)) *
           imodPrograms::GetProgramNumSessions(GetClassProgramId(classId));
}

vb::Currency GetClassPrice(qint32 classId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT [Cost], AttendChargeOn, ChargePerSession FROM Classes WHERE "
                       "ClassID=%1;")
            .arg(classId));
    if (rs->eof())
        return {};
    if (vb::CDbl(vb::Nz(rs->value(2), 0)) != 0)
        return {};
    return vb::CCur(rs->value(0));
}

vb::Currency GetClassCost(qint32 classId, vb::Currency amount)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT ClassID, [Cost] FROM Classes WHERE ClassID=%1;").arg(classId));
    return (rs->eof() ? vb::Currency() : vb::CCur(rs->value(1))) - amount;
}

vb::Currency GetClassSessionCharge(qint32 classId)
{
    try {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT c.AttendChargeOn, c.ChargePerSession, c.Cost, p.Sessions, "
                           "c.[Day] FROM Classes AS c INNER JOIN Programs AS p ON c.ProgramID = "
                           "p.ProgramID WHERE ClassID = %1;")
                .arg(classId));
        if (rs->eof())
            return {};
        const vb::Currency cost = vb::CCur(vb::Nz(rs->value(2), 0));
        if (vb::CDbl(vb::Nz(rs->value(1), 0)) != 0)
            return cost;
        // One session's price: the program's price over every session the class meets.
        int sessions = imodGlobalSubs::CountRunDays(vb::CStr(vb::Nz(rs->value(4)))) *
                       vb::CLng(vb::Nz(rs->value(3), 0));
        if (sessions == 0)
            sessions = 1;
        return cost / vb::Currency(sessions);
    } catch (...) {
        return {};
    }
}

int ChargeBookingAttendance(qint32 bookingId, qint32 classId, vb::Currency amount,
                            const QString &status, bool withStatus, double taxRate,
                            const QString &revenueAccount, qint32 studentId, const QString &taxCode)
{
    Q_UNUSED(classId);
    const QString sql =
        withStatus
            ? QStringLiteral("SELECT Attend.* FROM Attend WHERE ((BKID = %1) AND ([Status] = %2));")
            : QStringLiteral(
                  "SELECT Attend.* FROM Attend WHERE ((BKID = %1) AND (NOT ([Status] = %2)));");
    auto rs = irecObjectCode::OpenRecordset(sql.arg(bookingId).arg(Global::SqlText(status)));
    int count = 0;
    for (; !rs->eof(); rs->moveNext()) {
        if (!imodMoney::AddCharge(QStringLiteral("C"), amount, tax(amount, taxRate), revenueAccount,
                                  bookingId, studentId, vb::CLng(rs->value(0)), taxCode, QString()))
            chargeNotWritten();
        ++count;
    }
    return count;
}

int ChargeStudentsInClass(qint32 classId, vb::Currency amount, int perSession)
{
    try {
        const qint32 programId = GetClassProgramId(classId);
        const double rate = imodPrograms::GetProgramGstRate(programId);
        const QString account = imodPrograms::GetProgramRevenueAccount(programId);
        const QString taxCode = imodPrograms::GetProgramTaxCode(programId);
        const QString mode = GetClassChargeMode(classId).toLower();
        const int sessions = GetClassSessionCount(classId);

        auto dividedBySessions = [sessions](vb::Currency value) {
            if (sessions == 0)
                throw vb::Error(vb::err::DivisionByZero);
            return value / vb::Currency(sessions);
        };
        // One charge row of the whole-enrolment change for each enrolled booking.
        auto chargeEnrolments = [&](vb::Currency charge) {
            auto rs = irecObjectCode::OpenRecordset(enrolledBookings(classId));
            for (; !rs->eof(); rs->moveNext()) {
                if (!imodMoney::AddCharge(QStringLiteral("C"), charge, tax(charge, rate), account,
                                          vb::CLng(rs->value(QStringLiteral("BookingID"))),
                                          vb::CLng(rs->value(QStringLiteral("StudentID"))), 0,
                                          taxCode, QString()))
                    chargeNotWritten();
            }
        };
        auto chargeSessions = [&](vb::Currency charge, bool attended) {
            auto rs = irecObjectCode::OpenRecordset(enrolledBookings(classId));
            for (; !rs->eof(); rs->moveNext())
                ChargeBookingAttendance(vb::CLng(rs->value(QStringLiteral("BookingID"))), classId,
                                        charge, QStringLiteral("Attended"), attended, rate, account,
                                        vb::CLng(rs->value(QStringLiteral("StudentID"))), taxCode);
        };

        Global::DbTransaction transaction;
        const vb::Currency enrolmentCharge =
            perSession == 1 ? amount * vb::Currency(sessions) : amount;
        if (mode == QLatin1String("enrolment")) {
            chargeEnrolments(enrolmentCharge);
        } else if (mode == QLatin1String("attendance")) {
            chargeSessions(perSession != 0 ? amount : dividedBySessions(amount), true);
        } else if (mode == QLatin1String("enrolment (discount absence)")) {
            chargeEnrolments(enrolmentCharge);
            // Every absence already credited keeps the price of one session off the
            // enrolment: it is credited the change of that price as well.
            chargeSessions(-dividedBySessions(enrolmentCharge), false);
        }
        transaction.commit();
        return 1;
    } catch (...) {
        showError(
            QStringLiteral("An error occurred when adjusting the cost of bookings (Err#%1 - %2)"),
            QStringLiteral("Charge Students in Class Error"));
        return 0;
    }
}

int ResetProgramClassPrices(qint32 programId, vb::Currency newCost, int perSession)
{
    try {
        Global::DbTransaction transaction;
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral(
                "SELECT ClassID, [Cost] FROM Classes WHERE ProgramID=%1 AND (Cost <> %2);")
                .arg(programId)
                .arg(Global::SqlNumber(newCost)));
        for (; !rs->eof(); rs->moveNext()) {
            const qint32 classId = vb::CLng(rs->value(0));
            if (GetClassEnrolledCount(classId) >= 1 &&
                ChargeStudentsInClass(classId, newCost - vb::CCur(rs->value(1)), perSession) != 1)
                throw vb::Error(vb::err::ApplicationDefined,
                                QStringLiteral("The students of a class could not be charged; no "
                                               "price was changed"));
            rs->setValue(1, QVariant::fromValue(newCost));
            rs->update();
        }
        transaction.commit();
        return 1;
    } catch (...) {
        showError(
            QStringLiteral("An error occurred when resetting the price of classes (Err#%1 - %2)"),
            QStringLiteral("Price Reset Error"));
        return 0;
    }
}

} // namespace imodClasses
