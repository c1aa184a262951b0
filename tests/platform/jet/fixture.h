#pragma once

#include "support/tempdir.h"

#include "platform/jet/connection.h"
#include "platform/jet/sql/error.h"

#include <QString>
#include <functional>
#include <gtest/gtest.h>

namespace jet::test {

// Makes an empty data file (an SQLite database with no tables) at the path.
void createDataFile(const QString &path);
// The connection string the program builds for a data file.
QString connectionString(const QString &path);
// The error number a call throws, or 0 when it throws none.
long errorNumber(const std::function<void()> &call);

// A fresh data file in a temporary folder with a connection open on it and the small
// school the tests read and write:
//   Students (StudentID COUNTER, Surname TEXT(50) NOT NULL, Born DATETIME, Balance CURRENCY,
//             Age INT DEFAULT 0, Flag YESNO)  rows 1 Smith, 2 Jones, 3 brown
//   Classes (ClassID COUNTER, ClassName TEXT(50))  rows 1 Mon 9:00, 2 Tue 10:00
//   Assessments (AssessmentID COUNTER, ClassID INT, Processed INT)  rows 1 (class 1), 2 (class 2)
//   CentreInfo (CentreName TEXT(50), NextReceiptNo INT)  one row, no primary key
class DataFileTest : public ::testing::Test
{
protected:
    void SetUp() override;

    // Another connection on the same file.
    void openSecond(Connection &other) const { other.open(connectionString(path)); }
    // The first column of the first row of a query, read on `connection` (the fixture's own
    // when not given).
    QVariant scalar(const QString &jetSql, Connection *connection = nullptr);

    ovix::test::TempDir dir;
    QString path;
    Connection db;
};

} // namespace jet::test
