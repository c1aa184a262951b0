#pragma once

#include "core/errorinfo.h"

#include <QList>
#include <QString>

// The classes of the attendance book: the attendance grids of many classes of one
// program, one block after the other.
namespace imodEnrolments {

// The classes of the program that the book shows, ordered by day pattern name and
// time: not one-off classes (start date equal to end date), with at least one
// linked instructor whose "First Last" is the instructor text ("(All)": any), on
// the day pattern ("(All)": any), of a level that begins with the level text
// ("(All)": any) and in the pool area (0: any). The texts are matched as they are,
// without regard to case. Failures reach the caller.
QList<qint32> AttendanceBookClasses(qint32 programId, const QString &instructor,
                                    const QString &day, const QString &level, qint32 poolArea);

// The errors of one filling of the book, each reported as it happens: the first
// two in a warning box titled "Oops!", every later one in a question box titled
// "Error" whose No ends the filling.
class BookFillErrors
{
public:
    // Reports the error; false when the filling is to end.
    bool report(const core::ErrorInfo &error);
    int count() const { return m_count; }

private:
    int m_count = 0;
};

} // namespace imodEnrolments
