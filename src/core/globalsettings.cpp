#include "globalsettings.h"

#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "platform/jet/recordset.h"

GlobalSettings::GlobalSettings()
    : m_values(newValues())
{
    InitFieldNames();
}

void GlobalSettings::InitFieldNames()
{
    m_fieldNames = QStringList{"ABN",
                               "Address",
                               "City",
                               "State",
                               "Postcode",
                               "Phone",
                               "Email",
                               "Website",
                               "Message",
                               "UserID",
                               "ReceiptName",
                               "Manager1",
                               "Position1",
                               "Manager2",
                               "Position2",
                               "NextReceiptNo",
                               "OverdueDays",
                               "RequireLogonAtStart",
                               "DefaultProgramName",
                               "AllowOverfill",
                               "DetailsFormsExpire",
                               "DefaultAttend",
                               "AssessGenCount",
                               "DepositAccount",
                               "ClearAccMethod",
                               "AttendChargeOn",
                               "AllowNegativePayments",
                               "MYOB_QB",
                               "DisplayCalendar",
                               "Attended",
                               "DNA",
                               "Contacted",
                               "Sick",
                               "Absent",
                               "DataVersion",
                               "ExcelStartRow",
                               "JoiningFee",
                               "JoiningFeeTaxCode",
                               "JoiningFeeAccount",
                               "DefaultStatus",
                               "BackupLocation",
                               "DefaultAccount",
                               "DefaultTaxCode",
                               "SimpleSearch",
                               "AccountName",
                               "BSB",
                               "AccountNumber",
                               "Updated58",
                               "Updated61",
                               "Updated62",
                               "Updated62b",
                               "FormatOfDate",
                               "Updated62c",
                               "InvoiceMessage",
                               "ShowPayCheque",
                               "ShowPayCounter",
                               "ShowPayEFT",
                               "ShowPayCreditCard",
                               "ShowBalOtherPrograms",
                               "EmailServer",
                               "EmailUsername",
                               "EmailPassword",
                               "EmailOutgoingPort",
                               "EmailEncryptionRequired",
                               "EmailAuthentication",
                               "CentreName"};
}

std::unique_ptr<CSuperCollection> GlobalSettings::newValues()
{
    auto values = std::make_unique<CSuperCollection>();
    values->setAllowItemAsignments(true);
    values->setBaseIndex(1);
    return values;
}

void GlobalSettings::LoadSettingsFromDb()
{
    m_values = newValues();
    jet::Recordset rs;
    irecObjectCode::PrepareRecordset(rs);
    rs.setSource(Global::AdaptSql(QStringLiteral("SELECT * FROM CentreInfo;")));
    rs.open();
    for (int id = 1; id <= SettingCount; ++id) {
        const QString &name = m_fieldNames.at(id - 1);
        m_values->Add(rs.value(name), name);
    }
    rs.close();
}

void GlobalSettings::SaveSettingsToDb()
{
    jet::Recordset rs;
    irecObjectCode::PrepareRecordset(rs);
    rs.setSource(Global::AdaptSql(QStringLiteral("SELECT * FROM CentreInfo;")));
    rs.open();
    for (int id = 1; id <= SettingCount; ++id)
        rs.setValue(m_fieldNames.at(id - 1), m_values->Item(id));
    rs.update();
    rs.close();
}

int GlobalSettings::GetFieldIdForKey(const QString &name) const
{
    const qsizetype at = m_fieldNames.indexOf(name);
    return at < 0 ? -1 : static_cast<int>(at) + 1;
}

QString GlobalSettings::GetFieldKeyForId(int id) const
{
    if (id < 1 || id > SettingCount)
        return {};
    return m_fieldNames.at(id - 1);
}

QVariant GlobalSettings::Settings(const QVariant &idOrName) const
{
    return m_values->Item(idOrName);
}

void GlobalSettings::setSettings(const QVariant &idOrName, const QVariant &value)
{
    m_values->setItem(idOrName, value);
}
