#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// What the birthdays-and-alerts window lists for a period that starts today and
// runs N days: the entry texts and the loaders that read them from the data file.
namespace alerts {

enum class Period { ThisWeek, TwoWeeks, ThisMonth };

// 7, 14, or the days from today to the last day of today's month (0 on that day).
int DaysAhead(Period period, const QDate &today);

// The birthday of a birth date in today's year (29 February becomes 28 February in
// a year that is not a leap year).
QDate BirthdayThisYear(const QDate &birthDate, int year);

// Entry texts; d is the day count from today (0 today, 1 tomorrow).
QString BirthdayEntry(int d, const QString &firstName, const QString &lastName, int age);
QString QualificationEntry(int d, const QString &name, const QString &award);
QString EventEntry(int d, const QString &eventName);
QString RenewalEntry(qint64 count);

// The birthdays of the period: every student whose birthday this year is 0 to N days
// away. Database failures reach the caller; the entries before one are in `out`.
void LoadBirthdays(const QDate &today, int daysAhead, QStringList &out);
// The other alerts: active qualifications expired or expiring within N days, events
// of the period, and one entry for the renewal notices due and not sent. A failure
// ends the remaining passes and reaches the caller.
void LoadOtherAlerts(const QDate &today, int daysAhead, QStringList &out);

} // namespace alerts
