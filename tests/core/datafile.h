#pragma once

#include "envguard.h"
#include "support/tempdir.h"

#include <QString>
#include <gtest/gtest.h>

// A fresh data file in a temporary folder, open on Global::DbConnection() as
// "default.mdb" of that folder, with the adapter set to "Jet", the statement log
// on (user "i") and the application data folder in the temporary folder too.
class DataFileTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A CentreInfo table with the 66 settings columns in their order (CentreName
    // first) and `rows` rows; row n has the centre name "Centre n".
    void createCentreInfo(int rows = 1);
    // The text of the statement log file of a month ("2009-07").
    QString logText(const QString &month) const;

    ovix::test::TempDir dir;
    QString dataFile;

private:
    EnvGuard m_home{"OVIXIAN_HOME", (dir.path() + "/home").toUtf8()};
};
