// Upgrade steps of the lookup, link and added tables.
#include "upgrade.h"

#include "core/globaldata.h"
#include "core/imoddata.h"
#include "core/imodglobalsubs.h"
#include "core/sqlquote.h"
#include "core/structure.h"
#include "core/timetablelookups.h"
#include "core/upgradesupport.h"
#include "platform/jet/recordset.h"

#include <QStringList>

namespace imodData {

namespace {

using detail::exec;

// Runs a step; a failure that escapes it shows the step's "Data Error" box.
template <typename F> void trapped(const char *sentence, F &&step)
{
    if (const auto failure = detail::capture(std::forward<F>(step)))
        detail::stepErrorBox(QLatin1String(sentence), *failure);
}

} // namespace

void UpgradeClassGroups()
{
    trapped("An error occurred while checking and updating the class groups. ", [] {
        exec(QStringLiteral("ALTER TABLE ClassGroups ADD COLUMN MaxInClass INT;"));
        exec(QStringLiteral("UPDATE ClassGroups SET MaxInClass = 0 WHERE MaxInClass IS NULL;"));
        exec(QStringLiteral("ALTER TABLE ClassGroups DROP COLUMN MinAge;"));
        exec(QStringLiteral("ALTER TABLE ClassGroups DROP COLUMN MaxAge;"));
        exec(QStringLiteral("ALTER TABLE ClassGroups DROP COLUMN DisplayUnit;"));
    });
}

void UpgradeLevels()
{
    trapped("An error occurred while updating the award levels. ", [] {
        if (exec(QStringLiteral("ALTER TABLE Levels ADD COLUMN Inactive INT")))
            exec(QStringLiteral("UPDATE Levels SET Inactive = 0;"));
        if (exec(QStringLiteral("ALTER TABLE Levels ADD COLUMN Sequence INT")))
            exec(QStringLiteral("UPDATE Levels SET Sequence = 0 WHERE Sequence IS NULL;"));
        if (exec(QStringLiteral("ALTER TABLE Levels ADD COLUMN Stream INT")))
            exec(QStringLiteral("UPDATE Levels SET Stream = 1;"));
    });
}

void UpgradeWaterTesting()
{
    // Every failure here is passed over.
    if (exec(QStringLiteral("ALTER TABLE WaterTesting ADD COLUMN PoolArea INT")))
        exec(QStringLiteral("UPDATE WaterTesting SET PoolArea = 1 WHERE PoolArea IS NULL;"));
    exec(QStringLiteral("ALTER TABLE WaterTesting ADD Column Temperature INT"));
}

void UpgradeInstructors()
{
    trapped("An error occurred while updating the instructors table. ", [] {
        if (exec(QStringLiteral("ALTER TABLE Instructors ADD COLUMN ShowInOOE INT")))
            exec(QStringLiteral("UPDATE Instructors SET ShowInOOE = 1;"));
    });
}

void UpgradeDays()
{
    trapped("An error occurred while checking and updating the days. ", [] {
        struct Pattern
        {
            const char *name;
            const char *values; // the seven run flags, Monday first, and the sequence
            int sequence;
        };
        static const Pattern patterns[] = {
            {"Monday", "1,0,0,0,0,0,0,0", 0},    {"Mon/Wed", "1,0,1,0,0,0,0,1", 1},
            {"Tuesday", "0,1,0,0,0,0,0,2", 2},   {"Tue/Thu", "0,1,0,1,0,0,0,3", 3},
            {"Wednesday", "0,0,1,0,0,0,0,4", 4}, {"Thursday", "0,0,0,1,0,0,0,5", 5},
            {"Friday", "0,0,0,0,1,0,0,6", 6},    {"Saturday", "0,0,0,0,0,1,0,7", 7},
            {"Sunday", "0,0,0,0,0,0,1,8", 8},    {"Mon-Fri", "1,1,1,1,1,0,0,9", 9},
            {"Other", "0,0,0,0,0,0,0,10", 10},
        };
        const bool created = exec(QStringLiteral(
            "CREATE TABLE Days (DayName NVARCHAR(50) PRIMARY KEY, RunMon INT DEFAULT 0, RunTue INT "
            "DEFAULT 0, RunWed INT DEFAULT 0, RunThu INT DEFAULT 0, RunFri INT DEFAULT 0, RunSat "
            "INT DEFAULT 0, RunSun INT DEFAULT 0, Sequence INT);"));
        if (created) {
            for (const Pattern &p : patterns)
                exec(QStringLiteral("INSERT INTO Days VALUES ('%1',%2);")
                         .arg(QLatin1String(p.name), QLatin1String(p.values)));
            return;
        }
        exec(QStringLiteral("ALTER TABLE Days ADD COLUMN Sequence INT;"));
        exec(QStringLiteral("INSERT INTO Days VALUES ('Mon-Fri',1,1,1,1,1,0,0,9);"));
        for (const Pattern &p : patterns)
            exec(QStringLiteral("UPDATE Days SET Sequence = %1 WHERE DayName='%2';")
                     .arg(p.sequence)
                     .arg(QLatin1String(p.name)));
    });
}

void UpgradeActivities()
{
    trapped("An error occurred while checking and updating the activities. ", [] {
        if (exec(
                QStringLiteral("CREATE TABLE Activities (ActivityName NVARCHAR(50) PRIMARY KEY);")))
            exec(QStringLiteral("INSERT INTO Activities (ActivityName) VALUES ('Learn to Swim');"));
        if (imodGlobalSubs::CountRecords(QStringLiteral("SELECT ActivityName FROM Activities;")) >
            0)
            exec(QStringLiteral("UPDATE Classes SET ActivityName = ") +
                 Global::SqlText(Global::GetDefaultActivity()) +
                 QStringLiteral(" WHERE ActivityName IS NULL;"));
    });
}

void UpgradeMemberships()
{
    trapped("An error occurred while checking and updating the memberships. ", [] {
        exec(QStringLiteral("DROP TABLE MemTypes"));
        exec(QStringLiteral("CREATE TABLE MemTypes (MemTypeID COUNTER PRIMARY KEY, MemTypeName "
                            "NVARCHAR(255) NOT NULL, MemType INT NOT NULL, Duration INT NOT NULL, "
                            "Description NVARCHAR(255));"));
        exec(QStringLiteral("CREATE TABLE Membership (MembershipID COUNTER PRIMARY KEY, StudentID "
                            "INT NOT NULL, MemType INT NOT NULL, Duration INT NOT NULL, StartDate "
                            "DATE NOT NULL, VisitsUsed INT);"));
        exec(QStringLiteral("ALTER TABLE Membership ADD COLUMN Barcode NVARCHAR(50);"));
    });
}

void UpgradeQualifications()
{
    trapped("An error occurred while checking and updating the qualifications. ", [] {
        exec(QStringLiteral("ALTER TABLE QualRec ADD COLUMN Inactive INT;"));
        exec(QStringLiteral("UPDATE QualRec SET Inactive = 0 WHERE Inactive IS NULL;"));
        exec(QStringLiteral("UPDATE QualRec SET Inactive = 1 WHERE InstructorID IN (SELECT "
                            "InstructorID FROM Instructors WHERE StudentID IN (SELECT StudentID "
                            "FROM Students WHERE Inactive = 1));"));
    });
}

void UpgradeEvents()
{
    trapped("An error occurred while checking and updating the events. ", [] {
        exec(QStringLiteral("CREATE TABLE Events (EventID COUNTER PRIMARY KEY, EventName "
                            "NVARCHAR(50), EventDate DATE);"));
    });
}

void UpgradeDiscounts()
{
    trapped("An error occurred while checking and updating the discounts. ", [] {
        if (!exec(QStringLiteral("CREATE TABLE Discounts (DiscountID COUNTER PRIMARY KEY, "
                                 "DiscountName NVARCHAR(75), Amount CURRENCY, PoolDiscounts INT, "
                                 "PerSession INT);")))
            return;
        static const char *const rows[] = {
            "1,'Upfront payment of term',-1.00,1,1",
            "2,'4 week block',-0.50,1,1",
            "3,'Second/third night',-4.00,1,1",
            "4,'Call sick discount',-4.00,1,1",
            "5,'Staff discount',-4.00,1,1",
            "6,'Credit for missed class but no makeup',-3.50,0,1",
            "7,'Credit for missed class but no makeup',-3.00,0,1",
        };
        for (const char *values : rows)
            exec(QStringLiteral("INSERT INTO Discounts (DiscountID, DiscountName, Amount, "
                                "PoolDiscounts, PerSession) VALUES (") +
                 QLatin1String(values) + QLatin1Char(')'));
    });
}

void UpgradePreEnrol()
{
    trapped("An error occurred while checking and updating the pre-enrolments. ", [] {
        exec(QStringLiteral("CREATE TABLE PreEnrol (StudentID INT, ProgramID INT, Preferences "
                            "NVARCHAR(255), ListedAt TIMESTAMP, PRIMARY KEY (StudentID, "
                            "ProgramID));"));
    });
}

void FixInstructorLinks()
{
    trapped("An error occurred while checking and updating the instructor/class links. ", [] {
        auto own = detail::openOwnConnection();
        jet::Recordset rs(*own, Global::AdaptSql(QStringLiteral(
                                    "SELECT Classes.ClassID FROM Classes WHERE Classes.ClassID NOT "
                                    "IN (SELECT InstructorLink.ClassID FROM InstructorLink);")));
        while (!rs.eof()) {
            exec(QStringLiteral("INSERT INTO InstructorLink (ClassID, InstructorID) VALUES (") +
                 Global::SqlValue(rs.value(0)) + QStringLiteral(", 1)"));
            rs.moveNext();
        }
        rs.close();
    });
}

void EnsureIndexes()
{
    auto &db = Global::DbConnection();
    for (const imodStructure::TableDef &t : imodStructure::Tables()) {
        for (const QString &sql : imodStructure::CreateIndexSql(t)) {
            try {
                db.execute(sql);
            } catch (...) {
                // In place already, or refused (a duplicate in an older file): passed over.
            }
        }
    }
}

} // namespace imodData
