#pragma once

#include "platform/jet/sql/ast.h"

#include <QString>

namespace jet::sql {

// Parses one Jet statement into its syntax tree; throws jet::Error (syntax error naming the place).
// A closing ";" and trailing blanks are accepted.
ast::Statement parse(const QString &sql);

// Whether a word is reserved, so that it cannot stand bare as a name.
bool isReservedWord(QStringView word);

} // namespace jet::sql
