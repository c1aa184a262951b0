#pragma once

#include "platform/jet/sql/ast.h"
#include "platform/jet/sql/translator.h"

namespace jet::sql {

// Writes CREATE/DROP TABLE, ALTER TABLE, CREATE/DROP INDEX for SQLite, checking the catalog for the
// failures Jet reports (a table that exists or is missing, a column that exists).
Translation translateDefinition(const ast::Statement &st, const Catalog &catalog,
                                const QString &sql);

// The SQLite name of a Jet index: Jet names indexes per table, SQLite per file.
QString sqliteIndexName(const QString &table, const QString &index);

} // namespace jet::sql
