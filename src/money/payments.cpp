#include "payments.h"

#include "access/permissions.h"
#include "core/centresettings.h"
#include "core/dbtransaction.h"
#include "core/deletelog.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/lookups.h"
#include "core/sqlquote.h"
#include "core/timetablelookups.h"
#include "enrolments/imodenrolments.h"
#include "imodmoney.h"
#include "platform/jet/recordset.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/forms.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "students/imodstudents.h"
#include "timetable/classes.h"
#include "timetable/programs.h"

namespace imodMoney {

namespace {

namespace col = PaymentsColumn;

const QString BalanceFormat = QStringLiteral("$#,###,##0.00;-$#,###,##0.00");
const QString AmountFormat = QStringLiteral("$#####0.00;-$#####0.00");

QString text(const QVariant &value)
{
    return vb::CStr(vb::Nz(value));
}

QVariant setting(int id)
{
    return Global::CentreSettings().Settings(id);
}

QString settingText(int id)
{
    return text(setting(id));
}

QString settingTaxCode(int id)
{
    return settingText(id);
}

// One step of the status check: its message when it refuses.
bool refuse(const QString &title, const QString &message, int icon)
{
    ui::Dialogs::msgBox(message, icon, title);
    return false;
}

} // namespace

QString FormatBalance(vb::Currency amount)
{
    return vb::Format(QVariant::fromValue(amount), BalanceFormat);
}

QString FormatAmount(vb::Currency amount)
{
    return vb::Format(QVariant::fromValue(amount), AmountFormat);
}

std::optional<vb::Currency> ReadAmount(const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return vb::Currency::parse(text);
}

vb::Currency AmountOrZero(const QString &text)
{
    return ReadAmount(text).value_or(vb::Currency());
}

vb::Currency RoundToCents(vb::Currency amount)
{
    return AmountOrZero(FormatAmount(amount));
}

QList<QPair<QString, qint32>> PayerPickList(PayerListForm form)
{
    QList<QPair<QString, qint32>> entries;
    if (form == PayerListForm::InvoiceRef) {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT Students.StudentID FROM Students WHERE Students.Family = 0;"));
        for (; !rs->eof(); rs->moveNext()) {
            const qint32 id = vb::CLng(vb::Nz(rs->value(0), 0));
            entries.append({QStringLiteral("F") + QString::number(id), id});
        }
        return entries;
    }
    // The three columns the entries are made of, not the whole row.
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT Students.StudentID, Students.[First Name], Students.[Last Name] "
                       "FROM Students WHERE Students.Student='Y';"));
    for (; !rs->eof(); rs->moveNext()) {
        const qint32 id = vb::CLng(vb::Nz(rs->value(0), 0));
        const QString first = text(rs->value(1));
        const QString last = text(rs->value(2));
        const QString sid = QStringLiteral(" (SID#") + QString::number(id) + QLatin1Char(')');
        entries.append({form == PayerListForm::LastFirst ? last + QStringLiteral(", ") + first + sid
                                                         : first + QLatin1Char(' ') + last + sid,
                        id});
    }
    return entries;
}

qint32 StudentIdOfEntry(const QString &entry)
{
    const int at = entry.indexOf(QStringLiteral("(SID#"));
    if (at < 0)
        return 0;
    const int start = at + 5;
    const int end = entry.indexOf(QLatin1Char(')'), start);
    if (end < 0)
        return 0;
    return entry.mid(start, end - start).trimmed().toInt();
}

QList<qint32> FamilyReferenceStudents(qint32 familyId)
{
    const QString id = Global::SqlNumber(familyId);
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT StudentID FROM Students WHERE ((StudentID = %1) OR (Family = %1));")
            .arg(id));
    QList<qint32> ids;
    for (; !rs->eof(); rs->moveNext())
        ids.append(vb::CLng(vb::Nz(rs->value(0), 0)));
    return ids;
}

PayerRows ReadPayerRows(qint32 studentId, bool hideZeroBalances)
{
    PayerRows result;
    const QString id = Global::SqlNumber(studentId);
    const QString name = imodStudents::GetStudentName(studentId);
    result.balance = imodStudents::GetStudentBalance(studentId);

    const QString sql =
        hideZeroBalances
            ? QStringLiteral("SELECT BookingID, Sum(ChargeAmount) - Sum(Amount) - "
                             "Sum(DiscountAmount) - Sum(DiscountGST) AS Total FROM Payments "
                             "WHERE SID = %1 GROUP BY BookingID HAVING Sum(ChargeAmount) - "
                             "Sum(Amount) - Sum(DiscountAmount) - Sum(DiscountGST) <> 0")
                  .arg(id)
            : QStringLiteral("SELECT BookingID, Sum(ChargeAmount) - Sum(Amount) - "
                             "Sum(DiscountAmount) - Sum(DiscountGST) AS Total FROM Payments "
                             "WHERE SID = %1 GROUP BY BookingID  UNION SELECT BookingID, '0.00' "
                             "AS Total FROM Bookings WHERE StudentID = %1 AND BookingID NOT IN "
                             "(SELECT BookingID FROM Payments) GROUP BY BookingID ;")
                  .arg(id);
    vb::Currency shown;
    auto rs = irecObjectCode::OpenRecordset(sql);
    for (; !rs->eof(); rs->moveNext()) {
        const qint32 bookingId = vb::CLng(vb::Nz(rs->value(0), 0));
        const vb::Currency total = vb::CCur(vb::Nz(rs->value(1), 0));
        const QString status = imodEnrolments::GetBookingStatus(bookingId);
        if (total == vb::Currency() && (status == imodEnrolments::BookingStatus::Waiting ||
                                        status == imodEnrolments::BookingStatus::Moved))
            continue;
        PayerRow row{bookingId, studentId, name, QString(), QString(), total, false};
        const qint32 classId = imodClasses::GetClassIdOfBooking(bookingId);
        if (classId < 0) {
            row.caption = QStringLiteral("Deleted Booking");
        } else if (const QString caption = imodClasses::GetBookingClassCaption(bookingId);
                   !caption.isEmpty()) {
            const qint32 programId = imodClasses::GetClassProgramId(classId);
            row.program = programId != 0 ? imodPrograms::GetProgramName(programId)
                                         : QStringLiteral("One-Off");
            row.caption = row.program != QLatin1String("One-Off")
                              ? caption
                              : vb::Format(imodClasses::GetClassStartDate(classId),
                                           Global::DateFormat) +
                                    QLatin1Char(' ') + imodClasses::GetClassTimeText(classId);
        } else {
            row.caption = QStringLiteral("Deleted Class");
        }
        result.rows.append(row);
        shown += total;
    }
    rs->close();

    const vb::Currency fee = GetPassportFeeTotals(studentId);
    if (fee != vb::Currency()) {
        result.rows.append({0, studentId, name, QString(), QStringLiteral("Passport Fees"), fee,
                            false});
        shown += fee;
    }
    if (result.balance - shown > vb::Currency())
        result.rows.append({0, studentId, name, QString(), QStringLiteral("Deleted Booking"),
                            result.balance - shown, true});
    return result;
}

QList<PaymentEmployee> PaymentEmployees()
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral(
        "SELECT Instructors.InstructorID, Students.[First Name], Students.[Last Name], "
        "Instructors.UserID, Instructors.StudentID FROM Students INNER JOIN Instructors ON "
        "Students.StudentID = Instructors.StudentID WHERE Students.Inactive = 0 AND "
        "Students.Employee='Y' AND Instructors.UserID <> '' ORDER BY Students.[First Name], "
        "Students.[Last Name];"));
    QList<PaymentEmployee> employees;
    for (; !rs->eof(); rs->moveNext())
        employees.append({text(rs->value(1)) + QLatin1Char(' ') + text(rs->value(2)),
                          text(rs->value(3))});
    return employees;
}

QStringList PaymentMethodNames()
{
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral("SELECT BankLink.* FROM BankLink;"));
    QStringList names;
    for (; !rs->eof(); rs->moveNext())
        names.append(text(rs->value(1)));
    return names;
}

PaymentCheck CheckPaymentRequest(const PaymentRequest &request, vb::Currency &amount)
{
    const QString oops = QStringLiteral("Oops!");
    if (request.gridRows < 2) {
        refuse(oops, QStringLiteral("There are no students in the grid to process."),
               ui::vbExclamation);
        return PaymentCheck::Refused;
    }
    if (request.method.isEmpty() || request.method == QLatin1String("(none)")) {
        refuse(oops,
               QStringLiteral("You have not chosen a payment method. Please select one from the "
                              "list."),
               ui::vbExclamation);
        return PaymentCheck::Refused;
    }
    amount = vb::Currency();
    if (!request.amountText.isEmpty()) {
        const std::optional<vb::Currency> read = ReadAmount(request.amountText);
        if (!read) {
            refuse(QStringLiteral("Number Invalid"),
                   QStringLiteral("Please check the values you have entered as one of them is not "
                                  "a valid number."),
                   ui::vbExclamation);
            return PaymentCheck::Refused;
        }
        amount = *read;
    }
    if (amount <= vb::Currency() && request.method != QLatin1String("Refund") &&
        request.method != QLatin1String("Discount")) {
        if (ui::Dialogs::msgBox(QStringLiteral("The Amount Paid Today is negative or zero. Are "
                                               "you sure you want to continue with this "
                                               "transaction?"),
                                ui::vbYesNo | ui::vbQuestion,
                                QStringLiteral("Is this right?")) == ui::vbNo)
            return PaymentCheck::Refused;
    }
    if (request.employee == QLatin1String("(none)")) {
        refuse(QStringLiteral("Who was it?"),
               QStringLiteral("You have not chosen an authorising employee. Please select your "
                              "name from the list."),
               ui::vbExclamation);
        return PaymentCheck::Refused;
    }
    if (request.passwordAsked &&
        !Global::CheckUserPassword(request.employeeUserId, request.password, false)) {
        refuse(QStringLiteral("Access Denied"),
               QStringLiteral("The password you have entered is incorrect. Please try again."),
               ui::vbExclamation);
        return PaymentCheck::WrongPassword;
    }
    if (Global::CheckPermissionByName(request.employeeUserId, QStringLiteral("ReceivePayments"),
                                      true) == 0) {
        refuse(QStringLiteral("Access Denied"),
               QStringLiteral("The employee does not have the appropriate permissions to receive "
                              "payments. Please adjust their permissions from the Employee "
                              "Details screen."),
               ui::vbCritical);
        return PaymentCheck::Refused;
    }
    return PaymentCheck::Passed;
}

bool CheckAllocations(const QList<AllocationRow> &rows, const QString &authorisedBy)
{
    try {
        for (const AllocationRow &row : rows) {
            if (row.discount + row.payNow <= row.owing)
                continue;
            const int answer = ui::Dialogs::msgBox(
                QStringLiteral("The payment and discount you applied is higher than the amount "
                               "owing on a particular student.\r\nIf you process this payment, "
                               "the student will have a credit balance.\r\n\r\nDo you still "
                               "want to process this payment?"),
                ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, QStringLiteral("Overpay?"));
            if (answer != ui::vbYes)
                return false;
            Global::WriteDeleteLog(QStringLiteral("Payment resulting in Credit balance for BKID ") +
                                       QString::number(row.bookingId),
                                   QStringLiteral("Credit Balance Payment"),
                                   Global::GetInstructorUserId(authorisedBy));
        }
        return true;
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred in CheckAllocations.\r\nErr#%1 - %2.")
                                .arg(e.number)
                                .arg(e.description),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return false;
    }
}

QList<int> EmptyLinesToDrop(const QList<PaymentLine> &lines)
{
    QList<int> dropped;
    qsizetype left = lines.size();
    for (int i = 0; i < lines.size() && left > 1; ++i) {
        if (lines[i].discount == vb::Currency() && lines[i].payNow == vb::Currency()) {
            dropped.append(i);
            --left;
        }
    }
    return dropped;
}

QString PayerText(const QList<PaymentLine> &lines)
{
    QStringList names;
    for (const PaymentLine &line : lines) {
        if (!names.contains(line.name, Qt::CaseSensitive))
            names.append(line.name);
    }
    return names.join(QStringLiteral(" and "));
}

vb::Currency BookingRowTax(vb::Currency amount, double rate)
{
    return RoundToCents(amount * vb::Currency(rate));
}

vb::Currency JoiningFeeRowTax(vb::Currency amount, double rate)
{
    return amount - amount / (vb::Currency(1) + vb::Currency(rate));
}

WrittenPayment WritePayment(const PaymentToWrite &payment)
{
    WrittenPayment written;
    written.payer = PayerText(payment.lines);

    Global::DbTransaction transaction;
    written.receiptNo = payment.receiptBox.isEmpty() || payment.receiptBox == QLatin1String("Auto#")
                            ? QString::number(TakeNextReceiptNo())
                            : payment.receiptBox;
    QDateTime now = vb::Now();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    written.time = now;

    const QString depositAccount = Global::GetBankLinkValue(payment.method);
    const QString defaultTaxCode = settingTaxCode(int(CentreSettingIds::DefaultTaxCode));
    const QString defaultAccount = settingText(int(CentreSettingIds::DefaultAccount));
    const QString feeAccount = settingText(int(CentreSettingIds::JoiningFeeAccount));
    const double feeRate =
        Global::GetTaxRate(settingTaxCode(int(CentreSettingIds::JoiningFeeTaxCode)));

    // An empty selection: the recordset only adds rows.
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral(
        "SELECT PaymentID, BookingID, [Time], Amount, [Method], ReceivedFrom, AuthorisedBy, "
        "[Date], Banked, [Type], Notes, ReceiptNo, DiscountAmount, RevenueAccount, GSTCollected, "
        "RevenueAmount, DepositAccount, DiscountGST, TaxCode, [SID], AttendanceID, ChargeAmount, "
        "ChargeGST, PassportFee, [SessionNo] FROM Payments WHERE PaymentID = 0;"));
    const QVariant zero = QVariant::fromValue(vb::Currency());
    for (const PaymentLine &line : payment.lines) {
        const qint32 classId = imodEnrolments::GetBookingClassID(line.bookingId);
        const qint32 programId = classId != 0 ? imodClasses::GetClassProgramId(classId) : 0;
        written.classes += imodClasses::GetClassActivity(classId) + QStringLiteral(" and ");

        QString account;
        QString taxCode = defaultTaxCode;
        vb::Currency tax;
        if (line.bookingId == 0) {
            account = feeAccount;
            tax = JoiningFeeRowTax(line.payNow, feeRate);
        } else if (programId != 0) {
            account = imodPrograms::GetProgramRevenueAccount(programId);
            const QString programCode = imodPrograms::GetProgramTaxCode(programId);
            if (!programCode.isEmpty())
                taxCode = programCode;
            tax = BookingRowTax(line.payNow, imodPrograms::GetProgramGstRate(programId));
        } else {
            account = defaultAccount;
            tax = BookingRowTax(line.payNow, Global::GetTaxRate(defaultTaxCode));
        }

        rs->addNew();
        rs->setValue(col::BookingID, line.bookingId);
        rs->setValue(col::Time, now);
        rs->setValue(col::Amount, QVariant::fromValue(line.payNow));
        rs->setValue(col::Method, payment.method);
        rs->setValue(col::ReceivedFrom, line.name);
        rs->setValue(col::AuthorisedBy, payment.authorisedBy);
        rs->setValue(col::Date, vb::Date());
        rs->setValue(col::Banked, 0);
        rs->setValue(col::Type, PaymentRowType::Payment);
        rs->setValue(col::Notes, payment.notes);
        rs->setValue(col::ReceiptNo, written.receiptNo);
        rs->setValue(col::DiscountAmount, QVariant::fromValue(line.discount));
        rs->setValue(col::RevenueAccount, account);
        rs->setValue(col::GSTCollected, QVariant::fromValue(tax));
        rs->setValue(col::RevenueAmount, QVariant::fromValue(line.payNow - tax));
        rs->setValue(col::DepositAccount, depositAccount);
        rs->setValue(col::DiscountGST, zero);
        rs->setValue(col::TaxCode, taxCode);
        rs->setValue(col::SID, line.studentId);
        rs->setValue(col::AttendanceID, 0);
        rs->setValue(col::ChargeAmount, zero);
        rs->setValue(col::ChargeGST, zero);
        rs->setValue(col::PassportFee, line.bookingId == 0 ? 1 : 0);
        rs->setValue(col::SessionNo, 0);
        rs->update();

        written.tax += tax;
        written.lastBookingId = line.bookingId;
    }
    rs->close();
    transaction.commit();
    return written;
}

void OfferToConfirmBooking(qint32 bookingId)
{
    if (imodEnrolments::GetBookingStatus(bookingId).toUpper() != QLatin1String("TENTATIVE"))
        return;
    if (ui::Dialogs::msgBox(QStringLiteral("This booking is currently Tentative. Would you like to "
                                           "change it's status to Confirmed now that the customer "
                                           "has made a payment?"),
                            ui::vbYesNo | ui::vbQuestion,
                            QStringLiteral("Change Status?")) == ui::vbYes)
        imodEnrolments::SetBookingStatus(bookingId, imodEnrolments::BookingStatus::Confirmed);
}

void ReloadClassViews(qint32 bookingId)
{
    const qint32 classId = imodEnrolments::GetBookingClassID(bookingId);
    if (classId == 0)
        return;
    const QString id = QString::number(classId);
    for (ui::Form *form : ui::Forms::all()) {
        if (form->name() == QLatin1String("frmViewClass") && form->recordId() == id)
            ui::callByName(form, QStringLiteral("Load_Students"));
    }
}

QList<QPair<QString, QString>> ReceiptLabels(const WrittenPayment &payment, const QString &method,
                                             const QString &authorisedBy, vb::Currency amount,
                                             const QString &balanceAfter, const QDate &today)
{
    const QString forText = QStringLiteral("For ") + payment.classes.chopped(
                                                         std::min<qsizetype>(5, payment.classes.size())) +
                            QStringLiteral(" Classes");
    const QString date = vb::Format(QDateTime(today, QTime()), Global::DateFormat);
    const QString receiptNo = QStringLiteral("Receipt #") + payment.receiptNo;
    const QString paid = QStringLiteral("Amount Paid ") + FormatAmount(amount);
    const QString gst =
        QStringLiteral("This payment includes ") + FormatAmount(payment.tax) + QStringLiteral(" in tax");
    return {
        {QStringLiteral("lblHeading"), method},
        {QStringLiteral("txtReceivedFrom"), payment.payer},
        {QStringLiteral("lblFor"), forText},
        {QStringLiteral("lblDate"), date},
        {QStringLiteral("lblReceiptNo"), receiptNo},
        {QStringLiteral("lblAmount"), paid},
        {QStringLiteral("lblOfficeDate"), date},
        {QStringLiteral("lblOfficeFor"), forText},
        {QStringLiteral("lblOfficeAmount"), paid},
        {QStringLiteral("lblOfficeReceiptNo"), receiptNo},
        {QStringLiteral("lblMethod"), method},
        {QStringLiteral("lblGST"), gst},
        {QStringLiteral("lblGST2"), gst},
        {QStringLiteral("txtStaffName"), authorisedBy},
        {QStringLiteral("lblBalance"),
         QStringLiteral("Balance Still Outstanding: ") + FormatAmount(AmountOrZero(balanceAfter))},
    };
}

bool UsesHtmlReceipts()
{
    return vb::CLng(vb::Nz(setting(int(CentreSettingIds::AllowNegativePayments)), 0)) != 0;
}

ui::Form *MakeReceipt(bool htmlReceipt, const WrittenPayment &payment, const QString &method,
                      const QString &authorisedBy, vb::Currency amount,
                      const QString &balanceAfter)
{
    if (htmlReceipt) {
        const bool officeCopy =
            vb::CLng(vb::Nz(setting(int(CentreSettingIds::AssessGenCount)), 0)) != 0;
        ui::CallProcedure(ReceiptPageProcedure,
                          {payment.receiptNo, vb::Now(), payment.payer, method,
                           QVariant::fromValue(amount), QVariant::fromValue(payment.tax),
                           authorisedBy, officeCopy});
        return nullptr;
    }
    ui::Form *receipt = ui::LoadWindowByName(ReceiptWindowName);
    if (!receipt)
        return nullptr;
    for (const auto &[name, value] :
         ReceiptLabels(payment, method, authorisedBy, amount, balanceAfter, QDate::currentDate())) {
        if (QObject *label = receipt->findChild<QObject *>(name))
            label->setProperty("text", value);
    }
    ui::setTag(receipt, QStringLiteral("Prerecorded"));
    return receipt;
}

} // namespace imodMoney
