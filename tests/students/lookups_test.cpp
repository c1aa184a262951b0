#include "core/centresettings.h"
#include "core/sqlquote.h"
#include "enrolments/imodenrolments.h"
#include "platform/ui/simplecombo.h"
#include "students/imodstudents.h"
#include "timetable/fixture/timetablefixture.h"

#include <QComboBox>

using namespace imodStudents;

namespace {

class StudentLookups : public TimetableTest
{
protected:
    void charge(qint32 student, qint32 booking, const QString &type, vb::Currency charged,
                vb::Currency paid, vb::Currency discount = {}, vb::Currency discountTax = {})
    {
        exec(QStringLiteral("INSERT INTO Payments (BookingID, SID, Type, ChargeAmount, Amount, "
                            "DiscountAmount, DiscountGST, [Date]) VALUES (%1, %2, %3, %4, %5, %6, "
                            "%7, #2026-02-02#)")
                 .arg(booking)
                 .arg(student)
                 .arg(Global::SqlText(type), Global::SqlNumber(charged), Global::SqlNumber(paid),
                      Global::SqlNumber(discount), Global::SqlNumber(discountTax)));
    }
};

} // namespace

TEST_F(StudentLookups, NamesAndPickListTextsRoundTrip)
{
    const qint32 john = addStudent(QStringLiteral("John"), QStringLiteral("Smith"));
    const qint32 quoted = addStudent(QStringLiteral("Mary \"M\""), QStringLiteral("O'Brien"));
    EXPECT_EQ(GetStudentName(john), QStringLiteral("John Smith"));
    EXPECT_EQ(GetStudentName(999), QString());
    EXPECT_EQ(GetStudentListName(john), QStringLiteral("Smith, John (SID#%1)").arg(john));
    EXPECT_EQ(GetStudentListName(999), QString());

    const QString pick = GetStudentListName(john);
    struct Case
    {
        QString text;
        qint32 expected;
    };
    const Case cases[] = {
        {pick, john},
        {pick.toLower(), john},                                 // another case
        {QStringLiteral("Smith,  John (SID#%1)").arg(john), 0}, // an extra blank
        {QStringLiteral("Smith, John (SID#%1)").arg(quoted), 0}, // another person's number
        {QStringLiteral("Smith, John"), 0},                     // no number
        {GetStudentListName(quoted), quoted},                   // quotes in the name
    };
    for (const Case &c : cases)
        EXPECT_EQ(GetStudentIDFromListText(c.text), c.expected) << c.text.toStdString();

    exec(QStringLiteral("UPDATE Students SET [First Name] = 'Jack' WHERE StudentID = %1").arg(john));
    EXPECT_EQ(GetStudentIDFromListText(pick), 0) << "renamed since the list was filled";

    const qint32 spaced = addStudent(QStringLiteral("Ann "), QStringLiteral("de la Cruz"));
    const qint32 twin = addStudent(QStringLiteral("Mary \"M\""), QStringLiteral("O'Brien"));
    const Case names[] = {
        {QStringLiteral("mary \"m\" o'brien"), quoted}, // the first of two of one name
        {QStringLiteral("Ann  de la Cruz"), spaced},      // the first name's own blank
        {QStringLiteral("Ann de la Cruz"), 0},
        {QStringLiteral("Nobody Here"), 0},
        {QStringLiteral("Nobody"), 0},
    };
    for (const Case &c : names)
        EXPECT_EQ(GetStudentIDByName(c.text), c.expected) << c.text.toStdString();
    exec(QStringLiteral("DELETE FROM Students WHERE StudentID = %1").arg(quoted));
    EXPECT_EQ(GetStudentIDByName(QStringLiteral("Mary \"M\" O'Brien")), twin);
    exec(QStringLiteral("UPDATE Students SET [First Name] = Null WHERE StudentID = %1").arg(john));
    EXPECT_EQ(GetStudentIDByName(QStringLiteral(" Smith")), 0) << "a Null part never matches";
}

TEST_F(StudentLookups, FamilyPassportNotesAndBarcodes)
{
    const qint32 family = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const qint32 child = addStudent(QStringLiteral("Tom"), QStringLiteral("Lee"));
    exec(QStringLiteral("UPDATE Students SET Family = %1, [Parents Name] = 'Ann Lee', Barcode = "
                        "'AB\"1''2' WHERE StudentID = %2")
             .arg(family)
             .arg(child));
    EXPECT_EQ(GetFamilyID(child), family);
    EXPECT_EQ(GetFamilyID(999), 0);
    EXPECT_EQ(GetAccountHolderID(child), family);
    EXPECT_EQ(GetAccountHolderID(family), family);
    EXPECT_EQ(GetFamilyContactName(family), QStringLiteral("Lee, Ann (ID#%1)").arg(family));
    EXPECT_EQ(GetFamilyContactName(0), QStringLiteral("(individual)"));
    EXPECT_EQ(GetParentsName(child), QStringLiteral("Ann Lee"));
    EXPECT_EQ(GetStudentIDByBarcode(QStringLiteral("AB\"1'2")), child);
    EXPECT_EQ(GetStudentIDByBarcode(QStringLiteral("XX")), 0);

    struct Passport
    {
        QString issued;
        QString code;
    };
    for (const Passport &p : {Passport{"1", "In"}, Passport{"2", "Out"}, Passport{"0", "None"},
                              Passport{"3", "None"}}) {
        exec(QStringLiteral("UPDATE Students SET Issued = %1 WHERE StudentID = %2")
                 .arg(p.issued)
                 .arg(child));
        EXPECT_EQ(GetPassportCode(child), p.code) << p.issued.toStdString();
    }
    EXPECT_THROW(GetPassportCode(999), std::exception) << "a missing person reaches the caller";

    struct Notes
    {
        QString sql;
        bool has;
    };
    for (const Notes &n : {Notes{"Null", false}, Notes{"''", false}, Notes{"' '", true},
                           Notes{"'Asthma'", true}}) {
        exec(QStringLiteral("UPDATE Students SET Notes = %1 WHERE StudentID = %2")
                 .arg(n.sql)
                 .arg(child));
        EXPECT_EQ(HasStudentNotes(child), n.has) << n.sql.toStdString();
    }
    EXPECT_EQ(GetStudentNotes(child), QStringLiteral("Asthma"));
}

TEST_F(StudentLookups, BalanceOverdueAndBookingOwing)
{
    addIncomeAccount();
    const qint32 student = addStudent(QStringLiteral("Kim"), QStringLiteral("Ng"));
    EXPECT_EQ(GetStudentBalance(student), vb::Currency(0));
    EXPECT_EQ(GetOverdueAmount(student), vb::Currency(0));

    const qint32 past1 = addProgram(QStringLiteral("Term 1"));
    const qint32 past2 = addProgram(QStringLiteral("Term 2"));
    const qint32 future = addProgram(QStringLiteral("Term 9"));
    exec(QStringLiteral("UPDATE Programs SET AmountOverdue = #2099-01-01# WHERE ProgramID = %1")
             .arg(future));
    const qint32 b1 = addBooking(addClass(past1), student);
    const qint32 b2 = addBooking(addClass(past2), student);
    const qint32 b3 = addBooking(addClass(future), student);
    charge(student, b1, QStringLiteral("C"), vb::Currency(100), {});
    charge(student, b1, QStringLiteral("P"), {}, vb::Currency(60), vb::Currency(10),
           vb::Currency(1));
    charge(student, b2, QStringLiteral("C"), vb::Currency(50), {});
    charge(student, b3, QStringLiteral("C"), vb::Currency(70), {});

    EXPECT_EQ(imodEnrolments::GetBookingOwing(b1), vb::Currency(29));
    EXPECT_EQ(imodEnrolments::GetBookingOwing(999), vb::Currency(0));
    EXPECT_EQ(GetStudentBalance(student), vb::Currency(149));
    EXPECT_EQ(GetOverdueAmount(student), vb::Currency(79)) << "two overdue programs, not the third";
}

TEST_F(StudentLookups, BookingCounts)
{
    const qint32 program = addProgram(QStringLiteral("Term 1"));
    const qint32 other = addProgram(QStringLiteral("Term 2"));
    const qint32 student = addStudent(QStringLiteral("Sam"), QStringLiteral("Wu"));
    addBooking(addClass(program), student);
    EXPECT_EQ(CountBookingsInProgram(student, program), 1) << "a first booking counts";
    EXPECT_EQ(CountBookingsInProgram(student, other), 0);
    addBooking(addClass(program), student, QStringLiteral("Tentative"));
    addBooking(addClass(program), student, QStringLiteral("Waiting"));
    addBooking(addClass(other), student, QStringLiteral("No Show"));
    addBooking(addClass(other), student, QStringLiteral("No Show"));
    EXPECT_EQ(CountBookingsInProgram(student, program), 2);
    EXPECT_EQ(CountNoShows(student), 2);
    EXPECT_EQ(imodEnrolments::CountStudentBookings(student), 5);
    EXPECT_EQ(GetProgramHistory(student), QStringLiteral("Term 1"));
    exec(QStringLiteral("UPDATE Classes SET EndDate = #2030-01-01# WHERE ProgramID = %1").arg(other));
    EXPECT_EQ(GetProgramHistory(student), QStringLiteral("Term 2"));
    EXPECT_EQ(GetProgramHistory(999), QString());
    const qint32 booking = addBooking(addClass(program), student);
    EXPECT_EQ(GetStudentIDFromBooking(booking), student);
    EXPECT_EQ(GetStudentIDFromBooking(999), 0);
}

TEST(StudentAges, AgeTextsAndYears)
{
    struct Case
    {
        QDate born;
        QDate today;
        QString text;
    };
    const Case cases[] = {
        {{2023, 1, 15}, {2025, 12, 20}, QStringLiteral("35m")},     // 2 years 11 months
        {{2022, 3, 10}, {2025, 10, 1}, QStringLiteral("3\u00bd")},  // 3 years 7 months
        {{2022, 3, 10}, {2025, 9, 30}, QStringLiteral("3")},        // 3 years 6 months
        {{2008, 1, 5}, {2025, 10, 20}, QStringLiteral("17\u00bd")}, // 17 years 9 months
        {{2007, 10, 20}, {2025, 10, 20}, QStringLiteral("18")},
        {{2025, 1, 31}, {2025, 2, 1}, QStringLiteral("1m")},
        {{2026, 5, 1}, {2025, 2, 1}, QStringLiteral("-15m")}, // born in the future
    };
    for (const Case &c : cases)
        EXPECT_EQ(GetAgeText(c.born, c.today), c.text) << c.born.toString().toStdString();

    EXPECT_EQ(GetAgeYears({2015, 6, 10}, {2025, 6, 9}), 9);
    EXPECT_EQ(GetAgeYears({2015, 6, 10}, {2025, 6, 10}), 10);
    EXPECT_EQ(GetAgeYears({2016, 2, 29}, {2025, 2, 28}), 8) << "29 February falls on 1 March";
    EXPECT_EQ(GetAgeYears({2016, 2, 29}, {2025, 3, 1}), 9);
    EXPECT_EQ(GetAgeYears({2016, 2, 29}, {2024, 2, 29}), 8);
}

TEST(StudentDates, TypedDatesFollowTheDateFormat)
{
    const QString saved = Global::DateFormat;
    Global::DateFormat = QStringLiteral("dd/mm/yyyy");
    EXPECT_EQ(ParseDateText(QStringLiteral("03/04/2010")), QDate(2010, 4, 3));
    EXPECT_EQ(ParseDateText(QStringLiteral("3/4/2010")), QDate(2010, 4, 3));
    EXPECT_FALSE(ParseDateText(QStringLiteral("31/02/2010")).isValid());
    EXPECT_FALSE(ParseDateText(QStringLiteral("soon")).isValid());
    Global::DateFormat = QStringLiteral("mm/dd/yyyy");
    EXPECT_EQ(ParseDateText(QStringLiteral("03/04/2010")), QDate(2010, 3, 4));
    Global::DateFormat = QStringLiteral("dd-mmm-yyyy");
    EXPECT_EQ(ParseDateText(QStringLiteral("03-Apr-2010")), QDate(2010, 4, 3));
    Global::DateFormat = saved;
}

TEST_F(StudentLookups, PersonListsCarryTheirItemData)
{
    const qint32 pupil = addStudent(QStringLiteral("Zed"), QStringLiteral("Able"));
    const qint32 instructor = addInstructor(QStringLiteral("Ivy"), QStringLiteral("Coach"));
    const qint32 employee = addStudent(QStringLiteral("Eve"), QStringLiteral("Desk"));
    exec(QStringLiteral("UPDATE Students SET Special = 'N', Vendor = 'N'"));
    exec(QStringLiteral("UPDATE Students SET Employee = 'N' WHERE Employee Is Null"));
    exec(QStringLiteral("UPDATE Students SET Employee = 'Y', Student = 'N' WHERE StudentID = %1")
             .arg(employee));
    const qint32 instructorPerson =
        value(QStringLiteral("SELECT StudentID FROM Instructors WHERE InstructorID = %1")
                  .arg(instructor))
            .toInt();

    ui::SimpleCombo combo;
    ASSERT_EQ(FillPersonCombo(&combo, true, false, false, false, false), 0);
    ASSERT_GE(combo.count(), 1);
    const int at = [&] {
        for (int i = 0; i < combo.count(); ++i)
            if (combo.list(i) == QLatin1String("Able, Zed"))
                return i;
        return -1;
    }();
    ASSERT_GE(at, 0);
    EXPECT_EQ(combo.itemData(at), pupil);

    ASSERT_EQ(FillPersonCombo(&combo, false, true, false, true, true), 0);
    QMap<QString, long> data;
    for (int i = 0; i < combo.count(); ++i)
        data.insert(combo.list(i), combo.itemData(i));
    EXPECT_EQ(data.value(QStringLiteral("Ivy Coach")), instructor);
    EXPECT_EQ(data.value(QStringLiteral("Eve Desk")), employee) << "no instructor row";
    EXPECT_FALSE(data.contains(QStringLiteral("Zed Able")));

    ASSERT_EQ(FillPersonCombo(&combo, false, true, false, true, false), 0);
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.list(i) == QLatin1String("Ivy Coach")) {
            EXPECT_EQ(combo.itemData(i), instructorPerson);
        }
    }
}
