#pragma once

#include "platform/jet/sql/types.h"

#include <QString>
#include <memory>
#include <vector>

namespace jet::sql {
struct Builtin;
}

// The syntax tree of a Jet statement, as the parser builds it and the binder annotates it.
namespace jet::sql::ast {

struct Query;
struct Source;

enum class Op {
    // binary
    Add,
    Sub,
    Mul,
    Div,
    IntDiv,
    Mod,
    Pow,
    Concat,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Like,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    // unary
    Neg,
    Plus,
    Not,
};

struct Expr
{
    enum class Kind {
        Null,
        Number,
        String,
        Date,
        Bool,   // literals; Date text is already 'YYYY-MM-DD[ HH:MM:SS]'
        Column, // [qualifier.]name
        Star,   // * or qualifier.*
        Unary,
        Binary,
        Between,  // args: value, low, high
        InList,   // args: value, items...
        InQuery,  // args: value; query
        IsNull,   // args: value
        Exists,   // query
        Subquery, // a scalar or truth-value subquery
        Call,     // name(args); star for Count(*)
    };
    Kind kind = Kind::Null;
    Op op = Op::Add;
    bool negated = false; // NOT BETWEEN, NOT IN, IS NOT NULL, NOT LIKE
    bool star = false;    // Count(*)
    bool boolValue = false;
    QString text;      // literal, column or function name
    QString qualifier; // of a Column or Star
    int pos = 0;
    // A literal read from the statement's own text: its place among the statement's literals
    // (Token::isLiteral, counted from 0); -1 for any other expression.
    int literal = -1;
    std::vector<std::unique_ptr<Expr>> args;
    std::unique_ptr<Query> query;

    // Set by the binder.
    const Source *source = nullptr; // a Column's source (nullptr when it could not be bound)
    int columnIndex = -1;           // index into source->columns
    JetType type = JetType::Unknown;
    int size = 0;
    const Builtin *builtin = nullptr; // a Call's function

    std::unique_ptr<Expr> clone() const;
};
using ExprPtr = std::unique_ptr<Expr>;

// One column a source offers to the query that reads it.
struct SourceColumn
{
    QString name;
    JetType type = JetType::Unknown;
    int size = 0;
    QString baseTable, baseColumn;
};

// An item of FROM: a table, a derived table or a join of two items.
struct Source
{
    enum class Kind { Table, Derived, Join };
    enum class JoinKind { Inner, Left, Right };
    Kind kind = Kind::Table;
    QString name; // table name as written
    QString alias;
    int pos = 0;
    std::unique_ptr<Query> query; // Derived
    JoinKind joinKind = JoinKind::Inner;
    std::unique_ptr<Source> left, right; // Join
    ExprPtr on;

    // Set by the binder.
    bool known = false; // the columns are known (catalog table or derived table)
    std::vector<SourceColumn> columns;
    QString exposedOverride; // a name to print in place of alias/name

    std::unique_ptr<Source> clone() const;

    const QString &exposed() const
    {
        return !exposedOverride.isEmpty() ? exposedOverride : (alias.isEmpty() ? name : alias);
    }
};
using SourcePtr = std::unique_ptr<Source>;

struct SelectItem
{
    ExprPtr expr;
    QString alias;
};

struct OrderItem
{
    ExprPtr expr;
    bool desc = false;
};

struct Select
{
    bool distinct = false;
    bool distinctRow = false;
    long long top = -1;
    bool topPercent = false;
    std::vector<SelectItem> items;
    std::vector<SourcePtr> from;
    ExprPtr where;
    std::vector<ExprPtr> groupBy;
    ExprPtr having;
    std::vector<OrderItem> orderBy;
    int pos = 0;

    // Set by the binder: the result name of each item (empty for a star).
    std::vector<QString> names;

    std::unique_ptr<Select> clone() const;
};

// A SELECT or a UNION of several; orderBy is the ORDER BY of the whole union.
struct Query
{
    std::vector<std::unique_ptr<Select>> members;
    std::vector<bool> unionAll; // unionAll[i] joins members[i] and members[i + 1]
    std::vector<OrderItem> orderBy;

    // Set by the binder: the result columns (those of the first member).
    std::vector<SourceColumn> columns;

    std::unique_ptr<Query> clone() const;
};

// A column of CREATE TABLE or ALTER TABLE ADD / ALTER COLUMN.
struct ColumnDef
{
    QString name;
    int pos = 0;
    JetType type = JetType::Unknown;
    int size = 0;
    long long seed = 1, step = 1; // COUNTER (seed, step)
    bool hasSeed = false;
    bool notNull = false;
    bool primaryKey = false;
    bool unique = false;
    ExprPtr defaultValue;
};

struct TableConstraint
{
    enum class Kind { PrimaryKey, Unique, ForeignKey };
    Kind kind = Kind::PrimaryKey;
    QString name;
    std::vector<QString> columns;
};

struct Statement
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
        DropIndex,
    };
    enum class AlterAction { AddColumn, DropColumn, AlterColumn, AddConstraint, DropConstraint };

    Kind kind = Kind::Select;
    std::unique_ptr<Query> query; // Select; INSERT ... SELECT

    // INSERT / UPDATE / DELETE / DDL target
    QString table;
    int tablePos = 0;
    std::vector<QString> columns;                  // INSERT column list; index columns
    std::vector<bool> descending;                  // index columns
    std::vector<ExprPtr> values;                   // INSERT ... VALUES
    SourcePtr target;                              // UPDATE's table or join
    std::vector<std::pair<ExprPtr, ExprPtr>> sets; // UPDATE: column, value
    std::vector<SourcePtr> from;                   // DELETE
    QString deleteQualifier;                       // DELETE T.* FROM ...
    ExprPtr where;

    // DDL
    std::vector<ColumnDef> columnDefs;
    std::vector<TableConstraint> constraints;
    AlterAction alter = AlterAction::AddColumn;
    QString name; // index or constraint name; the column of DROP COLUMN
    bool unique = false;
    bool primary = false; // CREATE INDEX ... WITH PRIMARY
};

} // namespace jet::sql::ast
