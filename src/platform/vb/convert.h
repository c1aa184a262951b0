#pragma once

#include "platform/vb/currency.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

// Conversions with the runtime's rules. A Null is a null QVariant (QVariant()).
// Values a QVariant may hold: bool, the integer types, double, QString, QDateTime
// (dates, see datetime.h), QDate, QTime and vb::Currency.
// Errors raise vb::Error: Null where a value is needed is Invalid use of Null (94),
// text that is no number or date is Type mismatch (13), a number too large for the
// target is Overflow (6).
namespace vb {

// 32-bit integers, rounded half to even (CInt(2.5) = 2, CInt(3.5) = 4).
int CInt(const QVariant &value);
int CLng(const QVariant &value);
double CDbl(const QVariant &value);
Currency CCur(const QVariant &value);
// Text in the forms the program uses (d/m/yyyy day first, yyyy-mm-dd, dd-mmm-yyyy,
// "ddd dd mmm yyyy", times "4:30 PM", "16:30:00", date plus time, the storage form);
// a number is a date serial (see toSerial).
QDateTime CDate(const QVariant &value);
// Numbers: nonzero is True; text "True"/"False" (any case) or a number.
bool CBool(const QVariant &value);
// Numbers with up to 15 significant digits ("0.5", "-12", "1E+20"), True/False as
// "True"/"False", dates as the general date ("5/01/2010", "4:30:00 PM",
// "5/01/2010 4:30:00 PM"). CStr(Null) raises 94.
QString CStr(const QVariant &value);

// The number at the start of a text: blanks, tabs and line feeds are skipped,
// reading stops at the first character that cannot continue a number
// (Val("12abc") = 12, Val(" 1 2 3") = 123, Val("&HFF") = 255, Val("abc") = 0).
double Val(const QString &text);

// True when CDbl would succeed (numbers, True/False, numeric text); False for Null and "".
bool IsNumeric(const QVariant &value);
// True when CDate would succeed on the value (a date, or text CDate reads).
bool IsDate(const QVariant &value);
bool IsNull(const QVariant &value);
// The value, or valueIfNull when it is Null.
QVariant Nz(const QVariant &value, const QVariant &valueIfNull = QString(QLatin1String("")));

} // namespace vb
