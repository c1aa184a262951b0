// Upgrade steps of the settings row and the core tables.
#include "upgrade.h"

#include "core/centresettings.h"
#include "core/familygroupings.h"
#include "core/globaldata.h"
#include "core/imoddata.h"
#include "core/sqlquote.h"
#include "core/structure.h"
#include "core/upgradesupport.h"
#include "platform/jet/recordset.h"
#include "platform/ui/dialogs.h"
#include "platform/vb/datetime.h"

#include <QStringList>
#include <vector>

namespace imodData {

using detail::Failure;

namespace {

using detail::exec;

// Runs statements one after another on a connection, through the adapter.
void runAdapted(jet::Connection &db, const QStringList &statements)
{
    for (const QString &sql : statements)
        db.execute(Global::AdaptSql(sql));
}

// The rows of a query, read at once.
std::vector<std::vector<QVariant>> readRows(jet::Connection &db, const QString &sql)
{
    jet::Recordset rs(db, sql);
    std::vector<std::vector<QVariant>> rows;
    while (!rs.eof()) {
        std::vector<QVariant> row;
        for (int i = 0; i < rs.fieldCount(); ++i)
            row.push_back(rs.value(i));
        rows.push_back(std::move(row));
        rs.moveNext();
    }
    rs.close();
    return rows;
}

// Runs one statement per row in a transaction; a failure keeps the rows done so far.
void runRowUpdates(jet::Connection &db, const QStringList &statements)
{
    db.beginTrans();
    try {
        for (const QString &sql : statements)
            db.execute(sql);
    } catch (...) {
        db.commitTrans();
        throw;
    }
    db.commitTrans();
}

} // namespace

int UpgradeCentreInfo()
{
    VerifyRunState &todo = VerifyState();
    const auto failure = detail::capture([&] {
        exec(QStringLiteral("ALTER TABLE CentreInfo ALTER COLUMN Postcode NVARCHAR(10);"));

        // The settings columns 16 to 47, in their order.
        const auto &columns = imodStructure::FindTable(QStringLiteral("CentreInfo"))->columns;
        for (size_t pos = 16; pos <= 47; ++pos)
            exec(QStringLiteral("ALTER TABLE CentreInfo ADD COLUMN %1 %2;")
                     .arg(columns[pos].name, columns[pos].type));

        // The version flags and later settings, each with its one-time value.
        struct Later
        {
            const char *column;
            const char *type;
            QString fill;
            bool *flag;
        };
        const std::vector<Later> later = {
            {"Updated58", "INT", QStringLiteral("UPDATE CentreInfo SET Updated58 = 0;"),
             &todo.Updated58},
            {"Updated61", "INT", QStringLiteral("UPDATE CentreInfo SET Updated61 = 0;"),
             &todo.Updated61},
            {"Updated62", "INT", QStringLiteral("UPDATE CentreInfo SET Updated62 = 0;"),
             &todo.Updated62},
            {"Updated62b", "INT", QStringLiteral("UPDATE CentreInfo SET Updated62b = 0;"),
             &todo.Updated62b},
            {"FormatOfDate", "NVARCHAR(50)",
             QStringLiteral("UPDATE CentreInfo SET FormatOfDate = ") +
                 Global::SqlText(Global::DateFormat) + QLatin1Char(';'),
             nullptr},
            {"Updated62c", "INT", QStringLiteral("UPDATE CentreInfo SET Updated62c = 0;"),
             &todo.Updated62c},
            {"InvoiceMessage", "NVARCHAR(255)",
             QStringLiteral("UPDATE CentreInfo SET InvoiceMessage = \"Thank You For Your "
                            "Business.\";"),
             nullptr},
            {"ShowPayCheque", "INT", QStringLiteral("UPDATE CentreInfo SET ShowPayCheque = 1;"),
             nullptr},
            {"ShowPayCounter", "INT", QStringLiteral("UPDATE CentreInfo SET ShowPayCounter = 1;"),
             nullptr},
            {"ShowPayEFT", "INT", QStringLiteral("UPDATE CentreInfo SET ShowPayEFT = 1;"), nullptr},
            {"ShowPayCreditCard", "INT",
             QStringLiteral("UPDATE CentreInfo SET ShowPayCreditCard = 1;"), nullptr},
            {"ShowBalOtherPrograms", "INT",
             QStringLiteral("UPDATE CentreInfo SET ShowBalOtherPrograms = 1;"), nullptr},
            {"EmailServer", "NVARCHAR(255)", QString(), nullptr},
            {"EmailUsername", "NVARCHAR(255)", QString(), nullptr},
            {"EmailPassword", "NVARCHAR(255)", QString(), nullptr},
            {"EmailOutgoingPort", "NVARCHAR(5)",
             QStringLiteral("UPDATE CentreInfo SET EmailOutgoingPort = '25';"), nullptr},
            {"EmailEncryptionRequired", "INT",
             QStringLiteral("UPDATE CentreInfo SET EmailEncryptionRequired = 0;"), nullptr},
            {"EmailAuthentication", "INT",
             QStringLiteral("UPDATE CentreInfo SET EmailAuthentication = 0;"), nullptr},
        };
        for (const Later &l : later) {
            const bool added = exec(QStringLiteral("ALTER TABLE CentreInfo ADD COLUMN %1 %2;")
                                        .arg(QLatin1String(l.column), QLatin1String(l.type)));
            if (!added)
                continue;
            if (!l.fill.isEmpty())
                exec(l.fill);
            if (l.flag)
                *l.flag = true;
        }
    });
    if (failure) {
        detail::tableErrorBox(QStringLiteral("An error occurred while updating Global Settings."),
                              *failure);
        return failure->number == 0 ? -1 : int(failure->number);
    }

    const auto fillFailure = detail::capture([&] {
        auto own = detail::openOwnConnection();
        {
            jet::Recordset rs(*own, QStringLiteral("SELECT * FROM CentreInfo"));
            if (rs.fieldCount() > Global::CentreSettings().Count()) {
                const QString app = detail::shortAppName();
                ui::Dialogs::msgBox(
                    QStringLiteral("This data file is newer than this version of ") + app +
                        QStringLiteral(
                            " is designed to read. It is advised that you upgrade the ") +
                        app +
                        QStringLiteral(" software on this computer to ensure that data integrity "
                                       "is maintained and no errors occur."),
                    ui::vbOKOnly | ui::vbInformation, QStringLiteral("Newer Data File"));
            }
            if (!rs.eof()) {
                const auto isZero = [&](const char *column) {
                    const QVariant v = rs.value(QLatin1String(column));
                    return !v.isNull() && v.toInt() == 0;
                };
                todo.Updated58 = todo.Updated58 || isZero("Updated58");
                todo.Updated61 = todo.Updated61 || isZero("Updated61");
                todo.Updated62 = todo.Updated62 || isZero("Updated62");
                todo.Updated62b = todo.Updated62b || isZero("Updated62b");
                todo.Updated62c = todo.Updated62c || isZero("Updated62c");
            } else {
                ui::Dialogs::msgBox(QStringLiteral("There was no global settings information "
                                                   "found. You may need to restore a backup."),
                                    ui::vbOKOnly | ui::vbExclamation, QStringLiteral("No Data"));
            }
            rs.close();
        }
        runAdapted(
            *own,
            {QStringLiteral("UPDATE CentreInfo SET NextReceiptNo = 0 WHERE NextReceiptNo IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET OverdueDays = 21 WHERE OverdueDays IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET RequireLogonAtStart = 0 WHERE "
                            "RequireLogonAtStart IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET AllowOverfill = 0 WHERE AllowOverfill IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET DetailsFormsExpire = 6 WHERE "
                            "DetailsFormsExpire IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET DefaultAttend = 'Attended' WHERE DefaultAttend "
                            "IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET AssessGenCount = 0 WHERE AssessGenCount IS "
                            "NULL;"),
             QStringLiteral("UPDATE CentreInfo SET DepositAccount = '11100' WHERE DepositAccount "
                            "IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET ClearAccMethod = 'Single' WHERE ClearAccMethod "
                            "IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET AttendChargeOn = 'Enrolment' WHERE "
                            "AttendChargeOn IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET AllowNegativePayments = 0 WHERE "
                            "AllowNegativePayments IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET MYOB_QB = 'MYOB' WHERE MYOB_QB IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET DisplayCalendar = 1 WHERE DisplayCalendar IS "
                            "NULL;"),
             QStringLiteral("UPDATE CentreInfo SET Attended = 'Attended' WHERE Attended IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET DNA = 'DNA' WHERE DNA IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET Contacted = 'Contacted' WHERE Contacted IS "
                            "NULL;"),
             QStringLiteral("UPDATE CentreInfo SET Sick = 'Sick' WHERE Sick IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET Absent = 'Absent' WHERE Absent IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET JoiningFeeTaxCode = 'GST' WHERE "
                            "JoiningFeeTaxCode IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET JoiningFeeAccount = '40010' WHERE "
                            "JoiningFeeAccount IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET DefaultStatus='Confirmed' WHERE DefaultStatus "
                            "IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET DefaultAccount='40020' WHERE DefaultAccount IS "
                            "NULL;"),
             QStringLiteral("UPDATE CentreInfo SET DefaultTaxCode='FRE' WHERE DefaultTaxCode IS "
                            "NULL;"),
             QStringLiteral("UPDATE CentreInfo SET JoiningFee=0.00 WHERE JoiningFee IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET SimpleSearch=1 WHERE SimpleSearch IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET AssessGenCount = 1 WHERE AssessGenCount > 1;"),
             QStringLiteral("UPDATE CentreInfo SET FormatOfDate = 'dd/mm/yyyy' WHERE FormatOfDate "
                            "IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET EmailOutgoingPort = '25' WHERE "
                            "EmailOutgoingPort IS NULL;"),
             QStringLiteral("UPDATE CentreInfo SET EmailEncryptionRequired = 0 WHERE "
                            "EmailEncryptionRequired IS NULL;")});
    });
    if (fillFailure) {
        detail::tableErrorBox(QStringLiteral("An error occurred while updating Global Settings."),
                              *fillFailure);
        return fillFailure->number == 0 ? -1 : int(fillFailure->number);
    }
    return 0;
}

void UpgradeBookings()
{
    if (exec(QStringLiteral("ALTER TABLE Bookings ADD COLUMN SessionNo INT DEFAULT 0")))
        exec(QStringLiteral("UPDATE Bookings SET SessionNo = 0 WHERE SessionNo IS NULL;"));
    exec(QStringLiteral("ALTER TABLE Bookings ADD COLUMN CancelDate DATE"));
    exec(QStringLiteral("ALTER TABLE Bookings ADD COLUMN CancelReason NVARCHAR(255);"));
    exec(QStringLiteral("ALTER TABLE Bookings ADD COLUMN EnrolledByUserID NVARCHAR(50);"));
    exec(QStringLiteral(
        "UPDATE Bookings SET EnrolledByUserID = \"I\" WHERE EnrolledByUserID IS NULL;"));
}

void UpgradePrograms()
{
    ShowVerifyCaption(QStringLiteral("Updating Database Structure - Programs..."));
    if (!exec(QStringLiteral("ALTER TABLE Programs ADD COLUMN AmountOverdue DATE")))
        return;
    const auto failure = detail::capture([] {
        auto own = detail::openOwnConnection();
        const auto settings = readRows(*own, QStringLiteral("SELECT OverdueDays FROM CentreInfo;"));
        const int overdueDays = settings.empty() ? 0 : settings.front().front().toInt();
        QStringList updates;
        for (const auto &row :
             readRows(*own, QStringLiteral("SELECT ProgramID, StartDate, AmountOverdue FROM "
                                           "Programs;"))) {
            // A program without a start date has no date from which it is overdue.
            const QString due =
                row[1].isNull()
                    ? Global::SqlNull()
                    : Global::SqlDate(vb::DateAdd(QStringLiteral("d"), overdueDays, row[1]).date());
            updates << Global::AdaptSql(QStringLiteral("UPDATE Programs SET AmountOverdue = ") +
                                        due + QStringLiteral(" WHERE ProgramID = ") +
                                        Global::SqlNumber(row[0].toLongLong()) + QLatin1Char(';'));
        }
        runRowUpdates(*own, updates);
    });
    if (failure)
        detail::tableErrorBox(QStringLiteral("An error occurred while updating programs table."),
                              *failure);
}

void UpgradeClasses()
{
    if (exec(QStringLiteral("ALTER TABLE Classes ADD COLUMN ChargePerSession INT")))
        exec(QStringLiteral("UPDATE Classes SET Classes.ChargePerSession = 0;"));
    if (exec(QStringLiteral("ALTER TABLE Classes ADD COLUMN AttendChargeOn NVARCHAR(50)")))
        exec(QStringLiteral("UPDATE Classes SET Classes.AttendChargeOn= 'Enrolment';"));
    if (exec(QStringLiteral("ALTER TABLE Classes ADD COLUMN ClassActive INT")))
        exec(QStringLiteral("UPDATE Classes SET Classes.ClassActive = '1';"));
    if (exec(QStringLiteral("ALTER TABLE Classes ADD COLUMN PoolArea INT")))
        exec(QStringLiteral("UPDATE Classes SET Classes.PoolArea = '1';"));
    exec(QStringLiteral("ALTER TABLE Classes ADD COLUMN Notes MEMO"));
    if (exec(QStringLiteral("ALTER TABLE Classes ADD Column NoDates INT")))
        exec(QStringLiteral("UPDATE Classes SET Classes.NoDates = 0;"));
    if (exec(QStringLiteral("ALTER TABLE Classes ADD COLUMN ActivityName NVARCHAR(50)")))
        exec(QStringLiteral(
            "UPDATE Classes SET ActivityName = 'Learn to Swim' WHERE ActivityName IS NULL;"));
    exec(QStringLiteral("ALTER TABLE Classes DROP COLUMN FinishTime;"));
    exec(QStringLiteral("ALTER TABLE Classes ADD COLUMN DurationMins INT;"));
    exec(QStringLiteral("UPDATE Classes SET DurationMins = 30 WHERE DurationMins IS NULL;"));
}

void UpgradeStudents()
{
    ShowVerifyCaption(QStringLiteral("Updating Database Structure - Students and Employees..."));
    const auto failure = detail::capture([] {
        for (const char *sql :
             {"ALTER TABLE Students DROP COLUMN ThankYouCardSent;",
              "ALTER TABLE Students DROP COLUMN BirthdayCardSent;",
              "ALTER TABLE Students DROP COLUMN BdayView;",
              "ALTER TABLE Students DROP COLUMN ThankYouLetterSent;",
              "ALTER TABLE Students DROP COLUMN PriorityLetterSent;",
              "ALTER TABLE Students ADD COLUMN NewStudent INT DEFAULT 0 NOT NULL;",
              "ALTER TABLE Students ADD COLUMN Issued INT DEFAULT 0 NOT NULL;"})
            exec(QLatin1String(sql));
        if (exec(QStringLiteral("ALTER TABLE Students ADD COLUMN Family INT DEFAULT 0 NOT NULL;")))
            imodDataMaint::CreateFamilyGroupings(VerifyCaption(),
                                                 Global::DbConnection().connectionString());
        for (const char *sql : {"ALTER TABLE Students ADD COLUMN Barcode NVARCHAR(50);",
                                "ALTER TABLE Students ADD COLUMN Inactive INT DEFAULT 0 NOT NULL;",
                                "ALTER TABLE Students ADD COLUMN [Password] NVARCHAR(100);",
                                "ALTER TABLE Students DROP COLUMN SchoolCode;",
                                "ALTER TABLE Students ADD COLUMN SchoolName NVARCHAR(255);"})
            exec(QLatin1String(sql));

        auto own = detail::openOwnConnection();
        runAdapted(*own,
                   {QStringLiteral("UPDATE Students SET Students.Inactive = 0 WHERE "
                                   "Students.Inactive Is Null;"),
                    QStringLiteral("UPDATE Students SET Students.Student = 'N' WHERE "
                                   "Students.StudentID=1;"),
                    QStringLiteral("UPDATE Students SET Students.Issued=0 WHERE (Students.Issued "
                                   "Is Null);"),
                    QStringLiteral("UPDATE Students SET Students.NewStudent=0 WHERE "
                                   "(Students.NewStudent Is Null);"),
                    QStringLiteral("UPDATE Students SET Employee = 'Y' WHERE StudentID IN (SELECT "
                                   "StudentID FROM Instructors)")});

        // The next key follows the highest one. An empty table has none: nothing to reseed.
        const auto highest = readRows(*own, QStringLiteral("SELECT MAX(StudentID) FROM Students;"));
        if (highest.empty() || highest.front().front().isNull())
            return;
        const qint64 next = highest.front().front().toLongLong() + 1;
        own->execute(QStringLiteral("ALTER TABLE Students ALTER COLUMN StudentID COUNTER (") +
                     Global::SqlNumber(next) + QStringLiteral(",1); "));
    });
    if (failure)
        detail::tableErrorBox(QStringLiteral("An error occurred while updating students table."),
                              *failure);
}

void UpgradeUsers()
{
    const QStringList &flags = imodStructure::UserPermissionColumns();
    // The value every existing account gets for each added permission, from index 42 on.
    static const int initial[] = {0, 0, 0, 0, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1,
                                  1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    static_assert(sizeof(initial) / sizeof(initial[0]) == 31);
    const auto failure = detail::capture([&] {
        for (int i = imodStructure::BaseUserPermissions; i < flags.size(); ++i) {
            const QString &column = flags[i];
            if (!exec(QStringLiteral("ALTER TABLE Users ADD COLUMN ") + column +
                      QStringLiteral(" INT DEFAULT 0")))
                continue;
            const int value = initial[i - imodStructure::BaseUserPermissions];
            if (i == flags.size() - 1)
                exec(QStringLiteral("UPDATE Users SET Discounts = 1;"));
            else
                exec(QStringLiteral("UPDATE Users SET Users.%1 = %2;").arg(column).arg(value));
        }
    });
    if (failure)
        detail::tableErrorBox(QStringLiteral("An error occurred while updating users table."),
                              *failure);
}

void UpgradePayments()
{
    ShowVerifyCaption(QStringLiteral("Updating Database Structure - Charges and Payments..."));
    const auto failure = detail::capture([] {
        auto own = detail::openOwnConnection();
        exec(QStringLiteral("ALTER TABLE Payments ADD COLUMN DiscountGST CURRENCY;"));
        if (exec(QStringLiteral("ALTER TABLE Payments ADD COLUMN TaxCode NVARCHAR(50);"))) {
            QStringList updates;
            for (const auto &row : readRows(
                     *own,
                     QStringLiteral(
                         "SELECT PaymentID, Payments.BookingID, Payments.TaxCode, Classes.ClassID, "
                         "Classes.ProgramID, Bookings.BookingID, Programs.TaxCode From Payments, "
                         "Bookings, Classes, Programs WHERE Bookings.BookingID = "
                         "Payments.BookingID "
                         "AND Bookings.ClassID = Classes.ClassID AND Classes.ProgramID = "
                         "Programs.ProgramID;")))
                updates << QStringLiteral("UPDATE Payments SET TaxCode = ") +
                               Global::SqlText(row[6].toString()) +
                               QStringLiteral(" WHERE PaymentID = ") +
                               Global::SqlNumber(row[0].toLongLong()) + QLatin1Char(';');
            runRowUpdates(*own, updates);
        }
        if (exec(QStringLiteral("ALTER TABLE Payments ADD COLUMN SID INT;"))) {
            QStringList updates;
            for (const auto &row :
                 readRows(*own, QStringLiteral("SELECT PaymentID, Payments.BookingID, SID, "
                                               "Bookings.BookingID, Bookings.StudentID From "
                                               "Payments, Bookings WHERE Bookings.BookingID = "
                                               "Payments.BookingID;")))
                updates << QStringLiteral("UPDATE Payments SET SID = ") + Global::SqlValue(row[4]) +
                               QStringLiteral(" WHERE PaymentID = ") +
                               Global::SqlNumber(row[0].toLongLong()) + QLatin1Char(';');
            runRowUpdates(*own, updates);
        }
        for (const char *sql : {"ALTER TABLE Payments ADD COLUMN AttendanceID INT;",
                                "ALTER TABLE Payments ADD COLUMN ChargeAmount CURRENCY;",
                                "ALTER TABLE Payments ADD COLUMN ChargeGST CURRENCY;",
                                "ALTER TABLE Payments ADD COLUMN PassportFee INT;",
                                "ALTER TABLE Payments ADD COLUMN SessionNo INT;"})
            exec(QLatin1String(sql));
        runAdapted(
            *own,
            {QStringLiteral("UPDATE Payments SET DiscountGST = 0 WHERE DiscountGST Is Null;"),
             QStringLiteral("UPDATE Payments SET SID = 0 WHERE SID Is Null;"),
             QStringLiteral("UPDATE Payments SET AttendanceID = 0 WHERE AttendanceID Is Null;"),
             QStringLiteral("UPDATE Payments SET ChargeAmount = 0 WHERE ChargeAmount Is Null;"),
             QStringLiteral("UPDATE Payments SET ChargeGST = 0 WHERE ChargeGST Is Null;"),
             QStringLiteral("UPDATE Payments SET PassportFee = 0 WHERE PassportFee Is Null;"),
             QStringLiteral(
                 "UPDATE Payments SET Payments.[Type] = 'P' WHERE Payments.[Type] Is Null;"),
             QStringLiteral("UPDATE Payments SET DiscountAmount = 0 WHERE DiscountAmount Is Null;"),
             QStringLiteral("UPDATE Payments SET Amount = 0 WHERE Amount Is Null;"),
             QStringLiteral("UPDATE Payments SET RevenueAmount = 0 WHERE RevenueAmount Is Null;"),
             QStringLiteral("UPDATE Payments SET SessionNo = 0 WHERE SessionNo IS NULL;")});
    });
    if (failure)
        detail::tableErrorBox(QStringLiteral("An error occurred while updating payments table."),
                              *failure);
}

bool RenameColumn(jet::Connection &connection, const QString &table, const QString &oldName,
                  const QString &newName)
{
    try {
        connection.renameColumn(table, oldName, newName);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace imodData
