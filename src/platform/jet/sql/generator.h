#pragma once

#include "platform/jet/sql/ast.h"

#include <QString>

namespace jet::sql {

// The literals a generator wrote as parameters: ?N for the statement's literal N - 1.
struct Lifted
{
    std::vector<bool> literals; // by the literal's number
    void add(int literal)
    {
        if (size_t(literal) >= literals.size())
            literals.resize(size_t(literal) + 1, false);
        literals[size_t(literal)] = true;
    }
};

// Writes a bound syntax tree out as SQLite SQL.
class Generator
{
public:
    // With `lifted`, the statement's literals are written as parameters wherever their value
    // does not change the text written (see Generator::literalValue), and noted there.
    explicit Generator(const QString &sql, Lifted *lifted = nullptr)
        : m_sql(sql)
        , m_lifted(lifted)
    {
        m_out.reserve(sql.size() * 2 + 64);
    }

    // The text written so far; take() hands it over and starts afresh.
    QString take();

    // A whole query; named: every result column gets its name (top level and derived tables).
    void query(const ast::Query &q, bool named);
    // As query(), with each item of a single SELECT converted for the column it is written into.
    void insertQuery(const ast::Query &q, const std::vector<JetType> &targets);
    void value(const ast::Expr &e);     // an expression whose value is used (truth values as -1/0)
    void condition(const ast::Expr &e); // an expression used as a condition
    // A value written into a column of the given type (text into DATE reads day first).
    void assigned(const ast::Expr &e, JetType target);
    void source(const ast::Source &s);

    void append(const QString &text) { m_out += text; }
    void append(QLatin1String text) { m_out += text; }
    void identifier(const QString &name);
    void literal(const QString &text); // a quoted SQL text literal

private:
    const QString &m_sql;
    Lifted *m_lifted;
    int m_pinned = 0; // inside a term whose literals stay written (ORDER BY, GROUP BY)
    QString m_out;

    bool lift(const ast::Expr &e);

    void select(const ast::Select &s, bool named, bool collateText,
                const std::vector<JetType> *targets);
    void raw(const ast::Expr &e);
    void column(const ast::Expr &e);
    void comparison(const ast::Expr &e);
    void arithmetic(const ast::Expr &e);
    void call(const ast::Expr &e);
    void operand(const ast::Expr &e, bool castToNumber);
    void orderTerm(const ast::Expr &e);
};

} // namespace jet::sql
