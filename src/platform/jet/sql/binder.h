#pragma once

#include "platform/jet/sql/ast.h"
#include "platform/jet/sql/types.h"

#include <QString>
#include <vector>

namespace jet::sql {

// Binds the names of a statement through the catalog and works out the type of every expression;
// then rewrites the tree where Jet and SQLite differ: aliases of the select list used elsewhere
// are inlined, HAVING conditions that name no aggregate move to WHERE, and a correlated
// truth-value subquery grouped on its key runs as EXISTS.
// Throws jet::Error: a missing table, an unknown name, an undefined function.
class Binder
{
public:
    Binder(const Catalog &catalog, const QString &sql, bool rewrite = true)
        : m_catalog(catalog)
        , m_sql(sql)
        , m_rewrite(rewrite)
    {}

    void bind(ast::Statement &st);

    // The columns of a table, or throws the missing-table error.
    std::vector<Column> tableColumns(const QString &table) const;

private:
    struct Scope;
    struct Ctx;

    const Catalog &m_catalog;
    const QString &m_sql;
    bool m_rewrite;

    void bindQuery(ast::Query &q, const Scope *parent);
    void bindSelect(ast::Select &sel, const Scope *parent);
    void collectLeaves(ast::Source &src, Scope &s, const Scope *parent);
    void bindJoinConditions(ast::Source &src, Scope &s);
    void bindExpr(ast::ExprPtr &e, Scope &s, const Ctx &ctx);
    void bindColumn(ast::ExprPtr &e, Scope &s, const Ctx &ctx);
    void bindCall(ast::Expr &e, Scope &s, const Ctx &ctx);
    void resultColumns(ast::Query &q);
    void rewriteTruthSubqueries(ast::ExprPtr &e);
    [[noreturn]] void unknownName(const ast::Expr &e) const;
    [[noreturn]] void syntaxErrorAt(int pos, const QString &what) const;
};

// Helpers the generator shares.
bool isTruthValue(const ast::Expr &e);
bool containsAggregate(const ast::Expr &e);
bool isTextType(JetType t);
bool isNumericType(JetType t);
// A column of a table of the file (text columns there compare without regard to case).
bool isTableColumn(const ast::Expr &e);

} // namespace jet::sql
