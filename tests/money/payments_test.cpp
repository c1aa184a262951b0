#include "moneyfixture.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/sqlquote.h"
#include "enrolments/imodenrolments.h"
#include "money/imodmoney.h"
#include "money/payments.h"
#include "platform/jet/recordset.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"
#include "timetable/classes.h"

#include <QLineEdit>
#include <QVBoxLayout>

using imodMoney::PaymentLine;
using vb::Currency;

// Stands in for a class view: its ClassID in txtField(0), its reloads counted.
class ClassViewStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit ClassViewStandIn(qint32 classId)
    {
        setObjectName(QStringLiteral("frmViewClass"));
        ui::ControlArray<QLineEdit> txtField(QStringLiteral("txtField"));
        txtField.add(0, new QLineEdit(QString::number(classId), this));
    }
    Q_INVOKABLE void Load_Students() { ++reloads; }
    int reloads = 0;
};

namespace {

class Payments : public LedgerTest
{
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        auto &settings = Global::CentreSettings();
        settings.setSettings(int(CentreSettingIds::DefaultTaxCode), QStringLiteral("GST"));
        settings.setSettings(int(CentreSettingIds::DefaultAccount), QStringLiteral("4-9000"));
        settings.setSettings(int(CentreSettingIds::JoiningFee), QVariant::fromValue(Currency(50)));
        settings.setSettings(int(CentreSettingIds::JoiningFeeTaxCode), QStringLiteral("GST"));
        settings.setSettings(int(CentreSettingIds::JoiningFeeAccount), QStringLiteral("4-5000"));
        program = addProgram(QStringLiteral("Term 1"));
    }

    // An employee with a user account, its password kept as typed.
    QString addEmployee(const QString &first, const QString &last, const QString &userId,
                        const QString &password, int receivePayments)
    {
        const qint32 instructor = addInstructor(first, last);
        exec(QStringLiteral("UPDATE Instructors SET UserID = %1 WHERE InstructorID = %2")
                 .arg(Global::SqlText(userId), Global::SqlNumber(instructor)));
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], ReceivePayments) "
                            "VALUES (%1, %2, %3, %4)")
                 .arg(Global::SqlText(userId), Global::SqlText(first + QLatin1Char(' ') + last),
                      Global::SqlText(password), Global::SqlNumber(receivePayments)));
        return userId;
    }

    QString rowsOf(const imodMoney::PayerRows &payer)
    {
        QStringList lines;
        for (const auto &r : payer.rows)
            lines << QStringLiteral("%1|%2|%3|%4|%5%6")
                         .arg(r.bookingId)
                         .arg(r.name, r.program, r.caption, imodMoney::FormatBalance(r.owing),
                              r.balanceDifference ? QStringLiteral("|diff") : QString());
        return lines.join(QLatin1Char('\n'));
    }

    qint32 nextReceiptNo() { return value(QStringLiteral("SELECT NextReceiptNo FROM CentreInfo")).toInt(); }

    qint32 program = 0;
};

} // namespace

TEST_F(Payments, AmountsReadEveryFormThePaymentWindowWrites)
{
    const struct
    {
        const char *text;
        std::optional<Currency> amount;
    } cases[] = {{"12.5", Currency(12.5)},      {"-5", Currency(-5)},
                 {"$1,234.50", Currency(1234.5)}, {"-$5.00", Currency(-5)},
                 {"$1234.50", Currency(1234.5)}, {"abc", std::nullopt},
                 {"", std::nullopt}};
    for (const auto &c : cases)
        EXPECT_EQ(imodMoney::ReadAmount(QString::fromLatin1(c.text)), c.amount) << c.text;
    EXPECT_EQ(imodMoney::FormatBalance(Currency(1234.5)), QStringLiteral("$1,234.50"));
    EXPECT_EQ(imodMoney::FormatAmount(Currency(-1234.5)), QStringLiteral("-$1234.50"));
    // Half a cent goes away from zero, as amounts are formatted.
    EXPECT_EQ(imodMoney::RoundToCents(Currency::fromRaw(1234550)), Currency(123.46));
    EXPECT_EQ(imodMoney::RoundToCents(Currency::fromRaw(-1234550)), Currency(-123.46));
}

TEST_F(Payments, PickListHasTheThreeFormsAndFamilyReferences)
{
    const qint32 ann = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 tom = addStudent(QStringLiteral("Tom"), QStringLiteral("Lee"));
    setFamily(tom, ann);
    const auto texts = [](imodMoney::PayerListForm form) {
        QStringList t;
        for (const auto &[text, id] : imodMoney::PayerPickList(form))
            t << text + QLatin1Char('=') + QString::number(id);
        t.sort();
        return t;
    };
    const QString a = QString::number(ann), t = QString::number(tom);
    EXPECT_EQ(texts(imodMoney::PayerListForm::LastFirst),
              QStringList({"Lee, Ann (SID#" + a + ")=" + a, "Lee, Tom (SID#" + t + ")=" + t}));
    EXPECT_EQ(texts(imodMoney::PayerListForm::FirstLast),
              QStringList({"Ann Lee (SID#" + a + ")=" + a, "Tom Lee (SID#" + t + ")=" + t}));
    EXPECT_EQ(texts(imodMoney::PayerListForm::InvoiceRef), QStringList({"F" + a + "=" + a}));
    EXPECT_EQ(imodMoney::FamilyReferenceStudents(ann), QList<qint32>({ann, tom}));
    EXPECT_EQ(imodMoney::StudentIdOfEntry(QStringLiteral("Lee, Ann (SID#42)")), 42);
    EXPECT_EQ(imodMoney::StudentIdOfEntry(QStringLiteral("Lee, Ann")), 0);
}

TEST_F(Payments, PayerRowsOfEachKind)
{
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 paid = bookInProgram(s, program);
    addRow({.booking = paid, .student = s, .type = "C", .charge = Currency(100)});
    addRow({.booking = paid, .student = s, .amount = Currency(100)});
    const qint32 noLedger = bookInProgram(s, program);
    const qint32 waiting = addBooking(addClass(program), s, QStringLiteral("Waiting"));
    const qint32 oneOffClass = addClass(0);
    const qint32 oneOff = addBooking(oneOffClass, s);
    addRow({.booking = oneOff, .student = s, .type = "C", .charge = Currency(30)});
    const qint32 lostClass = addBooking(addClass(program), s);
    exec(QStringLiteral("UPDATE Bookings SET ClassID = 99999 WHERE BookingID = %1").arg(lostClass));
    addRow({.booking = lostClass, .student = s, .type = "C", .charge = Currency(20)});
    addRow({.booking = 88888, .student = s, .type = "C", .charge = Currency(7)});

    const QString b = QStringLiteral("|Amy Ng|");
    // Hidden zero balances: only the groups that owe something.
    EXPECT_EQ(rowsOf(imodMoney::ReadPayerRows(s, true)),
              QStringList({QString::number(oneOff) + b + "One-Off|02/02/2026 04:30 PM|$30.00",
                           QString::number(lostClass) + b + "|Deleted Class|$20.00",
                           "88888" + b + "|Deleted Booking|$7.00"})
                  .join('\n'));
    // Shown: the paid booking and the one without ledger rows at 0, not the waiting one.
    const QString all = rowsOf(imodMoney::ReadPayerRows(s, false));
    EXPECT_TRUE(all.contains(QString::number(paid) + b + "Term 1|" +
                             imodClasses::GetBookingClassCaption(paid) + "|$0.00"))
        << all.toStdString();
    EXPECT_TRUE(all.contains(QString::number(noLedger) + b + "Term 1|")) << all.toStdString();
    EXPECT_FALSE(all.contains(QString::number(waiting) + b)) << all.toStdString();
    EXPECT_EQ(imodMoney::ReadPayerRows(s, false).rows.size(), 5);
    EXPECT_EQ(imodMoney::ReadPayerRows(s, true).balance, Currency(57));
}

TEST_F(Payments, JoiningFeeAndBalanceDifferenceRows)
{
    const struct
    {
        const char *why;
        Currency feeCharge, feePaid;
        QStringList rows;
    } cases[] = {
        // The fee's group (booking 0) shows, then the fee itself.
        {"fee owing", Currency(50), Currency(20),
         {"0|Amy Ng||Deleted Booking|$30.00", "0|Amy Ng||Passport Fees|$30.00"}},
        // A fee overpaid counts twice among the rows shown: the balance left over shows.
        {"fee credit", Currency(50), Currency(60),
         {"0|Amy Ng||Deleted Booking|-$10.00", "0|Amy Ng||Passport Fees|-$10.00",
          "0|Amy Ng||Deleted Booking|$10.00|diff"}},
    };
    for (const auto &c : cases) {
        const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
        addRow({.student = s, .type = "C", .charge = c.feeCharge, .passportFee = 1});
        addRow({.student = s, .amount = c.feePaid, .passportFee = 1});
        EXPECT_EQ(rowsOf(imodMoney::ReadPayerRows(s, true)), c.rows.join('\n')) << c.why;
    }
}

TEST_F(Payments, ChecksRefuseInTheirOrderWithTheirOwnMessage)
{
    const QString pat = addEmployee(QStringLiteral("Pat"), QStringLiteral("Kerr"),
                                    QStringLiteral("PAT"), QStringLiteral("s3cret"), 1);
    const QString sam = addEmployee(QStringLiteral("Sam"), QStringLiteral("Ode"),
                                    QStringLiteral("SAM"), QStringLiteral("pw"), 0);
    const imodMoney::PaymentRequest good{2,   QStringLiteral("Cash"), QStringLiteral("$10.00"),
                                         QStringLiteral("Pat Kerr"), pat, true,
                                         QStringLiteral("s3cret")};
    const auto with = [&](auto change) {
        imodMoney::PaymentRequest r = good;
        change(r);
        return r;
    };
    using R = imodMoney::PaymentRequest;
    using imodMoney::PaymentCheck;
    const struct
    {
        const char *why;
        R request;
        QList<int> answers;
        PaymentCheck result;
        QStringList titles;
    } cases[] = {
        {"all good", good, {}, PaymentCheck::Passed, {}},
        {"header row only, nothing else chosen either",
         with([](R &r) { r.gridRows = 1, r.method = "(none)", r.employee = "(none)"; }), {},
         PaymentCheck::Refused, {"Oops!"}},
        {"no method and no employee: only the method", with([](R &r) {
             r.method = "(none)", r.employee = "(none)";
         }),
         {}, PaymentCheck::Refused, {"Oops!"}},
        {"no number", with([](R &r) { r.amountText = "ten"; }), {}, PaymentCheck::Refused,
         {"Number Invalid"}},
        {"zero confirmed", with([](R &r) { r.amountText = ""; }), {ui::vbYes},
         PaymentCheck::Passed, {"Is this right?"}},
        {"negative refused", with([](R &r) { r.amountText = "-$5.00"; }), {ui::vbNo},
         PaymentCheck::Refused, {"Is this right?"}},
        {"a refund asks nothing", with([](R &r) { r.amountText = "-$5.00", r.method = "Refund"; }),
         {}, PaymentCheck::Passed, {}},
        {"a discount asks nothing", with([](R &r) { r.amountText = "0", r.method = "Discount"; }),
         {}, PaymentCheck::Passed, {}},
        {"refund in other letters asks",
         with([](R &r) { r.amountText = "-$5.00", r.method = "refund"; }), {ui::vbYes},
         PaymentCheck::Passed, {"Is this right?"}},
        {"no employee", with([](R &r) { r.employee = "(none)", r.employeeUserId = ""; }), {},
         PaymentCheck::Refused, {"Who was it?"}},
        {"wrong password", with([](R &r) { r.password = "S3CRET"; }), {},
         PaymentCheck::WrongPassword, {"Access Denied"}},
        {"preselected user with an empty password", with([](R &r) {
             r.passwordAsked = false, r.password = "";
         }),
         {}, PaymentCheck::Passed, {}},
        {"right password, no right", with([&](R &r) {
             r.employee = "Sam Ode", r.employeeUserId = sam, r.password = "pw";
         }),
         {}, PaymentCheck::Refused, {"Access Denied"}},
        {"preselected user without the right is still refused", with([&](R &r) {
             r.employeeUserId = sam, r.passwordAsked = false;
         }),
         {}, PaymentCheck::Refused, {"Access Denied"}},
    };
    for (const auto &c : cases) {
        ui::DialogScript s;
        for (int a : c.answers)
            s.answer(a);
        for (int i = c.answers.size(); i < c.titles.size(); ++i)
            s.answer(ui::vbOK);
        Currency amount(99);
        EXPECT_EQ(imodMoney::CheckPaymentRequest(c.request, amount), c.result) << c.why;
        QStringList titles;
        for (const auto &box : s.shown())
            titles << box.title;
        EXPECT_EQ(titles, c.titles) << c.why;
        EXPECT_EQ(s.pending(), 0) << c.why;
    }
    ui::DialogScript s;
    s.answer(ui::vbOK);
    Currency amount;
    imodMoney::CheckPaymentRequest(with([](R &r) { r.gridRows = 1; }), amount);
    EXPECT_EQ(s.shown().at(0).text, QStringLiteral("There are no students in the grid to process."));
    s.answer(ui::vbOK);
    imodMoney::CheckPaymentRequest(with([&](R &r) { r.employeeUserId = sam, r.password = "pw"; }),
                                   amount);
    EXPECT_EQ(s.shown().at(1).icon, ui::vbCritical);
    EXPECT_TRUE(s.shown().at(1).text.startsWith(
        QStringLiteral("The employee does not have the appropriate permissions")));
}

TEST_F(Payments, OverpaidRowsAskAndLeaveOneAuditRowEach)
{
    addEmployee(QStringLiteral("Pat"), QStringLiteral("Kerr"), QStringLiteral("pat"),
                QString(), 1);
    using Row = imodMoney::AllocationRow;
    const struct
    {
        const char *why;
        QList<Row> rows;
        QList<int> answers;
        bool result;
        int auditRows;
    } cases[] = {
        {"10 + 45 on 50", {{7, Currency(50), Currency(10), Currency(45)}}, {ui::vbYes}, true, 1},
        {"10 + 40 on 50", {{7, Currency(50), Currency(10), Currency(40)}}, {}, true, 0},
        {"exactly owing", {{7, Currency(50), Currency(10), Currency(40)}}, {}, true, 0},
        {"a credit row paying nothing", {{7, Currency(-5), Currency(), Currency()}}, {ui::vbNo},
         false, 0},
        {"Yes twice",
         {{7, Currency(50), Currency(), Currency(60)}, {8, Currency(10), Currency(), Currency(11)}},
         {ui::vbYes, ui::vbYes}, true, 2},
        {"Yes then No: the first row stays logged",
         {{7, Currency(50), Currency(), Currency(60)}, {8, Currency(10), Currency(), Currency(11)}},
         {ui::vbYes, ui::vbNo}, false, 1},
    };
    for (const auto &c : cases) {
        exec(QStringLiteral("DELETE FROM DeleteLog"));
        ui::DialogScript s;
        for (int a : c.answers)
            s.answer(a);
        EXPECT_EQ(imodMoney::CheckAllocations(c.rows, QStringLiteral("Pat Kerr")), c.result)
            << c.why;
        EXPECT_EQ(s.shown().size(), c.answers.size()) << c.why;
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM DeleteLog")), c.auditRows) << c.why;
        for (const auto &box : s.shown()) {
            EXPECT_EQ(box.title, QStringLiteral("Overpay?"));
            EXPECT_EQ(box.defaultButton, 2);
            EXPECT_EQ(box.text,
                      QStringLiteral("The payment and discount you applied is higher than the "
                                     "amount owing on a particular student.\r\nIf you process "
                                     "this payment, the student will have a credit balance."
                                     "\r\n\r\nDo you still want to process this payment?"));
        }
    }
    EXPECT_EQ(value(QStringLiteral("SELECT Record FROM DeleteLog")).toString(),
              QStringLiteral("Payment resulting in Credit balance for BKID 7"));
    EXPECT_EQ(value(QStringLiteral("SELECT Action FROM DeleteLog")).toString(),
              QStringLiteral("Credit Balance Payment"));
    EXPECT_EQ(value(QStringLiteral("SELECT UserID FROM DeleteLog")).toString(),
              QStringLiteral("PAT"));
}

TEST_F(Payments, EmptyLinesGoWhileMoreThanOneIsLeft)
{
    const auto line = [](int pay) { return PaymentLine{1, 1, "A", Currency(), Currency(pay)}; };
    EXPECT_EQ(imodMoney::EmptyLinesToDrop({line(5), line(0), line(7)}), QList<int>({1}));
    EXPECT_EQ(imodMoney::EmptyLinesToDrop({line(0), line(0)}), QList<int>({0}));
    EXPECT_EQ(imodMoney::EmptyLinesToDrop({line(0)}), QList<int>());
    PaymentLine discounted = line(0);
    discounted.discount = Currency(3);
    EXPECT_EQ(imodMoney::EmptyLinesToDrop({discounted, line(0)}), QList<int>({1}));
}

TEST_F(Payments, PayerTextNamesEachPayerOnce)
{
    const auto names = [](QStringList list) {
        QList<PaymentLine> lines;
        for (const QString &n : list)
            lines.append({1, 1, n, Currency(), Currency()});
        return imodMoney::PayerText(lines);
    };
    EXPECT_EQ(names({"Jo Leeson", "Jo Lee"}), QStringLiteral("Jo Leeson and Jo Lee"));
    EXPECT_EQ(names({"Jo Lee", "Jo Leeson"}), QStringLiteral("Jo Lee and Jo Leeson"));
    EXPECT_EQ(names({"Anna Lee", "Anna Lee", "Tom Lee"}), QStringLiteral("Anna Lee and Tom Lee"));
}

TEST_F(Payments, EachRowCarriesItsAccountTaxCodeAndTax)
{
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 inProgram = bookInProgram(s, program);
    const qint32 oneOff = addBooking(addClass(0), s);
    const qint32 uncoded = addProgram(QStringLiteral("Holidays"));
    exec(QStringLiteral("UPDATE Programs SET TaxCode = '' WHERE ProgramID = %1").arg(uncoded));
    const qint32 noCode = bookInProgram(s, uncoded);
    const qint32 other = addProgram(QStringLiteral("Term 2"));
    exec(QStringLiteral("UPDATE Programs SET TaxCode = 'FRE', RevenueAccount = '4-2000' WHERE "
                         "ProgramID = %1")
             .arg(other));
    const qint32 taxFree = bookInProgram(s, other);
    const struct
    {
        const char *why;
        qint32 booking;
        Currency pay;
        Currency tax;
        const char *account, *taxCode;
        int passportFee;
    } cases[] = {
        {"55.00 at 10 per cent", inProgram, Currency(55), Currency(5.5), "4-1000", "GST", 0},
        {"33.33 rounded to cents", inProgram, Currency(33.33), Currency(3.33), "4-1000", "GST", 0},
        {"a negative amount", inProgram, Currency(-10), Currency(-1), "4-1000", "GST", 0},
        {"one-off class", oneOff, Currency(22), Currency(2.2), "4-9000", "GST", 0},
        {"a program without a tax code: its rate, the centre's code", noCode, Currency(40),
         Currency(), "4-1000", "GST", 0},
        {"program's own tax code", taxFree, Currency(40), Currency(), "4-2000", "FRE", 0},
        {"joining fee: the tax inside the amount paid", 0, Currency(20),
         Currency::fromRaw(18182), "4-5000", "GST", 1},
    };
    for (const auto &c : cases) {
        exec(QStringLiteral("DELETE FROM Payments"));
        imodMoney::WritePayment({{{c.booking, s, QStringLiteral("Amy Ng"), Currency(), c.pay}},
                                 QStringLiteral("Cash"),
                                 QStringLiteral("Pat Kerr"),
                                 QString(),
                                 QStringLiteral("Auto#")});
        jet::Recordset rs(Global::DbConnection(), QStringLiteral("SELECT * FROM Payments"));
        ASSERT_FALSE(rs.eof()) << c.why;
        EXPECT_EQ(vb::CCur(rs.value("GSTCollected")), c.tax) << c.why;
        EXPECT_EQ(vb::CCur(rs.value("RevenueAmount")), c.pay - c.tax) << c.why;
        EXPECT_EQ(rs.value("RevenueAccount").toString(), QLatin1String(c.account)) << c.why;
        EXPECT_EQ(rs.value("TaxCode").toString(), QLatin1String(c.taxCode)) << c.why;
        EXPECT_EQ(rs.value("PassportFee").toInt(), c.passportFee) << c.why;
    }
}

TEST_F(Payments, APaymentWritesOneRowPerLineUnderOneReceipt)
{
    exec(QStringLiteral("INSERT INTO BankLink (PaymentType, Account) VALUES ('Cash', '1-1100')"));
    exec(QStringLiteral("UPDATE CentreInfo SET NextReceiptNo = 41"));
    const qint32 anna = addStudent(QStringLiteral("Anna"), QStringLiteral("Lee"));
    const qint32 tom = addStudent(QStringLiteral("Tom"), QStringLiteral("Lee"));
    const qint32 b1 = bookInProgram(anna, program);
    const qint32 b2 = bookInProgram(tom, program);
    const QString notes = QStringLiteral("O'Neil; paid #3 <b>&</b> \"cash\"");
    const imodMoney::WrittenPayment written = imodMoney::WritePayment(
        {{{b1, anna, QStringLiteral("Anna Lee"), Currency(5), Currency(55)},
          {0, tom, QStringLiteral("Tom Lee"), Currency(), Currency(20)},
          {b2, tom, QStringLiteral("Tom Lee"), Currency(), Currency(22)}},
         QStringLiteral("Cash"),
         QStringLiteral("Pat Kerr"),
         notes,
         QStringLiteral("Auto#")});
    EXPECT_EQ(written.receiptNo, QStringLiteral("41"));
    EXPECT_EQ(nextReceiptNo(), 42);
    EXPECT_EQ(written.payer, QStringLiteral("Anna Lee and Tom Lee"));
    EXPECT_EQ(written.classes, QStringLiteral("Learn to Swim and  and Learn to Swim and "));
    EXPECT_EQ(written.tax, Currency(5.5) + Currency::fromRaw(18182) + Currency(2.2));
    EXPECT_EQ(written.lastBookingId, b2);
    EXPECT_EQ(written.time.time().msec(), 0);

    jet::Recordset rs(Global::DbConnection(),
                      QStringLiteral("SELECT * FROM Payments ORDER BY PaymentID"));
    QStringList got;
    for (; !rs.eof(); rs.moveNext()) {
        EXPECT_EQ(rs.value("Time").toDateTime(), written.time);
        EXPECT_EQ(rs.value("Notes").toString(), notes);
        EXPECT_EQ(rs.value("Type").toString(), QStringLiteral("P"));
        EXPECT_EQ(rs.value("Method").toString(), QStringLiteral("Cash"));
        EXPECT_EQ(rs.value("AuthorisedBy").toString(), QStringLiteral("Pat Kerr"));
        EXPECT_EQ(rs.value("DepositAccount").toString(), QStringLiteral("1-1100"));
        EXPECT_EQ(rs.value("Date").toDateTime().date(), QDate::currentDate());
        for (const char *zero : {"DiscountGST", "ChargeAmount", "ChargeGST"})
            EXPECT_EQ(vb::CCur(rs.value(zero)), Currency()) << zero;
        for (const char *zero : {"Banked", "SessionNo", "AttendanceID"})
            EXPECT_EQ(rs.value(zero).toInt(), 0) << zero;
        got << QStringLiteral("%1|%2|%3|%4|%5|%6")
                   .arg(rs.value("BookingID").toInt())
                   .arg(rs.value("SID").toInt())
                   .arg(rs.value("ReceivedFrom").toString(), rs.value("ReceiptNo").toString(),
                        vb::CCur(rs.value("Amount")).toString(),
                        vb::CCur(rs.value("DiscountAmount")).toString());
    }
    EXPECT_EQ(got, QStringList({QStringLiteral("%1|%2|Anna Lee|41|55|5").arg(b1).arg(anna),
                                QStringLiteral("0|%1|Tom Lee|41|20|0").arg(tom),
                                QStringLiteral("%1|%2|Tom Lee|41|22|0").arg(b2).arg(tom)}));
}

TEST_F(Payments, TheReceiptNumberIsTypedOrTaken)
{
    exec(QStringLiteral("UPDATE CentreInfo SET NextReceiptNo = 70000"));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const struct
    {
        const char *box;
        const char *receipt;
        int next;
    } cases[] = {{"A-17", "A-17", 70000},
                 {"Auto#", "70000", 70001},
                 {"", "70001", 70002},
                 {"7'; DROP TABLE Payments; --#<i>", "7'; DROP TABLE Payments; --#<i>", 70002}};
    for (const auto &c : cases) {
        const auto w = imodMoney::WritePayment({{{0, s, QStringLiteral("Amy Ng"), Currency(), Currency(1)}},
                                                QStringLiteral("Cash"), QStringLiteral("Pat Kerr"),
                                                QString(), QString::fromLatin1(c.box)});
        EXPECT_EQ(w.receiptNo, QLatin1String(c.receipt));
        EXPECT_EQ(value(QStringLiteral("SELECT ReceiptNo FROM Payments WHERE PaymentID = (SELECT "
                                       "Max(PaymentID) FROM Payments)"))
                      .toString(),
                  QLatin1String(c.receipt));
        EXPECT_EQ(nextReceiptNo(), c.next) << c.box;
    }
}

TEST_F(Payments, AFailureHalfWayLeavesNoRowAndTheReceiptCounterAsItWas)
{
    exec(QStringLiteral("UPDATE CentreInfo SET NextReceiptNo = 500"));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    runSqlite("CREATE TRIGGER FailSecond BEFORE INSERT ON Payments WHEN (SELECT Count(*) FROM "
              "Payments) >= 1 BEGIN SELECT RAISE(ABORT, 'blocked'); END;");
    EXPECT_ANY_THROW(imodMoney::WritePayment(
        {{{0, s, QStringLiteral("Amy Ng"), Currency(), Currency(1)},
          {0, s, QStringLiteral("Amy Ng"), Currency(), Currency(2)}},
         QStringLiteral("Cash"), QStringLiteral("Pat Kerr"), QString(), QStringLiteral("Auto#")}));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 0);
    EXPECT_EQ(nextReceiptNo(), 500);
}

TEST_F(Payments, TheLastRowsTentativeBookingIsOfferedAndItsClassViewsReloaded)
{
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 c = addClass(program);
    const qint32 other = addClass(program);
    auto *view1 = new ClassViewStandIn(c);
    auto *view2 = new ClassViewStandIn(c);
    auto *elsewhere = new ClassViewStandIn(other);
    for (auto *v : {view1, view2, elsewhere})
        v->load();
    for (int answer : {ui::vbNo, ui::vbYes}) {
        const qint32 b = addBooking(c, s, QStringLiteral("Tentative"));
        script->answer(answer);
        imodMoney::OfferToConfirmBooking(b);
        EXPECT_EQ(script->shown().last().title, QStringLiteral("Change Status?"));
        EXPECT_EQ(imodEnrolments::GetBookingStatus(b),
                  answer == ui::vbYes ? QStringLiteral("Confirmed") : QStringLiteral("Tentative"));
        imodMoney::ReloadClassViews(b);
    }
    const int shown = script->shown().size();
    imodMoney::OfferToConfirmBooking(0);
    imodMoney::OfferToConfirmBooking(addBooking(c, s, QStringLiteral("Confirmed")));
    imodMoney::ReloadClassViews(0);
    EXPECT_EQ(script->shown().size(), shown);
    EXPECT_EQ(view1->reloads, 2);
    EXPECT_EQ(view2->reloads, 2);
    EXPECT_EQ(elsewhere->reloads, 0);
}

TEST_F(Payments, ReceiptLabelsOfTwoBookingRows)
{
    imodMoney::WrittenPayment w;
    w.receiptNo = QStringLiteral("41");
    w.payer = QStringLiteral("Anna Lee and Tom Lee");
    w.classes = QStringLiteral("Learn to Swim and Squad and ");
    w.tax = imodMoney::BookingRowTax(Currency(55), 0.1) + imodMoney::BookingRowTax(Currency(22), 0.1);
    const auto labels = imodMoney::ReceiptLabels(w, QStringLiteral("Cash"), QStringLiteral("Pat Kerr"),
                                                 Currency(77), QStringLiteral("$3.00"),
                                                 QDate(2026, 3, 9));
    QStringList got;
    for (const auto &[name, text] : labels)
        got << name + QLatin1Char('=') + text;
    EXPECT_EQ(got, QStringList({"lblHeading=Cash",
                                "txtReceivedFrom=Anna Lee and Tom Lee",
                                "lblFor=For Learn to Swim and Squad Classes",
                                "lblDate=09/03/2026",
                                "lblReceiptNo=Receipt #41",
                                "lblAmount=Amount Paid $77.00",
                                "lblOfficeDate=09/03/2026",
                                "lblOfficeFor=For Learn to Swim and Squad Classes",
                                "lblOfficeAmount=Amount Paid $77.00",
                                "lblOfficeReceiptNo=Receipt #41",
                                "lblMethod=Cash",
                                "lblGST=This payment includes $7.70 in tax",
                                "lblGST2=This payment includes $7.70 in tax",
                                "txtStaffName=Pat Kerr",
                                "lblBalance=Balance Still Outstanding: $3.00"}));
}

#include "payments_test.moc"
