#include "datafile.h"

#include "core/centresettings.h"
#include "core/globaldata.h"
#include "platform/jet/connection.h"

#include <QFile>
#include <sqlite3.h>

void DataFileTest::SetUp()
{
    dataFile = dir.file("default.mdb");
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(dataFile).constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "PRAGMA user_version = 1", nullptr, nullptr, nullptr);
    sqlite3_close(db);

    Global::DatabaseType = QStringLiteral("Jet");
    Global::CurrentUserId = QStringLiteral("i");
    Global::CurrentDataFile = QStringLiteral("default.mdb");
    Global::CentreSettings().setDataFilesDirectory(dir.path());
    Global::DbConnection().open(QStringLiteral("Data Source=") + dataFile);
}

void DataFileTest::TearDown()
{
    Global::DropDbConnection();
    Global::DatabaseType.clear();
    Global::CurrentUserId.clear();
    Global::CurrentDataFile.clear();
    Global::CentreSettings().setDataFilesDirectory({});
}

void DataFileTest::createCentreInfo(int rows)
{
    static const char *columns =
        "CentreName NVARCHAR(255), ABN NVARCHAR(255), Address NVARCHAR(255), City NVARCHAR(255), "
        "State NVARCHAR(255), Postcode NVARCHAR(10), Phone NVARCHAR(255), Email NVARCHAR(255), "
        "Website NVARCHAR(255), Message NVARCHAR(255), UserID NVARCHAR(255), "
        "ReceiptName NVARCHAR(255), Manager1 NVARCHAR(255), Position1 NVARCHAR(255), "
        "Manager2 NVARCHAR(255), Position2 NVARCHAR(255), NextReceiptNo INT, OverdueDays INT, "
        "RequireLogonAtStart INT, DefaultProgramName NVARCHAR(255), AllowOverfill INT, "
        "DetailsFormsExpire INT, DefaultAttend NVARCHAR(255), AssessGenCount INT, "
        "DepositAccount NVARCHAR(255), ClearAccMethod NVARCHAR(255), "
        "AttendChargeOn NVARCHAR(255), AllowNegativePayments INT, MYOB_QB NVARCHAR(255), "
        "DisplayCalendar INT, Attended NVARCHAR(255), DNA NVARCHAR(255), "
        "Contacted NVARCHAR(255), Sick NVARCHAR(255), Absent NVARCHAR(255), "
        "DataVersion NVARCHAR(10), ExcelStartRow INT, JoiningFee CURRENCY, "
        "JoiningFeeTaxCode NVARCHAR(255), JoiningFeeAccount NVARCHAR(255), "
        "DefaultStatus NVARCHAR(255), BackupLocation NVARCHAR(255), "
        "DefaultAccount NVARCHAR(255), DefaultTaxCode NVARCHAR(255), SimpleSearch INT, "
        "AccountName NVARCHAR(255), BSB NVARCHAR(255), AccountNumber NVARCHAR(255), "
        "Updated58 INT, Updated61 INT, Updated62 INT, Updated62b INT, FormatOfDate NVARCHAR(50), "
        "Updated62c INT, InvoiceMessage NVARCHAR(255), ShowPayCheque INT, ShowPayCounter INT, "
        "ShowPayEFT INT, ShowPayCreditCard INT, ShowBalOtherPrograms INT, "
        "EmailServer NVARCHAR(255), EmailUsername NVARCHAR(255), EmailPassword NVARCHAR(255), "
        "EmailOutgoingPort NVARCHAR(5), EmailEncryptionRequired INT, EmailAuthentication INT";
    auto &db = Global::DbConnection();
    db.execute(QStringLiteral("CREATE TABLE CentreInfo (%1)").arg(QLatin1String(columns)));
    for (int n = 1; n <= rows; ++n)
        db.execute(QStringLiteral("INSERT INTO CentreInfo (CentreName, ABN, OverdueDays, "
                                  "JoiningFee, DataVersion) VALUES ('Centre %1', '12 345 678 901', "
                                  "21, 12.5, '6.2')")
                       .arg(n));
}

QString DataFileTest::logText(const QString &month) const
{
    QFile file(dir.path() + QStringLiteral("/Logs/default-mdb-") + month + QStringLiteral(".txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}
