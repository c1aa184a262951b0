#pragma once

#include "platform/jet/sql/types.h"

#include <QString>
#include <vector>

namespace jet::sql {

// One column of a query's result, as a recordset reports it.
struct ResultColumn
{
    QString name; // the ADO name: alias, bare column name, "Table.Column" for twins, "Expr1000"
    JetType type = JetType::Unknown;
    int size = 0;
    QString baseTable;  // the table the value comes from unchanged; empty for an expression
    QString baseColumn; // the column of baseTable; empty for an expression
};

// A Jet statement written out for SQLite.
struct Translation
{
    enum class Kind {
        Select,
        Insert,
        Update,
        Delete,
        CreateTable,
        DropTable,
        AlterTable,
        CreateIndex,
        DropIndex
    };
    Kind kind = Kind::Select;
    // SQLite texts, run in this order (most statements give one; none when the statement changes
    // nothing in SQLite, such as ALTER TABLE ... ADD PRIMARY KEY or a new text size).
    std::vector<QString> statements;
    // The result columns of a Select.
    std::vector<ResultColumn> columns;
    // The table a statement changes or defines; for a Select over one table (no join, group,
    // union, distinct), that table.
    QString table;
    // A Select of every column of one table, with or without WHERE and ORDER BY: the recordset
    // may page it by key.
    bool plainTable = false;
};

// Translates one Jet statement; throws jet::Error (a syntax error names the place).
// Results are cached by statement text, so a statement that repeats costs no parse.
Translation translate(const QString &jetSql, const Catalog &catalog);

// How a statement is translated.
struct TranslateOptions
{
    // Rewrites that keep the result and let SQLite use its indexes: HAVING conditions that name no
    // aggregate are applied in WHERE, a correlated truth-value subquery grouped on its key runs as
    // EXISTS. Off only to compare with the statement translated literally.
    bool rewrite = true;
};

// The same without the cache (every call parses).
Translation translateUncached(const QString &jetSql, const Catalog &catalog,
                              const TranslateOptions &options = {});

// Forgets every cached translation. A translation depends on the tables it names, so the cache is
// cleared by every structure statement translated here; the engine calls this when it opens a
// file or changes the structure by other means (renaming a column).
void clearTranslationCache();

} // namespace jet::sql
