#include "duework.h"

#include "access/authorisation.h"
#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalsettings.h"
#include "platform/jet/recordset.h"
#include "core/sqlquote.h"
#include "enrolments/recurring/register.h"
#include "money/imodmoney.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"

void DueWorkTest::SetUp()
{
    TimetableTest::SetUp();
    Global::DateFormat = QStringLiteral("dd/mm/yyyy");
    Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultTaxCode),
                                         QStringLiteral("FRE"));
    addIncomeAccount();
    program = addProgram(QStringLiteral("Summer"));
    classId = addClass(program);
    student = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    enrolments::RegisterRecurringWindows();
}

void DueWorkTest::TearDown()
{
    TimetableTest::TearDown();
    for (const char *name : {"frmCancelDialog", "frmRecurring", "frmPayPlan"})
        ui::RegisterWindow(QString::fromLatin1(name), {});
    useraccess::UnregisterAuthorisedOperation(QStringLiteral("Cancel Booking"));
}

void DueWorkTest::charge(qint32 bookingId, vb::Currency amount)
{
    ASSERT_TRUE(imodMoney::AddCharge(QStringLiteral("C"), amount, amount / vb::Currency(10),
                                     QStringLiteral("4-1000"), bookingId,
                                     vb::CLng(value(QStringLiteral("SELECT StudentID FROM Bookings "
                                                                   "WHERE BookingID = %1")
                                                        .arg(bookingId))),
                                     0, QStringLiteral("GST"), QString()));
}

QStringList DueWorkTest::ledger(qint32 bookingId)
{
    QStringList rows;
    jet::Recordset rs(Global::DbConnection(),
                      QStringLiteral("SELECT ReceiptNo, ChargeAmount, ChargeGST FROM Payments "
                                     "WHERE BookingID = %1 ORDER BY PaymentID")
                          .arg(bookingId));
    for (; !rs.eof(); rs.moveNext())
        rows << QStringLiteral("%1 %2/%3")
                    .arg(vb::CStr(vb::Nz(rs.value(0))), vb::CCur(vb::Nz(rs.value(1), 0)).toString(),
                         vb::CCur(vb::Nz(rs.value(2), 0)).toString());
    return rows;
}

qint32 DueWorkTest::addPlanRow(qint32 programId, const QDate &date, vb::Currency amount, int run)
{
    exec(QStringLiteral("INSERT INTO ChargeDate (ProgramID, [Date], Amount, Run) VALUES (%1, %2, "
                        "%3, %4)")
             .arg(programId)
             .arg(Global::SqlDate(date), Global::SqlNumber(amount))
             .arg(run));
    return value(QStringLiteral("SELECT Max(ChargeDateID) FROM ChargeDate")).toInt();
}

QString DueWorkTest::status(qint32 bookingId)
{
    return value(QStringLiteral("SELECT Status FROM Bookings WHERE BookingID = %1").arg(bookingId))
        .toString();
}

QStringList DueWorkTest::boxes() const
{
    QStringList out;
    for (const ui::ShownDialog &box : script->shown())
        out << box.title + QLatin1Char('|') + box.text;
    return out;
}
