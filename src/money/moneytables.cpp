#include "moneytables.h"

#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "core/irecobjectcode.h"
#include "core/listtext.h"
#include "core/lookups.h"
#include "core/sqlquote.h"
#include "imodmoney.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/error.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "students/imodstudents.h"
#include "timetable/programs.h"

namespace moneytables {

namespace {

using Rs = std::unique_ptr<jet::Recordset>;

Rs open(const QString &sql)
{
    return irecObjectCode::OpenRecordset(sql);
}

QString text(const QVariant &value)
{
    return value.isNull() ? QString() : vb::CStr(value);
}

int count(const QString &sql)
{
    Rs rs = open(sql);
    const int n = rs->eof() ? 0 : vb::CLng(vb::Nz(rs->value(0), 0));
    rs->close();
    return n;
}

// The row to update: none is a failure, as writing to no row is.
void requireRow(jet::Recordset &rs)
{
    if (rs.eof())
        throw jet::Error(jet::err::NoCurrentRecord,
                         QStringLiteral("Either BOF or EOF is True, or the current record has "
                                        "been deleted. Requested operation requires a current "
                                        "record."));
}

vb::Currency numericMoney(const QVariant &value)
{
    return vb::IsNumeric(value) ? vb::CCur(value) : vb::Currency();
}

QString withId(const QString &name, qint32 id)
{
    return name + QStringLiteral(" (ID#") + QString::number(id) + QLatin1Char(')');
}

} // namespace

// --- Tax codes.

QString TaxCodeRowSql(const QString &code)
{
    return QStringLiteral("SELECT TaxCode.* FROM TaxCode WHERE TaxCode.TaxCode = ") +
           Global::SqlText(code) + QLatin1Char(';');
}

std::optional<TaxCodeRow> FindTaxCode(const QString &listText)
{
    // The code ends at one of the " - " of the entry: each is tried.
    const QString separator = QStringLiteral(" - ");
    for (qsizetype at = listText.indexOf(separator); at >= 0;
         at = listText.indexOf(separator, at + 1)) {
        Rs rs = open(TaxCodeRowSql(listText.left(at)));
        for (; !rs->eof(); rs->moveNext()) {
            TaxCodeRow row{text(rs->value(0)), text(rs->value(1)), text(rs->value(2))};
            if (row.code + separator + row.description == listText)
                return row;
        }
    }
    return std::nullopt;
}

void SaveTaxCode(bool adding, const QString &code, const QString &description,
                 const QString &rate)
{
    Rs rs;
    if (adding) {
        rs = open(QStringLiteral("SELECT * FROM TaxCode WHERE TaxCode Is Null;"));
        rs->addNew();
        rs->setValue(0, code);
    } else {
        rs = open(QStringLiteral("SELECT * FROM TaxCode WHERE TaxCode.TaxCode = ") +
                  Global::SqlText(code) + QLatin1Char(';'));
        requireRow(*rs);
    }
    rs->setValue(1, description);
    rs->setValue(2, rate);
    rs->update();
    rs->close();
}

int CountAccountsWithTaxCode(const QString &code)
{
    return count(QStringLiteral("SELECT Count(*) FROM Accounts WHERE TaxCode = ") +
                 Global::SqlText(code) + QLatin1Char(';'));
}

int CountProgramsWithTaxCode(const QString &code)
{
    return count(QStringLiteral("SELECT Count(*) FROM Programs WHERE TaxCode = ") +
                 Global::SqlText(code) + QLatin1Char(';'));
}

// --- Payment methods.

QString PaymentMethodRowSql(qint32 id)
{
    return QStringLiteral("SELECT BankLink.* FROM BankLink WHERE BankLinkID = ") +
           Global::SqlNumber(id) + QLatin1Char(';');
}

std::optional<PaymentMethodRow> FindPaymentMethod(const QString &listText)
{
    const qint32 id = core::NumberAfterMarker(listText, QStringLiteral("(ID#"));
    if (id == 0)
        return std::nullopt;
    Rs rs = open(PaymentMethodRowSql(id));
    if (rs->eof())
        return std::nullopt;
    PaymentMethodRow row{vb::CLng(rs->value(0)), text(rs->value(1)),
                         text(rs->value(QStringLiteral("Account"))),
                         vb::CInt(vb::Nz(rs->value(QStringLiteral("Exclude")), 0))};
    if (withId(row.name, row.id) != listText)
        return std::nullopt;
    return row;
}

qint32 SavePaymentMethod(qint32 id, const QString &name, const QString &account, int exclude)
{
    Rs rs = open(PaymentMethodRowSql(id));
    if (id == 0)
        rs->addNew();
    else
        requireRow(*rs);
    rs->setValue(1, name);
    rs->setValue(QStringLiteral("Account"), account);
    rs->setValue(QStringLiteral("Exclude"), exclude);
    rs->update();
    const qint32 saved = vb::CLng(rs->value(0));
    rs->close();
    return saved;
}

int CountPaymentsWithMethod(const QString &name)
{
    return count(QStringLiteral("SELECT Count(*) FROM Payments WHERE ((Method = ") +
                 Global::SqlText(name) + QStringLiteral(") AND ((Banked=0) OR (Banked = 1)));"));
}

// --- Discounts.

QString DiscountRowSql(qint32 id)
{
    return QStringLiteral("SELECT DiscountID, DiscountName, Amount, PoolDiscounts, PerSession "
                          "FROM Discounts WHERE DiscountID = ") +
           Global::SqlNumber(id) + QLatin1Char(';');
}

std::optional<DiscountRow> FindDiscount(const QString &listText)
{
    const qint32 id = core::NumberAfterMarker(listText, QStringLiteral("(ID#"));
    if (id == 0)
        return std::nullopt;
    Rs rs = open(DiscountRowSql(id));
    if (rs->eof())
        return std::nullopt;
    DiscountRow row{vb::CLng(rs->value(0)), text(rs->value(1)), numericMoney(rs->value(2)),
                    vb::CInt(vb::Nz(rs->value(3), 0)), vb::CInt(vb::Nz(rs->value(4), 0))};
    if (withId(row.name, row.id) != listText)
        return std::nullopt;
    return row;
}

bool DiscountNameExists(const QString &name)
{
    return count(QStringLiteral("SELECT Count(*) FROM Discounts WHERE DiscountName = ") +
                 Global::SqlText(name) + QLatin1Char(';')) > 0;
}

qint32 SaveDiscount(qint32 id, const QString &name, const QString &amount, int pool,
                    int perSession)
{
    Rs rs = open(DiscountRowSql(id));
    if (id == 0)
        rs->addNew();
    else
        requireRow(*rs);
    rs->setValue(QStringLiteral("DiscountName"), name);
    rs->setValue(QStringLiteral("Amount"), amount);
    rs->setValue(QStringLiteral("PoolDiscounts"), pool);
    rs->setValue(QStringLiteral("PerSession"), perSession);
    rs->update();
    const qint32 saved = vb::CLng(rs->value(QStringLiteral("DiscountID")));
    rs->close();
    return saved;
}

// --- Granting a discount.

vb::Currency GetSessionDiscounts(qint32 bookingId, int session)
{
    Rs rs = open(QStringLiteral("SELECT SUM(DiscountAmount) AS TotalDiscounts, SUM(DiscountGST) "
                                "AS TotalDiscountGST FROM Payments WHERE BookingID = ") +
                 Global::SqlNumber(bookingId) + QStringLiteral(" AND SessionNo = ") +
                 Global::SqlNumber(session));
    vb::Currency total;
    if (!rs->eof())
        total = numericMoney(rs->value(0)) + numericMoney(rs->value(1));
    rs->close();
    return total;
}

vb::Currency GetBookingDiscounts(qint32 bookingId)
{
    return GetSessionDiscounts(bookingId, 0);
}

vb::Currency DiscountTotal(vb::Currency amount, vb::Currency granted, bool pooling)
{
    if (!pooling)
        return amount;
    return granted >= amount ? vb::Currency() : amount - granted;
}

QList<Approver> LoadApprovers()
{
    Rs rs = open(QStringLiteral(
        "SELECT Instructors.InstructorID, Students.[First Name], Students.[Last Name], "
        "Instructors.UserID, Instructors.StudentID FROM Students INNER JOIN Instructors ON "
        "Students.StudentID = Instructors.StudentID WHERE Students.Inactive = 0 AND "
        "Students.Employee='Y' AND Instructors.UserID <> '' ORDER BY Students.[First Name], "
        "Students.[Last Name];"));
    QList<Approver> out;
    for (; !rs->eof(); rs->moveNext())
        out.append({text(rs->value(1)) + QLatin1Char(' ') + text(rs->value(2)),
                    text(rs->value(3))});
    rs->close();
    return out;
}

qint32 WriteDiscountRow(const DiscountGrant &grant)
{
    namespace col = imodMoney::PaymentsColumn;
    QString taxCode;
    if (grant.bookingId != 0)
        taxCode = imodPrograms::GetProgramTaxCode(grant.programId);
    if (taxCode.isEmpty())
        taxCode = text(Global::CentreSettings().Settings(int(CentreSettingIds::DefaultTaxCode)));
    const QString session = grant.session == QLatin1String("0") ? QString() : grant.session;
    const QVariant zero = QVariant::fromValue(vb::Currency());

    // A recordset that reads no ledger row: it only adds one.
    Rs rs = open(QStringLiteral("SELECT Payments.* FROM Payments WHERE PaymentID = 0;"));
    rs->addNew();
    try {
        rs->setValue(col::BookingID, grant.bookingId);
        rs->setValue(col::Time, vb::Now());
        rs->setValue(col::Amount, zero);
        rs->setValue(col::Method, grant.details);
        rs->setValue(col::ReceivedFrom, imodStudents::GetStudentName(grant.studentId));
        rs->setValue(col::AuthorisedBy, grant.authorisedBy);
        rs->setValue(col::Date, vb::Date());
        rs->setValue(col::Banked, 0);
        rs->setValue(col::Type, imodMoney::PaymentRowType::Payment);
        rs->setValue(col::Notes, grant.details);
        rs->setValue(col::ReceiptNo, QString());
        rs->setValue(col::DiscountAmount, QVariant::fromValue(grant.total));
        rs->setValue(col::RevenueAccount, imodPrograms::GetProgramRevenueAccount(grant.programId));
        rs->setValue(col::GSTCollected, zero);
        rs->setValue(col::PassportFee, 0);
        rs->setValue(col::RevenueAmount, zero);
        rs->setValue(col::DepositAccount, Global::GetBankLinkValue(grant.authorisedBy));
        rs->setValue(col::DiscountGST, zero);
        rs->setValue(col::TaxCode, taxCode);
        rs->setValue(col::SID, grant.studentId);
        rs->setValue(col::AttendanceID, 0);
        rs->setValue(col::ChargeAmount, zero);
        rs->setValue(col::ChargeGST, zero);
        rs->setValue(col::SessionNo, session.isEmpty() ? QVariant(0) : QVariant(session));
        rs->update();
    } catch (...) {
        rs->cancelUpdate();
        throw;
    }
    const qint32 id = vb::CLng(rs->value(col::PaymentID));
    rs->close();
    return id;
}

// --- General-ledger accounts.

const QStringList &AccountTypes()
{
    static const QStringList types = {
        QStringLiteral("Asset"),         QStringLiteral("Liability"),
        QStringLiteral("Equity"),        QStringLiteral("Income"),
        QStringLiteral("Cost of Sales"), QStringLiteral("Expense"),
        QStringLiteral("Other Income"),  QStringLiteral("Other Expense")};
    return types;
}

bool IsClearingAccountType(const QString &type)
{
    return type == QLatin1String("Asset") || type == QLatin1String("Liability");
}

QString AccountRowOfEntrySql(const QString &listText)
{
    return QStringLiteral("SELECT Accounts.* FROM Accounts WHERE (Accounts.AccountNo + ' - ' + "
                          "Accounts.Name) = ") +
           Global::SqlText(listText) + QLatin1Char(';');
}

QString AccountRowSql(const QString &code)
{
    return QStringLiteral("SELECT Accounts.* FROM Accounts WHERE AccountNo = ") +
           Global::SqlText(code) + QLatin1Char(';');
}

bool AccountExists(const QString &code)
{
    return count(QStringLiteral("SELECT Count(*) FROM Accounts WHERE AccountNo = ") +
                 Global::SqlText(code) + QLatin1Char(';')) > 0;
}

int CountProgramsWithAccount(const QString &code)
{
    return count(QStringLiteral("SELECT Count(*) FROM Programs WHERE RevenueAccount = ") +
                 Global::SqlText(code) + QLatin1Char(';'));
}

int CountPaymentsWithAccount(const QString &code)
{
    const QString quoted = Global::SqlText(code);
    return count(QStringLiteral("SELECT Count(*) FROM Payments WHERE RevenueAccount = ") + quoted +
                 QStringLiteral(" OR DepositAccount = ") + quoted + QLatin1Char(';'));
}

int CountClearListingsWithAccount(const QString &code)
{
    return count(QStringLiteral("SELECT Count(*) FROM ClearAccListing WHERE Account = ") +
                 Global::SqlText(code) + QLatin1Char(';'));
}

int CountClearDetailsWithAccount(const QString &code)
{
    return count(QStringLiteral("SELECT Count(*) FROM ClearAccDetail WHERE Account = ") +
                 Global::SqlText(code) + QLatin1Char(';'));
}

} // namespace moneytables
