#pragma once

#include "platform/vb/currency.h"

#include <QDate>
#include <QString>
#include <QVariant>

class QWidget;

// Questions about one person of the Students table, for the whole program. Each
// call reads the database afresh and writes nothing. A database failure reaches
// the caller (jet or vb errors), except where a function says otherwise; an ID of
// 0 always means "not found". Names and barcodes reach SQL only as quoted text.
namespace imodStudents {

// "First Last"; "" when there is no such person.
QString GetStudentName(qint32 studentId);
// The pick-list text "Last, First (SID#n)"; "" when there is no such person.
QString GetStudentListName(qint32 studentId);
// The StudentID of the booking; 0 when there is none or on any failure.
qint32 GetStudentIDFromBooking(qint32 bookingId);
// The person's Family (the family contact's StudentID), 0 without one or without a row.
qint32 GetFamilyID(qint32 studentId);
// The program of the class with the latest EndDate among all the student's
// bookings; "" without bookings.
QString GetProgramHistory(qint32 studentId);
// The StudentID of a person whose first name, a blank and last name equal the text
// (without regard to case); 0 when none. A Null name part never matches.
qint32 GetStudentIDByName(const QString &name);
// "In" for Issued 1, "Out" for 2, "None" otherwise. The person must exist.
QString GetPassportCode(qint32 studentId);
// The same code of a value of Issued (Null is "None").
QString PassportCodeFor(const QVariant &issued);
// The Notes of an existing person ("" when Null).
QString GetStudentNotes(qint32 studentId);
// The StudentID that a pick-list text "Last, First (SID#n)" names: the row n
// whose own pick-list text equals the text upper-cased; 0 when the text holds no
// number, no such row exists or its name differs (renamed since the list was filled).
qint32 GetStudentIDFromListText(const QString &listText);
// Charges less payments, discounts and discount tax of the person's ledger rows
// (by SID); negative is a credit, 0 without rows.
vb::Currency GetStudentBalance(qint32 studentId);
// The same over the ledger rows of the student's bookings in programs whose
// overdue date (AmountOverdue) has passed; 0 when none.
vb::Currency GetOverdueAmount(qint32 studentId);
// "Last, First (ID#n)" of the family contact row; "(individual)" when there is none.
QString GetFamilyContactName(qint32 familyId);
// [Parents Name]; "" without a row.
QString GetParentsName(qint32 studentId);
// Whether the Notes of an existing person hold at least one character (blanks count).
bool HasStudentNotes(qint32 studentId);
// The student's Confirmed and Tentative bookings in classes of the program.
qint32 CountBookingsInProgram(qint32 studentId, qint32 programId);
// The student's bookings with the status "No Show".
qint32 CountNoShows(qint32 studentId);
// Whole years from the date of birth to today (an invalid today means the
// current date); a 29 February birthday falls on 1 March in a common year.
qint32 GetAgeYears(const QDate &dateOfBirth, const QDate &today = {});
// The age for lists: up to 2 years (or born in the future) the calendar months
// and "m"; 18 and over the years; between them the years, with "½" when more
// than six calendar months have passed since the last whole year.
QString GetAgeText(const QDate &dateOfBirth, const QDate &today = {});
// The Family of an existing person when it is not 0, otherwise the person itself.
qint32 GetAccountHolderID(qint32 studentId);
// The first person holding the barcode; 0 when none.
qint32 GetStudentIDByBarcode(const QString &barcode);
// Refills a list (a ui::SimpleCombo, list box or combo box) with the people of the
// kinds asked for ("First Last" or "Last, First"); each item's data is the
// StudentID, or the InstructorID of an employee with an instructor row when
// employees and instructorIds are both set. 0, or the number of the error that
// stopped it (the items added so far stay).
qint32 FillPersonCombo(QWidget *list, bool students, bool employees, bool families,
                       bool firstNameFirst, bool instructorIds);

// Reads a date typed in the pattern of Global::DateFormat ("dd/mm/yyyy",
// "mm/dd/yyyy", "dd-mmm-yyyy" ...); days and months may have one digit. An
// invalid QDate when the text is no date in that pattern.
QDate ParseDateText(const QString &text);
// A typed date: in the pattern of Global::DateFormat, else any form the runtime
// reads; an invalid QDate when the text is empty or no date.
QDate ReadDateText(const QString &typed);

} // namespace imodStudents
