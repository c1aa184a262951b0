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

// A value bound to a parameter of a shaped statement (see translateShaped).
struct Parameter
{
    enum class Kind { Unused, Integer, Real, Text };
    Kind kind = Kind::Unused;
    qint64 integer = 0;
    double real = 0;
    QString text;
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
    // A shaped statement's values: parameter ?N of every SQLite text takes parameters[N - 1].
    // Empty for a statement translated with its values written in.
    std::vector<Parameter> parameters;
};

// Translates one Jet statement; throws jet::Error (a syntax error names the place).
// Results are cached by statement text, so a statement that repeats costs no parse.
Translation translate(const QString &jetSql, const Catalog &catalog);

// The same with the statement's values lifted out: the statement with its literals (numbers,
// 'text', "text", #dates#, True, False) replaced is its shape, translated once and kept; the values
// come back as the translation's parameters. A literal whose value changes the translation (TOP n,
// a number in ORDER BY or GROUP BY, a whole number beyond 64 bits, a count compared in a rewritten
// subquery, a name written as text) stays written in, and each of its values gets its own
// translation. Structure statements are translated with their values written in. The rows and
// the errors are those of translate().
Translation translateShaped(const QString &jetSql, const Catalog &catalog);

// The number of statements parsed by translate() and translateShaped() on this thread so far.
quint64 parseCount();

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
