#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/structure.h"
#include "core/upgrade.h"
#include "datafile.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace {

QVariant scalar(const QString &sql)
{
    jet::Recordset rs(Global::DbConnection(), sql);
    return rs.eof() ? QVariant() : rs.value(0);
}

// Every row of every table as text, for comparing a file before and after.
QString dumpFile()
{
    auto &db = Global::DbConnection();
    QString out;
    for (const QString &table : db.tables()) {
        out += "== " + table + "\n";
        jet::Recordset rs(db, "SELECT * FROM [" + table + "]");
        while (!rs.eof()) {
            for (int i = 0; i < rs.fieldCount(); ++i)
                out += rs.value(i).toString() + "|";
            out += "\n";
            rs.moveNext();
        }
    }
    return out;
}

QStringList backups(const QString &home)
{
    return QDir(home + "/Backups").entryList({"*autobackup*.mdb"}, QDir::Files);
}

} // namespace

// A data file as an older version of the program left it: the base tables with their base
// columns and a few columns that later versions dropped, and some rows.
class Verify : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        Global::DateFormat = "d/mm/yyyy";
        Global::CentreSettings().setShortAppName("Ovix");
        imodData::SetVerifyCaption([this](const QString &c) { captions << c; });
        imodData::SetProgramEnd([this](int code) { programEnd = code; });
    }
    void TearDown() override
    {
        imodData::SetVerifyCaption({});
        imodData::SetProgramEnd({});
        Global::DateFormat.clear();
        DataFileTest::TearDown();
    }

    QString home() const { return dir.path() + "/home"; }

    void makeOldFile()
    {
        auto &db = Global::DbConnection();
        for (const auto &t : imodStructure::Tables()) {
            if (t.added)
                continue;
            db.execute(imodStructure::CreateTableSql(t, true));
            for (const QString &sql : imodStructure::CreateIndexSql(t, true))
                db.execute(sql);
        }
        for (const char *sql : {
                 "ALTER TABLE ClassGroups ADD COLUMN MinAge INT",
                 "ALTER TABLE ClassGroups ADD COLUMN MaxAge INT",
                 "ALTER TABLE ClassGroups ADD COLUMN DisplayUnit NVARCHAR(10)",
                 "ALTER TABLE Classes ADD COLUMN FinishTime DATE",
                 "ALTER TABLE Students ADD COLUMN ThankYouCardSent NVARCHAR(1)",
                 "ALTER TABLE Students ADD COLUMN SchoolCode NVARCHAR(10)",
                 "INSERT INTO CentreInfo (CentreName, Postcode) VALUES ('Old Pool', '4000')",
                 "INSERT INTO Users (UserID, Name, Password, Admin) VALUES ('bob', 'Bob', 'x', 1)",
                 "INSERT INTO Programs (Program, StartDate) VALUES ('Term 1', #2009-02-01#)",
                 "INSERT INTO Programs (Program, TaxCode) VALUES ('Undated', 'GST')",
                 "INSERT INTO Classes (Description, ProgramID, InstructorID, [Day]) "
                 "VALUES ('Level 1', 1, 7, 'Monday')",
                 "INSERT INTO Classes (Description, ProgramID, InstructorID, [Day]) "
                 "VALUES ('Level 2', 2, 0, 'Tuesday')",
                 "INSERT INTO ClassGroups (Description, MinAge) VALUES ('Level 1', 3)",
                 "INSERT INTO Levels (Description) VALUES ('Level 1')",
                 "INSERT INTO WaterTesting (pH) VALUES (7.2)",
                 "INSERT INTO Instructors (StudentID, UserID) VALUES (6, 'bob')",
                 "INSERT INTO QualRec (InstructorID, Qualification) VALUES (1, 'Swim teacher')",
                 "INSERT INTO TaxCode (TaxCode, Description, TaxPercentage) "
                 "VALUES ('GST', 'Goods and Services Tax', 10)",
             })
            db.execute(QLatin1String(sql));
        db.execute("UPDATE Programs SET TaxCode = 'GST'");
        // Students: 1 the centre itself; 2 and 3 share a phone; 4 has a phone with quotes;
        // 5 has no phone; 6 is an instructor.
        const char *const students[][5] = {
            {"Centre", "Row", "", "", "Y"},
            {"Tom", "Lee", "555 1234", "Ann & Bob Lee", "Y"},
            {"Sue", "Lee", "555 1234", "", "Y"},
            {"Max", "O'Neil", "55'5 \"9\"", "Smith", "Y"},
            {"Ned", "Nobody", "", "Some Parent", "Y"},
            {"Ian", "Teacher", "", "", "N"},
        };
        for (const auto &s : students)
            db.execute(QString("INSERT INTO Students ([First Name], [Last Name], [Home Phone], "
                               "[Parents Name], Student, Address, Postcode) VALUES ('%1', '%2', "
                               "'%3', '%4', '%5', '1 Pool St', '4000')")
                           .arg(QString(s[0]), QString(s[1]).replace("'", "''"),
                                QString(s[2]).replace("'", "''"), QString(s[3]), QString(s[4])));
        db.execute("INSERT INTO Bookings (StudentID, ClassID, Status) VALUES (2, 1, 'Confirmed')");
        db.execute("INSERT INTO Payments (BookingID, Amount, DepositAccount) VALUES (1, 20, "
                   "'11100')");
        db.execute("INSERT INTO Payments (BookingID, Amount) VALUES (99, 5)");
        // Older files spell the deposit account's column so.
        db.renameColumn("Payments", "DepositAccount", "DepositAccout");
    }

    // The columns of every table compared with those of a new file's template.
    void expectCurrentStructure()
    {
        const QString templatePath = dir.file("compare.mdb");
        QFile::remove(templatePath);
        imodStructure::CreateTemplate(templatePath);
        jet::Connection current("Data Source=" + templatePath);
        current.open();
        auto &db = Global::DbConnection();
        EXPECT_EQ(db.tables(), current.tables());
        for (const QString &table : current.tables()) {
            const auto want = current.columns(table);
            const auto have = db.columns(table);
            ASSERT_EQ(have.size(), want.size()) << qPrintable(table);
            for (size_t i = 0; i < want.size(); ++i) {
                EXPECT_EQ(have[i].name, want[i].name) << qPrintable(table) << " " << i;
                EXPECT_EQ(have[i].type, want[i].type) << qPrintable(have[i].name);
            }
        }
    }

    QStringList captions;
    int programEnd = 0;
};

TEST_F(Verify, BringsAnOldFileToTheCurrentStructure)
{
    makeOldFile();
    ui::DialogScript script;
    script.answer(ui::vbOK); // "Older File": Updated58 is created as 0

    EXPECT_EQ(imodData::VerifyDatabase(), 0);
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].title, "Older File");
    EXPECT_EQ(script.shown()[0].text, "This data file was created with an older version of Ovix. "
                                      "Please contact Ovix support to have it upgraded.");
    EXPECT_EQ(Global::CurrentUserId, "i");
    expectCurrentStructure();

    // Settings: flags, one-time values and defaults.
    EXPECT_EQ(scalar("SELECT DataVersion FROM CentreInfo").toString(), "6.2");
    for (const char *flag : {"Updated61", "Updated62", "Updated62b", "Updated62c"})
        EXPECT_EQ(scalar(QString("SELECT %1 FROM CentreInfo").arg(flag)).toInt(), 1) << flag;
    EXPECT_EQ(scalar("SELECT Updated58 FROM CentreInfo").toInt(), 0);
    EXPECT_EQ(scalar("SELECT OverdueDays FROM CentreInfo").toInt(), 21);
    EXPECT_EQ(scalar("SELECT FormatOfDate FROM CentreInfo").toString(), "d/mm/yyyy");
    EXPECT_EQ(scalar("SELECT InvoiceMessage FROM CentreInfo").toString(),
              "Thank You For Your Business.");
    EXPECT_EQ(scalar("SELECT ShowPayEFT FROM CentreInfo").toInt(), 1);
    EXPECT_EQ(scalar("SELECT EmailOutgoingPort FROM CentreInfo").toString(), "25");

    // Added tables with their seeds.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Days").toInt(), 11);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Discounts").toInt(), 7);
    EXPECT_EQ(scalar("SELECT AreaID FROM PoolAreas WHERE AreaName = 'Main Pool'").toInt(), 1);
    EXPECT_EQ(scalar("SELECT ActivityName FROM Activities").toString(), "Learn to Swim");

    // Fills of the core tables.
    EXPECT_EQ(scalar("SELECT AmountOverdue FROM Programs WHERE ProgramID = 1").toDateTime().date(),
              QDate(2009, 2, 22));
    EXPECT_TRUE(scalar("SELECT AmountOverdue FROM Programs WHERE ProgramID = 2").isNull());
    EXPECT_EQ(scalar("SELECT PoolArea FROM Classes WHERE ClassID = 1").toInt(), 1);
    EXPECT_EQ(scalar("SELECT ActivityName FROM Classes WHERE ClassID = 2").toString(),
              "Learn to Swim");
    EXPECT_EQ(scalar("SELECT DurationMins FROM Classes WHERE ClassID = 2").toInt(), 30);
    EXPECT_EQ(scalar("SELECT MaxInClass FROM ClassGroups").toInt(), 0);
    EXPECT_EQ(scalar("SELECT Stream FROM Levels").toInt(), 1);
    EXPECT_EQ(scalar("SELECT PoolArea FROM WaterTesting").toInt(), 1);
    EXPECT_EQ(scalar("SELECT ShowInOOE FROM Instructors").toInt(), 1);
    EXPECT_EQ(scalar("SELECT EnrolledByUserID FROM Bookings").toString(), "I");
    EXPECT_EQ(scalar("SELECT MoveBooking FROM Users").toInt(), 1);
    EXPECT_EQ(scalar("SELECT DeleteOOE FROM Users").toInt(), 0);
    EXPECT_EQ(scalar("SELECT SID FROM Payments WHERE PaymentID = 1").toInt(), 2);
    EXPECT_EQ(scalar("SELECT TaxCode FROM Payments WHERE PaymentID = 1").toString(), "GST");
    EXPECT_EQ(scalar("SELECT DepositAccount FROM Payments WHERE PaymentID = 1").toString(),
              "11100");
    EXPECT_EQ(scalar("SELECT [Type] FROM Payments WHERE PaymentID = 1").toString(), "P");
    EXPECT_EQ(scalar("SELECT SID FROM Payments WHERE PaymentID = 2").toInt(), 0);
    EXPECT_TRUE(scalar("SELECT TaxCode FROM Payments WHERE PaymentID = 2").isNull());
    EXPECT_EQ(scalar("SELECT Student FROM Students WHERE StudentID = 1").toString(), "N");
    EXPECT_EQ(scalar("SELECT Employee FROM Students WHERE StudentID = 6").toString(), "Y");
    EXPECT_EQ(scalar("SELECT [Postcode] FROM Students WHERE StudentID = 2").toString(), "4000");

    // Class/instructor links: each class's former instructor.
    EXPECT_EQ(scalar("SELECT InstructorID FROM InstructorLink WHERE ClassID = 1").toInt(), 7);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM InstructorLink").toInt(), 2);

    // Families: one per phone number whose first student names parents.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Students WHERE Vendor = 'Y'").toInt(), 2);
    const int lee = scalar("SELECT Family FROM Students WHERE StudentID = 2").toInt();
    EXPECT_EQ(scalar("SELECT Family FROM Students WHERE StudentID = 3").toInt(), lee);
    EXPECT_EQ(scalar(QString("SELECT [First Name] & '/' & [Last Name] & '/' & Address FROM "
                             "Students WHERE StudentID = %1")
                         .arg(lee))
                  .toString(),
              "Ann & Bob/Lee/1 Pool St");
    const int oneil = scalar("SELECT Family FROM Students WHERE StudentID = 4").toInt();
    EXPECT_GT(oneil, 0);
    EXPECT_EQ(scalar(QString("SELECT [Last Name] FROM Students WHERE StudentID = %1").arg(oneil))
                  .toString(),
              "O'Neil");
    EXPECT_EQ(scalar("SELECT Family FROM Students WHERE StudentID = 5").toInt(), 0);

    // The key is reseeded after the highest one.
    Global::DbConnection().execute("INSERT INTO Students ([First Name]) VALUES ('New')");
    EXPECT_EQ(scalar("SELECT MAX(StudentID) FROM Students").toInt(), 9);

    // One automatic backup before the programs step, used by the payments step too, and a
    // complete data file of the file as it was.
    const QStringList made = backups(home());
    ASSERT_EQ(made.size(), 1);
    EXPECT_TRUE(made[0].startsWith("autobackupdefaultmdb"));
    jet::Connection copy("Data Source=" + home() + "/Backups/" + made[0]);
    copy.open();
    EXPECT_EQ(copy.columns("Programs").size(), 17u);
    EXPECT_EQ(copy.columns("Payments").size(), 17u);

    EXPECT_EQ(captions.first(), "Verifying Database Structure - Global Settings...");
    EXPECT_TRUE(captions.contains("Updating Database Structure - Charges and Payments..."));
    EXPECT_TRUE(captions.contains("Creating Family Groupings (2 of 2)..."));
    EXPECT_EQ(captions.last(), "Verifying Database Structure - Class/Instructor Links...");
    EXPECT_EQ(programEnd, 0);
}

TEST_F(Verify, ASecondVerificationChangesNothing)
{
    makeOldFile();
    {
        ui::DialogScript script;
        script.answer(ui::vbOK);
        ASSERT_EQ(imodData::VerifyDatabase(), 0);
    }
    const QString before = dumpFile();
    const auto structure = Global::DbConnection().columns("Students");
    ui::DialogScript script;
    script.answer(ui::vbOK); // "Older File" at every open of such a file
    EXPECT_EQ(imodData::VerifyDatabase(), 0);
    EXPECT_EQ(script.shown().size(), 1);
    EXPECT_EQ(dumpFile(), before);
    EXPECT_EQ(Global::DbConnection().columns("Students").size(), structure.size());
    EXPECT_EQ(backups(home()).size(), 1);
}

TEST_F(Verify, ANewFileFromTheTemplateOpensWithoutAnything)
{
    Global::DropDbConnection();
    QFile::remove(dataFile);
    imodStructure::CreateTemplate(dataFile);
    Global::DbConnection().open("Data Source=" + dataFile);
    const QString before = dumpFile();

    ui::DialogScript script;
    EXPECT_EQ(imodData::VerifyDatabase(), 0);
    EXPECT_TRUE(script.shown().isEmpty());
    EXPECT_EQ(dumpFile(), before);
    EXPECT_TRUE(backups(home()).isEmpty());
}

TEST_F(Verify, EveryOpenFillsPutBackWhatUsersChanged)
{
    Global::DropDbConnection();
    QFile::remove(dataFile);
    imodStructure::CreateTemplate(dataFile);
    auto &db = Global::DbConnection();
    db.open("Data Source=" + dataFile);
    for (const char *sql : {
             "UPDATE Days SET Sequence = 5 WHERE DayName = 'Monday'",
             "DELETE FROM Days WHERE DayName = 'Mon-Fri'",
             "DELETE FROM Days WHERE DayName = 'Sunday'",
             "INSERT INTO Days (DayName, Sequence) VALUES ('Weekend', 20)",
             "INSERT INTO Classes (Description, ProgramID) VALUES ('Level 1', 1)",
             "INSERT INTO Activities (ActivityName) VALUES ('Aqua''s Club')",
             "INSERT INTO ClassGroups (Description) VALUES ('Level 1')",
             "INSERT INTO MemTypes (MemTypeName, MemType, Duration) VALUES ('Pass', 1, 1)",
             "INSERT INTO Students ([First Name], Inactive) VALUES ('Ian', 1)",
             "INSERT INTO Instructors (StudentID) VALUES (1)",
             "INSERT INTO QualRec (InstructorID, Inactive) VALUES (1, 0)",
             "UPDATE CentreInfo SET AssessGenCount = 5, OverdueDays = Null",
             "INSERT INTO Bookings (StudentID, ClassID) VALUES (1, 1)",
             "INSERT INTO Payments (BookingID, SID) VALUES (1, 9)",
         })
        db.execute(QLatin1String(sql));

    ui::DialogScript script;
    EXPECT_EQ(imodData::VerifyDatabase(), 0);
    EXPECT_EQ(scalar("SELECT Sequence FROM Days WHERE DayName = 'Monday'").toInt(), 0);
    EXPECT_EQ(scalar("SELECT Sequence FROM Days WHERE DayName = 'Mon-Fri'").toInt(), 9);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Days WHERE DayName = 'Sunday'").toInt(), 0);
    EXPECT_EQ(scalar("SELECT Sequence FROM Days WHERE DayName = 'Weekend'").toInt(), 20);
    EXPECT_EQ(scalar("SELECT InstructorID FROM InstructorLink").toInt(), 1);
    EXPECT_EQ(scalar("SELECT ActivityName FROM Classes").toString(), "Aqua's Club"); // the first
    EXPECT_EQ(scalar("SELECT DurationMins FROM Classes").toInt(), 30);
    EXPECT_EQ(scalar("SELECT MaxInClass FROM ClassGroups").toInt(), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM MemTypes").toInt(), 0);
    EXPECT_EQ(scalar("SELECT Inactive FROM QualRec").toInt(), 1);
    EXPECT_EQ(scalar("SELECT AssessGenCount FROM CentreInfo").toInt(), 1);
    EXPECT_EQ(scalar("SELECT OverdueDays FROM CentreInfo").toInt(), 21);
    EXPECT_EQ(scalar("SELECT SID FROM Payments").toInt(), 1); // the booking's student
}

TEST_F(Verify, ANewerFileIsOpenedAfterAWarning)
{
    Global::DropDbConnection();
    QFile::remove(dataFile);
    imodStructure::CreateTemplate(dataFile);
    auto &db = Global::DbConnection();
    db.open("Data Source=" + dataFile);
    for (int i = 1; i <= 4; ++i)
        db.execute(QString("ALTER TABLE CentreInfo ADD COLUMN Later%1 INT").arg(i));

    ui::DialogScript script;
    script.answer(ui::vbOK);
    EXPECT_EQ(imodData::VerifyDatabase(), 0);
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].title, "Newer Data File");
    EXPECT_EQ(script.shown()[0].icon, ui::vbInformation);
    EXPECT_EQ(script.shown()[0].text,
              "This data file is newer than this version of Ovix is designed to read. It is "
              "advised that you upgrade the Ovix software on this computer to ensure that data "
              "integrity is maintained and no errors occur.");
}

TEST_F(Verify, AMissingTableStopsWithResult91)
{
    makeOldFile();
    Global::DbConnection().execute("DROP TABLE Levels");
    ui::DialogScript script;
    script.answer(ui::vbOK);
    EXPECT_EQ(imodData::VerifyDatabase(), 91);
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].title, "Could not lock table");
    EXPECT_TRUE(script.shown()[0].text.startsWith(
        "Ovix encountered an error when loading the database. This could be because the "
        "database is exclusively locked by another user.\r\nError 91 "));
    EXPECT_EQ(Global::CurrentUserId, "i");
    EXPECT_EQ(captions.last(), "Verifying Database Structure - Award Levels...");
}

TEST_F(Verify, AFailedBackupStopsBeforeTheProgramsStep)
{
    makeOldFile();
    QDir().mkpath(home());
    QFile blocker(home() + "/Backups");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();

    ui::DialogScript script;
    script.answer(ui::vbOK);
    EXPECT_EQ(imodData::VerifyDatabase(), 625);
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].title, "Oops!");
    EXPECT_EQ(script.shown()[0].text, "Your data file could not be backed up and as a precaution "
                                      "Ovix did not continue with the upgrade operation.");
    EXPECT_EQ(Global::CurrentUserId, "i");
    EXPECT_EQ(Global::DbConnection().columns("Bookings").size(), 11u); // done before
    EXPECT_EQ(Global::DbConnection().columns("Programs").size(), 17u); // not done
    EXPECT_EQ(Global::DbConnection().columns("Students").size(), 25u);
}

TEST_F(Verify, AVersionBlockIsMarkedOnlyWhenItsWorkIsInPlace)
{
    makeOldFile();
    // A long postcode is never cut: the narrowing waits.
    Global::DbConnection().execute("UPDATE Students SET Postcode = 'SW1A 1AA' WHERE StudentID = 5");
    {
        ui::DialogScript script;
        script.answer(ui::vbOK);
        ASSERT_EQ(imodData::VerifyDatabase(), 0);
    }
    EXPECT_EQ(scalar("SELECT Updated62b FROM CentreInfo").toInt(), 0);
    EXPECT_EQ(scalar("SELECT Postcode FROM Students WHERE StudentID = 5").toString(), "SW1A 1AA");

    // A block whose tables exist already is marked done: it is not left to do forever.
    auto &db = Global::DbConnection();
    db.execute("UPDATE CentreInfo SET Updated61 = 0");
    db.execute("UPDATE Students SET Postcode = '2000' WHERE StudentID = 5");
    ui::DialogScript script;
    script.answer(ui::vbOK);
    ASSERT_EQ(imodData::VerifyDatabase(), 0);
    EXPECT_EQ(scalar("SELECT Updated61 FROM CentreInfo").toInt(), 1);
    EXPECT_EQ(scalar("SELECT Updated62b FROM CentreInfo").toInt(), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM PoolAreas").toInt(), 1);
}

TEST_F(Verify, StudentKeyReseedHandlesAnEmptyTableAndDeletedRows)
{
    Global::DropDbConnection();
    QFile::remove(dataFile);
    imodStructure::CreateTemplate(dataFile);
    auto &db = Global::DbConnection();
    db.open("Data Source=" + dataFile);
    {
        ui::DialogScript script; // no "Data Error" for the empty table
        EXPECT_EQ(imodData::VerifyDatabase(), 0);
        EXPECT_TRUE(script.shown().isEmpty());
    }
    db.execute("INSERT INTO Students (StudentID, [First Name]) VALUES (500, 'A')");
    db.execute("INSERT INTO Students (StudentID, [First Name]) VALUES (600, 'B')");
    db.execute("DELETE FROM Students WHERE StudentID = 600");
    ui::DialogScript script;
    EXPECT_EQ(imodData::VerifyDatabase(), 0);
    db.execute("INSERT INTO Students ([First Name]) VALUES ('C')");
    EXPECT_EQ(scalar("SELECT MAX(StudentID) FROM Students").toInt(), 501);
}

TEST_F(Verify, AutoBackupCopiesOncePerVerification)
{
    makeOldFile();
    imodData::VerifyState() = {};
    ASSERT_TRUE(imodData::AutoBackup());
    ASSERT_TRUE(imodData::AutoBackup());
    EXPECT_EQ(backups(home()).size(), 1);
    imodData::VerifyState() = {}; // a new verification copies again
    QFile::rename(home() + "/Backups/" + backups(home())[0], home() + "/Backups/first.mdb");
    ASSERT_TRUE(imodData::AutoBackup());
    EXPECT_EQ(backups(home()).size(), 1);
}

TEST_F(Verify, AFailingStepShowsItsDataErrorAndTheOpenGoesOn)
{
    Global::DropDbConnection();
    QFile::remove(dataFile);
    imodStructure::CreateTemplate(dataFile);
    auto &db = Global::DbConnection();
    db.open("Data Source=" + dataFile);
    db.execute("DROP TABLE InstructorLink");
    db.execute("UPDATE CentreInfo SET Updated62 = Null"); // nothing will make the table again

    ui::DialogScript script;
    script.answer(ui::vbOK);
    EXPECT_EQ(imodData::VerifyDatabase(), 0);
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].title, "Data Error");
    EXPECT_EQ(script.shown()[0].icon, ui::vbExclamation);
    const QString text = script.shown()[0].text;
    EXPECT_TRUE(text.startsWith("An error occurred while checking and updating the "
                                "instructor/class links. \r\nErr#"))
        << qPrintable(text);
    EXPECT_TRUE(text.endsWith(".\r\nPlease contact Ovix support.")) << qPrintable(text);
}

TEST_F(Verify, AnOldFileGainsTheIndexesOfTheCurrentStructure)
{
    makeOldFile();
    ui::DialogScript script;
    script.answer(ui::vbOK);
    ASSERT_EQ(imodData::VerifyDatabase(), 0);
    Global::DropDbConnection();

    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(dataFile).constData(), &db), SQLITE_OK);
    QStringList indexes;
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'index'", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        indexes << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    for (const char *name :
         {"Payments_SID", "Bookings_ClassIDStatus", "Students_Family", "InstructorLink_ClassID",
          "ChargeDate_ProgramID", "TaxCode_Description", "Membership_StudentID"})
        EXPECT_TRUE(indexes.contains(QLatin1String(name))) << name;
}

TEST_F(Verify, SettingsRowProblems)
{
    Global::DropDbConnection();
    QFile::remove(dataFile);
    imodStructure::CreateTemplate(dataFile);
    auto &db = Global::DbConnection();
    db.open("Data Source=" + dataFile);

    // No settings row: a warning, and the open goes on.
    db.execute("DELETE FROM CentreInfo");
    {
        ui::DialogScript script;
        script.answer(ui::vbOK);
        EXPECT_EQ(imodData::VerifyDatabase(), 0);
        ASSERT_EQ(script.shown().size(), 1);
        EXPECT_EQ(script.shown()[0].title, "No Data");
        EXPECT_EQ(script.shown()[0].text, "There was no global settings information found. You "
                                          "may need to restore a backup.");
        EXPECT_EQ(programEnd, 0);
    }

    // No settings table: the settings step fails, and the program ends with its number.
    db.execute("DROP TABLE CentreInfo");
    ui::DialogScript script;
    script.answer(ui::vbOK);
    const int result = imodData::VerifyDatabase();
    EXPECT_NE(result, 0);
    EXPECT_EQ(programEnd, result);
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].title, "Data Error");
    EXPECT_TRUE(script.shown()[0].text.startsWith(
        "An error occurred while updating Global Settings. (Err#" + QString::number(result)));
    EXPECT_EQ(captions.last(), "Verifying Database Structure - Global Settings...");
    EXPECT_EQ(Global::CurrentUserId, "i");
}
