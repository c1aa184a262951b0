#pragma once

#include "core/csupercollection.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

// The ids of the centre's settings: the place of each name in GlobalSettings' list.
namespace CentreSettingIds {
enum : int {
    ABN = 1,
    Address,
    City,
    State,
    Postcode,
    Phone,
    Email,
    Website,
    Message,
    UserID,
    ReceiptName,
    Manager1,
    Position1,
    Manager2,
    Position2,
    NextReceiptNo,
    OverdueDays,
    RequireLogonAtStart,
    DefaultProgramName,
    AllowOverfill,
    DetailsFormsExpire,
    DefaultAttend,
    AssessGenCount,
    DepositAccount,
    ClearAccMethod,
    AttendChargeOn,
    AllowNegativePayments,
    MYOB_QB,
    DisplayCalendar,
    Attended,
    DNA,
    Contacted,
    Sick,
    Absent,
    DataVersion,
    ExcelStartRow,
    JoiningFee,
    JoiningFeeTaxCode,
    JoiningFeeAccount,
    DefaultStatus,
    BackupLocation,
    DefaultAccount,
    DefaultTaxCode,
    SimpleSearch,
    AccountName,
    BSB,
    AccountNumber,
    Updated58,
    Updated61,
    Updated62,
    Updated62b,
    FormatOfDate,
    Updated62c,
    InvoiceMessage,
    ShowPayCheque,
    ShowPayCounter,
    ShowPayEFT,
    ShowPayCreditCard,
    ShowBalOtherPrograms,
    EmailServer,
    EmailUsername,
    EmailPassword,
    EmailOutgoingPort,
    EmailEncryptionRequired,
    EmailAuthentication,
    CentreName
};
} // namespace CentreSettingIds

// The centre's settings: the first CentreInfo row in memory, by id (1 to 66) or
// by column name (spelt exactly), with the program's own three values beside it.
// Values are the column values as read (Null as a null QVariant). A setting that
// does not exist, or any setting before the first load, raises error 0x80000501.
class GlobalSettings
{
public:
    static constexpr int SettingCount = 66;

    GlobalSettings();

    void InitFieldNames();
    // Reads the first CentreInfo row into a new set of values. Database errors reach
    // the caller; a load that fails part way keeps what it read.
    void LoadSettingsFromDb();
    // Writes every value into the first CentreInfo row (one update).
    void SaveSettingsToDb();

    // The id of the name (exact spelling), -1 when none.
    int GetFieldIdForKey(const QString &name) const;
    // The name of an id from 1 to 66, the empty text for any other.
    QString GetFieldKeyForId(int id) const;

    // By id (a number) or by name (a text).
    QVariant Settings(const QVariant &idOrName) const;
    // Replaces the value in memory only; SaveSettingsToDb writes it.
    void setSettings(const QVariant &idOrName, const QVariant &value);
    int Count() const { return SettingCount; }

    // The folder of the open data file, without a trailing "/".
    QString DataFilesDirectory() const { return m_dataFilesDirectory; }
    void setDataFilesDirectory(const QString &vNewPath) { m_dataFilesDirectory = vNewPath; }
    QString ApplicationName() const { return m_applicationName; }
    void setApplicationName(const QString &vNewName) { m_applicationName = vNewName; }
    QString ShortAppName() const { return m_shortAppName; }
    void setShortAppName(const QString &vNewName) { m_shortAppName = vNewName; }

private:
    static std::unique_ptr<CSuperCollection> newValues();

    QStringList m_fieldNames; // in id order
    std::unique_ptr<CSuperCollection> m_values;
    QString m_dataFilesDirectory;
    QString m_applicationName;
    QString m_shortAppName;
};
