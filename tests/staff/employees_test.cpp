#include "core/centresettings.h"
#include "platform/vb/error.h"
#include "staff/employees.h"
#include "timetable/fixture/timetablefixture.h"

#include <QDate>

namespace {

class EmployeesTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], Admin) VALUES "
                            "('Coach', 'Head Coach', '', 0)"));
    }
    QString column(const QString &col, qint32 id)
    {
        const QVariant v =
            value(QStringLiteral("SELECT [%1] FROM Students WHERE StudentID = %2").arg(col).arg(id));
        return v.isNull() ? QStringLiteral("<null>") : v.toString();
    }
    qint32 personOf(qint32 instructor)
    {
        return value(QStringLiteral("SELECT StudentID FROM Instructors WHERE InstructorID = %1")
                         .arg(instructor))
            .toInt();
    }
    static imodStaff::EmployeeEdits named(const QString &first, const QString &last)
    {
        imodStaff::EmployeeEdits e;
        e.fields = {{1, first}, {2, last}};
        e.familyTag = QStringLiteral("0");
        return e;
    }
};

// The words a text box must keep as typed, whatever SQL would make of them.
const QString awkward = QStringLiteral("O'Brien \"#1\"; <b>&amp;");

} // namespace

TEST_F(EmployeesTest, NewEmployeeWritesBothRowsColumnByColumn)
{
    imodStaff::EmployeeEdits e = named(QStringLiteral(" "), QStringLiteral("Lee"));
    e.fields.insert(3, QStringLiteral("05/03/1990"));
    e.fields.insert(4, QString()); // an empty address stays Null
    e.fields.insert(8, QStringLiteral("9555 1234"));
    e.fields.insert(13, QStringLiteral("F"));
    e.fields.insert(20, QStringLiteral("Keys"));
    e.inactive = 1;
    e.barcode = QStringLiteral("EMP7");
    e.familyTag = QStringLiteral("NEWFAM"); // a family still being made: none yet
    e.userId = QStringLiteral("coach");     // typed in other letter case
    const auto ids = imodStaff::SaveEmployee({}, e);
    ASSERT_GT(ids.instructorId, 0);
    EXPECT_EQ(personOf(ids.instructorId), ids.studentId);
    EXPECT_EQ(value(QStringLiteral("SELECT UserID FROM Instructors WHERE InstructorID = %1")
                        .arg(ids.instructorId))
                  .toString(),
              QStringLiteral("coach"));
    const struct
    {
        const char *column;
        const char *expected;
    } columns[] = {
        {"First Name", " "},      {"Last Name", "Lee"},      {"Date of Birth", "1990-03-05"},
        {"Address", "<null>"},    {"Home Phone", "9555 1234"}, {"Gender", "F"},
        {"StaffNotes", "Keys"},                  {"InternalNotes", "<null>"},
        {"Student", "N"},         {"Vendor", "N"},           {"Special", "N"},
        {"Employee", "Y"},        {"Inactive", "1"},         {"Barcode", "EMP7"},
        {"Family", "0"},
    };
    for (const auto &c : columns)
        EXPECT_EQ(column(QString::fromLatin1(c.column), ids.studentId).left(10),
                  QString::fromLatin1(c.expected))
            << c.column;
    EXPECT_EQ(value(QStringLiteral("SELECT Admin FROM Users WHERE UserID = 'Coach'")).toInt(), 1);
}

TEST_F(EmployeesTest, ExistingEmployeeKeepsEmptiedFieldsAndFlags)
{
    const qint32 instructor = addInstructor(QStringLiteral("Ivy"), QStringLiteral("Coach"));
    const qint32 person = personOf(instructor);
    exec(QStringLiteral("UPDATE Students SET [Home Phone] = '9111', Student = 'Y', Family = 0, "
                        "Barcode = 'B1' WHERE StudentID = %1")
             .arg(person));
    exec(QStringLiteral("UPDATE Instructors SET UserID = 'Coach' WHERE InstructorID = %1")
             .arg(instructor));
    exec(QStringLiteral("UPDATE Users SET Admin = 0"));

    imodStaff::EmployeeEdits e = named(QStringLiteral("Ivy"), QStringLiteral("Coach-Smith"));
    e.fields.insert(8, QString()); // emptied: the stored phone stays
    e.familyTag = QStringLiteral("NEWFAM");
    e.userId = QString(); // "(none)"
    const auto ids = imodStaff::SaveEmployee({instructor, person}, e);
    EXPECT_EQ(ids.instructorId, instructor);
    EXPECT_EQ(ids.studentId, person);
    EXPECT_EQ(column(QStringLiteral("Last Name"), person), QStringLiteral("Coach-Smith"));
    EXPECT_EQ(column(QStringLiteral("Home Phone"), person), QStringLiteral("9111"));
    EXPECT_EQ(column(QStringLiteral("Student"), person), QStringLiteral("Y"));
    EXPECT_EQ(column(QStringLiteral("Employee"), person), QStringLiteral("Y"));
    EXPECT_EQ(column(QStringLiteral("Family"), person), QStringLiteral("0"));
    EXPECT_EQ(column(QStringLiteral("Barcode"), person), QString());
    EXPECT_EQ(value(QStringLiteral("SELECT UserID FROM Instructors WHERE InstructorID = %1")
                        .arg(instructor))
                  .toString(),
              QString());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Users WHERE Admin <> 0")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Students")), 1);
}

TEST_F(EmployeesTest, EveryTextFieldIsStoredAsTyped)
{
    imodStaff::EmployeeEdits e = named(awkward, awkward);
    for (int box : {4, 5, 8, 9, 10, 11, 12, 19, 20})
        e.fields.insert(box, awkward);
    e.barcode = awkward;
    const auto ids = imodStaff::SaveEmployee({}, e);
    for (const char *col : {"First Name", "Last Name", "Address", "City", "Home Phone",
                            "Work Phone", "Mobile Phone", "Email Address", "Notes",
                            "InternalNotes", "StaffNotes", "Barcode"})
        EXPECT_EQ(column(QString::fromLatin1(col), ids.studentId), awkward) << col;
    EXPECT_EQ(imodStaff::ReadEmployee(ids.instructorId)->at(imodStaff::EmpBarcode).toString(),
              awkward);
}

TEST_F(EmployeesTest, ContactChangesReachTheWholeFamilyOnlyWhenAsked)
{
    const qint32 family = addStudent(QStringLiteral("Fay"), QStringLiteral("Home"));
    const qint32 child = addStudent(QStringLiteral("Kid"), QStringLiteral("Home"));
    const qint32 other = addStudent(QStringLiteral("Oz"), QStringLiteral("Else"));
    const qint32 instructor = addInstructor(QStringLiteral("Ivy"), QStringLiteral("Home"));
    const qint32 person = personOf(instructor);
    exec(QStringLiteral("UPDATE Students SET Address = 'Old St', [Parents Name] = 'Fay H' WHERE "
                        "StudentID IN (%1, %2, %3)")
             .arg(family)
             .arg(child)
             .arg(other));
    exec(QStringLiteral("UPDATE Students SET Family = %1 WHERE StudentID IN (%2, %3)")
             .arg(family)
             .arg(child)
             .arg(person));

    imodStaff::EmployeeEdits e = named(QStringLiteral("Ivy"), QStringLiteral("Home"));
    const QStringList contact{QStringLiteral("1 New Rd"), QStringLiteral("Town"),
                              QStringLiteral("VIC"),      QStringLiteral("3000"),
                              QStringLiteral("9000"),     QStringLiteral("9001"),
                              QStringLiteral("0400"),     QStringLiteral("h@x.au")};
    for (int i = 0; i < 8; ++i)
        e.fields.insert(4 + i, contact[i]);
    e.familyTag = QString::number(family);
    e.copyContactToFamily = false;
    imodStaff::SaveEmployee({instructor, person}, e);
    EXPECT_EQ(column(QStringLiteral("Address"), child), QStringLiteral("Old St"));

    e.copyContactToFamily = true;
    imodStaff::SaveEmployee({instructor, person}, e);
    const char *columns[] = {"Address",    "City",       "State",        "Postcode",
                             "Home Phone", "Work Phone", "Mobile Phone", "Email Address"};
    for (qint32 id : {family, child, person})
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(column(QString::fromLatin1(columns[i]), id), contact[i])
                << columns[i] << " of " << id;
    EXPECT_EQ(column(QStringLiteral("Parents Name"), child), QStringLiteral("Fay H"));
    EXPECT_EQ(column(QStringLiteral("Address"), other), QStringLiteral("Old St"));
}

TEST_F(EmployeesTest, AFailedSaveWritesNothing)
{
    block(QStringLiteral("Instructors"), QStringLiteral("INSERT"));
    imodStaff::EmployeeEdits e = named(QStringLiteral("Ivy"), QStringLiteral("Coach"));
    e.userId = QStringLiteral("Coach");
    EXPECT_ANY_THROW(imodStaff::SaveEmployee({}, e));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Students")), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT Admin FROM Users WHERE UserID = 'Coach'")).toInt(), 0);
}

TEST_F(EmployeesTest, FindUserIndexIgnoresLetterCase)
{
    const QStringList ids{QString(), QStringLiteral("Anna"), QStringLiteral("coach"), QString()};
    EXPECT_EQ(imodStaff::FindUserIndex(ids, QStringLiteral("COACH")), 2);
    EXPECT_EQ(imodStaff::FindUserIndex(ids, QStringLiteral("anna")), 1);
    EXPECT_EQ(imodStaff::FindUserIndex(ids, QStringLiteral("gone")), 0);
    EXPECT_EQ(imodStaff::FindUserIndex(ids, QString()), 0);
}

TEST_F(EmployeesTest, DemotionCountsAndRemovesInOneStep)
{
    const qint32 program = addProgram(QStringLiteral("Term 1"));
    const qint32 cls = addClass(program);
    const qint32 linked = addInstructor(QStringLiteral("Lin"), QStringLiteral("Ked"));
    linkInstructor(cls, linked);
    EXPECT_EQ(imodStaff::CountClassLinks(linked), 1);
    exec(QStringLiteral("INSERT INTO Assessments (StudentID, ClassID, InstructorID) VALUES "
                        "(1, %1, %2)")
             .arg(cls)
             .arg(linked));
    EXPECT_EQ(imodStaff::CountAssessments(linked), 1);

    // Who becomes a student when the bookings keep the person.
    const struct
    {
        const char *student;
        const char *vendor;
        const char *after;
    } cases[] = {{"N", "N", "Y"}, {"N", "Y", "N"}, {"Y", "N", "Y"}};
    for (const auto &c : cases) {
        const qint32 instructor = addInstructor(QStringLiteral("Bo"), QStringLiteral("Oked"));
        const qint32 person = personOf(instructor);
        exec(QStringLiteral("UPDATE Students SET Student = '%1', Vendor = '%2' WHERE StudentID = %3")
                 .arg(QString::fromLatin1(c.student), QString::fromLatin1(c.vendor))
                 .arg(person));
        for (int i = 0; i < 3; ++i)
            addBooking(cls, person);
        EXPECT_EQ(imodStaff::CountBookings(person), 3);
        imodStaff::TurnEmployeeIntoStudent(instructor, person);
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors WHERE InstructorID = %1")
                            .arg(instructor)),
                  0);
        EXPECT_EQ(column(QStringLiteral("Employee"), person), QStringLiteral("N"));
        EXPECT_EQ(column(QStringLiteral("Student"), person), QString::fromLatin1(c.after));
    }

    // A failing update undoes the Instructors delete.
    const qint32 kept = addInstructor(QStringLiteral("Kay"), QStringLiteral("Kept"));
    block(QStringLiteral("Students"), QStringLiteral("UPDATE"));
    EXPECT_ANY_THROW(imodStaff::TurnEmployeeIntoStudent(kept, personOf(kept)));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors WHERE InstructorID = %1").arg(kept)),
              1);
    block(QStringLiteral("Students"), QStringLiteral("DELETE"));
    const qint32 keptPerson = personOf(kept);
    EXPECT_ANY_THROW(imodStaff::DeleteEmployee(kept, keptPerson));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors WHERE InstructorID = %1").arg(kept)),
              1);
    runSqlite("DROP TRIGGER BlockStudentsDELETE;");
    imodStaff::DeleteEmployee(kept, keptPerson);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Instructors WHERE InstructorID = %1").arg(kept)),
              0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Students WHERE StudentID = %1").arg(keptPerson)),
              0);
}

TEST_F(EmployeesTest, QualificationsAreWrittenReadAndDeleted)
{
    const qint32 instructor = addInstructor(QStringLiteral("Ivy"), QStringLiteral("Coach"));
    imodStaff::QualificationEdits q;
    q.instructorId = instructor;
    q.qualification = awkward;
    q.expires = QString();
    const qint32 first = imodStaff::SaveQualification(0, q);
    auto row = imodStaff::ReadQualification(first);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->at(2).toString(), awkward);
    EXPECT_TRUE(row->at(4).isNull()) << "an empty expiry is no date";
    EXPECT_EQ(row->at(3).toString(), QString()) << "other empty boxes are empty text";
    EXPECT_FALSE(row->at(3).isNull());

    q.expires = QStringLiteral("31/01/2027");
    q.inactive = 1;
    EXPECT_EQ(imodStaff::SaveQualification(first, q), first);
    row = imodStaff::ReadQualification(first);
    EXPECT_EQ(row->at(4).toDateTime().date(), QDate(2027, 1, 31));
    EXPECT_EQ(row->at(7).toInt(), 1);

    // A bad expiry is refused and nothing changes.
    q.expires = QStringLiteral("soon");
    q.qualification = QStringLiteral("Changed");
    try {
        imodStaff::SaveQualification(first, q);
        ADD_FAILURE() << "a bad expiry was saved";
    } catch (const vb::Error &e) {
        EXPECT_EQ(e.number(), 13);
    }
    EXPECT_EQ(imodStaff::ReadQualification(first)->at(2).toString(), awkward);
    EXPECT_ANY_THROW(imodStaff::SaveQualification(0, q));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM QualRec")), 1);

    q.expires.clear();
    const qint32 second = imodStaff::SaveQualification(0, q);
    const auto rows = imodStaff::ReadQualifications(instructor);
    ASSERT_EQ(rows.size(), 2) << "inactive ones are listed too";
    EXPECT_EQ(rows[0].at(0).toInt(), first);
    EXPECT_EQ(rows[1].at(0).toInt(), second);
    EXPECT_TRUE(imodStaff::ReadQualifications(instructor + 1).isEmpty());

    EXPECT_TRUE(imodStaff::DeleteQualification(first));
    EXPECT_FALSE(imodStaff::DeleteQualification(first));
    EXPECT_FALSE(imodStaff::ReadQualification(first));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM QualRec")), 1);
}
