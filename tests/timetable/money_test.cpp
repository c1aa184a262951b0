#include "fixture/timetablefixture.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "enrolments/imodenrolments.h"
#include "money/imodmoney.h"
#include "platform/jet/recordset.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"
#include "students/imodstudents.h"

using Ledger = TimetableTest;

TEST_F(Ledger, AddChargeWritesOneChargeRowAndSaysSo)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 b = addBooking(c, s);
    Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultTaxCode),
                                         QStringLiteral("FRE"));
    ASSERT_TRUE(imodMoney::AddCharge(QStringLiteral("P"), vb::Currency(-12.5), vb::Currency(-1.25),
                                     QStringLiteral("4-1000"), b, s, 7, QString(),
                                     QStringLiteral("Note")));
    jet::Recordset rs(Global::DbConnection(), QStringLiteral("SELECT * FROM Payments"));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(QStringLiteral("Type")).toString(), QStringLiteral("C"));
    EXPECT_EQ(rs.value(QStringLiteral("ReceiptNo")).toString(), QStringLiteral("Charge"));
    EXPECT_EQ(rs.value(QStringLiteral("ReceivedFrom")).toString(), QStringLiteral("Amy Ng"));
    EXPECT_EQ(rs.value(QStringLiteral("TaxCode")).toString(), QStringLiteral("FRE"));
    EXPECT_EQ(vb::CCur(rs.value(QStringLiteral("ChargeAmount"))), vb::Currency(-12.5));
    EXPECT_EQ(vb::CCur(rs.value(QStringLiteral("ChargeGST"))), vb::Currency(-1.25));
    EXPECT_EQ(vb::CCur(rs.value(QStringLiteral("Amount"))), vb::Currency());
    EXPECT_EQ(rs.value(QStringLiteral("AttendanceID")).toInt(), 7);
    EXPECT_EQ(rs.value(QStringLiteral("Date")).toDateTime().time(), QTime(0, 0));
    EXPECT_EQ(imodStudents::GetStudentBalance(s), vb::Currency(-12.5));

    block(QStringLiteral("Payments"), QStringLiteral("INSERT"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(imodMoney::AddCharge(QStringLiteral("C"), vb::Currency(1), vb::Currency(),
                                      QString(), b, s, 0, QString(), QString()));
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Error in Adding Charge"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 1);
}

TEST_F(Ledger, ChargeBookingOffersACreditAndMovesIt)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 c = addClass(p);
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 old = addBooking(c, s, QStringLiteral("Cancelled"));
    exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, Amount, ChargeAmount, "
                        "DiscountAmount, DiscountGST, Type) VALUES (%1, %2, 30, 0, 0, 0, 'P')")
             .arg(old)
             .arg(s));
    const qint32 b = addBooking(c, s);
    script->answer(ui::vbYes);
    ASSERT_EQ(imodEnrolments::ChargeBooking(b, s, c, p), 1);
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Use credit this term?"));
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("Amy Ng has a credit balance of $30.00. Do you want to apply this "
                             "credit to this booking?"));
    // The old booking nets to 0, the new one owes 100 - 30; the balance is unchanged.
    auto net = [this](qint32 booking) {
        return vb::CCur(value(QStringLiteral("SELECT Sum(ChargeAmount) - Sum(Amount) FROM Payments "
                                             "WHERE BookingID = %1")
                                  .arg(booking)));
    };
    EXPECT_EQ(net(old), vb::Currency());
    EXPECT_EQ(net(b), vb::Currency(70));
    EXPECT_EQ(imodStudents::GetStudentBalance(s), vb::Currency(70));
}

TEST_F(Ledger, ChargeBookingSkipsAttendanceAndPaymentPlanClasses)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    for (const char *mode : {"Attendance", "Payment Plan"}) {
        const qint32 c = addClass(p, QStringLiteral("L"), QStringLiteral("Monday"), 9, 0,
                                  vb::Currency(100), 10, 0, QString::fromLatin1(mode));
        EXPECT_EQ(imodEnrolments::ChargeBooking(addBooking(c, s), s, c, p), 1);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 0);
}
