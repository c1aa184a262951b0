// The structure check that runs at every open of a data file, and its automatic backup.
#include "upgrade.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/globalpaths.h"
#include "core/imoddata.h"
#include "core/imodvista.h"
#include "core/upgradesupport.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/hourglass.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"

#include <QCoreApplication>
#include <QDir>
#include <memory>

namespace imodData {

using detail::Failure;

namespace {

CaptionWriter &captionWriter()
{
    static CaptionWriter writer;
    return writer;
}

std::function<void(int)> &programEnd()
{
    static std::function<void(int)> end = [](int code) { QCoreApplication::exit(code); };
    return end;
}

// A check query that could not run: the verification stops with 91.
struct CheckFailed
{
    Failure failure;
};

// The errors of the run's own connection that are passed over.
bool ignorable(long number)
{
    return number == jet::err::Unspecified || number == jet::err::SyntaxError ||
           number == jet::err::NoSuchTable || number == jet::err::ColumnExists;
}

class Run
{
public:
    explicit Run(jet::Connection &own)
        : m_own(own)
    {}

    // True when the query gives fewer than n columns.
    bool fewerColumns(const QString &sql, int n)
    {
        try {
            return m_own.columnCount(sql) < n;
        } catch (const jet::Error &e) {
            throw CheckFailed{{e.number(), e.description()}};
        }
    }

    // Runs a query and closes it.
    void touch(const QString &sql)
    {
        try {
            jet::Recordset rs(m_own, sql);
            rs.close();
        } catch (const jet::Error &e) {
            if (!ignorable(e.number()))
                throw;
        }
    }

    // Runs a statement on the run's own connection.
    void execute(const QString &sql)
    {
        try {
            m_own.execute(sql);
        } catch (const jet::Error &e) {
            if (!ignorable(e.number()))
                throw;
        }
    }

    bool tableExists(const QString &table) { return m_own.tableExists(table); }
    bool columnExists(const QString &table, const QString &column)
    {
        return m_own.tableExists(table) && m_own.columnExists(table, column);
    }

private:
    jet::Connection &m_own;
};

int execNumber(const QString &sql)
{
    return ExecSQL(sql, false);
}

// Creates the tables of version 6.1. Done when each of them is in place, made now or
// before; a block that is not done stays to do for the next open.
void version61(Run &run)
{
    const bool chargeDate =
        execNumber(QStringLiteral("CREATE TABLE ChargeDate ([ChargeDateID] COUNTER, [ProgramID] INT, "
                            "[Date] DATE, [Amount] CURRENCY, [Run] INT)")) == 0 ||
        run.tableExists(QStringLiteral("ChargeDate"));
    const bool stream =
        execNumber(QStringLiteral("CREATE TABLE CertificateStream ([StreamID] COUNTER, [Description] "
                            "NVARCHAR(255))")) == 0 ||
        run.tableExists(QStringLiteral("CertificateStream"));
    bool poolAreas;
    if (execNumber(QStringLiteral("CREATE TABLE PoolAreas (AreaID COUNTER, AreaName NVARCHAR(50));")) ==
        0)
        poolAreas =
            execNumber(QStringLiteral("INSERT INTO PoolAreas (AreaName) VALUES ('Main Pool');")) == 0;
    else
        poolAreas = run.tableExists(QStringLiteral("PoolAreas"));
    if (!chargeDate || !stream || !poolAreas)
        return;
    run.execute(Global::AdaptSql(QStringLiteral("UPDATE CentreInfo SET Updated61 = 1;")));
    VerifyState().Updated61 = false;
}

// Narrows the students' postcode; never while a stored postcode is longer than the new
// width, so that no text is cut: the narrowing waits for a later open.
void version62b(jet::Connection &own)
{
    VerifyState().Updated62b = false;
    bool longer = true;
    try {
        jet::Recordset rs(own,
                          QStringLiteral("SELECT Count(*) FROM Students WHERE Len(Postcode) > 5;"));
        longer = !rs.eof() && rs.value(0).toLongLong() > 0;
        rs.close();
    } catch (const jet::Error &) {
        return; // cannot tell: the narrowing waits
    }
    if (longer)
        return;
    if (execNumber(QStringLiteral("ALTER TABLE Students ALTER COLUMN Postcode NVARCHAR(5);")) == 0)
        execNumber(QStringLiteral("UPDATE CentreInfo SET Updated62b = 1;"));
}

// The certificate tables; done when they are all in place.
void version62c(Run &run)
{
    VerifyState().Updated62c = false;
    bool done =
        execNumber(QStringLiteral("ALTER TABLE CertificateStream ADD COLUMN MaxCompetencies INT;")) ==
            0 ||
        run.columnExists(QStringLiteral("CertificateStream"), QStringLiteral("MaxCompetencies"));
    done =
        (execNumber(QStringLiteral("ALTER TABLE CertificateStream ADD PRIMARY KEY (StreamID);")) == 0 ||
         run.tableExists(QStringLiteral("CertificateStream"))) &&
        done;
    const struct
    {
        const char *table;
        QString sql;
    } creates[] = {
        {"Cert", QStringLiteral("CREATE TABLE Cert (CertID COUNTER, CertName NVARCHAR(255), "
                                "StreamID INT, PRIMARY KEY (CertID), FOREIGN KEY (StreamID) "
                                "REFERENCES CertificateStream)")},
        {"CertRow", QStringLiteral("CREATE TABLE CertRow (CertRowID COUNTER, RowName "
                                   "NVARCHAR(255), PRIMARY KEY (CertRowID))")},
        {"CertCrit",
         QStringLiteral("CREATE TABLE CertCrit (CertRowID INT, [Sequence] INT, LevelCritID INT, "
                        "UseCustomValue INT, CustomValue NVARCHAR(5), PRIMARY KEY (CertRowID, "
                        "Sequence), FOREIGN KEY (CertRowID) REFERENCES CertRow)")},
        {"CertRowLink",
         QStringLiteral("CREATE TABLE CertRowLink (CertID INT, LevelID INT, IncludeWhen INT, "
                        "Sequence INT, CertRowID INT, UseCustomValue INT, CustomValue INT, "
                        "ColumnCountFrom INT, PRIMARY KEY (CertID, LevelID, IncludeWhen, "
                        "Sequence), FOREIGN KEY (CertID) REFERENCES Cert, FOREIGN KEY (LevelID) "
                        "REFERENCES Levels)")},
    };
    for (const auto &c : creates)
        done = (execNumber(c.sql) == 0 || run.tableExists(QLatin1String(c.table))) && done;
    if (done)
        execNumber(QStringLiteral("UPDATE CentreInfo SET Updated62c = 1;"));
}

// One instructor per class becomes a class/instructor link. When the links cannot be
// copied the new table goes again, so that the next open tries the whole block again.
void version62(Run &run)
{
    VerifyState().Updated62 = false;
    bool done;
    if (execNumber(QStringLiteral("CREATE TABLE InstructorLink ([InstructorLinkID] COUNTER, "
                            "[InstructorID] INT DEFAULT 0, [ClassID] INT DEFAULT 0)")) == 0) {
        const int n = execNumber(QStringLiteral("INSERT INTO InstructorLink ( ClassID, InstructorID ) "
                                          "SELECT Classes.ClassID, Classes.InstructorID FROM "
                                          "Classes;"));
        done = n == 0;
        if (!done) {
            ui::Dialogs::msgBox(
                QStringLiteral(
                    "There was an error when upgrading Instructors.\r\nExecuting the SQL "
                    "statement returned an error code of ") +
                    QString::number(n) +
                    QStringLiteral(".\r\nSome classes may not display correctly."),
                ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Instructor Upgrade Error"));
            execNumber(QStringLiteral("DROP TABLE InstructorLink"));
        }
    } else {
        done = run.tableExists(QStringLiteral("InstructorLink"));
    }
    if (!done)
        return;
    execNumber(QStringLiteral("UPDATE CentreInfo SET Updated62 = 1;"));
    execNumber(QStringLiteral("UPDATE CentreInfo SET DataVersion=\"6.2\";"));
}

void backupFailed()
{
    const QString app = detail::shortAppName();
    ui::Dialogs::msgBox(
        QStringLiteral("Your data file could not be backed up and as a precaution ") + app +
            QStringLiteral(" did not continue with the upgrade operation."),
        ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
}

constexpr int BackupFailed = 625;

// The steps in their order; 0, or the result that ends the verification.
int runSteps(jet::Connection &own)
{
    Run run(own);
    VerifyRunState &todo = VerifyState();

    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Global Settings..."));
    if (const int rc = UpgradeCentreInfo(); rc != 0) {
        programEnd()(rc);
        return rc;
    }
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Class Groups..."));
    UpgradeClassGroups();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Award Levels..."));
    if (run.fewerColumns(QStringLiteral("SELECT * FROM Levels WHERE LevelID = 0;"), 7))
        UpgradeLevels();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Water Testing..."));
    if (run.fewerColumns(QStringLiteral("SELECT * FROM WaterTesting;"), 18))
        UpgradeWaterTesting();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Instructors..."));
    if (run.fewerColumns(QStringLiteral("SELECT * FROM Instructors WHERE InstructorID = 0;"), 4))
        UpgradeInstructors();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Bookings..."));
    if (run.fewerColumns(QStringLiteral("SELECT * FROM Bookings WHERE BookingID = 0;"), 11))
        UpgradeBookings();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Programs..."));
    if (run.fewerColumns(QStringLiteral("SELECT * FROM Programs WHERE ProgramID = 0;"), 18)) {
        if (!AutoBackup()) {
            backupFailed();
            return BackupFailed;
        }
        UpgradePrograms();
    }
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Classes..."));
    run.touch(QStringLiteral("SELECT MAX(ClassID) FROM Classes;"));
    run.touch(QStringLiteral("SELECT * FROM Classes WHERE ClassID = 0;"));
    UpgradeClasses();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Students..."));
    run.touch(QStringLiteral("SELECT MAX(StudentID) FROM Students;"));
    UpgradeStudents();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Users..."));
    if (run.fewerColumns(QStringLiteral("SELECT * FROM Users;"), 77))
        UpgradeUsers();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Payments..."));
    run.touch(QStringLiteral("SELECT MAX(PaymentID) FROM Payments;"));
    RenameColumn(own, QStringLiteral("Payments"), QStringLiteral("DepositAccout"),
                 QStringLiteral("DepositAccount"));
    if (run.fewerColumns(QStringLiteral("SELECT * FROM Payments WHERE PaymentID = 0;"), 25)) {
        if (!AutoBackup()) {
            backupFailed();
            return BackupFailed;
        }
        UpgradePayments();
    }
    ShowVerifyCaption(QStringLiteral("Verifying Data Links - Payments..."));
    run.execute(QStringLiteral(
        "UPDATE Bookings INNER JOIN Payments ON Bookings.BookingID = Payments.BookingID SET "
        "Payments.SID = Bookings.StudentID WHERE (((Payments.SID)<>[Bookings].[StudentID]));"));
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Assessments..."));
    execNumber(QStringLiteral("ALTER TABLE Assessments ADD COLUMN CertificateComment NVARCHAR(255)"));
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Schools..."));
    execNumber(QStringLiteral("CREATE TABLE School (SchoolName NVARCHAR(255) PRIMARY KEY, Address "
                        "NVARCHAR(255), City NVARCHAR(255), SchoolState NVARCHAR(255), Postcode "
                        "NVARCHAR(10), Phone NVARCHAR(255), PrincipalName NVARCHAR(255), Notes "
                        "NVARCHAR(255));"));
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Days..."));
    UpgradeDays();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Activities..."));
    UpgradeActivities();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Memberships..."));
    UpgradeMemberships();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Qualifications..."));
    UpgradeQualifications();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Events..."));
    UpgradeEvents();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Discounts..."));
    UpgradeDiscounts();
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Pre-Enrolments..."));
    UpgradePreEnrol();
    if (todo.Updated61)
        version61(run);
    if (todo.Updated62b)
        version62b(own);
    if (todo.Updated62c)
        version62c(run);
    if (todo.Updated62)
        version62(run);
    ShowVerifyCaption(QStringLiteral("Verifying Database Structure - Class/Instructor Links..."));
    FixInstructorLinks();
    EnsureIndexes();
    if (todo.Updated58) {
        const QString app = detail::shortAppName();
        ui::Dialogs::msgBox(QStringLiteral("This data file was created with an older version of ") +
                                app + QStringLiteral(". Please contact ") + app +
                                QStringLiteral(" support to have it upgraded."),
                            ui::vbOKOnly | ui::vbInformation, QStringLiteral("Older File"));
    }
    return 0;
}

} // namespace

void SetVerifyCaption(CaptionWriter writer)
{
    captionWriter() = std::move(writer);
}

void ShowVerifyCaption(const QString &caption)
{
    if (const CaptionWriter &writer = captionWriter())
        writer(caption);
}

const CaptionWriter &VerifyCaption()
{
    return captionWriter();
}

void SetProgramEnd(std::function<void(int)> end)
{
    programEnd() = std::move(end);
}

VerifyRunState &VerifyState()
{
    static VerifyRunState state;
    return state;
}

int VerifyDatabase()
{
    VerifyState() = {};
    const QString savedUserId = Global::CurrentUserId;
    std::unique_ptr<jet::Connection> own;
    int result = 0;
    try {
        own = detail::openOwnConnection();
        Global::CurrentUserId = Global::NoLogsUserId;
        result = runSteps(*own);
    } catch (const CheckFailed &e) {
        ui::Hourglass::reset();
        ui::Dialogs::msgBox(
            detail::shortAppName() +
                QStringLiteral(" encountered an error when loading the database. This could be "
                               "because the database is exclusively locked by another user.\r\n"
                               "Error 91 ") +
                e.failure.description,
            ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Could not lock table"));
        result = 91;
    } catch (...) {
        const Failure f = detail::currentFailure();
        result = f.number == 0 ? -1 : int(f.number);
        ui::Hourglass::reset();
        try {
            ui::Dialogs::msgBox(QStringLiteral("An error occurred - ") + f.description +
                                    QStringLiteral(" (Err#") + QString::number(result) +
                                    QLatin1Char(')'),
                                ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
        } catch (...) {
            // The result still tells the caller.
        }
    }
    if (own)
        own->close();
    Global::CurrentUserId = savedUserId;
    return result;
}

bool AutoBackup()
{
    VerifyRunState &state = VerifyState();
    if (state.AutoBackupDone)
        return true;
    try {
        const QString folder = Global::DefaultBackupFolder() + QLatin1Char('/');
        QString name = Global::CurrentDataFile;
        name.remove(QLatin1Char('.'));
        const QString target = folder + QStringLiteral("autobackup") + name +
                               vb::Format(vb::Now(), QStringLiteral("yyyymmddhhmmss")) +
                               QStringLiteral(".mdb");
        if (!QDir().mkpath(folder))
            throw vb::Error(76);
        Global::DbConnection().backupTo(target);
        state.AutoBackupDone = true;
    } catch (...) {
        state.AutoBackupDone = false;
    }
    return state.AutoBackupDone;
}

} // namespace imodData
