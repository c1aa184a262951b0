#pragma once

#include "platform/jet/sql/types.h"

#include <QString>
#include <vector>

namespace jet::sql {

// One column of a query's result, as a recordset reports it.
struct ResultColumn
{
    QString name;          // the ADO name: alias, bare column name, "Table.Column" for twins, "Expr1000"
    JetType type = JetType::Unknown;
    int size = 0;
    QString baseTable;     // the table the value comes from unchanged; empty for an expression
    QString baseColumn;    // the column of baseTable; empty for an expression
};

// A Jet statement written out for SQLite.
struct Translation
{
    enum class Kind { Select, Insert, Update, Delete, CreateTable, DropTable, AlterTable, CreateIndex, DropIndex };
    Kind kind = Kind::Select;
    std::vector<QString> statements;   // SQLite texts, run in this order (most statements give one)
    std::vector<ResultColumn> columns; // of a Select
    QString table;                     // the table a statement changes or defines; for a Select
                                       // over one table (no join, group, union, distinct), that table
    bool plainTable = false;           // a Select of every column of one table, with or without WHERE
                                       // and ORDER BY: the recordset may page it by key
};

// Translates one Jet statement; throws jet::Error (a syntax error names the place).
// Results are cached by statement text, so a statement that repeats costs no parse.
Translation translate(const QString &jetSql, const Catalog &catalog);

} // namespace jet::sql
