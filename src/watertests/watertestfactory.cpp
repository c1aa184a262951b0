#include "watertestfactory.h"

#include "core/csupercollection.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/vb/datetime.h"
#include "watertest.h"

#include <QSharedPointer>

namespace {

std::unique_ptr<CSuperCollection> newResult()
{
    auto result = std::make_unique<CSuperCollection>();
    result->setAllowItemAsignments(true);
    result->setBaseIndex(0);
    return result;
}

} // namespace

std::unique_ptr<CSuperCollection> WaterTestFactory::LoadTestsFromSql(const QString &sql)
{
    auto result = newResult();
    auto rs = irecObjectCode::OpenRecordset(sql);
    for (; !rs->eof(); rs->moveNext()) {
        auto test = QSharedPointer<QObject>(new WaterTest);
        auto *record = static_cast<WaterTest *>(test.data());
        record->InitFromRecord(*rs);
        result->Add(QVariant::fromValue(test), QString::number(record->TestID()));
    }
    rs->close();
    return result;
}

std::unique_ptr<CSuperCollection> WaterTestFactory::LoadAllTests()
{
    return LoadTestsFromSql(QStringLiteral("SELECT * FROM WaterTesting ORDER BY TestID;"));
}

std::unique_ptr<CSuperCollection> WaterTestFactory::LoadAllTestsInPoolArea(qint32 areaId)
{
    return LoadTestsFromSql(QStringLiteral("SELECT * FROM WaterTesting WHERE PoolArea = ") +
                            Global::SqlNumber(areaId) + QStringLiteral(" ORDER BY TestID;"));
}

std::unique_ptr<CSuperCollection>
WaterTestFactory::LoadAllTestsInPoolAreaAndDateRange(qint32 areaId, qint16 month, qint16 year)
{
    // The month as a range of dates, so that the (PoolArea, Date) index finds it:
    // the same rows as comparing Month(Date) and Year(Date), late times included.
    const QDate first(year, month, 1);
    if (month < 1 || month > 12 || !first.isValid())
        return newResult();
    return LoadTestsFromSql(QStringLiteral("SELECT * FROM WaterTesting WHERE PoolArea = ") +
                            Global::SqlNumber(areaId) + QStringLiteral(" AND [Date] >= ") +
                            Global::SqlDate(first) + QStringLiteral(" AND [Date] < ") +
                            Global::SqlDate(first.addMonths(1)) +
                            QStringLiteral(" ORDER BY TestID;"));
}

std::unique_ptr<CSuperCollection> WaterTestFactory::GetListOfMonths()
{
    auto result = newResult();
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral(
        "SELECT Year(Date) AS TheYear, Month(Date) as TheMonth FROM WaterTesting WHERE Date Is "
        "Not Null GROUP BY Year(Date), Month(Date) ORDER BY Year(Date) DESC, Month(Date) DESC"));
    for (; !rs->eof(); rs->moveNext())
        result->Add(vb::DateSerial(rs->value(0).toInt(), rs->value(1).toInt(), 1));
    rs->close();
    return result;
}

std::shared_ptr<WaterTest> WaterTestFactory::LoadTestById(qint32 testId)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT * FROM WaterTesting WHERE "
                                                           "TestID = ") +
                                            Global::SqlNumber(testId) + QLatin1Char(';'));
    std::shared_ptr<WaterTest> test;
    if (rs->recordCount() == 1) {
        test = std::make_shared<WaterTest>();
        test->InitFromRecord(*rs);
    }
    rs->close();
    return test;
}

WaterTest *WaterTestFactory::TestAt(const CSuperCollection &tests, int index)
{
    return qobject_cast<WaterTest *>(CSuperCollection::objectOf(tests.Item(index)));
}

namespace Global {

WaterTestFactory &WaterTests()
{
    static WaterTestFactory *factory = new WaterTestFactory;
    return *factory;
}

} // namespace Global
