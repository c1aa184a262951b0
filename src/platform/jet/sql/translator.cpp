#include "platform/jet/sql/translator.h"

#include "platform/jet/sql/binder.h"
#include "platform/jet/sql/cache.h"
#include "platform/jet/sql/dates.h"
#include "platform/jet/sql/ddl.h"
#include "platform/jet/sql/error.h"
#include "platform/jet/sql/generator.h"
#include "platform/jet/sql/lexer.h"
#include "platform/jet/sql/parser.h"

namespace jet::sql {

using namespace ast;

namespace {

constexpr size_t kCacheCapacity = 512;

TranslationCache &cache()
{
    thread_local TranslationCache c(kCacheCapacity);
    return c;
}

void collectLeaves(Source &s, std::vector<Source *> &out)
{
    if (s.kind == Source::Kind::Join) {
        collectLeaves(*s.left, out);
        collectLeaves(*s.right, out);
    } else {
        out.push_back(&s);
    }
}

const QString kTarget = QStringLiteral("_target");

void translateSelect(Statement &st, Translation &t, const QString &sql, Lifted *lifted)
{
    t.kind = Translation::Kind::Select;
    Generator g(sql, lifted);
    g.query(*st.query, true);
    t.statements.push_back(g.take());
    for (const SourceColumn &c : st.query->columns)
        t.columns.push_back(ResultColumn{c.name, c.type, c.size, c.baseTable, c.baseColumn});
    const Query &q = *st.query;
    if (q.members.size() != 1)
        return;
    const Select &s = *q.members.front();
    if (s.from.size() != 1 || s.from.front()->kind != Source::Kind::Table || !s.groupBy.empty() ||
        s.having || s.distinct)
        return;
    t.table = s.from.front()->name;
    bool aggregate = false;
    for (const SelectItem &i : s.items)
        aggregate = aggregate || (i.expr->kind != Expr::Kind::Star && containsAggregate(*i.expr));
    if (aggregate)
        t.table.clear();
    t.plainTable = !aggregate && s.top < 0 && s.items.size() == 1 &&
                   s.items.front().expr->kind == Expr::Kind::Star;
}

void translateInsert(Statement &st, Binder &binder, Translation &t, const QString &sql,
                     Lifted *lifted)
{
    t.kind = Translation::Kind::Insert;
    t.table = st.table;
    const std::vector<Column> cols = binder.tableColumns(st.table);
    std::vector<const Column *> targets;
    if (st.columns.empty()) {
        for (const Column &c : cols)
            targets.push_back(&c);
    } else {
        for (const QString &name : st.columns) {
            const Column *found = nullptr;
            for (const Column &c : cols) {
                if (sameName(c.name, name)) {
                    found = &c;
                    break;
                }
            }
            if (!found) {
                throw Error(
                    err::SyntaxError,
                    QStringLiteral(
                        "The INSERT INTO statement contains the following unknown field name: "
                        "'%1'.")
                        .arg(name),
                    sql);
            }
            targets.push_back(found);
        }
    }
    const size_t given = st.query ? st.query->columns.size() : st.values.size();
    if (given != targets.size()) {
        throw Error(
            err::SyntaxError,
            QStringLiteral("Number of query values and destination fields are not the same."), sql);
    }

    Generator g(sql, lifted);
    g.append(QLatin1String("INSERT INTO "));
    g.identifier(st.table);
    g.append(QLatin1String(" ("));
    for (size_t i = 0; i < targets.size(); ++i) {
        if (i > 0)
            g.append(QLatin1String(", "));
        g.identifier(targets[i]->name);
    }
    g.append(QLatin1String(") "));
    if (st.query) {
        std::vector<JetType> types;
        for (const Column *c : targets)
            types.push_back(c->type);
        g.insertQuery(*st.query, types);
    } else {
        g.append(QLatin1String("VALUES ("));
        for (size_t i = 0; i < st.values.size(); ++i) {
            if (i > 0)
                g.append(QLatin1String(", "));
            g.assigned(*st.values[i], targets[i]->type);
        }
        g.append(QLatin1String(")"));
    }
    t.statements.push_back(g.take());
}

bool allInner(const Source &s)
{
    if (s.kind != Source::Kind::Join)
        return true;
    return s.joinKind == Source::JoinKind::Inner && allInner(*s.left) && allInner(*s.right);
}

void joinConditions(const Source &s, std::vector<const Expr *> &out)
{
    if (s.kind != Source::Kind::Join)
        return;
    joinConditions(*s.left, out);
    joinConditions(*s.right, out);
    out.push_back(s.on.get());
}

void translateUpdate(Statement &st, Binder &binder, Translation &t, const QString &sql,
                     Lifted *lifted)
{
    t.kind = Translation::Kind::Update;
    Source *target = nullptr;
    for (const auto &set : st.sets) {
        const Expr &c = *set.first;
        if (!c.source || c.source->kind != Source::Kind::Table)
            syntaxError(sql, c.pos, QStringLiteral("not a column of a table"));
        if (target && target != c.source) {
            throw Error(err::Unspecified,
                        QStringLiteral("An UPDATE may change the columns of one table only."), sql);
        }
        target = const_cast<Source *>(c.source);
    }
    t.table = target->name;
    const bool joined = st.target->kind == Source::Kind::Join;
    const bool inner = allInner(*st.target);
    // Through an outer join the target is joined to itself on its key.
    QString key;
    if (joined && !inner) {
        const std::vector<Column> cols = binder.tableColumns(target->name);
        int keys = 0;
        for (const Column &c : cols) {
            if (c.primaryKey) {
                key = c.name;
                ++keys;
            }
        }
        if (keys != 1) {
            throw Error(
                err::Unspecified,
                QStringLiteral(
                    "Cannot update '%1' through an outer join: it has no single-column key.")
                    .arg(target->name),
                sql);
        }
        target->exposedOverride = kTarget;
    }
    Generator g(sql, lifted);
    g.append(QLatin1String("UPDATE "));
    g.identifier(target->name);
    if (!target->alias.isEmpty() && (!joined || inner)) {
        g.append(QLatin1String(" AS "));
        g.identifier(target->alias);
    }
    g.append(QLatin1String(" SET "));
    for (size_t i = 0; i < st.sets.size(); ++i) {
        if (i > 0)
            g.append(QLatin1String(", "));
        const Expr &c = *st.sets[i].first;
        const SourceColumn &col = c.source->columns[size_t(c.columnIndex)];
        g.identifier(col.name);
        g.append(QLatin1String(" = "));
        g.assigned(*st.sets[i].second, col.type);
    }
    std::vector<const Expr *> conditions;
    if (joined && inner) {
        // The other tables of an inner join, their ON conditions joined to WHERE.
        std::vector<Source *> leaves;
        collectLeaves(*st.target, leaves);
        g.append(QLatin1String(" FROM "));
        bool first = true;
        for (Source *l : leaves) {
            if (l == target)
                continue;
            if (!first)
                g.append(QLatin1String(", "));
            first = false;
            g.source(*l);
        }
        joinConditions(*st.target, conditions);
    } else if (joined) {
        g.append(QLatin1String(" FROM "));
        g.source(*st.target);
    }
    if (st.where)
        conditions.push_back(st.where.get());
    if (joined && !inner) {
        g.append(QLatin1String(" WHERE "));
        g.identifier(kTarget);
        g.append(QLatin1String("."));
        g.identifier(key);
        g.append(QLatin1String(" = "));
        g.identifier(target->name);
        g.append(QLatin1String("."));
        g.identifier(key);
        for (const Expr *c : conditions) {
            g.append(QLatin1String(" AND "));
            g.condition(*c);
        }
    } else {
        for (size_t i = 0; i < conditions.size(); ++i) {
            g.append(i == 0 ? QLatin1String(" WHERE ") : QLatin1String(" AND "));
            g.condition(*conditions[i]);
        }
    }
    t.statements.push_back(g.take());
}

void translateDelete(Statement &st, Translation &t, const QString &sql, Lifted *lifted)
{
    t.kind = Translation::Kind::Delete;
    std::vector<Source *> leaves;
    for (SourcePtr &f : st.from)
        collectLeaves(*f, leaves);
    Source *target = nullptr;
    if (!st.deleteQualifier.isEmpty()) {
        for (Source *l : leaves) {
            if (sameName(l->alias, st.deleteQualifier) ||
                (l->alias.isEmpty() && sameName(l->name, st.deleteQualifier)))
                target = l;
        }
        if (!target)
            syntaxError(sql, st.tablePos,
                        QStringLiteral("the table to delete from is not in FROM"));
    } else {
        target = leaves.front();
    }
    if (target->kind != Source::Kind::Table)
        syntaxError(sql, st.tablePos, QStringLiteral("cannot delete from a derived table"));
    t.table = target->name;
    Generator g(sql, lifted);
    g.append(QLatin1String("DELETE FROM "));
    g.identifier(target->name);
    if (leaves.size() == 1) {
        target->exposedOverride = target->name;
        if (st.where) {
            g.append(QLatin1String(" WHERE "));
            g.condition(*st.where);
        }
    } else {
        target->exposedOverride = kTarget;
        g.append(QLatin1String(" WHERE rowid IN (SELECT "));
        g.identifier(kTarget);
        g.append(QLatin1String(".rowid FROM "));
        for (size_t i = 0; i < st.from.size(); ++i) {
            if (i > 0)
                g.append(QLatin1String(", "));
            g.source(*st.from[i]);
        }
        if (st.where) {
            g.append(QLatin1String(" WHERE "));
            g.condition(*st.where);
        }
        g.append(QLatin1String(")"));
    }
    t.statements.push_back(g.take());
}

bool isDefinition(Statement::Kind k)
{
    return k == Statement::Kind::CreateTable || k == Statement::Kind::DropTable ||
           k == Statement::Kind::AlterTable || k == Statement::Kind::CreateIndex ||
           k == Statement::Kind::DropIndex;
}

thread_local quint64 t_parses = 0;

Translation translateWith(const QString &jetSql, const Catalog &catalog,
                          const TranslateOptions &options, Lifted *lifted)
{
    ++t_parses;
    Statement st = parse(jetSql);
    if (isDefinition(st.kind))
        return translateDefinition(st, catalog, jetSql);
    Binder binder(catalog, jetSql, options.rewrite);
    binder.bind(st);
    Translation t;
    switch (st.kind) {
    case Statement::Kind::Select: translateSelect(st, t, jetSql, lifted); break;
    case Statement::Kind::Insert: translateInsert(st, binder, t, jetSql, lifted); break;
    case Statement::Kind::Update: translateUpdate(st, binder, t, jetSql, lifted); break;
    case Statement::Kind::Delete: translateDelete(st, t, jetSql, lifted); break;
    default: break;
    }
    return t;
}

bool isDefinition(Translation::Kind kind)
{
    return kind == Translation::Kind::CreateTable || kind == Translation::Kind::DropTable ||
           kind == Translation::Kind::AlterTable || kind == Translation::Kind::CreateIndex ||
           kind == Translation::Kind::DropIndex;
}

// The mark of a literal in a statement's shape: its kind, and for a number what its
// translation depends on.
QLatin1Char literalMark(const Token &t)
{
    switch (t.kind) {
    case Token::Kind::Number:
        switch (numberClass(t.text)) {
        case NumberClass::Long: return QLatin1Char('l');
        case NumberClass::Big: return QLatin1Char('b');
        case NumberClass::Decimal: return QLatin1Char('d');
        case NumberClass::Other: return QLatin1Char('o');
        case NumberClass::Huge: return QLatin1Char('h');
        }
        return QLatin1Char('n');
    case Token::Kind::String: return QLatin1Char('s');
    case Token::Kind::Date: return QLatin1Char('t');
    default: return QLatin1Char('y');
    }
}

// One translation of a shape: the literals it keeps written in (by number, as written), and
// the ones it takes as parameters.
struct Variant
{
    std::vector<std::pair<int, QString>> fixed;
    std::vector<bool> lifted;
    Translation translation;
};

// The translations of recent shapes. Cleared whole when it is full (a program has a few
// hundred shapes), and with the translation cache.
class ShapeCache
{
public:
    static constexpr qsizetype Capacity = 2048;

    std::vector<Variant> &variants(const QString &key)
    {
        if (m_shapes.size() >= Capacity && !m_shapes.contains(key))
            m_shapes.clear();
        return m_shapes[key];
    }
    std::vector<Variant> *find(const QString &key)
    {
        const auto it = m_shapes.find(key);
        return it == m_shapes.end() ? nullptr : &it.value();
    }
    void clear() { m_shapes.clear(); }

private:
    QHash<QString, std::vector<Variant>> m_shapes;
};

ShapeCache &shapes()
{
    thread_local ShapeCache c;
    return c;
}

QStringView written(const QString &sql, const Token &t)
{
    return QStringView(sql).mid(t.pos, t.end - t.pos);
}

// The values of the lifted literals, as the translation with the values written in would
// have them; nothing when one is not a value (a date that is none).
std::optional<std::vector<Parameter>> parameterValues(const std::vector<const Token *> &literals,
                                                      const std::vector<bool> &lifted)
{
    std::vector<Parameter> values(literals.size());
    for (size_t i = 0; i < literals.size() && i < lifted.size(); ++i) {
        if (!lifted[i])
            continue;
        const Token &t = *literals[i];
        Parameter &p = values[i];
        switch (t.kind) {
        case Token::Kind::Number:
            if (t.text.contains(QLatin1Char('.')) ||
                t.text.contains(QLatin1Char('e'), Qt::CaseInsensitive)) {
                p.kind = Parameter::Kind::Real;
                p.real = t.text.toDouble();
            } else {
                p.kind = Parameter::Kind::Integer;
                p.integer = t.text.toLongLong();
            }
            break;
        case Token::Kind::String:
            p.kind = Parameter::Kind::Text;
            p.text = t.text.toString();
            break;
        case Token::Kind::Date: {
            std::optional<QString> date = dateLiteral(t.text.toString());
            if (!date)
                return std::nullopt;
            p.kind = Parameter::Kind::Text;
            p.text = std::move(*date);
            break;
        }
        default:
            p.kind = Parameter::Kind::Integer;
            p.integer = t.isWord("TRUE") ? -1 : 0;
            break;
        }
    }
    return values;
}

// SQLite numbers its parameters up to 32766.
constexpr size_t kMostLiterals = 30000;

} // namespace

Translation translateUncached(const QString &jetSql, const Catalog &catalog,
                              const TranslateOptions &options)
{
    return translateWith(jetSql, catalog, options, nullptr);
}

Translation translate(const QString &jetSql, const Catalog &catalog)
{
    TranslationCache &c = cache();
    if (const Translation *hit = c.find(&catalog, jetSql))
        return *hit;
    Translation t = translateUncached(jetSql, catalog);
    if (isDefinition(t.kind))
        clearTranslationCache();
    else
        c.insert(&catalog, jetSql, t);
    return t;
}

Translation translateShaped(const QString &jetSql, const Catalog &catalog)
{
    // A statement that cannot be read, a structure statement, or one whose text holds the
    // shape's own mark: translated with its values written in.
    if (jetSql.contains(QChar(1)))
        return translate(jetSql, catalog);
    Tokens tokens;
    try {
        tokens = tokenize(jetSql);
    } catch (const Error &) {
        return translate(jetSql, catalog);
    }
    const Token &first = tokens.tokens.front();
    if (first.isWord("CREATE") || first.isWord("DROP") || first.isWord("ALTER"))
        return translate(jetSql, catalog);

    std::vector<const Token *> literals;
    QString key = QString::number(quintptr(&catalog), 16);
    key += QLatin1Char(':');
    int from = 0;
    for (const Token &t : tokens.tokens) {
        if (!t.isLiteral())
            continue;
        key += QStringView(jetSql).mid(from, t.pos - from);
        key += QChar(1);
        key += literalMark(t);
        from = t.end;
        literals.push_back(&t);
    }
    if (literals.size() > kMostLiterals)
        return translate(jetSql, catalog);
    key += QStringView(jetSql).mid(from);

    if (std::vector<Variant> *variants = shapes().find(key)) {
        for (const Variant &v : *variants) {
            bool same = true;
            for (const auto &[literal, text] : v.fixed)
                same = same && written(jetSql, *literals[size_t(literal)]) == text;
            if (!same)
                continue;
            std::optional<std::vector<Parameter>> values = parameterValues(literals, v.lifted);
            if (!values)
                return translate(jetSql, catalog);
            Translation t = v.translation;
            t.parameters = std::move(*values);
            return t;
        }
    }

    Lifted lifted;
    Translation t = translateWith(jetSql, catalog, {}, &lifted);
    if (isDefinition(t.kind)) {
        clearTranslationCache();
        return t;
    }
    Variant v;
    v.lifted = lifted.literals;
    v.lifted.resize(literals.size(), false);
    for (size_t i = 0; i < literals.size(); ++i)
        if (!v.lifted[i])
            v.fixed.emplace_back(int(i), written(jetSql, *literals[i]).toString());
    std::optional<std::vector<Parameter>> values = parameterValues(literals, v.lifted);
    if (!values)
        return translate(jetSql, catalog);
    v.translation = t;
    shapes().variants(key).push_back(std::move(v));
    t.parameters = std::move(*values);
    return t;
}

quint64 parseCount()
{
    return t_parses;
}

void clearTranslationCache()
{
    cache().clear();
    shapes().clear();
}

} // namespace jet::sql
