#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// Dates and times. A date is a QDateTime with Qt::UTC time spec used as a floating
// wall-clock time (no time zone, no daylight saving). The zero date is
// 1899-12-30 00:00:00; a time of day alone is a time on the zero date.
// Functions that take a date take a QVariant: a QDateTime, a QDate, a QTime, text that
// CDate reads, or a number (a date serial). Null raises Invalid use of Null (94),
// text that is no date Type mismatch (13), an unknown interval Invalid procedure call (5).
namespace vb {

enum DayOfWeek {
    vbUseSystemDayOfWeek = 0,
    vbSunday = 1,
    vbMonday,
    vbTuesday,
    vbWednesday,
    vbThursday,
    vbFriday,
    vbSaturday
};
enum FirstWeekOfYear { vbUseSystem = 0, vbFirstJan1 = 1, vbFirstFourDays = 2, vbFirstFullWeek = 3 };

// The zero date, 1899-12-30 00:00:00.
QDateTime zeroDate();
// A date and time on the floating clock.
QDateTime makeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// The local wall clock (to the second), today at midnight, the time of day on the zero date.
QDateTime Now();
QDateTime Date();
QDateTime Time();

// Days since the zero date with the time as a fraction. Before the zero date the whole
// part counts back and the fraction still adds the time: -1.25 is 1899-12-29 06:00.
double toSerial(const QDateTime &date);
// Rounded to the second. Overflow (6) outside the years 100..9999.
QDateTime fromSerial(double serial);

// The data file's form: 'YYYY-MM-DD' at midnight, else 'YYYY-MM-DD HH:MM:SS'.
QString storageText(const QDateTime &date);
// Reads 'YYYY-MM-DD' or 'YYYY-MM-DD HH:MM:SS' (also with a 'T', or 'HH:MM'); an invalid
// QDateTime when the text is not in that form.
QDateTime fromStorageText(QStringView text);

// Month and day overflow into the next (DateSerial(2010, 13, 1) = 1/01/2011; day 0 is the
// last day of the month before); so do hours, minutes and seconds in TimeSerial.
QDateTime DateSerial(int year, int month, int day);
QDateTime TimeSerial(int hour, int minute, int second);
// The date part (midnight) / the time part (on the zero date).
QDateTime DateValue(const QVariant &date);
QDateTime TimeValue(const QVariant &date);

// Intervals: "yyyy" year, "q" quarter, "m" month, "y" day of year, "d" day, "w" weekday,
// "ww" week, "h" hour, "n" minute, "s" second (any case).
// DateAdd keeps the day of month where it can, else takes the month's last day
// (DateAdd("m", 1, 31/01/2010) = 28/02/2010); number is rounded to a whole count (half to
// even); a result outside the years 100..9999 raises Invalid procedure call (5).
QDateTime DateAdd(const QString &interval, double number, const QVariant &date);
// Counts the boundaries crossed from date1 to date2 (negative when date2 is earlier):
// "yyyy" year ends, "m" month ends, "d"/"y" midnights, "ww" first days of the week,
// "w" whole weeks, "h"/"n"/"s" hour/minute/second boundaries.
qint64 DateDiff(const QString &interval, const QVariant &date1, const QVariant &date2,
                int firstDayOfWeek = vbSunday, int firstWeekOfYear = vbFirstJan1);
int DatePart(const QString &interval, const QVariant &date, int firstDayOfWeek = vbSunday,
             int firstWeekOfYear = vbFirstJan1);

int Year(const QVariant &date);
int Month(const QVariant &date);
int Day(const QVariant &date);
int Hour(const QVariant &date);
int Minute(const QVariant &date);
int Second(const QVariant &date);
// 1 for firstDayOfWeek (Sunday by default) ... 7.
int Weekday(const QVariant &date, int firstDayOfWeek = vbSunday);
// "Sunday" ... ("Sun" abbreviated); weekday counts from firstDayOfWeek.
QString WeekdayName(int weekday, bool abbreviate = false, int firstDayOfWeek = vbSunday);
// "January" ... ("Jan" abbreviated).
QString MonthName(int month, bool abbreviate = false);

} // namespace vb
