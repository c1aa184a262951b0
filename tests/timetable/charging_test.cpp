#include "fixture/timetablefixture.h"

#include "platform/jet/recordset.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"
#include "timetable/classes.h"

#include "core/globaldata.h"

using namespace imodClasses;

namespace {

struct Charge
{
    qint32 booking;
    qint32 attendance;
    vb::Currency amount;
    vb::Currency tax;
    bool operator==(const Charge &) const = default;
};

void PrintTo(const Charge &c, std::ostream *os)
{
    *os << "{booking " << c.booking << ", attendance " << c.attendance << ", "
        << c.amount.toString().toStdString() << ", tax " << c.tax.toString().toStdString() << "}";
}

} // namespace

class ClassCharging : public TimetableTest
{
protected:
    // A class with 3 confirmed, 1 tentative, 2 waiting and 1 cancelled booking.
    qint32 makeClass(const QString &mode, const QString &day = QStringLiteral("Monday"),
                     int perSession = 0)
    {
        program = addProgram(QStringLiteral("Term 1"), mode);
        classId = addClass(program, QStringLiteral("Level 1"), day, 16, 30, vb::Currency(100), 10,
                           perSession, mode);
        const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
        for (const char *status : {"Confirmed", "Confirmed", "Confirmed", "Tentative", "Waiting",
                                   "Waiting", "Cancelled"})
            bookings << addBooking(classId, s, QString::fromLatin1(status));
        return classId;
    }

    QList<Charge> charges()
    {
        jet::Recordset rs(Global::DbConnection(),
                          QStringLiteral("SELECT BookingID, AttendanceID, ChargeAmount, ChargeGST, "
                                         "Type, ReceiptNo, RevenueAccount, TaxCode, AuthorisedBy "
                                         "FROM Payments ORDER BY PaymentID"));
        QList<Charge> list;
        for (; !rs.eof(); rs.moveNext()) {
            EXPECT_EQ(rs.value(4).toString(), QStringLiteral("C"));
            EXPECT_EQ(rs.value(5).toString(), QStringLiteral("Charge"));
            EXPECT_EQ(rs.value(6).toString(), QStringLiteral("4-1000"));
            EXPECT_EQ(rs.value(7).toString(), QStringLiteral("GST"));
            EXPECT_EQ(rs.value(8).toString(), QStringLiteral("Ovix"));
            list << Charge{rs.value(0).toInt(), rs.value(1).toInt(), vb::CCur(rs.value(2)),
                           vb::CCur(rs.value(3))};
        }
        return list;
    }

    static vb::Currency money(double v) { return vb::Currency(v); }

    qint32 program = 0;
    qint32 classId = 0;
    QList<qint32> bookings;
};

TEST_F(ClassCharging, EnrolmentChargesEachEnrolledBookingTheChange)
{
    makeClass(QStringLiteral("Enrolment"));
    ASSERT_EQ(ChargeStudentsInClass(classId, money(20), 0), 1);
    QList<Charge> expected;
    for (int i = 0; i < 4; ++i)
        expected << Charge{bookings[i], 0, money(20), money(2)};
    EXPECT_EQ(charges(), expected);

    exec(QStringLiteral("DELETE FROM Payments"));
    ASSERT_EQ(ChargeStudentsInClass(classId, money(-20), 0), 1);
    EXPECT_EQ(charges().first(), (Charge{bookings[0], 0, money(-20), money(-2)}));
}

TEST_F(ClassCharging, PerSessionEnrolmentChargesEverySessionOfTheTerm)
{
    makeClass(QStringLiteral("Enrolment"), QStringLiteral("Mon/Wed"), 1);
    ASSERT_EQ(ChargeStudentsInClass(classId, money(1.5), 1), 1);
    const QList<Charge> rows = charges();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], (Charge{bookings[0], 0, money(30), money(3)})); // 2 days x 10 weeks
}

TEST_F(ClassCharging, AttendanceChargesEachAttendedSession)
{
    makeClass(QStringLiteral("Attendance"));
    const qint32 a1 = addAttend(bookings[0], 1, QStringLiteral("Attended"));
    addAttend(bookings[0], 2, QStringLiteral("DNA"));
    const qint32 a3 = addAttend(bookings[1], 1, QStringLiteral("Attended"));
    addAttend(bookings[4], 1, QStringLiteral("Attended")); // waiting: never charged
    ASSERT_EQ(ChargeStudentsInClass(classId, money(300), 0), 1);
    EXPECT_EQ(charges(), (QList<Charge>{{bookings[0], a1, money(30), money(3)},
                                        {bookings[1], a3, money(30), money(3)}}));
}

TEST_F(ClassCharging, AttendanceOverSevenSessionsRoundsToFourDecimals)
{
    makeClass(QStringLiteral("Attendance"));
    exec(QStringLiteral("UPDATE Programs SET Sessions = 7"));
    addAttend(bookings[0], 1, QStringLiteral("Attended"));
    ASSERT_EQ(ChargeStudentsInClass(classId, money(100), 0), 1);
    EXPECT_EQ(charges().first().amount, money(14.2857));
}

TEST_F(ClassCharging, DiscountAbsenceChargesTheEnrolmentAndCreditsEachAbsence)
{
    makeClass(QStringLiteral("Enrolment (discount absence)"));
    addAttend(bookings[0], 1, QStringLiteral("Attended"));
    const qint32 absent = addAttend(bookings[0], 2, QStringLiteral("DNA"));
    ASSERT_EQ(ChargeStudentsInClass(classId, money(20), 0), 1);
    const QList<Charge> rows = charges();
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0], (Charge{bookings[0], 0, money(20), money(2)}));
    // The absence keeps one session's price off: the change of that price, 20 / 10.
    EXPECT_EQ(rows[4], (Charge{bookings[0], absent, money(-2), money(-0.2)}));
}

TEST_F(ClassCharging, PaymentPlanAndUnknownModesWriteNothing)
{
    for (const char *mode : {"Payment Plan", ""}) {
        SCOPED_TRACE(mode);
        makeClass(QString::fromLatin1(mode));
        EXPECT_EQ(ChargeStudentsInClass(classId, money(20), 0), 1);
        EXPECT_TRUE(charges().isEmpty());
    }
}

TEST_F(ClassCharging, ZeroSessionsFailsWithItsMessageAndWritesNothing)
{
    makeClass(QStringLiteral("Enrolment (discount absence)"), QStringLiteral("Other"));
    addAttend(bookings[0], 1, QStringLiteral("DNA"));
    script->answer(ui::vbOK);
    EXPECT_EQ(ChargeStudentsInClass(classId, money(20), 0), 0);
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Charge Students in Class Error"));
    EXPECT_TRUE(script->shown()[0].text.startsWith(
        QStringLiteral("An error occurred when adjusting the cost of bookings (Err#11 - ")));
    // The enrolment rows written before the division are undone with it.
    EXPECT_TRUE(charges().isEmpty());
}

TEST_F(ClassCharging, ResetSetsPricesAndChargesInOneGo)
{
    makeClass(QStringLiteral("Enrolment"));
    const qint32 empty = addClass(program, QStringLiteral("Level 2"));
    const qint32 same =
        addClass(program, QStringLiteral("Level 3"), QStringLiteral("Monday"), 9, 0, money(120));
    exec(QStringLiteral("INSERT INTO Classes (Description, ProgramID, Cost) VALUES ('No cost', %1, "
                        "Null)")
             .arg(program));
    ASSERT_EQ(ResetProgramClassPrices(program, money(120), 0), 1);
    auto cost = [this](qint32 id) {
        return value(QStringLiteral("SELECT Cost FROM Classes WHERE ClassID = %1").arg(id));
    };
    EXPECT_EQ(vb::CCur(cost(classId)), money(120));
    EXPECT_EQ(vb::CCur(cost(empty)), money(120));
    EXPECT_EQ(vb::CCur(cost(same)), money(120));
    EXPECT_TRUE(
        value(QStringLiteral("SELECT Cost FROM Classes WHERE Description = 'No cost'")).isNull());
    EXPECT_EQ(charges().size(), 4);
    EXPECT_EQ(charges().first().amount, money(20));
}

TEST_F(ClassCharging, AResetWhoseChargesFailChangesNoPrice)
{
    makeClass(QStringLiteral("Enrolment"));
    const qint32 empty = addClass(program, QStringLiteral("Level 2"));
    block(QStringLiteral("Payments"), QStringLiteral("INSERT"));
    for (int i = 0; i < 3; ++i)
        script->answer(ui::vbOK);
    EXPECT_EQ(ResetProgramClassPrices(program, money(150), 0), 0);
    QStringList titles;
    for (const auto &box : script->shown())
        titles << box.title;
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Error in Adding Charge"),
                                   QStringLiteral("Charge Students in Class Error"),
                                   QStringLiteral("Price Reset Error")}));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes WHERE Cost = 150")), 0);
    EXPECT_EQ(
        vb::CCur(value(QStringLiteral("SELECT Cost FROM Classes WHERE ClassID = %1").arg(empty))),
        money(100));
}

TEST_F(ClassCharging, PriceLookups)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 whole =
        addClass(p, QStringLiteral("A"), QStringLiteral("Monday"), 9, 0, money(150));
    const qint32 perSession =
        addClass(p, QStringLiteral("B"), QStringLiteral("Monday"), 9, 0, money(12.5), 10, 1);
    const qint32 twice =
        addClass(p, QStringLiteral("C"), QStringLiteral("Mon/Wed"), 9, 0, money(200));
    const qint32 other = addClass(p, QStringLiteral("D"), QStringLiteral("Other"), 9, 0, money(80));
    const qint32 oneOff =
        addClass(0, QStringLiteral("E"), QStringLiteral("Friday"), 9, 0, money(40));
    EXPECT_EQ(GetClassPrice(whole), money(150));
    EXPECT_EQ(GetClassPrice(perSession), money(0));
    EXPECT_EQ(GetClassPrice(9999), money(0));
    EXPECT_EQ(GetClassCost(whole, money(50)), money(100));
    EXPECT_EQ(GetClassCost(9999, money(50)), money(-50));
    EXPECT_EQ(GetClassSessionCharge(perSession), money(12.5));
    EXPECT_EQ(GetClassSessionCharge(whole), money(15)); // 150 over 10 weeks
    EXPECT_EQ(GetClassSessionCharge(twice), money(10)); // 200 over 2 days x 10 weeks
    EXPECT_EQ(GetClassSessionCharge(other), money(80)); // no run day: divided by 1
    EXPECT_EQ(GetClassSessionCharge(oneOff), money(0)); // program 0 has no row
}
