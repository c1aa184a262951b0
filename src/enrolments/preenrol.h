#pragma once

#include <QList>
#include <QString>

// The pre-enrolment list: the students waiting for a place in a program whose
// classes are not settled yet, one entry per student and program, with free-text
// preferences.
namespace imodEnrolments {

struct PreEnrolEntry
{
    qint32 studentId = 0;
    QString firstName, lastName; // empty when the student row is gone
    QString preferences;
};

// The entries of the program of that name, in the order the database gives
// them; with a search text only those whose student's last name contains it.
// Errors reach the caller.
QList<PreEnrolEntry> ReadPreEnrolList(const QString &programName, const QString &searchText);

// The preferences as the list window stores an edit: without double quotes and
// apostrophes.
QString CleanPreEnrolPreferences(const QString &answer);

// Stores the edited preferences (cleaned first) of the entry; an answer that is
// empty once cleaned changes nothing. Gives whether a statement ran; its failure
// is not reported.
bool EditPreEnrolPreferences(qint32 studentId, qint32 programId, const QString &answer);

// Takes the entry off the list; a failure is not reported.
void CancelPreEnrolEntry(qint32 studentId, qint32 programId);

} // namespace imodEnrolments
