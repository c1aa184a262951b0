// The centre: its settings, user accounts, ledger accounts, payment methods, pool areas,
// schools and events.
#include "core/structure.h"
#include "generator.h"
#include "platform/jet/connection.h"

#include <algorithm>

namespace SampleData::detail {

namespace {

struct UserDef
{
    const char *id;
    const char *name;
    bool admin;
    // Permissions withheld from the account (by column name); the rest are allowed.
    QStringList denied;
};

} // namespace

void Generator::centreAndUsers()
{
    db.execute(QStringLiteral("UPDATE CentreInfo SET CentreName = %1, ABN = %2, Address = %3, "
                              "City = %4, State = %5, Postcode = %6, Phone = %7, Email = %8, "
                              "Website = %9, Message = %10, ReceiptName = %11, Manager1 = %12, "
                              "Position1 = %13, Manager2 = %14, Position2 = %15")
                   .arg(text("Bluewater Swim School"), text("51 824 753 556"),
                        text("12 Harbour Road"), text("Port Kembla"), text("NSW"), text("2505"),
                        text("02 4274 1100"), text("office@bluewater.example"),
                        text("www.bluewater.example"), text("Happy swimming!"),
                        text("Bluewater Swim School"), text("Sarah Nguyen"), text("Centre Manager"),
                        text("Tom Fraser"), text("Head Coach")));

    // The template's default user and administrator stay; the office's own accounts join them.
    users = {QStringLiteral("i"), QStringLiteral("a")};
    userNames = {QStringLiteral("Default User"), QStringLiteral("Administrator")};
    const std::vector<UserDef> office = {
        {"sarah", "Sarah Nguyen", true, {}},
        {"tom", "Tom Fraser", false, {"UserAccounts", "DeletePayments", "ClearAccounts"}},
        {"reception",
         "Front Desk",
         false,
         {"UserAccounts", "DeletePayments", "ClearAccounts", "DeleteStudents", "DeleteClasses",
          "DeleteEmployees", "AuditTrail", "GLAccounts", "TaxCodes", "DeleteFamily"}},
    };
    const QStringList &flags = imodStructure::UserPermissionColumns();
    QStringList columns = {"UserID", "Name", "Password", "Admin"};
    columns << flags;
    TableWriter userRows(db, QStringLiteral("Users"), columns);
    for (const UserDef &u : office) {
        QStringList values = {text(QString::fromLatin1(u.id)), text(QString::fromLatin1(u.name)),
                              text(QStringLiteral("swim")), number(qint64(u.admin ? 1 : 0))};
        for (const QString &flag : flags)
            values << number(qint64(u.denied.contains(flag) ? 0 : 1));
        userRows.add(values);
        users << QString::fromLatin1(u.id);
        userNames << QString::fromLatin1(u.name);
    }

    TableWriter accounts(db, QStringLiteral("Accounts"),
                         {"AccountNo", "Name", "Type", "TaxCode", "Bank"});
    accounts.add(
        {text("11100"), text("Cheque Account"), text("Asset"), text("N-T"), number(qint64(1))});
    accounts.add(
        {text("11200"), text("Undeposited Funds"), text("Asset"), text("N-T"), number(qint64(1))});
    accounts.add(
        {text("40010"), text("Joining Fees"), text("Income"), text("GST"), number(qint64(0))});
    accounts.add(
        {text("40020"), text("Swimming Lessons"), text("Income"), text("FRE"), number(qint64(0))});

    TableWriter methods(db, QStringLiteral("BankLink"),
                        {"BankLinkID", "PaymentType", "Account", "Exclude"});
    int method = 0;
    for (const char *name : {"Cash", "Cheque", "EFTPOS", "Credit Card", "Direct Deposit"})
        methods.add({number(qint64(++method)), text(QString::fromLatin1(name)),
                     text(method == 1 ? "11200" : "11100"), number(qint64(0))});

    TableWriter areas(db, QStringLiteral("PoolAreas"), {"AreaID", "AreaName"});
    areas.add({number(qint64(2)), text("Learners Pool")});

    TableWriter schools(db, QStringLiteral("School"),
                        {"SchoolName", "Address", "City", "SchoolState", "Postcode", "Phone",
                         "PrincipalName", "Notes"});
    for (const char *name : {"Port Kembla Public School", "Warrawong High School",
                             "Lake Heights Public School", "St Francis Primary"})
        schools.add({text(QString::fromLatin1(name)), text("1 School Street"), text("Port Kembla"),
                     text("NSW"), text("2505"), text(phone()), text("The Principal"),
                     text(QString())});

    TableWriter events(db, QStringLiteral("Events"), {"EventID", "EventName", "EventDate"});
    const QDate today = options.today;
    events.add({number(qint64(1)), text("School swimming carnival"), date(today.addDays(9))});
    events.add({number(qint64(2)), text("Pool closed for maintenance"), date(today.addDays(23))});
    events.add({number(qint64(3)), text("Staff first aid refresher"), date(today.addDays(-12))});
}

void Generator::finishCentre()
{
    // Automatic receipt numbers are 16-bit: a big file's later receipts were typed from
    // receipt books, and the next automatic number stays in range.
    const int next = std::min(nextReceipt, 32000);
    db.execute(QStringLiteral("UPDATE CentreInfo SET NextReceiptNo = %1, DefaultProgramName = %2, "
                              "JoiningFee = %3")
                   .arg(number(qint64(next)), text(terms.back().name), money(joiningFee)));
}

} // namespace SampleData::detail
