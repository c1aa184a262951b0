#include "imodmoney.h"

#include "core/centresettings.h"
#include "core/dbtransaction.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/imoddata.h"
#include "core/imodvista.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/sqlquote.h"
#include "enrolments/imodenrolments.h"
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "students/imodstudents.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

#include <QWidget>
#include <limits>

namespace imodMoney {

// The family parts select the family in WHERE, not in HAVING after grouping the
// whole ledger by family: the same row, without reading every payment of the file.
// They join from the family's students outwards (Classes LEFT JOIN'd last rather than
// RIGHT JOIN'd first): the same rows, but SQLite then starts from the family's index
// instead of pairing every class with every payment of the file.

namespace {

namespace col = PaymentsColumn;

const QString MoneyFormat = QStringLiteral("$#,###,##0.00;-$#,###,##0.00");

// A sum column: an empty sum is 0.
vb::Currency money(const QVariant &value)
{
    return vb::CCur(vb::Nz(value, 0));
}

vb::Currency first(const QString &sql, int column)
{
    auto rs = irecObjectCode::OpenRecordset(sql);
    return rs->eof() ? vb::Currency() : money(rs->value(column));
}

// The ledger day up to which the balances "as at" a date count: two days before it.
QString cutOff(const QDate &asAt)
{
    return Global::SqlDate(asAt.addDays(-2));
}

// The row of a text box of the array txtField; error 340 when the window has none.
QWidget *field(ui::Form *form, int index)
{
    for (QWidget *w : form->findChildren<QWidget *>(QStringLiteral("txtField"))) {
        if (ui::controlIndex(w) == index)
            return w;
    }
    throw vb::Error(340, QStringLiteral("Control array element '%1' doesn't exist").arg(index));
}

void setBoxText(QWidget *box, const QString &text)
{
    const bool multiLine = box->metaObject()->indexOfProperty("plainText") >= 0;
    box->setProperty(multiLine ? "plainText" : "text", text);
}

// Reads the number to hand out and raises it, on the connection, inside the
// caller's transaction.
qint32 takeReceiptNo(jet::Connection &connection)
{
    jet::Recordset rs(connection, Global::AdaptSql(QStringLiteral("SELECT NextReceiptNo FROM "
                                                                   "CentreInfo;")));
    if (rs.eof())
        throw vb::Error(vb::err::InvalidUseOfNull, QStringLiteral("Invalid use of Null"));
    const QVariant stored = rs.value(0);
    if (stored.isNull())
        throw vb::Error(vb::err::InvalidUseOfNull, QStringLiteral("Invalid use of Null"));
    const qint32 number = vb::CLng(stored);
    if (number == std::numeric_limits<qint32>::max())
        throw vb::Error(vb::err::Overflow, QStringLiteral("Overflow"));
    rs.setValue(0, number + 1);
    rs.update();
    rs.close();
    return number;
}

} // namespace

vb::Currency NetOwing(vb::Currency charges, vb::Currency amounts, vb::Currency discounts,
                      vb::Currency discountTax)
{
    return charges - amounts - discounts - discountTax;
}

vb::Currency TaxOwing(vb::Currency chargeTax, vb::Currency taxCollected, vb::Currency discountTax)
{
    return chargeTax - taxCollected - discountTax;
}

ChargeAndTax ClearingCharge(vb::Currency net, double rate)
{
    return {-net, -net * vb::Currency(rate)};
}

bool AddCharge(const QString &rowType, vb::Currency chargeAmount, vb::Currency chargeTax,
               const QString &revenueAccount, qint32 bookingId, qint32 studentId,
               qint32 attendanceId, const QString &taxCode, const QString &notes)
{
    Q_UNUSED(rowType); // every row written here is a charge
    std::unique_ptr<jet::Recordset> rs;
    try {
        rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT Payments.* FROM Payments WHERE PaymentID = 0;"));
        rs->addNew();
        const QVariant zero = QVariant::fromValue(vb::Currency());
        rs->setValue(col::BookingID, bookingId);
        rs->setValue(col::Time, vb::Now());
        rs->setValue(col::Amount, zero);
        rs->setValue(col::Method, QString());
        rs->setValue(col::ReceivedFrom, imodEnrolments::GetBookingStudentName(bookingId));
        rs->setValue(col::AuthorisedBy, QStringLiteral("Ovix"));
        rs->setValue(col::Date, vb::Date());
        rs->setValue(col::Banked, 0);
        rs->setValue(col::Type, PaymentRowType::Charge);
        rs->setValue(col::Notes, notes);
        rs->setValue(col::ReceiptNo, ReceiptNoMarker::Charge);
        rs->setValue(col::DiscountAmount, zero);
        rs->setValue(col::RevenueAccount, revenueAccount);
        rs->setValue(col::GSTCollected, zero);
        rs->setValue(col::RevenueAmount, zero);
        rs->setValue(col::DepositAccount, QString());
        rs->setValue(col::DiscountGST, zero);
        rs->setValue(col::TaxCode, taxCode.isEmpty()
                                       ? vb::Nz(Global::CentreSettings().Settings(
                                             int(CentreSettingIds::DefaultTaxCode)))
                                       : QVariant(taxCode));
        rs->setValue(col::SID, studentId);
        rs->setValue(col::AttendanceID, attendanceId);
        rs->setValue(col::ChargeAmount, QVariant::fromValue(chargeAmount));
        rs->setValue(col::ChargeGST, QVariant::fromValue(chargeTax));
        rs->setValue(col::PassportFee, bookingId == 0 && notes == PassportFeeNotes ? 1 : 0);
        rs->setValue(col::SessionNo, 0);
        rs->update();
        rs->close();
        return true;
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        if (rs && rs->isOpen()) {
            try {
                rs->cancelUpdate();
            } catch (...) {
            }
        }
        ui::Dialogs::msgBox(QStringLiteral("%1 (#%2)").arg(e.description).arg(e.number),
                            ui::vbExclamation, QStringLiteral("Error in Adding Charge"));
        return false;
    }
}

void SetChargeAmount(qint32 paymentId, vb::Currency amount)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT PaymentID, ChargeAmount FROM Payments WHERE PaymentID = %1;")
            .arg(Global::SqlNumber(paymentId)));
    if (!rs->eof()) {
        rs->setValue(1, QVariant::fromValue(money(rs->value(1)) + amount));
        rs->update();
    }
    rs->close();
}

void DeletePaymentRow(qint32 paymentId)
{
    imodData::ExecSQL(QStringLiteral("DELETE FROM Payments WHERE PaymentID = %1;")
                          .arg(Global::SqlNumber(paymentId)),
                      false);
}

bool CollectStudentCredit(qint32 studentId)
{
    Global::DbTransaction transaction;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral(
            "SELECT Sum(Payments.ChargeAmount) AS SumOfChargeAmount, "
            "Sum(Payments.Amount) AS SumOfAmount, Sum(Payments.DiscountAmount) AS "
            "SumOfDiscountAmount, Sum(Payments.DiscountGST) AS SumOfDiscountGST, "
            "([SumOfChargeAmount]-[SumOfAmount]-[SumOfDiscountAmount]-[SumOfDiscountGST])"
            " AS Net, Payments.BookingID  FROM Payments WHERE (Payments.SID =%1) GROUP "
            "BY Payments.BookingID;")
            .arg(Global::SqlNumber(studentId)));
    for (; !rs->eof(); rs->moveNext()) {
        const vb::Currency net = money(rs->value(4));
        if (net >= vb::Currency())
            continue;
        const vb::Currency credit = -net;
        const qint32 bookingId = vb::CLng(vb::Nz(rs->value(5), 0));
        const qint32 programId =
            imodClasses::GetClassProgramId(imodEnrolments::GetBookingClassID(bookingId));
        const double rate = imodPrograms::GetProgramGstRate(programId);
        if (!AddCharge(PaymentRowType::Charge, credit, credit * vb::Currency(rate),
                       imodPrograms::GetProgramRevenueAccount(programId), bookingId,
                       imodStudents::GetStudentIDFromBooking(bookingId), 0,
                       imodPrograms::GetProgramTaxCode(programId), QString()))
            return false;
    }
    rs->close();
    transaction.commit();
    return true;
}

qint32 TakeNextReceiptNo()
{
    Global::DbTransaction transaction;
    const qint32 number = takeReceiptNo(Global::DbConnection());
    transaction.commit();
    return number;
}

qint32 TakeNextReceiptNo(jet::Connection &connection)
{
    connection.beginTrans();
    try {
        const qint32 number = takeReceiptNo(connection);
        connection.commitTrans();
        return number;
    } catch (...) {
        try {
            connection.rollbackTrans();
        } catch (...) {
        }
        throw;
    }
}

vb::Currency GetPaidForBooking(qint32 bookingId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Sum([Amount]), Sum([DiscountAmount]), Sum([DiscountGST]) FROM "
                       "Payments WHERE BookingID = %1;")
            .arg(Global::SqlNumber(bookingId)));
    vb::Currency total;
    if (!rs->eof()) {
        for (int c = 0; c < 3; ++c)
            total += money(rs->value(c));
    }
    rs->close();
    return total;
}

vb::Currency GetPassportFeeTotals(qint32 studentId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Sum(ChargeAmount) AS SumOfCharges, Sum(Amount) As PaymentAmount, "
                       "Sum(DiscountAmount) As SumOfDiscount, Sum(DiscountGST) As "
                       "SumOfDiscountGST FROM Payments WHERE ((SID=%1) AND (PassportFee=1));")
            .arg(Global::SqlNumber(studentId)));
    if (rs->eof())
        return {};
    return NetOwing(money(rs->value(0)), money(rs->value(1)), money(rs->value(2)),
                    money(rs->value(3)));
}

vb::Currency GetBalanceAsAt(qint32 accountId, const QDate &asAt, bool family)
{
    const QString id = Global::SqlNumber(accountId);
    vb::Currency result = first(
        QStringLiteral("SELECT Payments.SID, Sum(Payments.ChargeAmount) AS SumOfChargeAmount, "
                       "Sum(Payments.Amount) AS SumOfAmount, "
                       "Sum(Payments.DiscountAmount) AS SumOfDiscountAmount, "
                       "Sum(Payments.DiscountGST) AS SumOfDiscountGST, "
                       "([SumOfChargeAmount]-[SumOfAmount]-[SumOfDiscountAmount]-["
                       "SumOfDiscountGST]) AS Net FROM Payments "
                       "WHERE (((Payments.Date)<=%1)) AND ((Payments.SID) = %2) GROUP BY "
                       "Payments.SID;")
            .arg(cutOff(asAt), id),
        5);
    if (family) {
        result += first(
            QStringLiteral(
                "SELECT Sum(Payments.ChargeAmount) AS SumOfChargeAmount, "
                "Sum(Payments.Amount) AS SumOfAmount, "
                "Sum(Payments.DiscountAmount) AS SumOfDiscountAmount, "
                "Sum(Payments.DiscountGST) AS SumOfDiscountGST, "
                "([SumOfChargeAmount]-[SumOfAmount]-[SumOfDiscountAmount]-[SumOfDiscountGST]) "
                "AS Net, Students.Family FROM Students INNER JOIN Payments "
                "ON Students.StudentID = Payments.SID WHERE (((Payments.Date)<=%1)) "
                "AND ((Students.Family) = %2) GROUP BY Students.Family;")
                .arg(cutOff(asAt), id),
            4);
    }
    return result;
}

vb::Currency GetProgramBalance(qint32 accountId, qint32 programId, const QString &comparison)
{
    if (comparison != QLatin1String("=") && comparison != QLatin1String("<>"))
        throw vb::Error(vb::err::InvalidProcedureCall,
                        QStringLiteral("Invalid procedure call or argument"));
    const QString id = Global::SqlNumber(accountId);
    const QString program = comparison + Global::SqlNumber(programId);
    vb::Currency result;
    {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral(
                "SELECT Payments.SID, Sum(Payments.ChargeAmount) AS SumOfChargeAmount, "
                "Sum(Payments.Amount) AS SumOfAmount, "
                "Sum(Payments.DiscountAmount) AS SumOfDiscountAmount, "
                "Sum(Payments.DiscountGST) AS SumOfDiscountGST, "
                "([SumOfChargeAmount]-[SumOfAmount]-[SumOfDiscountAmount]-[SumOfDiscountGST]) "
                "AS Net, Classes.ProgramID "
                "FROM (Payments LEFT JOIN Bookings ON Payments.BookingID = Bookings.BookingID) "
                "LEFT JOIN Classes ON Bookings.ClassID = Classes.ClassID "
                "WHERE (((Payments.SID)=%1)) GROUP BY Payments.SID, Classes.ProgramID "
                "HAVING (((Classes.ProgramID)%2));")
                .arg(id, program));
        for (; !rs->eof(); rs->moveNext())
            result += money(rs->value(5));
        rs->close();
    }
    result += first(
        QStringLiteral(
            "SELECT Sum(Payments.ChargeAmount) AS SumOfChargeAmount, "
            "Sum(Payments.Amount) AS SumOfAmount, "
            "Sum(Payments.DiscountAmount) AS SumOfDiscountAmount, "
            "Sum(Payments.DiscountGST) AS SumOfDiscountGST, "
            "([SumOfChargeAmount]-[SumOfAmount]-[SumOfDiscountAmount]-[SumOfDiscountGST]) AS "
            "Net, Students.Family FROM ((Students INNER JOIN Payments ON Students.StudentID = "
            "Payments.SID) LEFT JOIN Bookings ON Payments.BookingID = Bookings.BookingID) "
            "LEFT JOIN Classes ON Bookings.ClassID = Classes.ClassID "
            "WHERE (((Classes.ProgramID)%2)) AND ((Students.Family)=%1) GROUP BY Students.Family;")
            .arg(id, program),
        4);
    return result;
}

vb::Currency GetTotalBalance(qint32 accountId, bool family)
{
    const QString id = Global::SqlNumber(accountId);
    vb::Currency result = first(
        QStringLiteral(
            "SELECT Payments.SID, Sum(Payments.ChargeAmount) AS SumOfChargeAmount, "
            "Sum(Payments.Amount) AS SumOfAmount, Sum(Payments.DiscountAmount) AS "
            "SumOfDiscountAmount, Sum(Payments.DiscountGST) AS SumOfDiscountGST, "
            "([SumOfChargeAmount]-[SumOfAmount]-[SumOfDiscountAmount]-[SumOfDiscountGST]) AS Net "
            "FROM (Payments LEFT JOIN Bookings ON Payments.BookingID = Bookings.BookingID) "
            "LEFT JOIN Classes ON Bookings.ClassID = Classes.ClassID "
            "WHERE (((Payments.SID)=%1)) GROUP BY Payments.SID;")
            .arg(id),
        5);
    if (family) {
        result += first(
            QStringLiteral(
                "SELECT Sum(Payments.ChargeAmount) AS SumOfChargeAmount, "
                "Sum(Payments.Amount) AS SumOfAmount, "
                "Sum(Payments.DiscountAmount) AS SumOfDiscountAmount, "
                "Sum(Payments.DiscountGST) AS SumOfDiscountGST, "
                "([SumOfChargeAmount]-[SumOfAmount]-[SumOfDiscountAmount]-[SumOfDiscountGST]) "
                "AS Net, Students.Family FROM ((Students INNER JOIN Payments ON "
                "Students.StudentID = Payments.SID) LEFT JOIN Bookings ON Payments.BookingID = "
                "Bookings.BookingID) LEFT JOIN Classes ON Bookings.ClassID = Classes.ClassID "
                "WHERE ((Students.Family)=%1) GROUP BY Students.Family;")
                .arg(id),
            4);
    }
    return result;
}

vb::Currency GetGstOwingAsAt(qint32 accountId, const QDate &asAt, bool family)
{
    const QString id = Global::SqlNumber(accountId);
    vb::Currency result = first(
        QStringLiteral("SELECT Payments.SID, Sum(Payments.ChargeGST) AS SumOfChargeGST, "
                       "Sum(Payments.GSTCollected) AS SumOfGSTCollected, "
                       "Sum(Payments.DiscountGST) AS SumOfDiscountGST, "
                       "[SumOfChargeGST]-[SumOfGSTCollected]-[SumOfDiscountGST] AS Net FROM "
                       "Payments WHERE (((Payments.Date)<=%1)) AND ((Payments.SID) = %2) "
                       "GROUP BY Payments.SID;")
            .arg(cutOff(asAt), id),
        4);
    if (family) {
        result += first(
            QStringLiteral("SELECT Sum(Payments.ChargeGST) AS SumOfChargeGST, "
                           "Sum(Payments.GSTCollected) AS SumOfGSTCollected, "
                           "Sum(Payments.DiscountGST) AS SumOfDiscountGST, "
                           "[SumOfChargeGST]-[SumOfGSTCollected]-[SumOfDiscountGST] AS Net, "
                           "Students.Family FROM Students INNER JOIN Payments ON "
                           "Students.StudentID = Payments.SID WHERE (((Payments.Date)<=%1)) AND "
                           "((Students.Family) = %2) GROUP BY Students.Family;")
                .arg(cutOff(asAt), id),
            3);
    }
    return result;
}

void ShowPaymentsForStudent(qint32 studentId)
{
    QString pick;
    {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral(
                "SELECT Bookings.BookingID, Students.StudentID, Students.[First Name], "
                "Students.[Last Name], Classes.Description, Classes.Day, Classes.Time, "
                "Classes.ProgramID, Bookings.Owing, Bookings.Status FROM (Students INNER JOIN "
                "Bookings ON Students.StudentID = Bookings.StudentID) INNER JOIN Classes ON "
                "Bookings.ClassID = Classes.ClassID WHERE Students.StudentID = %1;")
                .arg(Global::SqlNumber(studentId)));
        if (rs->eof())
            return;
        pick = vb::CStr(vb::Nz(rs->value(3))) + QStringLiteral(", ") +
               vb::CStr(vb::Nz(rs->value(2))) + QStringLiteral(" (SID#") +
               vb::CStr(vb::Nz(rs->value(1))) + QLatin1Char(')');
        rs->close();
    }

    // Each step goes on when the one before failed.
    ui::Form *payments = nullptr;
    try {
        payments = ui::LoadWindowByName(QStringLiteral("frmPayments"));
        if (payments)
            payments->showForm();
    } catch (...) {
    }
    if (!payments)
        return;
    QWidget *cbo = payments->findChild<QWidget *>(QStringLiteral("cbo"));
    try {
        if (cbo)
            core::setListText(cbo, pick);
    } catch (...) {
    }
    imodVista::SafeSetFocus(cbo);
    try {
        ui::callByName(payments, QStringLiteral("AddToList"), {pick});
    } catch (...) {
    }
}

void ShowReceiptSummary(qint32 paymentId)
{
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Payments.* FROM Payments WHERE PaymentID=%1;")
            .arg(Global::SqlNumber(paymentId)));
    if (rs->eof())
        return;
    ui::Form *summary = ui::LoadWindowByName(QStringLiteral("frmReceiptSummary"));
    if (!summary)
        return;
    summary->showForm();

    const auto text = [&rs](int column) {
        const QVariant v = rs->value(column);
        return v.isNull() ? QString() : vb::CStr(v);
    };
    const auto amount = [&rs](int column) {
        const QVariant v = rs->value(column);
        return v.isNull() ? QString() : vb::Format(v, MoneyFormat);
    };
    const auto formatted = [](vb::Currency value) {
        return vb::Format(QVariant::fromValue(value), MoneyFormat);
    };

    // In the order the boxes have always been filled: a failing box leaves the rest.
    static const struct
    {
        int column;
        bool isAmount;
    } boxes[] = {{col::PaymentID, false},    {col::BookingID, false},     {col::Time, false},
                 {col::Amount, true},        {col::Method, false},        {col::ReceivedFrom, false},
                 {col::AuthorisedBy, false}, {col::Banked, false},        {col::Notes, false},
                 {col::ReceiptNo, false},    {col::RevenueAccount, false}, {col::GSTCollected, true},
                 {col::RevenueAmount, true}, {col::DepositAccount, false}};
    for (const auto &box : boxes)
        setBoxText(field(summary, box.column),
                   box.isAmount ? amount(box.column) : text(box.column));
    const vb::Currency discount = money(rs->value(col::DiscountAmount));
    const vb::Currency discountTax = money(rs->value(col::DiscountGST));
    setBoxText(field(summary, col::DiscountAmount), formatted(discount));
    setBoxText(field(summary, col::DiscountGST), formatted(discountTax));
    QWidget *net = summary->findChild<QWidget *>(QStringLiteral("txtDiscNet"));
    if (!net)
        throw vb::Error(vb::err::ObjectDoesNotSupport,
                        QStringLiteral("The receipt summary has no box txtDiscNet."));
    setBoxText(net, formatted(discount + discountTax));

    summary->frame()->raise();
    summary->activateWindow();
    rs->close();
}

} // namespace imodMoney
