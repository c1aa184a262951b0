#include "core/structure.h"
#include "datafile.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/error.h"

#include <QFile>

using namespace imodStructure;

namespace {

QVariant scalar(jet::Connection &db, const QString &sql)
{
    jet::Recordset rs(db, sql);
    return rs.eof() ? QVariant() : rs.value(0);
}

long failureOf(jet::Connection &db, const QString &sql)
{
    try {
        db.execute(sql);
        return 0;
    } catch (const jet::Error &e) {
        return e.number();
    }
}

} // namespace

using Template = DataFileTest;

TEST_F(Template, PositionsThatWindowsReadAreWhereTheyExpectThem)
{
    const struct
    {
        const char *table;
        int position;
        const char *column;
    } cases[] = {
        {"CentreInfo", 0, "CentreName"},
        {"CentreInfo", 35, "DataVersion"},
        {"CentreInfo", 65, "EmailAuthentication"},
        {"Users", 57, "NewBooking"},
        {"Users", 76, "Discounts"},
        {"Programs", 17, "AmountOverdue"},
        {"Classes", 15, "Notes"},
        {"Classes", 18, "DurationMins"},
        {"Students", 9, "Home Phone"},
        {"Students", 16, "DetailsFormCompleted"},
        {"Students", 17, "Student"},
        {"Students", 18, "Employee"},
        {"Students", 21, "InternalNotes"},
        {"Students", 22, "StaffNotes"},
        {"Students", 25, "Family"},
        {"Bookings", 8, "CancelDate"},
        {"Payments", 16, "DepositAccount"},
        {"Payments", 24, "SessionNo"},
        {"Attend", 1, "BKID"},
        {"Attend", 3, "StudentID"},
        {"Attend", 4, "Status"},
        {"ClassGroups", 3, "MaxInClass"},
        {"Levels", 6, "Stream"},
        {"QualRec", 4, "Expires"},
        {"QualRec", 7, "Inactive"},
        {"TaxCode", 2, "TaxPercentage"},
        {"WaterTesting", 17, "Temperature"},
        {"Assessments", 11, "CertificateComment"},
        {"Companies", 9, "Notes"},
        {"PoolAreas", 1, "AreaName"},
    };
    for (const auto &c : cases) {
        const TableDef *t = FindTable(QLatin1String(c.table));
        ASSERT_NE(t, nullptr) << c.table;
        ASSERT_LT(size_t(c.position), t->columns.size()) << c.table;
        EXPECT_EQ(t->columns[size_t(c.position)].name, QLatin1String(c.column))
            << c.table << " " << c.position;
    }
    const struct
    {
        const char *table;
        size_t count;
    } counts[] = {{"CentreInfo", 66},   {"Users", 77},      {"Payments", 25},
                  {"Programs", 18},     {"Bookings", 11},   {"Levels", 7},
                  {"WaterTesting", 18}, {"Instructors", 4}, {"Companies", 10}};
    for (const auto &c : counts)
        EXPECT_EQ(FindTable(QLatin1String(c.table))->columns.size(), c.count) << c.table;
}

TEST_F(Template, IsInstalledOnceWithTheRowsANewFileStartsWith)
{
    const QString path = InstallTemplate();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(path, dir.path() + "/home/new.md_");
    EXPECT_FALSE(QFile::exists(path + ".part"));

    // Installed only when missing: an existing template is left alone.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QDateTime written = QFileInfo(path).lastModified();
    EXPECT_EQ(InstallTemplate(), path);
    EXPECT_EQ(QFileInfo(path).lastModified(), written);

    jet::Connection db("Data Source=" + path);
    db.open();
    for (const TableDef &t : Tables()) {
        std::vector<jet::Column> columns = db.columns(t.name);
        ASSERT_EQ(columns.size(), t.columns.size()) << qPrintable(t.name);
        for (size_t i = 0; i < columns.size(); ++i)
            EXPECT_EQ(columns[i].name, t.columns[i].name) << qPrintable(t.name);
    }
    EXPECT_EQ(scalar(db, "SELECT CentreName FROM CentreInfo").toString(), "New Ovix User");
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM CentreInfo").toInt(), 1);
    EXPECT_EQ(scalar(db, "SELECT DataVersion FROM CentreInfo").toString(), "6.2");
    EXPECT_TRUE(scalar(db, "SELECT Updated58 FROM CentreInfo").isNull());
    EXPECT_EQ(scalar(db, "SELECT Updated62c FROM CentreInfo").toInt(), 1);
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM Days").toInt(), 11);
    EXPECT_EQ(scalar(db, "SELECT Sequence FROM Days WHERE DayName = 'Other'").toInt(), 10);
    EXPECT_EQ(scalar(db, "SELECT ActivityName FROM Activities").toString(), "Learn to Swim");
    EXPECT_EQ(scalar(db, "SELECT AreaID FROM PoolAreas WHERE AreaName = 'Main Pool'").toInt(), 1);
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM Discounts").toInt(), 7);
    EXPECT_EQ(scalar(db, "SELECT Name FROM Users WHERE UserID = 'i'").toString(), "Default User");
    EXPECT_EQ(scalar(db, "SELECT Discounts FROM Users WHERE UserID = 'a'").toInt(), 1);
    EXPECT_EQ(scalar(db, "SELECT TaxPercentage FROM TaxCode WHERE TaxCode = 'GST'").toInt(), 10);
}

TEST_F(Template, RefusesDuplicatesThatWindowsReportAsSuch)
{
    const QString path = dir.file("template.mdb");
    CreateTemplate(path);
    jet::Connection db("Data Source=" + path);
    db.open();
    const char *const duplicates[] = {
        "INSERT INTO TaxCode (TaxCode, Description) VALUES ('gst', 'Another')",
        "INSERT INTO TaxCode (TaxCode, Description) VALUES ('XYZ', 'GST Free')",
        "INSERT INTO Users (UserID, Name) VALUES ('I', 'Second')",
        "INSERT INTO Accounts (AccountNo, Name) VALUES ('1', 'Bank'); "
        "INSERT INTO Accounts (AccountNo, Name) VALUES ('1', 'Other')",
        "INSERT INTO Levels (Description) VALUES ('Level 1'); "
        "INSERT INTO Levels (Description) VALUES ('LEVEL 1')",
        "INSERT INTO BankLink (PaymentType) VALUES ('Cash'); "
        "INSERT INTO BankLink (PaymentType) VALUES ('Cash')",
        "INSERT INTO Accounts (AccountNo, Name) VALUES ('2', 'Bank')",
    };
    for (const char *sql : duplicates) {
        const QStringList statements = QString::fromLatin1(sql).split("; ");
        for (int i = 0; i + 1 < statements.size(); ++i)
            ASSERT_EQ(failureOf(db, statements[i]), 0) << statements[i].toStdString();
        EXPECT_EQ(failureOf(db, statements.last()), jet::err::Unspecified) << sql;
    }
    // Names that may repeat.
    EXPECT_EQ(failureOf(db, "INSERT INTO Discounts (DiscountName) VALUES ('Staff discount')"), 0);
}

TEST_F(Template, IsNotLeftHalfMadeWhenItCannotBeWritten)
{
    const QString path = dir.file("missing-folder/new.md_");
    EXPECT_THROW(CreateTemplate(path), jet::Error);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(path + ".part"));
}
