#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>
#include <concepts>

namespace vb {
class Currency;
}

// The one way a value goes into SQL text: every statement that carries a value
// writes it through these helpers, never raw.
namespace Global {

// Text between single quotes, every single quote doubled: O'Brien -> 'O''Brien'.
QString SqlText(const QString &text);

// A date literal that reads the same whatever the locale: #2009-07-01#;
// Null for an invalid date.
QString SqlDate(const QDate &date);

// #2009-07-01# at midnight, else #2009-07-01 13:45:00# (the wall clock as held,
// never converted); Null for an invalid date and time.
QString SqlDate(const QDateTime &when);

// A time of day alone is a time on the zero date: #1899-12-30 13:45:00#.
QString SqlTime(const QTime &time);

// Numbers with a '.' decimal point and no grouping, whatever the locale.
template <std::integral T>
requires(!std::same_as<T, bool>) QString SqlNumber(T value)
{
    return QString::number(value);
}
// Shortest text that reads back as the same double, never in exponent form.
// Throws vb::Error 6 (Overflow) for infinity or NaN.
QString SqlNumber(double value);
// Money exactly, to its four decimals: 12.5 -> 12.5, 0.0001 -> 0.0001.
QString SqlNumber(const vb::Currency &value);

// The literal Null.
QString SqlNull();

// Any value by its type: Null for a null or invalid value, text, numbers,
// Yes/No as -1 and 0, money, dates and times. Other types throw vb::Error 13.
QString SqlValue(const QVariant &value);

} // namespace Global
