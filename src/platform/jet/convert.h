#pragma once

#include "platform/jet/sql/types.h"

#include <QString>
#include <QVariant>

namespace jet::detail {

// The value a column of the given type stores for a value the program assigns,
// converted as Jet converts it: text "1" into a number column, "$4.00" into CURRENCY,
// "5/01/2010" (day first) or "05-Jan-2010" into DATE. Throws jet::Error with
// err::TypeMismatch when the value cannot be converted; `field` names the column.
// Storage: integers, doubles (CURRENCY rounded to four decimals), text, dates as
// 'YYYY-MM-DD[ HH:MM:SS]', Yes/No as -1 and 0; Null stays Null.
QVariant toStorage(const QVariant &value, JetType type, const QString &field);

// The value a recordset gives for a stored value: DATE as a QDateTime (UTC spec, the
// floating clock), CURRENCY as a vb::Currency, Yes/No as bool, whole numbers as int,
// text as QString; Null as a null QVariant.
QVariant fromStorage(const QVariant &raw, JetType type);

// fromStorage() of a value as SQLite holds it, without a QVariant of the raw value
// first: a whole number, a real number, or text (UTF-8).
QVariant fromStorageInteger(qint64 raw, JetType type);
QVariant fromStorageReal(double raw, JetType type);
QVariant fromStorageText(const char *utf8, qsizetype bytes, JetType type);

// ADO's defined size of a field of the type (bytes; characters for text).
int definedSize(JetType type, int declaredSize);

} // namespace jet::detail
