#include "platform/jet/sql/binder.h"

#include "platform/jet/sql/builtins.h"
#include "platform/jet/sql/error.h"
#include "platform/jet/sql/lexer.h"

#include <algorithm>

namespace jet::sql {

using namespace ast;

struct Binder::Scope
{
    const Scope *parent = nullptr;
    Select *select = nullptr;
    std::vector<Source *> leaves;
    std::vector<std::pair<QString, ExprPtr>> aliases; // unbound copies of aliased select items
};

struct Binder::Ctx
{
    bool aliases = false;               // select-list aliases may be used
    bool aliasesWithAggregates = false; // also those whose expression holds an aggregate
    std::vector<QString> excluded;      // aliases being inlined (no recursion into oneself)
};

namespace {

int findColumn(const Source &src, const QString &name)
{
    for (size_t i = 0; i < src.columns.size(); ++i) {
        if (sameName(src.columns[i].name, name))
            return int(i);
    }
    return -1;
}

bool isComparison(Op op)
{
    return op == Op::Eq || op == Op::Ne || op == Op::Lt || op == Op::Gt || op == Op::Le ||
           op == Op::Ge;
}

bool isLogical(Op op)
{
    return op == Op::And || op == Op::Or || op == Op::Xor || op == Op::Eqv || op == Op::Imp;
}

JetType numericResult(JetType l, JetType r)
{
    if (!isNumericType(l) || !isNumericType(r))
        return JetType::Unknown;
    if (l == JetType::Double || r == JetType::Double || l == JetType::Single ||
        r == JetType::Single)
        return JetType::Double;
    if (l == JetType::Currency || r == JetType::Currency)
        return JetType::Currency;
    return JetType::Long;
}

void splitAnd(ExprPtr e, std::vector<ExprPtr> &out)
{
    if (e->kind == Expr::Kind::Binary && e->op == Op::And) {
        splitAnd(std::move(e->args[0]), out);
        splitAnd(std::move(e->args[1]), out);
    } else {
        out.push_back(std::move(e));
    }
}

ExprPtr joinAnd(std::vector<ExprPtr> &parts)
{
    ExprPtr result;
    for (ExprPtr &p : parts) {
        if (!result) {
            result = std::move(p);
            continue;
        }
        auto a = std::make_unique<Expr>();
        a->kind = Expr::Kind::Binary;
        a->op = Op::And;
        a->type = JetType::YesNo;
        a->pos = result->pos;
        a->args.push_back(std::move(result));
        a->args.push_back(std::move(p));
        result = std::move(a);
    }
    return result;
}

void collectSources(const Source &s, std::vector<const Source *> &out)
{
    if (s.kind == Source::Kind::Join) {
        collectSources(*s.left, out);
        collectSources(*s.right, out);
    } else {
        out.push_back(&s);
    }
}

bool isCountPositive(const Expr &e)
{
    if (e.kind != Expr::Kind::Binary || (e.op != Op::Gt && e.op != Op::Ge))
        return false;
    const Expr &l = *e.args[0];
    const Expr &r = *e.args[1];
    if (l.kind != Expr::Kind::Call ||
        l.text.compare(QLatin1String("count"), Qt::CaseInsensitive) != 0)
        return false;
    if (r.kind != Expr::Kind::Number)
        return false;
    // The rewrite depends on the number's value: it stays written in the statement's shape.
    const_cast<Expr &>(r).literal = -1;
    return (e.op == Op::Gt && r.text == QLatin1String("0")) ||
           (e.op == Op::Ge && r.text == QLatin1String("1"));
}

bool sameColumn(const Expr &a, const Expr &b)
{
    return a.kind == Expr::Kind::Column && b.kind == Expr::Kind::Column && a.source &&
           a.source == b.source && a.columnIndex == b.columnIndex;
}

} // namespace

bool isTextType(JetType t)
{
    return t == JetType::Text || t == JetType::Memo;
}

bool isNumericType(JetType t)
{
    switch (t) {
    case JetType::Counter:
    case JetType::Long:
    case JetType::Short:
    case JetType::Byte:
    case JetType::Single:
    case JetType::Double:
    case JetType::Currency:
    case JetType::YesNo: return true;
    default: return false;
    }
}

bool isTableColumn(const Expr &e)
{
    return e.kind == Expr::Kind::Column && e.source && e.columnIndex >= 0 &&
           !e.source->columns[size_t(e.columnIndex)].baseTable.isEmpty();
}

bool isTruthValue(const Expr &e)
{
    switch (e.kind) {
    case Expr::Kind::Binary: return isComparison(e.op) || isLogical(e.op) || e.op == Op::Like;
    case Expr::Kind::Unary: return e.op == Op::Not;
    case Expr::Kind::Between:
    case Expr::Kind::InList:
    case Expr::Kind::InQuery:
    case Expr::Kind::IsNull:
    case Expr::Kind::Exists: return true;
    default: return false;
    }
}

bool containsAggregate(const Expr &e)
{
    if (e.kind == Expr::Kind::Call) {
        const Builtin *b = e.builtin ? e.builtin : findBuiltin(e.text);
        if (b && b->aggregate)
            return true;
    }
    for (const ExprPtr &a : e.args) {
        if (a && containsAggregate(*a))
            return true;
    }
    return false; // an aggregate inside a subquery belongs to the subquery
}

std::vector<Column> Binder::tableColumns(const QString &table) const
{
    std::optional<std::vector<Column>> cols = m_catalog.columns(table);
    if (!cols) {
        throw Error(
            err::NoSuchTable,
            QStringLiteral(
                "Cannot find the input table or query '%1'. Make sure it exists and that its "
                "name is spelled correctly.")
                .arg(table),
            m_sql);
    }
    return std::move(*cols);
}

void Binder::unknownName(const Expr &e) const
{
    const QString name = e.qualifier.isEmpty() ? e.text : e.qualifier + QLatin1Char('.') + e.text;
    throw Error(err::NoSuchColumn,
                QStringLiteral("No value given for one or more required parameters (unknown name "
                               "'%1' at position %2).")
                    .arg(name)
                    .arg(e.pos + 1),
                m_sql);
}

void Binder::bind(Statement &st)
{
    switch (st.kind) {
    case Statement::Kind::Select: bindQuery(*st.query, nullptr); return;
    case Statement::Kind::Insert: {
        Scope s;
        Ctx ctx;
        for (ExprPtr &v : st.values)
            bindExpr(v, s, ctx);
        if (st.query)
            bindQuery(*st.query, nullptr);
        return;
    }
    case Statement::Kind::Update: {
        Scope s;
        collectLeaves(*st.target, s, nullptr);
        bindJoinConditions(*st.target, s);
        Ctx ctx;
        for (auto &set : st.sets) {
            bindColumn(set.first, s, ctx);
            bindExpr(set.second, s, ctx);
        }
        if (st.where) {
            bindExpr(st.where, s, ctx);
            rewriteTruthSubqueries(st.where);
        }
        return;
    }
    case Statement::Kind::Delete: {
        Scope s;
        for (SourcePtr &f : st.from)
            collectLeaves(*f, s, nullptr);
        for (SourcePtr &f : st.from)
            bindJoinConditions(*f, s);
        if (st.where) {
            Ctx ctx;
            bindExpr(st.where, s, ctx);
            rewriteTruthSubqueries(st.where);
        }
        return;
    }
    default: return; // definitions are checked by the DDL writer
    }
}

void Binder::bindQuery(Query &q, const Scope *parent)
{
    for (auto &m : q.members)
        bindSelect(*m, parent);
    resultColumns(q);
}

void Binder::collectLeaves(Source &src, Scope &s, const Scope *parent)
{
    switch (src.kind) {
    case Source::Kind::Join:
        collectLeaves(*src.left, s, parent);
        collectLeaves(*src.right, s, parent);
        return;
    case Source::Kind::Derived:
        bindQuery(*src.query, parent);
        src.columns = src.query->columns;
        src.known = true;
        break;
    case Source::Kind::Table: {
        const std::vector<Column> cols = tableColumns(src.name);
        src.columns.clear();
        src.columns.reserve(cols.size());
        for (const Column &c : cols)
            src.columns.push_back(SourceColumn{c.name, c.type, c.size, src.name, c.name});
        src.known = true;
        break;
    }
    }
    s.leaves.push_back(&src);
}

void Binder::bindJoinConditions(Source &src, Scope &s)
{
    if (src.kind != Source::Kind::Join)
        return;
    bindJoinConditions(*src.left, s);
    bindJoinConditions(*src.right, s);
    Ctx ctx;
    bindExpr(src.on, s, ctx);
    rewriteTruthSubqueries(src.on);
}

void Binder::bindSelect(Select &sel, const Scope *parent)
{
    if (sel.topPercent)
        syntaxErrorAt(sel.pos, QStringLiteral("TOP n PERCENT is not supported"));
    Scope s;
    s.parent = parent;
    s.select = &sel;
    for (SourcePtr &f : sel.from)
        collectLeaves(*f, s, parent);
    for (SourcePtr &f : sel.from)
        bindJoinConditions(*f, s);

    for (SelectItem &item : sel.items) {
        if (!item.alias.isEmpty())
            s.aliases.emplace_back(item.alias, item.expr->clone());
    }

    for (SelectItem &item : sel.items) {
        if (item.expr->kind == Expr::Kind::Star) {
            Expr &star = *item.expr;
            if (!star.qualifier.isEmpty()) {
                Source *found = nullptr;
                for (Source *leaf : s.leaves) {
                    if (sameName(leaf->alias, star.qualifier)) {
                        found = leaf;
                        break;
                    }
                }
                if (!found) {
                    for (Source *leaf : s.leaves) {
                        if (leaf->alias.isEmpty() && sameName(leaf->name, star.qualifier)) {
                            found = leaf;
                            break;
                        }
                    }
                }
                if (!found)
                    unknownName(star);
                star.source = found;
            } else if (s.leaves.empty()) {
                unknownName(star);
            }
            continue;
        }
        Ctx ctx;
        ctx.aliases = true;
        ctx.aliasesWithAggregates = true;
        if (!item.alias.isEmpty())
            ctx.excluded.push_back(item.alias);
        bindExpr(item.expr, s, ctx);
    }

    Ctx plain;
    plain.aliases = true;
    Ctx withAggregates = plain;
    withAggregates.aliasesWithAggregates = true;
    if (sel.where)
        bindExpr(sel.where, s, plain);
    for (ExprPtr &g : sel.groupBy)
        bindExpr(g, s, plain);
    if (sel.having)
        bindExpr(sel.having, s, withAggregates);
    for (OrderItem &o : sel.orderBy)
        bindExpr(o.expr, s, withAggregates);

    // Conditions of HAVING that name no aggregate filter rows before grouping, where an index
    // helps.
    if (sel.having && m_rewrite) {
        std::vector<ExprPtr> parts;
        splitAnd(std::move(sel.having), parts);
        std::vector<ExprPtr> keep, move;
        for (ExprPtr &p : parts) {
            if (containsAggregate(*p))
                keep.push_back(std::move(p));
            else
                move.push_back(std::move(p));
        }
        if (!move.empty()) {
            if (sel.where)
                move.insert(move.begin(), std::move(sel.where));
            sel.where = joinAnd(move);
        }
        sel.having = joinAnd(keep);
    }
    if (sel.where)
        rewriteTruthSubqueries(sel.where);
    if (sel.having)
        rewriteTruthSubqueries(sel.having);
}

void Binder::syntaxErrorAt(int pos, const QString &what) const
{
    syntaxError(m_sql, pos, what);
}

void Binder::bindColumn(ExprPtr &ep, Scope &s, const Ctx &ctx)
{
    Expr &e = *ep;
    if (!e.qualifier.isEmpty()) {
        for (const Scope *p = &s; p; p = p->parent) {
            Source *found = nullptr;
            for (Source *leaf : p->leaves) {
                if (sameName(leaf->alias, e.qualifier)) {
                    found = leaf;
                    break;
                }
            }
            if (!found) {
                for (Source *leaf : p->leaves) {
                    if (leaf->alias.isEmpty() && sameName(leaf->name, e.qualifier)) {
                        found = leaf;
                        break;
                    }
                }
            }
            if (!found)
                continue;
            const int idx = findColumn(*found, e.text);
            if (idx < 0)
                unknownName(e);
            e.source = found;
            e.columnIndex = idx;
            e.type = found->columns[size_t(idx)].type;
            e.size = found->columns[size_t(idx)].size;
            return;
        }
        unknownName(e);
    }

    // A column of this query's tables comes first (as in Jet, where ORDER BY of a name that is both
    // a column and an alias sorts by the column), then an alias of its select list, then a column
    // of an enclosing query.
    auto columnOf = [&](const Scope &scope) {
        Source *found = nullptr;
        int foundIdx = -1;
        for (Source *leaf : scope.leaves) {
            const int idx = findColumn(*leaf, e.text);
            if (idx < 0)
                continue;
            if (found) {
                throw Error(
                    err::Unspecified,
                    QStringLiteral(
                        "The specified field '%1' could refer to more than one table listed in "
                        "the FROM clause of your SQL statement.")
                        .arg(e.text),
                    m_sql);
            }
            found = leaf;
            foundIdx = idx;
        }
        if (!found)
            return false;
        e.source = found;
        e.columnIndex = foundIdx;
        e.type = found->columns[size_t(foundIdx)].type;
        e.size = found->columns[size_t(foundIdx)].size;
        return true;
    };
    if (columnOf(s))
        return;

    if (ctx.aliases) {
        for (auto &[alias, original] : s.aliases) {
            if (!sameName(alias, e.text))
                continue;
            bool excluded = false;
            for (const QString &x : ctx.excluded)
                excluded = excluded || sameName(x, alias);
            if (excluded)
                break;
            if (!ctx.aliasesWithAggregates && containsAggregate(*original))
                break;
            ExprPtr copy = original->clone();
            Ctx inner = ctx;
            inner.excluded.push_back(alias);
            bindExpr(copy, s, inner);
            ep = std::move(copy);
            return;
        }
    }

    for (const Scope *p = s.parent; p; p = p->parent) {
        if (columnOf(*p))
            return;
    }

    // A bare Date, Time or Now that names no column is the function.
    if (sameName(e.text, QStringLiteral("Date")) || sameName(e.text, QStringLiteral("Time")) ||
        sameName(e.text, QStringLiteral("Now"))) {
        e.kind = Expr::Kind::Call;
        bindCall(e, s, ctx);
        return;
    }
    unknownName(e);
}

void Binder::bindCall(Expr &e, Scope &s, const Ctx &ctx)
{
    const Builtin *b = findBuiltin(e.text);
    if (!b) {
        throw Error(err::SyntaxError,
                    QStringLiteral("Undefined function '%1' in expression.").arg(e.text), m_sql);
    }
    e.builtin = b;
    const int n = e.star ? 1 : int(e.args.size());
    if (n < b->minArgs || n > b->maxArgs ||
        (e.star && QLatin1String(b->name) != QLatin1String("count"))) {
        throw Error(
            err::SyntaxError,
            QStringLiteral("Wrong number of arguments used with function '%1' in query expression.")
                .arg(e.text),
            m_sql);
    }
    for (ExprPtr &a : e.args)
        bindExpr(a, s, ctx);
    const JetType a0 = e.args.size() > 0 ? e.args[0]->type : JetType::Unknown;
    const JetType a1 = e.args.size() > 1 ? e.args[1]->type : JetType::Unknown;
    const JetType a2 = e.args.size() > 2 ? e.args[2]->type : JetType::Unknown;
    switch (b->result) {
    case Builtin::Result::Fixed: e.type = b->type; break;
    case Builtin::Result::FirstArg:
        e.type = a0;
        e.size = e.args.empty() ? 0 : e.args[0]->size;
        break;
    case Builtin::Result::SecondOrThird:
        e.type = (a1 == a2 || a2 == JetType::Unknown)
                     ? a1
                     : (a1 == JetType::Unknown ? a2 : JetType::Unknown);
        if (e.args[1]->kind == Expr::Kind::Null)
            e.type = a2;
        if (e.args[2]->kind == Expr::Kind::Null)
            e.type = a1;
        break;
    case Builtin::Result::FirstOrSecond: e.type = a0 != JetType::Unknown ? a0 : a1; break;
    case Builtin::Result::SumOf:
        e.type = a0 == JetType::Currency                            ? JetType::Currency
                 : (a0 == JetType::Single || a0 == JetType::Double) ? JetType::Double
                 : isNumericType(a0)                                ? JetType::Long
                                                                    : JetType::Double;
        break;
    case Builtin::Result::AvgOf:
        e.type = a0 == JetType::Currency ? JetType::Currency : JetType::Double;
        break;
    }
    if (e.type == JetType::Counter)
        e.type = JetType::Long;
}

void Binder::bindExpr(ExprPtr &ep, Scope &s, const Ctx &ctx)
{
    Expr &e = *ep;
    switch (e.kind) {
    case Expr::Kind::Null: e.type = JetType::Unknown; return;
    case Expr::Kind::Number: {
        bool ok = false;
        const qlonglong v = e.text.toLongLong(&ok);
        e.type = ok && v <= 2147483647LL ? JetType::Long : JetType::Double;
        return;
    }
    case Expr::Kind::String: e.type = JetType::Text; return;
    case Expr::Kind::Date: e.type = JetType::Date; return;
    case Expr::Kind::Bool: e.type = JetType::YesNo; return;
    case Expr::Kind::Column: bindColumn(ep, s, ctx); return;
    case Expr::Kind::Star: unknownName(e);
    case Expr::Kind::Unary:
        bindExpr(e.args[0], s, ctx);
        e.type = e.op == Op::Not ? JetType::YesNo : e.args[0]->type;
        if (e.op == Op::Neg && e.type == JetType::Counter)
            e.type = JetType::Long;
        return;
    case Expr::Kind::Binary: {
        bindExpr(e.args[0], s, ctx);
        bindExpr(e.args[1], s, ctx);
        const JetType l = e.args[0]->type, r = e.args[1]->type;
        switch (e.op) {
        case Op::Add:
            if (isTextType(l) && isTextType(r))
                e.type = JetType::Text;
            else if ((l == JetType::Date && isNumericType(r)) ||
                     (r == JetType::Date && isNumericType(l)))
                e.type = JetType::Date;
            else
                e.type = numericResult(l, r);
            break;
        case Op::Sub:
            if (l == JetType::Date && r == JetType::Date)
                e.type = JetType::Double;
            else if (l == JetType::Date && isNumericType(r))
                e.type = JetType::Date;
            else
                e.type = numericResult(l, r);
            break;
        case Op::Mul: e.type = numericResult(l, r); break;
        case Op::Div:
        case Op::Pow: e.type = JetType::Double; break;
        case Op::IntDiv:
        case Op::Mod: e.type = JetType::Long; break;
        case Op::Concat: e.type = JetType::Text; break;
        default: e.type = JetType::YesNo; break;
        }
        return;
    }
    case Expr::Kind::Between:
    case Expr::Kind::InList:
    case Expr::Kind::IsNull:
        for (ExprPtr &a : e.args)
            bindExpr(a, s, ctx);
        e.type = JetType::YesNo;
        return;
    case Expr::Kind::InQuery:
        bindExpr(e.args[0], s, ctx);
        bindQuery(*e.query, &s);
        e.type = JetType::YesNo;
        return;
    case Expr::Kind::Exists:
        bindQuery(*e.query, &s);
        e.type = JetType::YesNo;
        return;
    case Expr::Kind::Subquery:
        bindQuery(*e.query, &s);
        e.type = e.query->columns.empty() ? JetType::Unknown : e.query->columns.front().type;
        return;
    case Expr::Kind::Call: bindCall(e, s, ctx); return;
    }
}

void Binder::resultColumns(Query &q)
{
    for (auto &mp : q.members) {
        Select &sel = *mp;
        std::vector<SourceColumn> cols;
        std::vector<int> fromColumn; // index into cols of columns named by their bare column name
        std::vector<QString> qualifiers;
        sel.names.assign(sel.items.size(), QString());
        std::vector<int> itemOf; // item index of each col (-1 for star columns)
        int exprNo = 1000;
        for (size_t i = 0; i < sel.items.size(); ++i) {
            const SelectItem &item = sel.items[i];
            const Expr &e = *item.expr;
            if (e.kind == Expr::Kind::Star) {
                std::vector<const Source *> leaves;
                if (e.source) {
                    leaves.push_back(e.source);
                } else {
                    for (const SourcePtr &f : sel.from)
                        collectSources(*f, leaves);
                }
                for (const Source *leaf : leaves) {
                    for (const SourceColumn &c : leaf->columns) {
                        fromColumn.push_back(int(cols.size()));
                        qualifiers.push_back(leaf->exposed());
                        cols.push_back(c);
                        itemOf.push_back(-1);
                    }
                }
                continue;
            }
            SourceColumn c;
            c.type =
                e.type == JetType::Counter && e.kind != Expr::Kind::Column ? JetType::Long : e.type;
            c.size = e.size;
            if (e.kind == Expr::Kind::Column && e.source) {
                const SourceColumn &sc = e.source->columns[size_t(e.columnIndex)];
                c.baseTable = sc.baseTable;
                c.baseColumn = sc.baseColumn;
                c.name = sc.name;
                if (item.alias.isEmpty()) {
                    fromColumn.push_back(int(cols.size()));
                    qualifiers.push_back(e.source->exposed());
                }
            }
            if (!item.alias.isEmpty())
                c.name = item.alias;
            else if (c.name.isEmpty())
                c.name = QStringLiteral("Expr%1").arg(exprNo++);
            cols.push_back(c);
            itemOf.push_back(int(i));
        }
        // Two result columns of one name are told apart as Table.Column.
        std::vector<QString> renamed(fromColumn.size());
        for (size_t a = 0; a < fromColumn.size(); ++a) {
            const QString &name = cols[size_t(fromColumn[a])].name;
            for (size_t b = 0; b < cols.size(); ++b) {
                if (int(b) != fromColumn[a] && sameName(cols[b].name, name)) {
                    renamed[a] = qualifiers[a] + QLatin1Char('.') + name;
                    break;
                }
            }
        }
        for (size_t a = 0; a < fromColumn.size(); ++a) {
            if (!renamed[a].isEmpty())
                cols[size_t(fromColumn[a])].name = renamed[a];
        }
        for (size_t k = 0; k < cols.size(); ++k) {
            if (itemOf[k] >= 0)
                sel.names[size_t(itemOf[k])] = cols[k].name;
        }
        if (&mp == &q.members.front())
            q.columns = std::move(cols);
    }
}

void Binder::rewriteTruthSubqueries(ExprPtr &e)
{
    if (!e || !m_rewrite)
        return;
    if (e->kind == Expr::Kind::Binary && isLogical(e->op)) {
        rewriteTruthSubqueries(e->args[0]);
        rewriteTruthSubqueries(e->args[1]);
        return;
    }
    if (e->kind == Expr::Kind::Unary && e->op == Op::Not) {
        rewriteTruthSubqueries(e->args[0]);
        return;
    }
    if (e->kind != Expr::Kind::Subquery || e->query->members.size() != 1)
        return;
    Select &sub = *e->query->members.front();
    if (sub.items.size() != 1 || sub.groupBy.empty() || sub.top >= 0 || sub.distinct)
        return;
    const Expr &key = *sub.items.front().expr;
    if (key.kind != Expr::Kind::Column || !key.source)
        return;
    bool grouped = false;
    for (const ExprPtr &g : sub.groupBy)
        grouped = grouped || sameColumn(*g, key);
    if (!grouped)
        return;
    if (sub.having) {
        std::vector<const Expr *> parts{sub.having.get()};
        while (!parts.empty()) {
            const Expr *p = parts.back();
            parts.pop_back();
            if (p->kind == Expr::Kind::Binary && p->op == Op::And) {
                parts.push_back(p->args[0].get());
                parts.push_back(p->args[1].get());
            } else if (!isCountPositive(*p)) {
                return;
            }
        }
    }
    // The key must be tied to a column of an outer query.
    std::vector<const Source *> inner;
    for (const SourcePtr &f : sub.from)
        collectSources(*f, inner);
    auto isOuter = [&](const Expr &x) {
        return x.kind == Expr::Kind::Column && x.source &&
               std::find(inner.begin(), inner.end(), x.source) == inner.end();
    };
    const Expr *outer = nullptr;
    std::vector<const Expr *> parts;
    if (sub.where)
        parts.push_back(sub.where.get());
    while (!parts.empty() && !outer) {
        const Expr *p = parts.back();
        parts.pop_back();
        if (p->kind == Expr::Kind::Binary && p->op == Op::And) {
            parts.push_back(p->args[0].get());
            parts.push_back(p->args[1].get());
        } else if (p->kind == Expr::Kind::Binary && p->op == Op::Eq) {
            if (sameColumn(*p->args[0], key) && isOuter(*p->args[1]))
                outer = p->args[1].get();
            else if (sameColumn(*p->args[1], key) && isOuter(*p->args[0]))
                outer = p->args[0].get();
        }
    }
    if (!outer)
        return;
    // The subquery's value is the outer key; it is true when there is a row and that key is not 0.
    const bool keyNeverZero = outer->type == JetType::Counter;
    ExprPtr keyExpr = std::move(sub.items.front().expr);
    sub.having.reset();
    sub.groupBy.clear();
    if (!keyNeverZero) {
        auto zero = std::make_unique<Expr>();
        zero->kind = Expr::Kind::Number;
        zero->text = QStringLiteral("0");
        zero->type = JetType::Long;
        auto ne = std::make_unique<Expr>();
        ne->kind = Expr::Kind::Binary;
        ne->op = Op::Ne;
        ne->type = JetType::YesNo;
        ne->args.push_back(std::move(keyExpr));
        ne->args.push_back(std::move(zero));
        std::vector<ExprPtr> conj;
        conj.push_back(std::move(sub.where));
        conj.push_back(std::move(ne));
        sub.where = joinAnd(conj);
    }
    auto one = std::make_unique<Expr>();
    one->kind = Expr::Kind::Number;
    one->text = QStringLiteral("1");
    one->type = JetType::Long;
    sub.items.front().expr = std::move(one);
    e->kind = Expr::Kind::Exists;
}

} // namespace jet::sql
