#pragma once

#include "platform/vb/currency.h"

#include <QDateTime>
#include <QStringView>
#include <QVariant>
#include <string>

// Shared by the runtime functions; not for use outside platform/vb.
namespace vb::detail {

[[noreturn]] void raise(long number);

// What a Variant holds, as the runtime tells it apart.
enum class Kind { Null, Bool, Integer, Double, Currency, Date, Text, Other };
Kind kindOf(const QVariant &value);

// The English month and day names the runtime's dates and formats use.
inline constexpr const char *MonthNames[12] = {"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
inline constexpr const char *DayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};

// Numeric text in the runtime's lenient form ("  -$1,234.50 ", "(4)", "1e3", "&HFF"),
// normalised for strtod ("-1234.50", "1e3"). False when the text is no number.
struct NumericText
{
    bool negative = false;
    std::string digits; // integer digits, '.', fraction digits
    int exponent = 0;   // power of ten applied to digits
    bool radix = false; // &H / &O text: value holds it
    qint64 radixValue = 0;
};
bool parseNumeric(QStringView text, NumericText &out);
double toDouble(const NumericText &n);

// Text in one of the date and time forms CDate reads.
bool parseDate(QStringView text, QDateTime &out);

// A date on the floating clock from a QDateTime of any time spec, a QDate or a QTime.
QDateTime floating(const QDateTime &dt);

// The general date as CStr writes it: "5/01/2010", "4:30:00 PM", "5/01/2010 4:30:00 PM".
QString generalDate(const QDateTime &date);
// A double as CStr writes it: up to 15 significant digits ("0.1", "1E+20", "1E-05").
QString doubleText(double value, int significantDigits = 15);

// Half to even at the whole number (the FPU's own rounding).
double roundEven(double x);

} // namespace vb::detail
