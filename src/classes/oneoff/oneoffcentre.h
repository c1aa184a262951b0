#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVector>

// The rules of the one-off enrolment centre: which instructors have a column, which
// class fills each half-hour slot of a day, the bookings that keep a one-off class,
// and the day's schedule as a document.
namespace oneoffcentre {

// The day's slots: every half hour from 06:00 AM to 10:30 PM.
constexpr int SlotCount = 34;
// The slot of row 1 to SlotCount.
QTime SlotTime(int row);
// "hh:mm AMPM", the slot's text in the grid.
QString SlotText(const QTime &time);

struct CentreInstructor
{
    qint32 id = 0;
    QString name; // first name, a blank, last name
    bool shown = false;
};

// The instructors marked to show (ShowInOOE 1), in first-name order.
QList<CentreInstructor> ShownInstructors();
// Every instructor with a person, in first-name order, with its ShowInOOE.
QList<CentreInstructor> AllInstructors();
// Writes every instructor's ShowInOOE (1 shown, 0 not), by InstructorID, in one transaction.
void SaveShownInstructors(const QList<CentreInstructor> &instructors);

struct SlotClass
{
    qint32 classId = 0;
    QString description;
    bool oneOff = false; // StartDate equals EndDate
    bool isEmpty() const { return classId == 0; }
    // "Description (#ClassID)".
    QString cellText() const;
};

// The day's classes of the instructors, by column (the instructors' order) and slot
// (index 0 is row 1). A class fills a slot when the day lies within its dates, its
// day pattern runs on the day's weekday, it starts at or before the slot and its
// start plus its duration less a minute lies after it. Of two classes of one
// instructor in a slot the lower ClassID shows. One statement for the whole day.
QVector<QVector<SlotClass>> DayClasses(const QDate &day, const QList<qint32> &instructorIds);

// Whether the day pattern of that name is set up in Days.
bool DayIsSetUp(const QString &dayName);
// Whether the class has a Confirmed or Tentative booking.
bool HasActiveBookings(qint32 classId);

// The class description of a cell text: the text before " (#"; the whole text
// when it has no "(#".
QString ShortenedCellText(const QString &cellText);

// The day's schedule: rows of cells as the grid shows them (row 0 the headings).
// Lines end in CR LF; every cell text is HTML-escaped.
QString ScheduleHtml(const QDate &date, const QList<QStringList> &grid, const QString &appName,
                     const QString &printedAt);

} // namespace oneoffcentre
