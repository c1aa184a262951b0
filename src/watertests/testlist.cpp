#include "testlist.h"

#include "core/centresettings.h"
#include "core/csupercollection.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "watertest.h"

namespace watertests {

namespace {
std::function<QDateTime()> &clock()
{
    static std::function<QDateTime()> c;
    return c;
}

QString dateCell(const QVariant &value, const QString &pattern)
{
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty()))
        return QString();
    return vb::Format(value, pattern);
}

QString numberCell(const QVariant &value)
{
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty()))
        return QString();
    return vb::CStr(vb::CDbl(value));
}
} // namespace

QDateTime Now()
{
    return clock() ? clock()() : vb::Now();
}

void SetClock(std::function<QDateTime()> c)
{
    clock() = std::move(c);
}

QList<MonthItem> MonthListItems(const CSuperCollection &months, const QDateTime &today)
{
    const auto item = [](const QVariant &date) {
        return MonthItem{vb::Format(date, QStringLiteral("mmmm yyyy")),
                         (QStringLiteral("1") + vb::Format(date, QStringLiteral("mmyyyy"))).toInt()};
    };
    QList<MonthItem> items;
    const QString current = vb::Format(today, QStringLiteral("mmmm yyyy"));
    bool found = false;
    for (int i = 0; i < months.Count(); ++i) {
        items << item(months.Item(months.BaseIndex() + i));
        found = found || items.last().text == current;
    }
    if (!found)
        items.prepend(item(today));
    return items;
}

bool ReadMonthItem(int itemData, int &month, int &year)
{
    const QString digits = QString::number(itemData).mid(1);
    if (digits.size() != 6)
        return false;
    month = digits.left(2).toInt();
    year = digits.right(4).toInt();
    return true;
}

QStringList ListRowCells(const WaterTest &test)
{
    QStringList cells;
    cells << QString::number(test.TestID())
          << dateCell(test.Fields(QStringLiteral("Date")), Global::DateFormat)
          << dateCell(test.Fields(QStringLiteral("Time")), QStringLiteral("h:mm AMPM"));
    for (const char *column :
         {"Temperature", "pH", "Free", "Total", "Comb", "Alkalinity", "Hardness"})
        cells << numberCell(test.Fields(QString::fromLatin1(column)));
    cells << test.Notes();
    return cells;
}

bool DeleteWaterTest(qint32 testId)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT * FROM WaterTesting WHERE "
                                                           "TestID = ") +
                                            Global::SqlNumber(testId) + QLatin1Char(';'));
    if (rs->eof())
        return false;
    rs->deleteRecord();
    rs->close();
    return true;
}

} // namespace watertests
