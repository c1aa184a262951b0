#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

// Employees: a Students row whose Employee column is "Y" plus the Instructors row
// that points to it. These are the rows behind the employee window: reading an
// employee, the account list, saving, demoting and the qualifications of QualRec.
// Failures reach the caller; every change of several rows is one transaction.
// IDs are 32-bit; user IDs, barcodes and names reach SQL only as quoted text.
namespace imodStaff {

// The employee as the window reads it: the 26 columns of the window's query, by
// position. The positions of the columns the window uses apart from the boxes:
enum EmployeeColumn {
    EmpInstructorID = 0,
    EmpUserID = 14,
    EmpStudent = 15,
    EmpInternalNotes = 19,
    EmpStaffNotes = 20,
    EmpStudentID = 21,
    EmpFamily = 22,
    EmpDetailsFormCompleted = 23,
    EmpBarcode = 24,
    EmpInactive = 25,
    EmployeeColumnCount = 26
};
// Nothing when there is no Instructors row (or no person behind it).
std::optional<QVariantList> ReadEmployee(qint32 instructorId);

// The accounts of the Users table in the order of their UserID.
struct UserAccount
{
    QString userId;
    QString name;
};
QList<UserAccount> ReadUserAccounts();
// The first position whose entry equals the user ID, letter case ignored; 0 when
// none does (entry 0 is the "(none)" entry).
int FindUserIndex(const QStringList &userIds, const QString &userId);

// What a save writes. Boxes by the window's index: 1 to 3 (names and date of
// birth), 4 to 13 (Students positions 5 to 14) and 19, 20 (positions 21, 22).
struct EmployeeEdits
{
    QMap<int, QString> fields;
    int inactive = 0;
    QString barcode;   // "" for none
    QString familyTag; // the family's StudentID; any other text keeps the stored Family
    QString userId;    // the linked account, "" for none
    // The family's contact details take the employee's (boxes 4 to 11).
    bool copyContactToFamily = false;
};
struct EmployeeIds
{
    qint32 instructorId = 0;
    qint32 studentId = 0;
};
// Writes a new employee (ids 0: a Students row with Student, Vendor and Special
// "N" and Employee "Y", and its Instructors row) or an existing one (an emptied
// box keeps the stored value, the four flags stay), marks the linked account
// Admin = 1 and copies the contact details to the family when asked, all in one
// transaction. A date of birth that is no date keeps the stored value (Null on a
// new row). Gives the ids written; a failure changes nothing.
EmployeeIds SaveEmployee(const EmployeeIds &ids, const EmployeeEdits &edits);

// What stops an employee from being removed, and the person's bookings.
qint32 CountClassLinks(qint32 instructorId);
qint32 CountAssessments(qint32 instructorId);
qint32 CountBookings(qint32 studentId);
// Deletes the Instructors row and the person's Students row, in one transaction.
void DeleteEmployee(qint32 instructorId, qint32 studentId);
// Deletes the Instructors row and makes the person a student again: Employee "N",
// and Student "Y" when it was neither a student nor a family contact (Vendor "Y").
// One transaction.
void TurnEmployeeIntoStudent(qint32 instructorId, qint32 studentId);

// One QualRec row by position: 0 QualRecID, 1 InstructorID, 2 Qualification,
// 3 Number, 4 Expires, 5 AuthorisedBy, 6 Notes, 7 Inactive.
using QualificationRow = QVariantList;
// The employee's qualifications in stored order, inactive ones too.
QList<QualificationRow> ReadQualifications(qint32 instructorId);
std::optional<QualificationRow> ReadQualification(qint32 qualRecId);

struct QualificationEdits
{
    qint32 instructorId = 0;
    QString qualification;
    QString number;
    QString expires; // as typed: "" is no date
    QString authorisedBy;
    QString notes;
    int inactive = 0;
};
// The typed expiry read as a date; nothing for a text that is no date. An empty
// text is a valid "no date" (a null QVariant).
std::optional<QVariant> ReadExpiryText(const QString &typed);
// Writes a qualification (0: a new row); gives its QualRecID. vb::Error 13 when the
// expiry is no date, 3021 when the row has gone; nothing is written then.
qint32 SaveQualification(qint32 qualRecId, const QualificationEdits &edits);
// Deletes one qualification; false when there was none.
bool DeleteQualification(qint32 qualRecId);

// The programs with a class linked to the instructor, the latest end date first:
// each is handed over as it is read, so a failure keeps the ones handed already.
void ForEachProgramTaught(qint32 instructorId,
                          const std::function<void(qint32 programId, const QString &program)> &add);

// Makes the student whose promotion list text ("Last, First (SID#n)") is exactly
// the text an instructor: Student "Y" and an Instructors row pointing to the
// person, in one transaction. A person who has an Instructors row already keeps
// it (no second row). Gives the InstructorID; nothing when no student's list text
// is the text (letter case counts).
std::optional<qint32> PromoteStudent(const QString &listText);

} // namespace imodStaff
