#pragma once

#include <QString>
#include <optional>

namespace jet::sql {

// Reads the text between the signs of a #date# literal as Jet reads it: yyyy-mm-dd, yyyy/mm/dd,
// m/d/yyyy (month first when that is a valid date, else day first), dd-mmm-yyyy, dd mmm yyyy,
// mmm d, yyyy, a time (hh:mm[:ss] with or without AM/PM, 12PM) and a date with a time.
// Gives the stored form: 'YYYY-MM-DD' at midnight, else 'YYYY-MM-DD HH:MM:SS', a time alone on
// 1899-12-30; nothing when the text is not a date.
std::optional<QString> dateLiteral(const QString &text);

} // namespace jet::sql
