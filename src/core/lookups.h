#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

namespace ui {
class Form;
}

// Shared look-ups of people, money and printed forms. Values go into the
// statements through the quoting helpers (codes, user IDs and barcodes with quotes
// in them work); values read back are compared exactly (case counts). Unless said
// otherwise, failures of the engine reach the caller.
namespace Global {

// The rate of the first TaxCode row whose code equals the code exactly, as a
// fraction: 10 gives 0.1, 12.5 gives 0.125; 0 when none.
double GetTaxRate(const QString &taxCode);
// The Description of that row; "" when none.
QString GetTaxCodeText(const QString &taxCode);
// The Account of the first payment method whose PaymentType equals the name
// exactly; "" when none or when its Account is empty.
QString GetBankLinkValue(const QString &paymentType);

// Whether the given password matches the user's stored one (Global::PasswordMatches;
// a Null password never does; one kept as typed is replaced by its hash). With showMessage, each row whose password differs shows "The password
// that you entered was incorrect."; an unknown user gives false silently.
bool CheckUserPassword(const QString &userId, const QString &password, bool showMessage);
// The UserID of the instructor whose person row carries the barcode; "" when none.
QString GetUserIdForBarcode(const QString &barcode);

// Setting 21, DetailsFormsExpire: the months after which a details form is out of date.
int GetDetailsFormsExpiry();
// The date the student's details form was last completed: no date when it is empty;
// the zero date (30 December 1899) when there is no such student.
std::optional<QDateTime> GetDetailsFormDate(qint32 studentId);

// The PaymentID of the booking's charge for that session, 0 when none; the
// AttendanceID of the booking's attendance row for it, 0 when none. Any failure gives 0.
qint32 SessionPaymentExists(qint32 bookingId, int session);
qint32 GetAttendanceId(qint32 bookingId, int session);

// The printable student details form belongs to the report subsystem, which
// registers how one is made when the program starts (an empty maker takes it back).
// It is the window name registry's entry DetailsFormName (platform/ui/windowregistry.h).
inline const QString DetailsFormName = QStringLiteral("frmRptDetailsForm");
using DetailsFormMaker = std::function<ui::Form *()>;
void SetDetailsFormMaker(DetailsFormMaker maker);

// Fills a new details form from the student's row and shows it; with
// forPayment it calls the form's LoadForPayment, with printNow its Command1_Click,
// after which the form is unloaded. Nothing happens for a student that does not
// exist. Without a registered form an "Oops!" box says that the form is not available.
void FillDetailsForm(qint32 studentId, bool printNow, bool forPayment);

// This computer's name, the key of its Computers row. Raises a vb::Error when the
// system cannot tell it.
QString GetWorkstationName();

// The number of workstations that have the data file open: the Computers rows
// marked in use (InUse "1") other than this one, plus this one. The shared
// connection is opened first when it is closed. A failure is shown in an "Unable
// to Determine User List" box and gives 0.
int CountConnectedUsers();

} // namespace Global
