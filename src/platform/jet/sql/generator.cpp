#include "platform/jet/sql/generator.h"

#include "platform/jet/sql/binder.h"
#include "platform/jet/sql/builtins.h"
#include "platform/jet/sql/error.h"
#include "platform/jet/sql/lexer.h"

namespace jet::sql {

using namespace ast;

namespace {

// Text that compares without regard to case by itself: a text column of a table of the file.
bool caseFolded(const Expr &e)
{
    return isTableColumn(e) && isTextType(e.type);
}

bool needsNocase(const Expr &e)
{
    return isTextType(e.type) && !caseFolded(e);
}

const char *comparisonText(Op op)
{
    switch (op) {
    case Op::Eq: return " = ";
    case Op::Ne: return " <> ";
    case Op::Lt: return " < ";
    case Op::Gt: return " > ";
    case Op::Le: return " <= ";
    case Op::Ge: return " >= ";
    default: return " ";
    }
}

bool moreThanFourDecimals(const QString &number)
{
    const qsizetype point = number.indexOf(QLatin1Char('.'));
    return number.contains(QLatin1Char('e'), Qt::CaseInsensitive) ||
           (point >= 0 && number.size() - point - 1 > 4);
}

bool castsToNumber(const Expr &text, const Expr &other)
{
    return isTextType(text.type) && isNumericType(other.type) && !isTableColumn(text);
}

} // namespace

QString Generator::take()
{
    QString out = std::move(m_out);
    m_out = QString();
    return out;
}

void Generator::identifier(const QString &name)
{
    m_out += QLatin1Char('"');
    if (name.contains(QLatin1Char('"')))
        m_out += QString(name).replace(QLatin1Char('"'), QLatin1String("\"\""));
    else
        m_out += name;
    m_out += QLatin1Char('"');
}

void Generator::literal(const QString &text)
{
    m_out += QLatin1Char('\'');
    if (text.contains(QLatin1Char('\'')))
        m_out += QString(text).replace(QLatin1Char('\''), QLatin1String("''"));
    else
        m_out += text;
    m_out += QLatin1Char('\'');
}

void Generator::query(const Query &q, bool named)
{
    if (q.members.size() == 1) {
        select(*q.members.front(), named, false, nullptr);
        return;
    }
    for (size_t i = 0; i < q.members.size(); ++i) {
        if (i > 0)
            m_out += q.unionAll[i - 1] ? QLatin1String(" UNION ALL ") : QLatin1String(" UNION ");
        const Select &m = *q.members[i];
        const bool wrap = !m.orderBy.empty() || m.top >= 0;
        if (wrap)
            m_out += QLatin1String("SELECT * FROM (");
        select(m, named || i == 0, true, nullptr);
        if (wrap)
            m_out += QLatin1Char(')');
    }
    if (!q.orderBy.empty()) {
        m_out += QLatin1String(" ORDER BY ");
        for (size_t i = 0; i < q.orderBy.size(); ++i) {
            const OrderItem &o = q.orderBy[i];
            int ordinal = -1;
            if (o.expr->kind == Expr::Kind::Number) {
                ordinal = o.expr->text.toInt();
            } else if (o.expr->kind == Expr::Kind::Column) {
                for (size_t c = 0; c < q.columns.size() && ordinal < 0; ++c) {
                    const SourceColumn &col = q.columns[c];
                    if (col.name.compare(o.expr->text, Qt::CaseInsensitive) == 0 ||
                        (!o.expr->qualifier.isEmpty() &&
                         col.name.compare(o.expr->qualifier + QLatin1Char('.') + o.expr->text,
                                          Qt::CaseInsensitive) == 0))
                        ordinal = int(c) + 1;
                }
                for (size_t c = 0; c < q.columns.size() && ordinal < 0; ++c) {
                    if (q.columns[c].baseColumn.compare(o.expr->text, Qt::CaseInsensitive) == 0)
                        ordinal = int(c) + 1;
                }
            }
            if (ordinal < 1 || ordinal > int(q.columns.size()))
                syntaxError(m_sql, o.expr->pos,
                            QStringLiteral("ORDER BY of a UNION must name one of its columns"));
            if (i > 0)
                m_out += QLatin1String(", ");
            m_out += QString::number(ordinal);
            if (isTextType(q.columns[size_t(ordinal - 1)].type))
                m_out += QLatin1String(" COLLATE NOCASE");
            if (o.desc)
                m_out += QLatin1String(" DESC");
        }
    }
}

void Generator::insertQuery(const Query &q, const std::vector<JetType> &targets)
{
    if (q.members.size() == 1)
        select(*q.members.front(), false, false, &targets);
    else
        query(q, false);
}

void Generator::select(const Select &s, bool named, bool collateText,
                       const std::vector<JetType> *targets)
{
    m_out += QLatin1String("SELECT ");
    if (s.distinct)
        m_out += QLatin1String("DISTINCT ");
    collateText = collateText || s.distinct;
    size_t targetIndex = 0;
    for (size_t i = 0; i < s.items.size(); ++i) {
        if (i > 0)
            m_out += QLatin1String(", ");
        const Expr &e = *s.items[i].expr;
        if (e.kind == Expr::Kind::Star) {
            if (e.source) {
                identifier(e.source->exposed());
                m_out += QLatin1Char('.');
            }
            m_out += QLatin1Char('*');
            targetIndex += e.source ? e.source->columns.size() : 0;
            continue;
        }
        if (targets && targetIndex < targets->size())
            assigned(e, (*targets)[targetIndex]);
        else
            value(e);
        ++targetIndex;
        if (collateText && needsNocase(e))
            m_out += QLatin1String(" COLLATE NOCASE");
        if (named && i < s.names.size() && !s.names[i].isEmpty()) {
            m_out += QLatin1String(" AS ");
            identifier(s.names[i]);
        }
    }
    if (!s.from.empty()) {
        m_out += QLatin1String(" FROM ");
        for (size_t i = 0; i < s.from.size(); ++i) {
            if (i > 0)
                m_out += QLatin1String(", ");
            source(*s.from[i]);
        }
    }
    if (s.where) {
        m_out += QLatin1String(" WHERE ");
        condition(*s.where);
    }
    if (!s.groupBy.empty()) {
        m_out += QLatin1String(" GROUP BY ");
        for (size_t i = 0; i < s.groupBy.size(); ++i) {
            if (i > 0)
                m_out += QLatin1String(", ");
            orderTerm(*s.groupBy[i]);
        }
    }
    if (s.having) {
        m_out += QLatin1String(" HAVING ");
        condition(*s.having);
    }
    if (!s.orderBy.empty()) {
        m_out += QLatin1String(" ORDER BY ");
        for (size_t i = 0; i < s.orderBy.size(); ++i) {
            if (i > 0)
                m_out += QLatin1String(", ");
            orderTerm(*s.orderBy[i].expr);
            if (s.orderBy[i].desc)
                m_out += QLatin1String(" DESC");
        }
    }
    if (s.top >= 0) {
        m_out += QLatin1String(" LIMIT ");
        m_out += QString::number(s.top);
    }
}

void Generator::orderTerm(const Expr &e)
{
    // SQLite reads a number standing alone here as a column's position.
    ++m_pinned;
    value(e);
    --m_pinned;
    if (needsNocase(e))
        m_out += QLatin1String(" COLLATE NOCASE");
}

void Generator::source(const Source &s)
{
    switch (s.kind) {
    case Source::Kind::Table:
        identifier(s.name);
        if (s.exposed() != s.name) {
            m_out += QLatin1String(" AS ");
            identifier(s.exposed());
        }
        return;
    case Source::Kind::Derived:
        m_out += QLatin1Char('(');
        query(*s.query, true);
        m_out += QLatin1String(") AS ");
        identifier(s.exposed().isEmpty() ? QStringLiteral("Derived") : s.exposed());
        return;
    case Source::Kind::Join:
        source(*s.left);
        switch (s.joinKind) {
        case Source::JoinKind::Inner: m_out += QLatin1String(" INNER JOIN "); break;
        case Source::JoinKind::Left: m_out += QLatin1String(" LEFT JOIN "); break;
        case Source::JoinKind::Right: m_out += QLatin1String(" RIGHT JOIN "); break;
        }
        if (s.right->kind == Source::Kind::Join) {
            m_out += QLatin1Char('(');
            source(*s.right);
            m_out += QLatin1Char(')');
        } else {
            source(*s.right);
        }
        m_out += QLatin1String(" ON ");
        condition(*s.on);
        return;
    }
}

void Generator::value(const Expr &e)
{
    if (isTruthValue(e)) {
        m_out += QLatin1String("-(");
        raw(e);
        m_out += QLatin1Char(')');
    } else {
        raw(e);
    }
}

void Generator::condition(const Expr &e)
{
    raw(e);
}

void Generator::assigned(const Expr &e, JetType target)
{
    if (target == JetType::Date && isTextType(e.type)) {
        m_out += QLatin1String("jet_cdate(");
        value(e);
        m_out += QLatin1Char(')');
    } else if (target == JetType::Currency &&
               (e.type == JetType::Double || e.type == JetType::Single) &&
               (e.kind != Expr::Kind::Number || moreThanFourDecimals(e.text))) {
        m_out += QLatin1String("jet_cur(");
        value(e);
        m_out += QLatin1Char(')');
    } else {
        value(e);
    }
}

void Generator::column(const Expr &e)
{
    if (e.source) {
        identifier(e.source->exposed());
        m_out += QLatin1Char('.');
        identifier(e.source->columns[size_t(e.columnIndex)].name);
        return;
    }
    if (!e.qualifier.isEmpty()) {
        identifier(e.qualifier);
        m_out += QLatin1Char('.');
    }
    identifier(e.text);
}

void Generator::operand(const Expr &e, bool castToNumber)
{
    if (castToNumber) {
        m_out += QLatin1String("CAST(");
        value(e);
        m_out += QLatin1String(" AS NUMERIC)");
    } else {
        value(e);
    }
}

void Generator::comparison(const Expr &e)
{
    const Expr &l = *e.args[0];
    const Expr &r = *e.args[1];
    const bool castL = castsToNumber(l, r);
    const bool castR = castsToNumber(r, l);
    const bool nocase = !castL && !castR && (isTextType(l.type) || isTextType(r.type)) &&
                        !caseFolded(l) && !caseFolded(r);
    m_out += QLatin1Char('(');
    operand(l, castL);
    if (nocase)
        m_out += QLatin1String(" COLLATE NOCASE");
    m_out += QLatin1String(comparisonText(e.op));
    operand(r, castR);
    m_out += QLatin1Char(')');
}

void Generator::arithmetic(const Expr &e)
{
    const Expr &l = *e.args[0];
    const Expr &r = *e.args[1];
    const JetType lt = l.type, rt = r.type;
    auto binaryOp = [&](const char *op) {
        const bool cur = e.type == JetType::Currency;
        m_out += cur ? QLatin1String("jet_cur(") : QLatin1String("(");
        value(l);
        m_out += QLatin1String(op);
        value(r);
        m_out += QLatin1Char(')');
    };
    auto helper = [&](const char *fn) {
        m_out += QLatin1String(fn);
        m_out += QLatin1Char('(');
        value(l);
        m_out += QLatin1String(", ");
        value(r);
        m_out += QLatin1Char(')');
    };
    switch (e.op) {
    case Op::Add:
        if (isTextType(lt) && isTextType(rt)) {
            m_out += QLatin1Char('(');
            value(l);
            m_out += QLatin1String(" || ");
            value(r);
            m_out += QLatin1Char(')');
        } else if (lt == JetType::Date && isNumericType(rt)) {
            m_out += QLatin1String("jet_dateadd('d', ");
            value(r);
            m_out += QLatin1String(", ");
            value(l);
            m_out += QLatin1Char(')');
        } else if (rt == JetType::Date && isNumericType(lt)) {
            m_out += QLatin1String("jet_dateadd('d', ");
            value(l);
            m_out += QLatin1String(", ");
            value(r);
            m_out += QLatin1Char(')');
        } else if (isNumericType(lt) && isNumericType(rt)) {
            binaryOp(" + ");
        } else {
            helper("jet_add");
        }
        return;
    case Op::Sub:
        if (lt == JetType::Date && rt == JetType::Date) {
            m_out += QLatin1String("(julianday(");
            value(l);
            m_out += QLatin1String(") - julianday(");
            value(r);
            m_out += QLatin1String("))");
        } else if (lt == JetType::Date && isNumericType(rt)) {
            m_out += QLatin1String("jet_dateadd('d', -(");
            value(r);
            m_out += QLatin1String("), ");
            value(l);
            m_out += QLatin1Char(')');
        } else {
            binaryOp(" - ");
        }
        return;
    case Op::Mul: binaryOp(" * "); return;
    case Op::Div:
        m_out += QLatin1String("(CAST(");
        value(l);
        m_out += QLatin1String(" AS REAL) / ");
        value(r);
        m_out += QLatin1Char(')');
        return;
    case Op::IntDiv: helper("jet_intdiv"); return;
    case Op::Mod: helper("jet_mod"); return;
    case Op::Pow: helper("jet_pow"); return;
    case Op::Concat:
        m_out += QLatin1String("jet_concat(");
        if (lt == JetType::Date) {
            m_out += QLatin1String("jet_concat_date(");
            value(l);
            m_out += QLatin1Char(')');
        } else {
            value(l);
        }
        m_out += QLatin1String(", ");
        if (rt == JetType::Date) {
            m_out += QLatin1String("jet_concat_date(");
            value(r);
            m_out += QLatin1Char(')');
        } else {
            value(r);
        }
        m_out += QLatin1Char(')');
        return;
    default: return;
    }
}

void Generator::call(const Expr &e)
{
    const Builtin *b = e.builtin ? e.builtin : findBuiltin(e.text);
    const QLatin1String name(b->name);
    auto args = [&]() {
        for (size_t i = 0; i < e.args.size(); ++i) {
            if (i > 0)
                m_out += QLatin1String(", ");
            value(*e.args[i]);
        }
        m_out += QLatin1Char(')');
    };
    if (b->aggregate) {
        const JetType argType = e.args.empty() ? JetType::Unknown : e.args[0]->type;
        if (name == QLatin1String("sum")) {
            m_out += argType == JetType::Currency ? QLatin1String("jet_sum_cur(")
                                                  : QLatin1String("SUM(");
        } else if (name == QLatin1String("avg")) {
            if (argType == JetType::Currency) {
                m_out += QLatin1String("jet_cur(AVG(");
                args();
                m_out += QLatin1Char(')');
                return;
            }
            m_out += QLatin1String("AVG(");
        } else if (name == QLatin1String("count")) {
            if (e.star) {
                m_out += QLatin1String("COUNT(*)");
                return;
            }
            m_out += QLatin1String("COUNT(");
        } else if (name == QLatin1String("min") || name == QLatin1String("max")) {
            m_out += name == QLatin1String("min") ? QLatin1String("MIN(") : QLatin1String("MAX(");
            value(*e.args[0]);
            if (needsNocase(*e.args[0]))
                m_out += QLatin1String(" COLLATE NOCASE");
            m_out += QLatin1Char(')');
            return;
        } else {
            m_out += QLatin1String("jet_");
            m_out += name;
            m_out += QLatin1Char('(');
        }
        args();
        return;
    }
    m_out += QLatin1String("jet_");
    m_out += name;
    m_out += QLatin1Char('(');
    args();
}

bool Generator::lift(const Expr &e)
{
    if (!m_lifted || m_pinned > 0 || e.literal < 0)
        return false;
    // A whole number too large for 64 bits is read by SQLite in its own way.
    if (e.kind == Expr::Kind::Number && numberClass(e.text) == NumberClass::Huge)
        return false;
    m_lifted->add(e.literal);
    m_out += QLatin1Char('?');
    m_out += QString::number(e.literal + 1);
    return true;
}

void Generator::raw(const Expr &e)
{
    switch (e.kind) {
    case Expr::Kind::Number:
    case Expr::Kind::String:
    case Expr::Kind::Date:
    case Expr::Kind::Bool:
        if (lift(e))
            return;
        break;
    default: break;
    }
    switch (e.kind) {
    case Expr::Kind::Null: m_out += QLatin1String("NULL"); return;
    case Expr::Kind::Number: m_out += e.text; return;
    case Expr::Kind::String:
    case Expr::Kind::Date: literal(e.text); return;
    case Expr::Kind::Bool: m_out += e.boolValue ? QLatin1String("-1") : QLatin1String("0"); return;
    case Expr::Kind::Column: column(e); return;
    case Expr::Kind::Star: m_out += QLatin1Char('*'); return;
    case Expr::Kind::Unary:
        switch (e.op) {
        case Op::Neg:
            m_out += QLatin1String("(-");
            value(*e.args[0]);
            m_out += QLatin1Char(')');
            return;
        case Op::Not:
            m_out += QLatin1String("(NOT ");
            condition(*e.args[0]);
            m_out += QLatin1Char(')');
            return;
        default: value(*e.args[0]); return;
        }
    case Expr::Kind::Binary:
        switch (e.op) {
        case Op::And:
        case Op::Or:
            m_out += QLatin1Char('(');
            condition(*e.args[0]);
            m_out += e.op == Op::And ? QLatin1String(" AND ") : QLatin1String(" OR ");
            condition(*e.args[1]);
            m_out += QLatin1Char(')');
            return;
        case Op::Xor:
        case Op::Eqv:
            m_out += QLatin1String("(((");
            condition(*e.args[0]);
            m_out += QLatin1String(") <> 0)");
            m_out += e.op == Op::Xor ? QLatin1String(" <> ") : QLatin1String(" = ");
            m_out += QLatin1String("((");
            condition(*e.args[1]);
            m_out += QLatin1String(") <> 0))");
            return;
        case Op::Imp:
            m_out += QLatin1String("((NOT ");
            condition(*e.args[0]);
            m_out += QLatin1String(") OR ");
            condition(*e.args[1]);
            m_out += QLatin1Char(')');
            return;
        case Op::Eq:
        case Op::Ne:
        case Op::Lt:
        case Op::Gt:
        case Op::Le:
        case Op::Ge: comparison(e); return;
        case Op::Like:
            m_out += e.negated ? QLatin1String("(NOT jet_like(") : QLatin1String("(jet_like(");
            value(*e.args[0]);
            m_out += QLatin1String(", ");
            value(*e.args[1]);
            m_out += QLatin1String("))");
            return;
        default: arithmetic(e); return;
        }
    case Expr::Kind::Between: {
        const Expr &v = *e.args[0];
        const bool cast = castsToNumber(v, *e.args[1]) && castsToNumber(v, *e.args[2]);
        m_out += QLatin1Char('(');
        operand(v, cast);
        if (!cast && needsNocase(v))
            m_out += QLatin1String(" COLLATE NOCASE");
        m_out += e.negated ? QLatin1String(" NOT BETWEEN ") : QLatin1String(" BETWEEN ");
        operand(*e.args[1], castsToNumber(*e.args[1], v));
        m_out += QLatin1String(" AND ");
        operand(*e.args[2], castsToNumber(*e.args[2], v));
        m_out += QLatin1Char(')');
        return;
    }
    case Expr::Kind::InList:
    case Expr::Kind::InQuery: {
        const Expr &v = *e.args[0];
        m_out += QLatin1Char('(');
        value(v);
        if (needsNocase(v))
            m_out += QLatin1String(" COLLATE NOCASE");
        m_out += e.negated ? QLatin1String(" NOT IN (") : QLatin1String(" IN (");
        if (e.kind == Expr::Kind::InQuery) {
            query(*e.query, false);
        } else {
            for (size_t i = 1; i < e.args.size(); ++i) {
                if (i > 1)
                    m_out += QLatin1String(", ");
                value(*e.args[i]);
            }
        }
        m_out += QLatin1String("))");
        return;
    }
    case Expr::Kind::IsNull:
        m_out += QLatin1Char('(');
        value(*e.args[0]);
        m_out += e.negated ? QLatin1String(" IS NOT NULL)") : QLatin1String(" IS NULL)");
        return;
    case Expr::Kind::Exists:
        m_out += QLatin1String("EXISTS (");
        query(*e.query, false);
        m_out += QLatin1Char(')');
        return;
    case Expr::Kind::Subquery:
        m_out += QLatin1Char('(');
        query(*e.query, false);
        m_out += QLatin1Char(')');
        return;
    case Expr::Kind::Call: call(e); return;
    }
}

} // namespace jet::sql
