#include "platform/jet/sql/ddl.h"

#include "platform/jet/sql/error.h"
#include "platform/jet/sql/generator.h"
#include "platform/jet/sql/lexer.h"

namespace jet::sql {

using namespace ast;

namespace {

const Column *findColumn(const std::vector<Column> &cols, const QString &name)
{
    for (const Column &c : cols) {
        if (sameName(c.name, name))
            return &c;
    }
    return nullptr;
}

[[noreturn]] void missingTable(const QString &table, const QString &sql)
{
    throw Error(
        err::NoSuchTable,
        QStringLiteral(
            "Cannot find the input table or query '%1'. Make sure it exists and that its name "
            "is spelled correctly.")
            .arg(table),
        sql);
}

[[noreturn]] void missingColumn(const QString &table, const QString &column, const QString &sql)
{
    throw Error(err::NoSuchColumn,
                QStringLiteral("Field '%1' does not exist in table '%2'.").arg(column, table), sql);
}

std::vector<Column> existingTable(const Catalog &catalog, const QString &table, const QString &sql)
{
    std::optional<std::vector<Column>> cols = catalog.columns(table);
    if (!cols)
        missingTable(table, sql);
    return std::move(*cols);
}

void defaultValue(Generator &g, const Expr &e, const QString &sql)
{
    switch (e.kind) {
    case Expr::Kind::Null:
    case Expr::Kind::Number:
    case Expr::Kind::String:
    case Expr::Kind::Date:
    case Expr::Kind::Bool: g.value(e); return;
    case Expr::Kind::Unary:
        if (e.args[0]->kind == Expr::Kind::Number) {
            g.append(e.op == Op::Neg ? QLatin1String("-") : QLatin1String(""));
            g.value(*e.args[0]);
            return;
        }
        break;
    default: break;
    }
    syntaxError(sql, e.pos, QStringLiteral("a default must be a constant"));
}

// "name" TYPE [COLLATE NOCASE] [PRIMARY KEY ...] [NOT NULL] [DEFAULT v]
void columnDefinition(Generator &g, const ColumnDef &c, bool primaryKey, bool unique, bool notNull,
                      const QString &sql)
{
    g.identifier(c.name);
    if (c.type == JetType::Counter) {
        g.append(QLatin1String(" INTEGER PRIMARY KEY AUTOINCREMENT"));
        return;
    }
    Column col;
    col.type = c.type;
    col.size = c.size;
    g.append(QLatin1String(" "));
    g.append(declaredType(col));
    if (c.type == JetType::Text || c.type == JetType::Memo)
        g.append(QLatin1String(" COLLATE NOCASE"));
    if (primaryKey)
        g.append(QLatin1String(" PRIMARY KEY"));
    if (unique && !primaryKey)
        g.append(QLatin1String(" UNIQUE"));
    if (notNull || primaryKey)
        g.append(QLatin1String(" NOT NULL"));
    if (c.defaultValue) {
        g.append(QLatin1String(" DEFAULT "));
        defaultValue(g, *c.defaultValue, sql);
    }
}

void nameList(Generator &g, const std::vector<QString> &names,
              const std::vector<bool> *desc = nullptr)
{
    g.append(QLatin1String(" ("));
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            g.append(QLatin1String(", "));
        g.identifier(names[i]);
        if (desc && i < desc->size() && (*desc)[i])
            g.append(QLatin1String(" DESC"));
    }
    g.append(QLatin1String(")"));
}

bool sameColumns(const std::vector<QString> &a, const std::vector<QString> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (!sameName(a[i], b[i]))
            return false;
    }
    return true;
}

void createTable(const Statement &st, const Catalog &catalog, const QString &sql, Translation &t)
{
    if (catalog.columns(st.table))
        throw Error(err::SyntaxError, QStringLiteral("Table '%1' already exists.").arg(st.table),
                    sql);
    const ColumnDef *counter = nullptr;
    for (const ColumnDef &c : st.columnDefs) {
        if (c.type != JetType::Counter)
            continue;
        if (counter)
            syntaxError(sql, c.pos, QStringLiteral("a table has at most one COUNTER column"));
        counter = &c;
    }
    // The declared primary key; a COUNTER is the key itself, so another key becomes unique.
    std::vector<QString> key;
    for (const ColumnDef &c : st.columnDefs) {
        if (c.primaryKey && c.type != JetType::Counter)
            key.push_back(c.name);
    }
    for (const TableConstraint &tc : st.constraints) {
        if (tc.kind == TableConstraint::Kind::PrimaryKey)
            key = tc.columns;
    }
    for (const QString &k : key) {
        bool found = false;
        for (const ColumnDef &c : st.columnDefs)
            found = found || sameName(c.name, k);
        if (!found)
            missingColumn(st.table, k, sql);
    }
    if (counter && key.size() == 1 && sameName(key.front(), counter->name))
        key.clear();
    const bool keyIsPrimary = !counter;
    const bool singleColumnKey = keyIsPrimary && key.size() == 1;

    Generator g(sql);
    g.append(QLatin1String("CREATE TABLE "));
    g.identifier(st.table);
    g.append(QLatin1String(" ("));
    bool first = true;
    for (const ColumnDef &c : st.columnDefs) {
        if (!first)
            g.append(QLatin1String(", "));
        first = false;
        bool inKey = false;
        for (const QString &k : key)
            inKey = inKey || sameName(k, c.name);
        columnDefinition(g, c, singleColumnKey && inKey, c.unique, c.notNull || inKey, sql);
    }
    if (!key.empty() && !singleColumnKey) {
        g.append(keyIsPrimary ? QLatin1String(", PRIMARY KEY") : QLatin1String(", UNIQUE"));
        nameList(g, key);
    }
    for (const TableConstraint &tc : st.constraints) {
        if (tc.kind == TableConstraint::Kind::Unique && !sameColumns(tc.columns, key)) {
            g.append(QLatin1String(", UNIQUE"));
            nameList(g, tc.columns);
        }
    }
    g.append(QLatin1String(")"));
    t.statements.push_back(g.take());
    if (counter && counter->hasSeed && counter->seed != 1) {
        g.append(QLatin1String("INSERT INTO sqlite_sequence (name, seq) VALUES ("));
        g.literal(st.table);
        g.append(QStringLiteral(", %1)").arg(counter->seed - 1));
        t.statements.push_back(g.take());
    }
}

void alterTable(const Statement &st, const Catalog &catalog, const QString &sql, Translation &t)
{
    const std::vector<Column> cols = existingTable(catalog, st.table, sql);
    Generator g(sql);
    switch (st.alter) {
    case Statement::AlterAction::AddColumn: {
        const ColumnDef &c = st.columnDefs.front();
        if (findColumn(cols, c.name))
            throw Error(
                err::ColumnExists,
                QStringLiteral("Field '%1' already exists in table '%2'.").arg(c.name, st.table),
                sql);
        if (c.type == JetType::Counter)
            throw Error(
                err::Unspecified,
                QStringLiteral("A COUNTER field cannot be added to the existing table '%1'.")
                    .arg(st.table),
                sql);
        g.append(QLatin1String("ALTER TABLE "));
        g.identifier(st.table);
        g.append(QLatin1String(" ADD COLUMN "));
        columnDefinition(g, c, false, false, c.notNull, sql);
        t.statements.push_back(g.take());
        if (c.unique || c.primaryKey) {
            g.append(QLatin1String("CREATE UNIQUE INDEX "));
            g.identifier(sqliteIndexName(st.table, c.name));
            g.append(QLatin1String(" ON "));
            g.identifier(st.table);
            nameList(g, {c.name});
            t.statements.push_back(g.take());
        }
        return;
    }
    case Statement::AlterAction::DropColumn:
        if (!findColumn(cols, st.name))
            missingColumn(st.table, st.name, sql);
        g.append(QLatin1String("ALTER TABLE "));
        g.identifier(st.table);
        g.append(QLatin1String(" DROP COLUMN "));
        g.identifier(st.name);
        t.statements.push_back(g.take());
        return;
    case Statement::AlterAction::AlterColumn: {
        const ColumnDef &c = st.columnDefs.front();
        const Column *existing = findColumn(cols, c.name);
        if (!existing)
            missingColumn(st.table, c.name, sql);
        if (c.type == JetType::Counter) {
            if (existing->type != JetType::Counter)
                throw Error(err::Unspecified,
                            QStringLiteral("Cannot change field '%1' of table '%2' to a COUNTER.")
                                .arg(c.name, st.table),
                            sql);
            if (!c.hasSeed)
                return;
            // The next key is the seed, unless rows with higher keys exist: keys are never reused.
            g.append(QLatin1String("DELETE FROM sqlite_sequence WHERE name = "));
            g.literal(st.table);
            g.append(QLatin1String(" COLLATE NOCASE"));
            t.statements.push_back(g.take());
            g.append(
                QStringLiteral(
                    "INSERT INTO sqlite_sequence (name, seq) SELECT name, %1 FROM sqlite_master "
                    "WHERE type = 'table' AND name = ")
                    .arg(c.seed - 1));
            g.literal(st.table);
            g.append(QLatin1String(" COLLATE NOCASE"));
            t.statements.push_back(g.take());
            return;
        }
        const bool sameKind = existing->type == c.type ||
                              (existing->type == JetType::Counter && c.type == JetType::Long);
        if (!sameKind)
            throw Error(err::Unspecified,
                        QStringLiteral("Cannot change the data type of field '%1' of table '%2'.")
                            .arg(c.name, st.table),
                        sql);
        return; // a new size: text columns hold any length, nothing to change
    }
    case Statement::AlterAction::AddConstraint: {
        const TableConstraint &tc = st.constraints.front();
        for (const QString &k : tc.columns) {
            if (!findColumn(cols, k))
                missingColumn(st.table, k, sql);
        }
        if (tc.kind == TableConstraint::Kind::Unique) {
            g.append(QLatin1String("CREATE UNIQUE INDEX "));
            g.identifier(
                sqliteIndexName(st.table, tc.name.isEmpty() ? tc.columns.front() : tc.name));
            g.append(QLatin1String(" ON "));
            g.identifier(st.table);
            nameList(g, tc.columns);
            t.statements.push_back(g.take());
        }
        return; // a primary key or a relationship: the key is in place already, relationships are
                // not kept
    }
    case Statement::AlterAction::DropConstraint: return;
    }
}

} // namespace

QString sqliteIndexName(const QString &table, const QString &index)
{
    return table + QLatin1Char('_') + index;
}

Translation translateDefinition(const Statement &st, const Catalog &catalog, const QString &sql)
{
    Translation t;
    t.table = st.table;
    Generator g(sql);
    switch (st.kind) {
    case Statement::Kind::CreateTable:
        t.kind = Translation::Kind::CreateTable;
        createTable(st, catalog, sql, t);
        break;
    case Statement::Kind::DropTable:
        t.kind = Translation::Kind::DropTable;
        if (!catalog.columns(st.table))
            throw Error(err::NoSuchTable,
                        QStringLiteral("Table '%1' does not exist.").arg(st.table), sql);
        g.append(QLatin1String("DROP TABLE "));
        g.identifier(st.table);
        t.statements.push_back(g.take());
        break;
    case Statement::Kind::AlterTable:
        t.kind = Translation::Kind::AlterTable;
        alterTable(st, catalog, sql, t);
        break;
    case Statement::Kind::CreateIndex: {
        t.kind = Translation::Kind::CreateIndex;
        const std::vector<Column> cols = existingTable(catalog, st.table, sql);
        for (const QString &c : st.columns) {
            if (!findColumn(cols, c))
                missingColumn(st.table, c, sql);
        }
        g.append(st.unique || st.primary ? QLatin1String("CREATE UNIQUE INDEX ")
                                         : QLatin1String("CREATE INDEX "));
        g.identifier(sqliteIndexName(st.table, st.name));
        g.append(QLatin1String(" ON "));
        g.identifier(st.table);
        nameList(g, st.columns, &st.descending);
        t.statements.push_back(g.take());
        break;
    }
    case Statement::Kind::DropIndex:
        t.kind = Translation::Kind::DropIndex;
        existingTable(catalog, st.table, sql);
        g.append(QLatin1String("DROP INDEX "));
        g.identifier(sqliteIndexName(st.table, st.name));
        t.statements.push_back(g.take());
        break;
    default: break;
    }
    return t;
}

} // namespace jet::sql
