#include "lookups.h"

#include "core/passwords.h"
#include "platform/ui/windowregistry.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/fieldvalues.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/os/computer.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"

#include <QPlainTextEdit>
#include <QTextEdit>
#include <cerrno>

namespace Global {

namespace {

using core::detail::text;

// The first TaxCode row whose code equals the code exactly, through the action.
template <class Action> void withTaxCode(const QString &taxCode, Action action)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT TaxCode.* FROM TaxCode WHERE TaxCode=") + SqlText(taxCode) +
        QLatin1Char(';'));
    for (; !rs->eof(); rs->moveNext()) {
        if (text(rs->value(0)) == taxCode) {
            action(*rs);
            return;
        }
    }
}

QString studentSql(qint32 studentId)
{
    return QStringLiteral("SELECT Students.* FROM Students WHERE StudentID=") +
           SqlNumber(studentId) + QLatin1Char(';');
}

// Moves to the row whose first column is the student's ID; false when there is none.
bool seekStudent(jet::Recordset &rs, qint32 studentId)
{
    for (; !rs.eof(); rs.moveNext()) {
        if (!rs.value(0).isNull() && vb::CLng(rs.value(0)) == studentId)
            return true;
    }
    return false;
}

QWidget *box(ui::Form *form, const char *name)
{
    auto *w = form->findChild<QWidget *>(QLatin1String(name));
    if (!w)
        throw vb::Error(vb::err::ObjectDoesNotSupport,
                        QStringLiteral("The details form has no box %1.").arg(QLatin1String(name)));
    return w;
}

QString boxText(QWidget *w)
{
    if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        return plain->toPlainText();
    if (auto *rich = qobject_cast<QTextEdit *>(w))
        return rich->toPlainText();
    return w->property("text").toString();
}

void setBoxText(QWidget *w, const QString &value)
{
    if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        plain->setPlainText(value);
    else if (auto *rich = qobject_cast<QTextEdit *>(w))
        rich->setPlainText(value);
    else
        w->setProperty("text", value);
}

qint32 firstId(const QString &sql)
{
    try {
        auto rs = irecObjectCode::OpenRecordset(sql);
        return rs->eof() ? 0 : vb::CLng(rs->value(0));
    } catch (...) {
        return 0;
    }
}

} // namespace

double GetTaxRate(const QString &taxCode)
{
    double rate = 0;
    withTaxCode(taxCode, [&](jet::Recordset &rs) { rate = vb::CDbl(rs.value(2)) / 100.0; });
    return rate;
}

QString GetTaxCodeText(const QString &taxCode)
{
    QString description;
    withTaxCode(taxCode, [&](jet::Recordset &rs) { description = vb::CStr(rs.value(1)); });
    return description;
}

QString GetBankLinkValue(const QString &paymentType)
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT BankLink.* FROM BankLink;"));
    for (; !rs->eof(); rs->moveNext()) {
        if (text(rs->value(1)) == paymentType)
            return text(rs->value(2));
    }
    return {};
}

bool CheckUserPassword(const QString &userId, const QString &password, bool showMessage)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT UserID, Password FROM Users WHERE UserID=") +
        SqlText(userId.toUpper()) + QLatin1Char(';'));
    for (; !rs->eof(); rs->moveNext()) {
        const QVariant stored = rs->value(1);
        // A Null password never matches here.
        if (!stored.isNull() &&
            Global::CheckUserPasswordValue(vb::CStr(rs->value(0)), stored, password))
            return true;
        if (showMessage) {
            ui::Dialogs::msgBox(QStringLiteral("The password that you entered was incorrect."),
                                ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
        }
    }
    return false;
}

QString GetUserIdForBarcode(const QString &barcode)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Instructors.UserID FROM Instructors, Students WHERE "
                       "(Students.StudentID = Instructors.StudentID) AND (Students.Barcode=") +
        SqlText(barcode) + QStringLiteral(");"));
    return rs->eof() ? QString() : vb::CStr(rs->value(0));
}

int GetDetailsFormsExpiry()
{
    return vb::CInt(CentreSettings().Settings(CentreSettingIds::DetailsFormsExpire));
}

std::optional<QDateTime> GetDetailsFormDate(qint32 studentId)
{
    auto rs = irecObjectCode::OpenRecordset(studentSql(studentId));
    if (!seekStudent(*rs, studentId))
        return vb::zeroDate();
    const QVariant completed = rs->value(16);
    if (completed.isNull() || vb::CStr(completed).isEmpty())
        return std::nullopt;
    return vb::CDate(completed);
}

qint32 SessionPaymentExists(qint32 bookingId, int session)
{
    return firstId(QStringLiteral("SELECT PaymentID FROM Payments INNER JOIN Attend ON "
                                  "Attend.AttendanceID = Payments.AttendanceID ") +
                   QStringLiteral("WHERE Payments.BookingID=") + SqlNumber(bookingId) +
                   QStringLiteral(" AND Attend.[Session]=") + SqlNumber(session) +
                   QLatin1Char(';'));
}

qint32 GetAttendanceId(qint32 bookingId, int session)
{
    return firstId(QStringLiteral("SELECT AttendanceID FROM Attend WHERE (Attend.BKID=") +
                   SqlNumber(bookingId) + QStringLiteral(") AND (Attend.[Session]=") +
                   SqlNumber(session) + QStringLiteral(");"));
}

void SetDetailsFormMaker(DetailsFormMaker maker)
{
    ui::RegisterWindow(DetailsFormName, std::move(maker));
}

void FillDetailsForm(qint32 studentId, bool printNow, bool forPayment)
{
    auto rs = irecObjectCode::OpenRecordset(studentSql(studentId));
    if (!seekStudent(*rs, studentId))
        return;
    if (!ui::IsWindowRegistered(DetailsFormName)) {
        ui::Dialogs::msgBox(QStringLiteral("The student details form is not available."),
                            ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    ui::Form *form = ui::CreateWindowByName(DetailsFormName);
    if (!form)
        return;

    struct Fill
    {
        int column;
        const char *box;
        bool upper;
    };
    // The columns in their order; the address is built from columns 5 to 8.
    static const Fill fills[] = {
        {0, "txtID", true},         {1, "txtGivenName", true},
        {2, "txtFamilyName", true}, {3, "txtDOB", true},
        {4, "txtParentName", true}, {9, "txtHomePh", true},
        {10, "txtWorkPh", true},    {11, "txtMobilePh", true},
        {12, "txtEmail", false},    {13, "txtMedicalNotes", false},
        {14, "Text1", true},
    };
    for (const Fill &fill : fills) {
        const QString value = text(rs->value(fill.column));
        if (value.isEmpty())
            continue;
        QString shown = fill.upper ? value.toUpper() : value;
        if (fill.column == 0)
            shown = QLatin1Char('*') + shown + QLatin1Char('*');
        setBoxText(box(form, fill.box), shown);
    }
    QWidget *address = box(form, "txtAddress");
    static const struct
    {
        int column;
        const char *before;
    } parts[] = {{5, ""}, {6, "  "}, {7, "  "}, {8, " "}};
    for (const auto &part : parts) {
        const QString value = text(rs->value(part.column));
        if (value.isEmpty())
            continue;
        setBoxText(address, part.column == 5
                                ? value
                                : boxText(address) + QLatin1String(part.before) + value);
    }
    setBoxText(address, boxText(address).toUpper());
    setBoxText(box(form, "txtDate"), vb::Format(vb::Date(), DateFormat));

    form->showForm();
    if (forPayment)
        ui::callByName(form, QStringLiteral("LoadForPayment"));
    if (printNow) {
        ui::callByName(form, QStringLiteral("Command1_Click"));
        form->unload();
    }
    rs->close();
}

QString GetWorkstationName()
{
    const QString name = os::computerName();
    if (name.isEmpty()) {
        const int code = errno;
        throw vb::Error(code, QStringLiteral("A system call returned an error code of ") +
                                  QString::number(code));
    }
    return name;
}

int CountConnectedUsers()
{
    try {
        jet::Connection &db = DbConnection();
        if (!db.isOpen())
            db.open();
        const QString self = GetWorkstationName();
        auto rs =
            irecObjectCode::OpenRecordset(QStringLiteral("SELECT Name, InUse FROM Computers;"));
        int others = 0;
        for (; !rs->eof(); rs->moveNext()) {
            const QString name = text(rs->value(0));
            if (text(rs->value(1)).trimmed() == QLatin1String("1") &&
                name.compare(self, Qt::CaseInsensitive) != 0)
                ++others;
        }
        return others + 1;
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        const QString app = CentreSettings().ShortAppName();
        ui::Dialogs::msgBox(
            QStringLiteral("An error occurred when processing the list of users currently "
                           "connected to the database.\r\nErr#") +
                QString::number(error.number) + QStringLiteral(" - ") + error.description +
                QStringLiteral(".\r\nAs a result of this error, ") + app +
                QStringLiteral(" is unable to determine whether there are any other computers "
                               "connected to the data file. The compacting process will "
                               "continue but it will not complete successfully if other users "
                               "are connected to the database."),
            ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Unable to Determine User List"));
        return 0;
    }
}

} // namespace Global
