#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class CSuperCollection;
class WaterTest;

// The rules of the water test list: the month list, the cells of a test's row and
// the deletion of a test.
namespace watertests {

// The clock of the water test windows: the wall clock, or the one a test sets
// (an empty function gives the wall clock back).
QDateTime Now();
void SetClock(std::function<QDateTime()> clock);

struct MonthItem
{
    QString text; // "March 2009"
    int itemData; // 1032009: "1", the month in two digits, the year
};

// The items of the month list for the months (first days of months, newest first):
// each month's "mmmm yyyy" text and its number, with today's month put first when
// the months do not hold it.
QList<MonthItem> MonthListItems(const CSuperCollection &months, const QDateTime &today);
// The month and year of an item's number; false when the number holds none.
bool ReadMonthItem(int itemData, int &month, int &year);

// The 11 cells of a test's row of the list: ID, the date in the user's date
// format, the time as "h:mm AMPM", temperature, pH, free, total, diff, alkalinity,
// hardness as the plain text of the number (empty when the column is empty) and
// the notes.
QStringList ListRowCells(const WaterTest &test);

// Deletes the test of that key; false when no row has it.
bool DeleteWaterTest(qint32 testId);

} // namespace watertests
