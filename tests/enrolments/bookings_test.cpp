#include "enrolments/imodenrolments.h"
#include "timetable/fixture/timetablefixture.h"

#include "platform/vb/datetime.h"

using Bookings = TimetableTest;
using namespace imodEnrolments;

TEST_F(Bookings, OwingIsChargesLessPaymentsDiscountsAndDiscountTax)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    struct Case
    {
        const char *what;
        QStringList rows; // ChargeAmount, Amount, DiscountAmount, DiscountGST
        vb::Currency owing;
    };
    const Case cases[] = {
        {"no rows", {}, vb::Currency()},
        {"charged, paid part, discounted", {"100,0,0,0", "0,60,5,0.5"}, vb::Currency(34.5)},
        {"overpaid", {"100,0,0,0", "0,120,0,0"}, vb::Currency(-20)},
    };
    for (const Case &k : cases) {
        const qint32 b = addBooking(c, s);
        for (const QString &row : k.rows)
            exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, ChargeAmount, Amount, "
                                "DiscountAmount, DiscountGST, Type) VALUES (%1, %2, %3, 'C')")
                     .arg(b)
                     .arg(s)
                     .arg(row));
        EXPECT_EQ(GetBookingOwing(b), k.owing) << k.what;
    }
}

TEST_F(Bookings, LookUpsOfAMissingBookingGiveNothing)
{
    EXPECT_EQ(GetBookingClassID(999), 0);
    EXPECT_EQ(GetBookingStudentID(999), 0);
    EXPECT_EQ(GetBookingStudentName(999), QString());
    EXPECT_EQ(GetBookingStatus(999), QString());
    EXPECT_FALSE(HasCancelDate(999));
    EXPECT_EQ(GetCancelDate(999), vb::zeroDate());
}

TEST_F(Bookings, LookUpsOfABooking)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")));
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    const qint32 b = addBooking(c, s, BookingStatus::Tentative);
    EXPECT_EQ(GetBookingClassID(b), c);
    EXPECT_EQ(GetBookingStudentID(b), s);
    EXPECT_EQ(GetBookingStudentName(b), QStringLiteral("Amy Ng"));
    EXPECT_EQ(GetBookingStatus(b), QStringLiteral("Tentative"));
    EXPECT_FALSE(HasCancelDate(b)) << "a Null CancelDate";
    EXPECT_EQ(GetCancelDate(b), vb::zeroDate());
    exec(QStringLiteral("UPDATE Bookings SET CancelDate = #2026-03-09# WHERE BookingID = %1").arg(b));
    EXPECT_TRUE(HasCancelDate(b));
    EXPECT_EQ(GetCancelDate(b), vb::makeDateTime(2026, 3, 9));
}

TEST_F(Bookings, ClassCountsTakeOnlyTheirStatusesAndClassesWithAProgram)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 c = addClass(p);
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    for (const QString &status : {BookingStatus::CatchUp, BookingStatus::Moved,
                                  BookingStatus::Cancelled, BookingStatus::NoShow})
        addBooking(c, s, status);
    EXPECT_EQ(CountBookingsInClass(s, c), 0);
    EXPECT_EQ(CountWaitListInClass(s, c), 0);
    addBooking(c, s, BookingStatus::Confirmed);
    addBooking(c, s, BookingStatus::Tentative);
    addBooking(c, s, BookingStatus::Waiting);
    addBooking(c, addStudent(QStringLiteral("Bo"), QStringLiteral("Li")));
    EXPECT_EQ(CountBookingsInClass(s, c), 2);
    EXPECT_EQ(CountWaitListInClass(s, c), 1);
    EXPECT_EQ(CountStudentBookings(s), 7) << "every status counts";

    exec(QStringLiteral("DELETE FROM Programs WHERE ProgramID = %1").arg(p));
    EXPECT_EQ(CountBookingsInClass(s, c), 0) << "a class without its program counts nothing";
    EXPECT_EQ(CountWaitListInClass(s, c), 0);
}

TEST_F(Bookings, SetBookingStatusSaysWhenTheStatementFailed)
{
    const qint32 b = addBooking(addClass(addProgram(QStringLiteral("Term 1"))),
                                addStudent(QStringLiteral("Amy"), QStringLiteral("Ng")),
                                BookingStatus::Tentative);
    EXPECT_TRUE(SetBookingStatus(b, BookingStatus::Confirmed));
    EXPECT_EQ(GetBookingStatus(b), BookingStatus::Confirmed);
    block(QStringLiteral("Bookings"), QStringLiteral("UPDATE"));
    EXPECT_FALSE(SetBookingStatus(b, BookingStatus::Cancelled));
    EXPECT_EQ(GetBookingStatus(b), BookingStatus::Confirmed);
    EXPECT_TRUE(script->shown().isEmpty()) << "no message";
}

TEST_F(Bookings, EnrolmentErrorsCarryNumberDescriptionAndSource)
{
    const struct
    {
        int number;
        const char *source, *description;
    } cases[] = {
        {614, "Ovix.frmViewClass", "The student is already enrolled in this class."},
        {615, "Ovix.frmAddBooking", "The student is already enrolled in this program."},
        {616, "Ovix.frmAddBooking",
         "The student is already enrolled in this class on the waiting list."},
        {621, "Ovix.frmMoveStudent", "The class is full"},
    };
    for (const auto &k : cases) {
        try {
            RaiseEnrolmentError(k.number, QLatin1String(k.source));
            ADD_FAILURE() << "raised nothing";
        } catch (const vb::Error &e) {
            EXPECT_EQ(e.number(), k.number);
            EXPECT_EQ(e.description(), QLatin1String(k.description));
            const auto *enrolment = dynamic_cast<const EnrolmentError *>(&e);
            ASSERT_NE(enrolment, nullptr);
            EXPECT_EQ(enrolment->source(), QLatin1String(k.source));
        }
    }
}
