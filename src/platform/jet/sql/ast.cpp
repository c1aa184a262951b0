#include "platform/jet/sql/ast.h"

namespace jet::sql::ast {

namespace {

template <typename T> std::unique_ptr<T> cloneOf(const std::unique_ptr<T> &p)
{
    return p ? p->clone() : nullptr;
}

std::vector<OrderItem> cloneOrder(const std::vector<OrderItem> &items)
{
    std::vector<OrderItem> out;
    out.reserve(items.size());
    for (const OrderItem &o : items)
        out.push_back(OrderItem{cloneOf(o.expr), o.desc});
    return out;
}

} // namespace

std::unique_ptr<Expr> Expr::clone() const
{
    auto e = std::make_unique<Expr>();
    e->kind = kind;
    e->op = op;
    e->negated = negated;
    e->star = star;
    e->boolValue = boolValue;
    e->text = text;
    e->qualifier = qualifier;
    e->pos = pos;
    e->literal = literal;
    e->args.reserve(args.size());
    for (const ExprPtr &a : args)
        e->args.push_back(cloneOf(a));
    e->query = cloneOf(query);
    e->source = source;
    e->columnIndex = columnIndex;
    e->type = type;
    e->size = size;
    e->builtin = builtin;
    return e;
}

std::unique_ptr<Source> Source::clone() const
{
    auto s = std::make_unique<Source>();
    s->kind = kind;
    s->name = name;
    s->alias = alias;
    s->pos = pos;
    s->query = cloneOf(query);
    s->joinKind = joinKind;
    s->left = cloneOf(left);
    s->right = cloneOf(right);
    s->on = cloneOf(on);
    return s;
}

std::unique_ptr<Select> Select::clone() const
{
    auto s = std::make_unique<Select>();
    s->distinct = distinct;
    s->distinctRow = distinctRow;
    s->top = top;
    s->topPercent = topPercent;
    for (const SelectItem &i : items)
        s->items.push_back(SelectItem{cloneOf(i.expr), i.alias});
    for (const SourcePtr &f : from)
        s->from.push_back(cloneOf(f));
    s->where = cloneOf(where);
    for (const ExprPtr &g : groupBy)
        s->groupBy.push_back(cloneOf(g));
    s->having = cloneOf(having);
    s->orderBy = cloneOrder(orderBy);
    s->pos = pos;
    return s;
}

std::unique_ptr<Query> Query::clone() const
{
    auto q = std::make_unique<Query>();
    for (const auto &m : members)
        q->members.push_back(m->clone());
    q->unionAll = unionAll;
    q->orderBy = cloneOrder(orderBy);
    return q;
}

} // namespace jet::sql::ast
