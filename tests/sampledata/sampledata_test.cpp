#include "core/centresettings.h"
#include "core/envguard.h"
#include "core/globaldata.h"
#include "core/upgrade.h"
#include "sampledata/sampledata.h"
#include "platform/jet/connection.h"
#include "platform/ui/dialogscript.h"
#include "support/tempdir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <map>
#include <sqlite3.h>

namespace {

// Plain SQLite on the generated file, so that the checks do not lean on the engine that
// wrote it.
class RawFile
{
public:
    explicit RawFile(const QString &path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
    }
    ~RawFile() { sqlite3_close_v2(m_db); }

    // The first column of the first row, as text ("" without a row).
    QString scalar(const char *sql) const
    {
        const QStringList rows = column(sql);
        return rows.isEmpty() ? QString() : rows.front();
    }
    qint64 count(const char *sql) const { return scalar(sql).toLongLong(); }
    QStringList column(const char *sql) const
    {
        QStringList out;
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql << ": " << sqlite3_errmsg(m_db);
            return out;
        }
        while (sqlite3_step(st) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        return out;
    }
    // Every row of every table, in key order, as text by table.
    std::map<QString, QString> dump() const
    {
        std::map<QString, QString> tables;
        for (const QString &table :
             column("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
            QString &out = tables[table];
            // Every open writes the students' key counter again: its value counts, not
            // where its row lies.
            const QByteArray order = table == "sqlite_sequence" ? "name" : "rowid";
            const QByteArray sql = "SELECT * FROM \"" + table.toUtf8() + "\" ORDER BY " + order;
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(m_db, sql.constData(), -1, &st, nullptr);
            while (st && sqlite3_step(st) == SQLITE_ROW) {
                for (int i = 0; i < sqlite3_column_count(st); ++i)
                    out += QString::fromUtf8(
                               reinterpret_cast<const char *>(sqlite3_column_text(st, i))) +
                           "|";
                out += "\n";
            }
            sqlite3_finalize(st);
        }
        return tables;
    }

private:
    sqlite3 *m_db = nullptr;
};

class SampleFile : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new ovix::test::TempDir;
        s_path = s_dir->file("sample.mdb");
        SampleData::Generate(s_path, SampleData::Options{});
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    static ovix::test::TempDir *s_dir;
    static QString s_path;
};

ovix::test::TempDir *SampleFile::s_dir = nullptr;
QString SampleFile::s_path;

} // namespace

TEST_F(SampleFile, PassesTheStructureVerificationWithoutAChange)
{
    // A copy, so that the other tests read the file as generated.
    ovix::test::TempDir dir;
    const QString copy = dir.file("default.mdb");
    ASSERT_TRUE(QFile::copy(s_path, copy));
    EnvGuard home("OVIXIAN_HOME", (dir.path() + "/home").toUtf8());
    const auto before = RawFile(copy).dump();

    Global::DatabaseType = "Jet";
    Global::CurrentUserId = "i";
    Global::CurrentDataFile = "default.mdb";
    Global::CentreSettings().setDataFilesDirectory(dir.path());
    Global::DbConnection().open("Data Source=" + copy);
    int result = -1;
    {
        ui::DialogScript script; // any box fails the test
        result = imodData::VerifyDatabase();
        EXPECT_TRUE(script.shown().isEmpty());
    }
    Global::DropDbConnection();
    Global::DatabaseType.clear();
    Global::CurrentUserId.clear();
    Global::CurrentDataFile.clear();
    Global::CentreSettings().setDataFilesDirectory({});

    EXPECT_EQ(result, 0);
    const auto after = RawFile(copy).dump();
    EXPECT_EQ(after.size(), before.size());
    for (const auto &[table, rows] : before)
        EXPECT_TRUE(after.count(table) && after.at(table) == rows) << table.toStdString();
    EXPECT_FALSE(QFile::exists(dir.path() + "/home/Backups"));
}

TEST_F(SampleFile, RowsHoldTogether)
{
    const RawFile db(s_path);
    struct Check
    {
        const char *what;
        const char *sql; // counts the rows that break the rule
    };
    const Check checks[] = {
        {"booking without its class",
         "SELECT Count(*) FROM Bookings WHERE ClassID NOT IN (SELECT ClassID FROM Classes)"},
        {"booking without its student",
         "SELECT Count(*) FROM Bookings WHERE StudentID NOT IN (SELECT StudentID FROM Students "
         "WHERE Student = 'Y')"},
        {"ledger row without its booking",
         "SELECT Count(*) FROM Payments WHERE BookingID <> 0 AND BookingID NOT IN "
         "(SELECT BookingID FROM Bookings)"},
        {"ledger row of another student than its booking's",
         "SELECT Count(*) FROM Payments P JOIN Bookings B ON B.BookingID = P.BookingID "
         "WHERE P.SID <> B.StudentID"},
        {"joining fee row not marked or of no student",
         "SELECT Count(*) FROM Payments WHERE BookingID = 0 AND (PassportFee <> 1 OR SID NOT IN "
         "(SELECT StudentID FROM Students WHERE Student = 'Y'))"},
        {"child without a family",
         "SELECT Count(*) FROM Students WHERE Student = 'Y' AND Family = 0"},
        {"family member pointing to no family row",
         "SELECT Count(*) FROM Students S WHERE Family <> 0 AND NOT EXISTS (SELECT 1 FROM "
         "Students F WHERE F.StudentID = S.Family AND F.Vendor = 'Y' AND F.Family = 0)"},
        {"booking whose Owing is not the net of its ledger rows",
         "SELECT Count(*) FROM Bookings B WHERE abs(B.Owing - (SELECT "
         "coalesce(Sum(ChargeAmount - Amount - DiscountAmount - DiscountGST), 0) FROM Payments "
         "WHERE BookingID = B.BookingID)) > 0.00005"},
        {"waiting, catch-up or moved booking that owes",
         "SELECT Count(*) FROM Bookings WHERE Status IN ('Waiting', 'Catch Up', 'Moved') AND "
         "Owing <> 0"},
        {"charge row not written as the ledger writes charges",
         "SELECT Count(*) FROM Payments WHERE Type = 'C' AND (Amount <> 0 OR DiscountAmount <> 0 "
         "OR ReceiptNo NOT IN ('Charge', 'Moved'))"},
        {"catch-up without its session",
         "SELECT Count(*) FROM Bookings WHERE (Status = 'Catch Up') <> (SessionNo > 0)"},
        {"cancelled booking without its date",
         "SELECT Count(*) FROM Bookings WHERE (Status = 'Cancelled') <> (CancelDate IS NOT NULL)"},
        {"attendance of no booking or of another student",
         "SELECT Count(*) FROM Attend A LEFT JOIN Bookings B ON B.BookingID = A.BKID "
         "WHERE B.BookingID IS NULL OR B.StudentID <> A.StudentID OR B.Status = 'Waiting'"},
        {"attendance twice for one session",
         "SELECT Count(*) FROM (SELECT BKID, Session FROM Attend GROUP BY BKID, Session "
         "HAVING Count(*) > 1)"},
        {"attendance of a session after the program's last",
         "SELECT Count(*) FROM Attend A JOIN Bookings B ON B.BookingID = A.BKID JOIN Classes C "
         "ON C.ClassID = B.ClassID JOIN Programs P ON P.ProgramID = C.ProgramID "
         "WHERE A.Session < 1 OR A.Session > P.Sessions"},
        {"class of no program, day pattern, class group or pool",
         "SELECT Count(*) FROM Classes WHERE ProgramID NOT IN (SELECT ProgramID FROM Programs) "
         "OR Day NOT IN (SELECT DayName FROM Days) OR Description NOT IN (SELECT Description "
         "FROM ClassGroups) OR PoolArea NOT IN (SELECT AreaID FROM PoolAreas)"},
        {"class without an instructor link",
         "SELECT Count(*) FROM Classes WHERE ClassID NOT IN (SELECT ClassID FROM InstructorLink "
         "WHERE InstructorID IN (SELECT InstructorID FROM Instructors))"},
        {"instructor without a staff row",
         "SELECT Count(*) FROM Instructors WHERE StudentID NOT IN (SELECT StudentID FROM "
         "Students WHERE Employee = 'Y')"},
        {"assessment of no student, level or class",
         "SELECT Count(*) FROM Assessments WHERE StudentID NOT IN (SELECT StudentID FROM "
         "Students) OR LevelID NOT IN (SELECT LevelID FROM Levels) OR ClassID NOT IN (SELECT "
         "ClassID FROM Classes)"},
        {"criterion result of no assessment or not of its level",
         "SELECT Count(*) FROM AssessCrit C LEFT JOIN Assessments A ON A.AssessmentID = "
         "C.AssessmentID WHERE A.AssessmentID IS NULL OR NOT EXISTS (SELECT 1 FROM "
         "LevelCriterion L WHERE L.Level = A.LevelID AND L.CriterionName = C.Text)"},
        {"payment of an unknown method",
         "SELECT Count(*) FROM Payments WHERE Type = 'P' AND ReceiptNo NOT IN ('', 'Moved') AND "
         "Method NOT IN (SELECT PaymentType FROM BankLink)"},
    };
    for (const Check &c : checks)
        EXPECT_EQ(db.count(c.sql), 0) << c.what;

    // Every status a booking can be in is there, and the ledger as a whole adds up.
    EXPECT_EQ(db.column("SELECT DISTINCT Status FROM Bookings ORDER BY Status"),
              QStringList({"Cancelled", "Catch Up", "Confirmed", "Moved", "Waiting"}));
    EXPECT_EQ(db.count("SELECT round((SELECT Sum(ChargeAmount - Amount - DiscountAmount - "
                       "DiscountGST) FROM Payments WHERE BookingID <> 0) - (SELECT Sum(Owing) "
                       "FROM Bookings), 4) <> 0"),
              0);
    EXPECT_GT(db.count("SELECT Count(*) FROM Payments WHERE DiscountAmount > 0"), 0);
    EXPECT_GT(db.count("SELECT Count(*) FROM Bookings WHERE Owing < 0"), 0); // credits held
}

TEST_F(SampleFile, IsASmallCentreOfThisTermAndTheLast)
{
    const RawFile db(s_path);
    EXPECT_EQ(db.count("SELECT Count(*) FROM Programs"), 2);
    EXPECT_EQ(db.count("SELECT Count(*) FROM Classes WHERE ProgramID = 2"), 40);
    // Most classes show the booking status panel; a few keep the waiting-list look.
    EXPECT_EQ(db.count("SELECT Count(*) FROM Classes WHERE ProgramID = 2 AND WaitingList = 1"), 4);
    EXPECT_EQ(db.count("SELECT Count(*) FROM Classes WHERE ProgramID = 2 AND WaitingList = 0"), 36);
    const qint64 children = db.count("SELECT Count(*) FROM Students WHERE Student = 'Y'");
    EXPECT_GE(children, 200);
    EXPECT_LE(children, 500);
    // The fixed day lies in the current term's fourth week.
    const QDate today = SampleData::Options::FixedToday();
    const QDate start = QDate::fromString(
        db.scalar("SELECT StartDate FROM Programs WHERE ProgramID = 2").left(10), Qt::ISODate);
    EXPECT_GE(start.daysTo(today), 21);
    EXPECT_LT(start.daysTo(today), 28);
    EXPECT_EQ(db.scalar("SELECT CentreName FROM CentreInfo"), "Bluewater Swim School");
    EXPECT_EQ(db.scalar("SELECT DefaultProgramName FROM CentreInfo"),
              db.scalar("SELECT Program FROM Programs WHERE ProgramID = 2"));
    // Nothing is dated after the day the file was made for.
    EXPECT_EQ(db.count("SELECT Count(*) FROM Payments WHERE Date > '" +
                       today.toString(Qt::ISODate).toUtf8() + "'"),
              0);
}

TEST(SampleData, OneSeedGivesOneFile)
{
    ovix::test::TempDir dir;
    SampleData::Options options;
    options.seed = 7;
    SampleData::Generate(dir.file("a.mdb"), options);
    SampleData::Generate(dir.file("b.mdb"), options);
    options.seed = 8;
    SampleData::Generate(dir.file("c.mdb"), options);
    const auto a = RawFile(dir.file("a.mdb")).dump();
    EXPECT_EQ(a, RawFile(dir.file("b.mdb")).dump());
    EXPECT_NE(a, RawFile(dir.file("c.mdb")).dump());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"a.mdb", "b.mdb", "c.mdb"}));
}

TEST(SampleData, InstallWritesTheFileOnlyWhenMissing)
{
    ovix::test::TempDir dir;
    const QString folder = dir.path() + "/appdata";
    const QString path = SampleData::InstallSampleFile(folder);
    ASSERT_EQ(path, folder + "/sample.mdb");
    // Dated around the real day: the current term started three to four weeks ago.
    const QDate start = QDate::fromString(
        RawFile(path).scalar("SELECT Max(StartDate) FROM Programs").left(10), Qt::ISODate);
    EXPECT_GE(start.daysTo(QDate::currentDate()), 21);
    EXPECT_LT(start.daysTo(QDate::currentDate()), 28);

    // A file that is there is kept as it is.
    QFile::remove(path);
    dir.write("appdata/sample.mdb", "kept");
    EXPECT_EQ(SampleData::InstallSampleFile(folder), path);
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "kept");
}

TEST(SampleData, AFileThatCannotBeWrittenGivesNoPath)
{
    ovix::test::TempDir dir;
    dir.write("blocked", "a file where the folder should be");
    EXPECT_EQ(SampleData::InstallSampleFile(dir.file("blocked")), QString());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"blocked"}));
}
