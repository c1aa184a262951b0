#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Swimming passports: the status texts and the bulk change of a program's issued
// passports.
namespace imodStudents {

// "Not Issued", "Held at this Centre (In)", "Customer Has Passport (Out)": a
// list's position is the stored Students.Issued.
QStringList PassportStatusTexts();

// The Issue Passports window's lists: every program as "Name (ID#n)", active or
// not, and every active instructor as "First Last (EID#n)", in the tables' order.
QStringList PassportProgramItems();
QStringList PassportInstructorItems();

// The classes whose students a bulk change reaches: a program, a day pattern and
// an instructor's name ("First Last"); an empty or "(All)" filter takes every one.
struct PassportSelection
{
    qint32 programId = 0;
    QString day;
    QString instructor;
};

// The statement of the students that hold a passport (Issued not 0) and have a
// booking, of any status, in a class of the program that has an instructor
// matching the instructor filter, a day pattern matching the day filter and at
// least one "Confirmed" or "Tentative" booking; each student once.
QString PassportSelectionSql(const PassportSelection &selection);
// Those students' IDs.
QList<qint32> PassportStudents(const PassportSelection &selection);

// Sets Students.Issued of every student to the status (0, 1 or 2), all or none in
// one transaction, straight on the connection (the statements are not logged).
// Gives the number of students changed; a failure, or a student no longer there,
// raises the error and changes nothing.
int SetPassportStatus(const QList<qint32> &studentIds, int status);

} // namespace imodStudents
