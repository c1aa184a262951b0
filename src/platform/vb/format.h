#pragma once

#include <QString>
#include <QVariant>

namespace vb {

// Format(value, pattern) with the regional settings of English (Australia): short date
// "d/mm/yyyy", long date "dddd, d mmmm yyyy", long time "h:mm:ss AM/PM", currency "$1.00"
// and "-$1.00", decimal ".", thousands ",".
// - Named formats: "General Date", "Short Date", "Medium Date", "Long Date", "Short Time",
//   "Medium Time", "Long Time", "Currency", "Fixed", "Standard", "Percent",
//   "General Number", "Scientific", "Yes/No", "True/False", "On/Off".
// - Date patterns: d dd ddd dddd ddddd dddddd w ww m mm mmm mmmm q y yy yyyy h hh n nn s ss
//   ttttt c AM/PM am/pm A/P a/p AMPM, ':' '/' and literal text ("quoted", \x).
// - Number patterns: 0 # . , % E+ E- literal text ("$", quoted, \x), up to four sections
//   "positive;negative;zero;null".
// - Text patterns: @ & < > ! (with sections "text;empty").
// An empty pattern gives CStr's text. Null gives "" (or the fourth section of a number
// pattern). Text that is numeric is formatted as the number with a number pattern and
// text that CDate reads as the date with a date pattern.
QString Format(const QVariant &value, const QString &pattern = QString());

} // namespace vb
