#include "moneyfixture.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "enrolments/imodenrolments.h"
#include "money/imodmoney.h"
#include "platform/jet/recordset.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"
#include "students/imodstudents.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/vb/error.h"

#include <QSet>
#include <thread>

using Ledger = LedgerTest;

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

TEST_F(Ledger, ChargeBookingThenOfferStudentCreditMovesTheCredit)
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
    // The charge asks nothing; the offer comes after it, as a step of its own.
    ASSERT_EQ(imodEnrolments::ChargeBooking(b, s, c, p), 1);
    EXPECT_TRUE(script->shown().isEmpty());
    script->answer(ui::vbYes);
    ASSERT_EQ(imodEnrolments::OfferStudentCredit(b, s, c, p), 1);
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

TEST_F(Ledger, AddChargeStoresEveryChargeAsAChargeRowOfTheSystem)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 b = addBooking(c, s);
    Global::CentreSettings().setSettings(int(CentreSettingIds::DefaultTaxCode),
                                         QStringLiteral("FRE"));
    struct Case
    {
        const char *what;
        const char *rowType;
        bool onBooking;
        const char *taxCode;
        QString notes;
        const char *storedTaxCode;
        const char *receivedFrom;
        int passportFee;
    } cases[] = {
        {"empty tax code takes the default", "C", true, "", QString(), "FRE", "Amy Ng", 0},
        {"given tax code kept", "C", true, "N-T", QString(), "N-T", "Amy Ng", 0},
        {"P stored as a charge", "P", true, "GST", QString(), "GST", "Amy Ng", 0},
        {"passport fee on booking 0", "C", false, "GST", QStringLiteral("Passport Fee"), "GST", "",
         1},
        {"passport fee notes on a booking", "C", true, "GST", QStringLiteral("Passport Fee"),
         "GST", "Amy Ng", 0},
        {"other notes on booking 0", "C", false, "GST", QStringLiteral("Joining Fee"), "GST", "",
         0},
        {"notes that look like SQL or HTML", "C", true, "GST",
         QStringLiteral("O'Brien's \"fee\" #3; <b>&amp;</b>"), "GST", "Amy Ng", 0},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        exec(QStringLiteral("DELETE FROM Payments"));
        ASSERT_TRUE(imodMoney::AddCharge(QString::fromLatin1(k.rowType), vb::Currency(20),
                                         vb::Currency(2), QStringLiteral("4-1000"),
                                         k.onBooking ? b : 0, s, 0,
                                         QString::fromLatin1(k.taxCode), k.notes));
        jet::Recordset rs(Global::DbConnection(), QStringLiteral("SELECT * FROM Payments"));
        ASSERT_FALSE(rs.eof());
        namespace col = imodMoney::PaymentsColumn;
        EXPECT_EQ(rs.value(col::Type).toString(), QStringLiteral("C"));
        EXPECT_EQ(rs.value(col::ReceiptNo).toString(), QStringLiteral("Charge"));
        EXPECT_EQ(rs.value(col::AuthorisedBy).toString(), QStringLiteral("Ovix"));
        EXPECT_EQ(rs.value(col::TaxCode).toString(), QString::fromLatin1(k.storedTaxCode));
        EXPECT_EQ(rs.value(col::BookingID).toInt(), k.onBooking ? b : 0);
        EXPECT_EQ(rs.value(col::SID).toInt(), s);
        EXPECT_EQ(rs.value(col::ReceivedFrom).toString(), QString::fromLatin1(k.receivedFrom));
        EXPECT_EQ(rs.value(col::Notes).toString(), k.notes);
        EXPECT_EQ(rs.value(col::PassportFee), QVariant(k.passportFee));
        EXPECT_EQ(rs.value(col::SessionNo), QVariant(0));
        EXPECT_EQ(rs.value(col::Banked), QVariant(0));
        for (int money : {col::Amount, col::DiscountAmount, col::GSTCollected, col::RevenueAmount,
                          col::DiscountGST})
            EXPECT_EQ(vb::CCur(rs.value(money)), vb::Currency()) << money;
        EXPECT_EQ(vb::CCur(rs.value(col::ChargeAmount)), vb::Currency(20));
        EXPECT_EQ(vb::CCur(rs.value(col::ChargeGST)), vb::Currency(2));
        rs.moveNext();
        EXPECT_TRUE(rs.eof());
    }
    // A passport fee charged this way shows as owing on the payment window's line.
    EXPECT_EQ(imodMoney::GetPassportFeeTotals(s), vb::Currency());
    exec(QStringLiteral("DELETE FROM Payments"));
    ASSERT_TRUE(imodMoney::AddCharge(QStringLiteral("C"), vb::Currency(15), vb::Currency(), {}, 0,
                                     s, 0, {}, QStringLiteral("Passport Fee")));
    EXPECT_EQ(imodMoney::GetPassportFeeTotals(s), vb::Currency(15));
}

TEST_F(Ledger, SetChargeAmountAddsToTheRowAndLeavesOthersAlone)
{
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const struct
    {
        vb::Currency add;
        vb::Currency left;
    } cases[] = {{vb::Currency(5), vb::Currency(25)}, {vb::Currency(-5), vb::Currency(15)}};
    for (const auto &k : cases) {
        const qint32 row = addRow({.student = s, .type = QStringLiteral("C"),
                                   .charge = vb::Currency(20)});
        const qint32 other = addRow({.student = s, .type = QStringLiteral("C"),
                                     .charge = vb::Currency(20)});
        imodMoney::SetChargeAmount(row, k.add);
        auto charge = [this](qint32 id) {
            return vb::CCur(value(
                QStringLiteral("SELECT ChargeAmount FROM Payments WHERE PaymentID = %1").arg(id)));
        };
        EXPECT_EQ(charge(row), k.left);
        EXPECT_EQ(charge(other), vb::Currency(20));
    }
    const int rows = count(QStringLiteral("SELECT * FROM Payments"));
    const QVariant sum = value(QStringLiteral("SELECT Sum(ChargeAmount) FROM Payments"));
    imodMoney::SetChargeAmount(99999, vb::Currency(5));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), rows);
    EXPECT_EQ(value(QStringLiteral("SELECT Sum(ChargeAmount) FROM Payments")), sum);

    // A failure of the engine reaches the caller, so that its transaction rolls back.
    const qint32 row = addRow({.student = s, .type = QStringLiteral("C"),
                               .charge = vb::Currency(20)});
    block(QStringLiteral("Payments"), QStringLiteral("UPDATE"));
    EXPECT_ANY_THROW(imodMoney::SetChargeAmount(row, vb::Currency(1)));
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(Ledger, DeletePaymentRowRemovesOneRowAndSaysNothingWhenItCannot)
{
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 gone = addRow({.student = s, .amount = vb::Currency(10)});
    const qint32 kept = addRow({.student = s, .amount = vb::Currency(10)});
    imodMoney::DeletePaymentRow(gone);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE PaymentID = %1").arg(gone)), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE PaymentID = %1").arg(kept)), 1);

    block(QStringLiteral("Payments"), QStringLiteral("DELETE"));
    imodMoney::DeletePaymentRow(kept);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE PaymentID = %1").arg(kept)), 1);
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(Ledger, CollectStudentCreditChargesEachCreditAtItsProgramsRates)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 credit = bookInProgram(s, p);
    const qint32 even = bookInProgram(s, p);
    const qint32 owing = bookInProgram(s, p);
    addRow({.booking = credit, .student = s, .amount = vb::Currency(30)});
    addRow({.booking = even, .student = s, .type = QStringLiteral("C"),
            .charge = vb::Currency(40)});
    addRow({.booking = even, .student = s, .amount = vb::Currency(40)});
    addRow({.booking = owing, .student = s, .type = QStringLiteral("C"),
            .charge = vb::Currency(12)});
    const int before = count(QStringLiteral("SELECT * FROM Payments"));

    ASSERT_TRUE(imodMoney::CollectStudentCredit(s));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), before + 1);
    jet::Recordset rs(Global::DbConnection(),
                      QStringLiteral("SELECT * FROM Payments WHERE ReceiptNo = 'Charge'"));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(QStringLiteral("BookingID")).toInt(), credit);
    EXPECT_EQ(vb::CCur(rs.value(QStringLiteral("ChargeAmount"))), vb::Currency(30));
    EXPECT_EQ(vb::CCur(rs.value(QStringLiteral("ChargeGST"))), vb::Currency(3));
    EXPECT_EQ(rs.value(QStringLiteral("RevenueAccount")).toString(), QStringLiteral("4-1000"));
    EXPECT_EQ(rs.value(QStringLiteral("TaxCode")).toString(), QStringLiteral("GST"));
    rs.close();

    // Nothing is left to collect.
    ASSERT_TRUE(imodMoney::CollectStudentCredit(s));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), before + 1);
}

TEST_F(Ledger, CollectStudentCreditIsAllOrNothing)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 first = bookInProgram(s, p);
    const qint32 second = bookInProgram(s, p);
    addRow({.booking = first, .student = s, .amount = vb::Currency(30)});
    addRow({.booking = second, .student = s, .amount = vb::Currency(20)});
    runSqlite(QStringLiteral("CREATE TRIGGER BlockSecond BEFORE INSERT ON Payments WHEN "
                             "NEW.BookingID = %1 BEGIN SELECT RAISE(ABORT, 'blocked'); END;")
                  .arg(second)
                  .toUtf8());
    script->answer(ui::vbOK);
    EXPECT_FALSE(imodMoney::CollectStudentCredit(s));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 2);
    EXPECT_EQ(imodStudents::GetStudentBalance(s), vb::Currency(-50));
}

TEST_F(Ledger, ACreditRowThatFailsLeavesTheEarlierBookingsAsTheyWere)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 c = addClass(p);
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 old = addBooking(c, s, QStringLiteral("Cancelled"));
    addRow({.booking = old, .student = s, .amount = vb::Currency(30)});
    const qint32 b = addBooking(c, s);
    // Only the credit row (a negative charge) fails.
    runSqlite("CREATE TRIGGER BlockCredit BEFORE INSERT ON Payments WHEN NEW.ChargeAmount < 0 "
              "BEGIN SELECT RAISE(ABORT, 'blocked'); END;");
    ASSERT_EQ(imodEnrolments::ChargeBooking(b, s, c, p), 1);
    script->answer(ui::vbYes);
    script->answer(ui::vbOK);
    EXPECT_EQ(imodEnrolments::OfferStudentCredit(b, s, c, p), 0);
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Error in Adding Charge"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE BookingID = %1").arg(old)), 1);
    EXPECT_EQ(imodStudents::GetStudentBalance(s), vb::Currency(70));
}

TEST_F(Ledger, TakeNextReceiptNoHandsOutTheStoredNumberAndRaisesIt)
{
    const struct
    {
        qint32 stored;
    } cases[] = {{41}, {32767}, {0}};
    for (const auto &k : cases) {
        SCOPED_TRACE(k.stored);
        exec(QStringLiteral("UPDATE CentreInfo SET NextReceiptNo = %1").arg(k.stored));
        EXPECT_EQ(imodMoney::TakeNextReceiptNo(), k.stored);
        EXPECT_EQ(value(QStringLiteral("SELECT NextReceiptNo FROM CentreInfo")).toInt(),
                  k.stored + 1);
    }
}

TEST_F(Ledger, TakeNextReceiptNoFailsOnANullNumberAndWritesNothing)
{
    exec(QStringLiteral("UPDATE CentreInfo SET NextReceiptNo = Null"));
    try {
        imodMoney::TakeNextReceiptNo();
        ADD_FAILURE() << "a number was handed out";
    } catch (const vb::Error &e) {
        EXPECT_EQ(e.number(), 94);
    }
    EXPECT_TRUE(value(QStringLiteral("SELECT NextReceiptNo FROM CentreInfo")).isNull());
    // The failed call left no transaction open: the next change commits.
    exec(QStringLiteral("UPDATE CentreInfo SET NextReceiptNo = 7"));
    EXPECT_EQ(imodMoney::TakeNextReceiptNo(), 7);
}

TEST_F(Ledger, TwoWorkstationsTakingReceiptNumbersAtOnceNeverShareOne)
{
    exec(QStringLiteral("UPDATE CentreInfo SET NextReceiptNo = 100"));
    const QString connect =
        QStringLiteral("Provider=MICROSOFT.JET.OLEDB.4.0;Mode=ReadWrite|Share Deny None;"
                       "Data Source=") +
        dataFile;
    constexpr int PerWorkstation = 25;
    QList<qint32> taken[2];
    QString failure[2];
    auto workstation = [&](int w) {
        try {
            jet::Connection db(connect);
            db.open();
            for (int i = 0; i < PerWorkstation; ++i)
                taken[w] << imodMoney::TakeNextReceiptNo(db);
            db.close();
        } catch (...) {
            failure[w] = core::currentError().description;
        }
    };
    std::thread a(workstation, 0);
    std::thread b(workstation, 1);
    a.join();
    b.join();
    EXPECT_EQ(failure[0], QString());
    EXPECT_EQ(failure[1], QString());
    QSet<qint32> all;
    for (const auto &list : taken)
        for (qint32 n : list)
            all.insert(n);
    EXPECT_EQ(all.size(), 2 * PerWorkstation);
    EXPECT_EQ(value(QStringLiteral("SELECT NextReceiptNo FROM CentreInfo")).toInt(),
              100 + 2 * PerWorkstation);
}
