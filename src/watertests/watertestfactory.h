#pragma once

#include <QString>
#include <memory>

class CSuperCollection;
class WaterTest;

// The questions the water test windows ask of WaterTesting. Collections of tests
// hold one WaterTest per row (as QSharedPointer<QObject>), in ascending TestID,
// keyed by the TestID in decimal text; they allow item assignment and count from
// 0. Errors reach the caller.
class WaterTestFactory
{
public:
    std::unique_ptr<CSuperCollection> LoadAllTests();
    std::unique_ptr<CSuperCollection> LoadAllTestsInPoolArea(qint32 areaId);
    // The tests of the area dated in that month (any time of the day). A month
    // outside 1 to 12 has no tests.
    std::unique_ptr<CSuperCollection> LoadAllTestsInPoolAreaAndDateRange(qint32 areaId,
                                                                         qint16 month, qint16 year);
    // The first day of every month that has a test in any pool area, newest first,
    // as dates without keys. Tests without a date are not counted.
    std::unique_ptr<CSuperCollection> GetListOfMonths();
    // The test of that key; null unless exactly one row has it.
    std::shared_ptr<WaterTest> LoadTestById(qint32 testId);

    // The record at a position of a collection of tests.
    static WaterTest *TestAt(const CSuperCollection &tests, int index);

private:
    std::unique_ptr<CSuperCollection> LoadTestsFromSql(const QString &sql);
};

namespace Global {
// The program's one factory, made on first use and kept to the end.
WaterTestFactory &WaterTests();
} // namespace Global
