#include "platform/jet/sql/parser.h"

#include "platform/jet/sql/dates.h"
#include "platform/jet/sql/lexer.h"

namespace jet::sql {

using namespace ast;

bool isReservedWord(QStringView word)
{
    static const char *const reserved[] = {
        "SELECT",  "FROM",  "WHERE", "GROUP",  "BY",       "HAVING",      "ORDER", "UNION",
        "AND",     "OR",    "NOT",   "XOR",    "EQV",      "IMP",         "MOD",   "LIKE",
        "BETWEEN", "IN",    "IS",    "NULL",   "AS",       "ON",          "JOIN",  "INNER",
        "LEFT",    "RIGHT", "OUTER", "EXISTS", "DISTINCT", "DISTINCTROW", "TOP",   "SET",
        "VALUES",  "INTO",  "TRUE",  "FALSE",  "ASC",      "DESC",        "ALL",   "FULL",
    };
    if (word.size() < 2 || word.size() > 11)
        return false;
    for (const char *r : reserved) {
        const QLatin1String l(r);
        if (l.size() == word.size() && word.compare(l, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

namespace {

class Parser
{
public:
    // numbered: the literals of the statement are numbered (Expr::literal); not for a
    // statement read from inside a bracketed name.
    explicit Parser(const QString &sql, bool numbered = false)
        : m_sql(sql)
        , m_lexed(tokenize(sql))
        , m_tokens(m_lexed.tokens)
    {
        if (!numbered)
            return;
        m_literalOf.assign(m_tokens.size(), -1);
        int n = 0;
        for (size_t i = 0; i < m_tokens.size(); ++i)
            if (m_tokens[i].isLiteral())
                m_literalOf[i] = n++;
    }

    Statement statement();

private:
    const QString &m_sql;
    Tokens m_lexed;
    const std::vector<Token> &m_tokens;
    std::vector<int> m_literalOf; // by token: the literal's number, or -1
    size_t m_i = 0;

    int literalHere() const { return m_i < m_literalOf.size() ? m_literalOf[m_i] : -1; }

    const Token &peek(size_t k = 0) const
    {
        const size_t j = std::min(m_i + k, m_tokens.size() - 1);
        return m_tokens[j];
    }
    const Token &next() { return m_tokens[std::min(m_i++, m_tokens.size() - 1)]; }
    bool atEnd() const { return peek().kind == Token::Kind::End; }
    bool acceptWord(const char *w)
    {
        if (peek().isWord(w)) {
            ++m_i;
            return true;
        }
        return false;
    }
    bool acceptSymbol(const char *s)
    {
        if (peek().isSymbol(s)) {
            ++m_i;
            return true;
        }
        return false;
    }
    void expectWord(const char *w)
    {
        if (!acceptWord(w))
            fail(QStringLiteral("%1 expected").arg(QLatin1String(w)));
    }
    void expectSymbol(const char *s)
    {
        if (!acceptSymbol(s))
            fail(QStringLiteral("'%1' expected").arg(QLatin1String(s)));
    }
    [[noreturn]] void fail(const QString &what = {}) const { syntaxError(m_sql, peek().pos, what); }

    bool isNameToken(const Token &t) const
    {
        return t.kind == Token::Kind::Bracket ||
               (t.kind == Token::Kind::Word && !isReservedWord(t.text));
    }
    QString name(const char *what)
    {
        if (!isNameToken(peek()))
            fail(QLatin1String(what));
        return next().text.toString();
    }
    bool startsQuery() const
    {
        size_t k = 0;
        while (peek(k).isSymbol("("))
            ++k;
        return peek(k).isWord("SELECT");
    }

    std::unique_ptr<Query> query();
    void member(Query &q);
    std::unique_ptr<Select> selectCore();
    std::vector<OrderItem> orderList();
    SourcePtr joinChain();
    SourcePtr primarySource();
    void tableAlias(Source &s);

    ExprPtr expr() { return impExpr(); }
    ExprPtr impExpr();
    ExprPtr eqvExpr();
    ExprPtr xorExpr();
    ExprPtr orExpr();
    ExprPtr andExpr();
    ExprPtr notExpr();
    ExprPtr comparison();
    ExprPtr concat();
    ExprPtr additive();
    ExprPtr modExpr();
    ExprPtr intDiv();
    ExprPtr multiplicative();
    ExprPtr unary();
    ExprPtr power();
    ExprPtr primary();

    ExprPtr binary(Op op, ExprPtr l, ExprPtr r, int pos)
    {
        auto e = std::make_unique<Expr>();
        e->kind = Expr::Kind::Binary;
        e->op = op;
        e->pos = pos;
        e->args.push_back(std::move(l));
        e->args.push_back(std::move(r));
        return e;
    }

    void columnDef(ColumnDef &c, bool allowConstraints);
    void typeName(ColumnDef &c);
    std::vector<QString> nameList();
    Statement insert();
    Statement update();
    Statement remove();
    Statement create();
    Statement drop();
    Statement alter();
};

Statement Parser::statement()
{
    Statement st;
    const Token &t = peek();
    if (startsQuery()) {
        st.kind = Statement::Kind::Select;
        st.query = query();
    } else if (t.isWord("INSERT")) {
        st = insert();
    } else if (t.isWord("UPDATE")) {
        st = update();
    } else if (t.isWord("DELETE")) {
        st = remove();
    } else if (t.isWord("CREATE")) {
        st = create();
    } else if (t.isWord("DROP")) {
        st = drop();
    } else if (t.isWord("ALTER")) {
        st = alter();
    } else {
        fail(QStringLiteral("not a statement"));
    }
    while (acceptSymbol(";")) {
    }
    if (!atEnd())
        fail();
    return st;
}

std::unique_ptr<Query> Parser::query()
{
    auto q = std::make_unique<Query>();
    member(*q);
    while (acceptWord("UNION")) {
        q->unionAll.push_back(acceptWord("ALL"));
        member(*q);
    }
    if (peek().isWord("ORDER")) {
        q->orderBy = orderList();
        if (q->members.size() == 1)
            q->members.front()->orderBy = std::move(q->orderBy);
    }
    // A stray ";" before the ")" that closes a subquery.
    if (peek().isSymbol(";") && peek(1).isSymbol(")"))
        ++m_i;
    return q;
}

void Parser::member(Query &q)
{
    if (peek().isSymbol("(")) {
        const int pos = peek().pos;
        ++m_i;
        auto inner = query();
        expectSymbol(")");
        if (inner->members.size() != 1)
            syntaxError(m_sql, pos, QStringLiteral("nested UNION"));
        q.members.push_back(std::move(inner->members.front()));
        return;
    }
    if (!peek().isWord("SELECT"))
        fail(QStringLiteral("SELECT expected"));
    q.members.push_back(selectCore());
}

std::vector<OrderItem> Parser::orderList()
{
    expectWord("ORDER");
    expectWord("BY");
    std::vector<OrderItem> items;
    do {
        OrderItem o;
        o.expr = expr();
        if (acceptWord("DESC"))
            o.desc = true;
        else
            acceptWord("ASC");
        items.push_back(std::move(o));
    } while (acceptSymbol(","));
    return items;
}

std::unique_ptr<Select> Parser::selectCore()
{
    auto s = std::make_unique<Select>();
    s->pos = peek().pos;
    expectWord("SELECT");
    if (acceptWord("DISTINCT"))
        s->distinct = true;
    else if (acceptWord("DISTINCTROW"))
        s->distinctRow = true;
    else
        acceptWord("ALL");
    if (acceptWord("TOP")) {
        if (peek().kind != Token::Kind::Number)
            fail(QStringLiteral("number expected after TOP"));
        bool ok = false;
        s->top = next().text.toLongLong(&ok);
        if (!ok)
            fail(QStringLiteral("whole number expected after TOP"));
        s->topPercent = acceptWord("PERCENT");
    }
    do {
        SelectItem item;
        if (peek().isSymbol("*")) {
            item.expr = std::make_unique<Expr>();
            item.expr->kind = Expr::Kind::Star;
            item.expr->pos = next().pos;
        } else {
            item.expr = expr();
            if (acceptWord("AS")) {
                if (peek().kind == Token::Kind::String || isNameToken(peek()))
                    item.alias = next().text.toString();
                else
                    fail(QStringLiteral("name expected after AS"));
            }
        }
        s->items.push_back(std::move(item));
    } while (acceptSymbol(","));
    if (acceptWord("FROM")) {
        do {
            s->from.push_back(joinChain());
        } while (acceptSymbol(","));
    }
    if (acceptWord("WHERE"))
        s->where = expr();
    if (acceptWord("GROUP")) {
        expectWord("BY");
        do {
            s->groupBy.push_back(expr());
        } while (acceptSymbol(","));
    }
    if (acceptWord("HAVING"))
        s->having = expr();
    return s;
}

SourcePtr Parser::joinChain()
{
    SourcePtr left = primarySource();
    for (;;) {
        Source::JoinKind kind;
        const int pos = peek().pos;
        if (acceptWord("INNER")) {
            kind = Source::JoinKind::Inner;
        } else if (acceptWord("LEFT")) {
            kind = Source::JoinKind::Left;
            acceptWord("OUTER");
        } else if (acceptWord("RIGHT")) {
            kind = Source::JoinKind::Right;
            acceptWord("OUTER");
        } else if (peek().isWord("JOIN")) {
            kind = Source::JoinKind::Inner;
        } else {
            return left;
        }
        expectWord("JOIN");
        auto j = std::make_unique<Source>();
        j->kind = Source::Kind::Join;
        j->joinKind = kind;
        j->pos = pos;
        j->left = std::move(left);
        j->right = primarySource();
        expectWord("ON");
        j->on = expr();
        left = std::move(j);
    }
}

void Parser::tableAlias(Source &s)
{
    if (acceptWord("AS"))
        s.alias = name("alias expected");
    else if (isNameToken(peek()) && !peek().isWord("SET") && !peek().isWord("WHERE"))
        s.alias = next().text.toString();
}

SourcePtr Parser::primarySource()
{
    auto s = std::make_unique<Source>();
    s->pos = peek().pos;
    if (peek().isSymbol("(")) {
        if (startsQuery()) {
            ++m_i;
            s->kind = Source::Kind::Derived;
            s->query = query();
            expectSymbol(")");
            tableAlias(*s);
            return s;
        }
        ++m_i;
        SourcePtr inner = joinChain();
        expectSymbol(")");
        return inner;
    }
    // The saved form of a derived table: [SELECT ...]. AS Alias
    if (peek().kind == Token::Kind::Bracket && peek(1).isSymbol(".") &&
        peek().text.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)) {
        const QString inner = next().text.toString();
        ++m_i;
        Statement sub = Parser(inner).statement();
        s->kind = Source::Kind::Derived;
        s->query = std::move(sub.query);
        tableAlias(*s);
        return s;
    }
    s->kind = Source::Kind::Table;
    s->name = name("table name expected");
    tableAlias(*s);
    return s;
}

ExprPtr Parser::impExpr()
{
    ExprPtr l = eqvExpr();
    while (peek().isWord("IMP")) {
        const int pos = next().pos;
        l = binary(Op::Imp, std::move(l), eqvExpr(), pos);
    }
    return l;
}

ExprPtr Parser::eqvExpr()
{
    ExprPtr l = xorExpr();
    while (peek().isWord("EQV")) {
        const int pos = next().pos;
        l = binary(Op::Eqv, std::move(l), xorExpr(), pos);
    }
    return l;
}

ExprPtr Parser::xorExpr()
{
    ExprPtr l = orExpr();
    while (peek().isWord("XOR")) {
        const int pos = next().pos;
        l = binary(Op::Xor, std::move(l), orExpr(), pos);
    }
    return l;
}

ExprPtr Parser::orExpr()
{
    ExprPtr l = andExpr();
    while (peek().isWord("OR")) {
        const int pos = next().pos;
        l = binary(Op::Or, std::move(l), andExpr(), pos);
    }
    return l;
}

ExprPtr Parser::andExpr()
{
    ExprPtr l = notExpr();
    while (peek().isWord("AND")) {
        const int pos = next().pos;
        l = binary(Op::And, std::move(l), notExpr(), pos);
    }
    return l;
}

ExprPtr Parser::notExpr()
{
    if (peek().isWord("NOT")) {
        auto e = std::make_unique<Expr>();
        e->kind = Expr::Kind::Unary;
        e->op = Op::Not;
        e->pos = next().pos;
        e->args.push_back(notExpr());
        return e;
    }
    return comparison();
}

ExprPtr Parser::comparison()
{
    ExprPtr l = concat();
    for (;;) {
        const Token &t = peek();
        const int pos = t.pos;
        if (t.kind == Token::Kind::Symbol) {
            Op op;
            if (t.text == QLatin1String("="))
                op = Op::Eq;
            else if (t.text == QLatin1String("<>"))
                op = Op::Ne;
            else if (t.text == QLatin1String("<"))
                op = Op::Lt;
            else if (t.text == QLatin1String(">"))
                op = Op::Gt;
            else if (t.text == QLatin1String("<="))
                op = Op::Le;
            else if (t.text == QLatin1String(">="))
                op = Op::Ge;
            else
                return l;
            ++m_i;
            l = binary(op, std::move(l), concat(), pos);
            continue;
        }
        bool negated = false;
        if (t.isWord("NOT") &&
            (peek(1).isWord("LIKE") || peek(1).isWord("IN") || peek(1).isWord("BETWEEN"))) {
            negated = true;
            ++m_i;
        }
        if (acceptWord("LIKE")) {
            l = binary(Op::Like, std::move(l), concat(), pos);
            l->negated = negated;
        } else if (acceptWord("BETWEEN")) {
            auto e = std::make_unique<Expr>();
            e->kind = Expr::Kind::Between;
            e->negated = negated;
            e->pos = pos;
            e->args.push_back(std::move(l));
            e->args.push_back(concat());
            expectWord("AND");
            e->args.push_back(concat());
            l = std::move(e);
        } else if (acceptWord("IN")) {
            auto e = std::make_unique<Expr>();
            e->negated = negated;
            e->pos = pos;
            e->args.push_back(std::move(l));
            expectSymbol("(");
            if (peek().isWord("SELECT")) {
                e->kind = Expr::Kind::InQuery;
                e->query = query();
            } else {
                e->kind = Expr::Kind::InList;
                do {
                    e->args.push_back(expr());
                } while (acceptSymbol(","));
            }
            expectSymbol(")");
            l = std::move(e);
        } else if (acceptWord("IS")) {
            auto e = std::make_unique<Expr>();
            e->kind = Expr::Kind::IsNull;
            e->pos = pos;
            e->negated = acceptWord("NOT");
            expectWord("NULL");
            e->args.push_back(std::move(l));
            l = std::move(e);
        } else {
            return l;
        }
    }
}

ExprPtr Parser::concat()
{
    ExprPtr l = additive();
    while (peek().isSymbol("&")) {
        const int pos = next().pos;
        l = binary(Op::Concat, std::move(l), additive(), pos);
    }
    return l;
}

ExprPtr Parser::additive()
{
    ExprPtr l = modExpr();
    for (;;) {
        const int pos = peek().pos;
        if (acceptSymbol("+"))
            l = binary(Op::Add, std::move(l), modExpr(), pos);
        else if (acceptSymbol("-"))
            l = binary(Op::Sub, std::move(l), modExpr(), pos);
        else
            return l;
    }
}

ExprPtr Parser::modExpr()
{
    ExprPtr l = intDiv();
    while (peek().isWord("MOD")) {
        const int pos = next().pos;
        l = binary(Op::Mod, std::move(l), intDiv(), pos);
    }
    return l;
}

ExprPtr Parser::intDiv()
{
    ExprPtr l = multiplicative();
    while (peek().isSymbol("\\")) {
        const int pos = next().pos;
        l = binary(Op::IntDiv, std::move(l), multiplicative(), pos);
    }
    return l;
}

ExprPtr Parser::multiplicative()
{
    ExprPtr l = unary();
    for (;;) {
        const int pos = peek().pos;
        if (acceptSymbol("*"))
            l = binary(Op::Mul, std::move(l), unary(), pos);
        else if (acceptSymbol("/"))
            l = binary(Op::Div, std::move(l), unary(), pos);
        else
            return l;
    }
}

ExprPtr Parser::unary()
{
    if (peek().isSymbol("-") || peek().isSymbol("+")) {
        auto e = std::make_unique<Expr>();
        e->kind = Expr::Kind::Unary;
        e->op = peek().isSymbol("-") ? Op::Neg : Op::Plus;
        e->pos = next().pos;
        e->args.push_back(unary());
        return e;
    }
    return power();
}

ExprPtr Parser::power()
{
    ExprPtr l = primary();
    while (peek().isSymbol("^")) {
        const int pos = next().pos;
        ExprPtr r;
        if (peek().isSymbol("-") || peek().isSymbol("+")) {
            r = std::make_unique<Expr>();
            r->kind = Expr::Kind::Unary;
            r->op = peek().isSymbol("-") ? Op::Neg : Op::Plus;
            r->pos = next().pos;
            r->args.push_back(primary());
        } else {
            r = primary();
        }
        l = binary(Op::Pow, std::move(l), std::move(r), pos);
    }
    return l;
}

ExprPtr Parser::primary()
{
    const Token &t = peek();
    auto e = std::make_unique<Expr>();
    e->pos = t.pos;
    switch (t.kind) {
    case Token::Kind::Number:
        e->kind = Expr::Kind::Number;
        e->literal = literalHere();
        e->text = next().text.toString();
        return e;
    case Token::Kind::String:
        e->kind = Expr::Kind::String;
        e->literal = literalHere();
        e->text = next().text.toString();
        return e;
    case Token::Kind::Date: {
        const std::optional<QString> d = dateLiteral(t.text.toString());
        if (!d)
            fail(QStringLiteral("not a valid date"));
        e->literal = literalHere();
        ++m_i;
        e->kind = Expr::Kind::Date;
        e->text = *d;
        return e;
    }
    case Token::Kind::Symbol:
        if (t.isSymbol("(")) {
            ++m_i;
            if (startsQuery()) {
                e->kind = Expr::Kind::Subquery;
                e->query = query();
                expectSymbol(")");
                return e;
            }
            ExprPtr inner = expr();
            expectSymbol(")");
            return inner;
        }
        fail(QStringLiteral("expression expected"));
    case Token::Kind::End: fail(QStringLiteral("expression expected"));
    case Token::Kind::Word:
        if (t.isWord("NULL")) {
            ++m_i;
            e->kind = Expr::Kind::Null;
            return e;
        }
        if (t.isWord("TRUE") || t.isWord("FALSE")) {
            e->kind = Expr::Kind::Bool;
            e->boolValue = t.isWord("TRUE");
            e->literal = literalHere();
            ++m_i;
            return e;
        }
        if (t.isWord("EXISTS")) {
            ++m_i;
            expectSymbol("(");
            e->kind = Expr::Kind::Exists;
            e->query = query();
            expectSymbol(")");
            return e;
        }
        // A function call; Left and Right are functions too, though they also begin joins.
        if (peek(1).isSymbol("(") &&
            (!isReservedWord(t.text) || t.isWord("LEFT") || t.isWord("RIGHT"))) {
            e->kind = Expr::Kind::Call;
            e->text = next().text.toString();
            ++m_i;
            if (acceptSymbol("*")) {
                e->star = true;
            } else if (!peek().isSymbol(")")) {
                do {
                    e->args.push_back(expr());
                } while (acceptSymbol(","));
            }
            expectSymbol(")");
            return e;
        }
        [[fallthrough]];
    case Token::Kind::Bracket: {
        if (!isNameToken(t))
            fail(QStringLiteral("expression expected"));
        QString first = next().text.toString();
        if (acceptSymbol(".")) {
            if (acceptSymbol("*")) {
                e->kind = Expr::Kind::Star;
                e->qualifier = first;
                return e;
            }
            // After the dot any word names a column (Classes.Max, Payments.Date).
            if (peek().kind != Token::Kind::Word && peek().kind != Token::Kind::Bracket)
                fail(QStringLiteral("column name expected"));
            e->kind = Expr::Kind::Column;
            e->qualifier = first;
            e->text = next().text.toString();
            if (peek().isSymbol(".") && !peek(1).isSymbol("*"))
                fail(QStringLiteral("too many parts in a name"));
            return e;
        }
        e->kind = Expr::Kind::Column;
        e->text = first;
        return e;
    }
    }
    fail();
}

std::vector<QString> Parser::nameList()
{
    std::vector<QString> names;
    expectSymbol("(");
    do {
        names.push_back(name("column name expected"));
    } while (acceptSymbol(","));
    expectSymbol(")");
    return names;
}

Statement Parser::insert()
{
    Statement st;
    st.kind = Statement::Kind::Insert;
    expectWord("INSERT");
    expectWord("INTO");
    st.tablePos = peek().pos;
    st.table = name("table name expected");
    if (peek().isSymbol("(") && !startsQuery())
        st.columns = nameList();
    if (acceptWord("VALUES")) {
        expectSymbol("(");
        do {
            st.values.push_back(expr());
        } while (acceptSymbol(","));
        expectSymbol(")");
    } else if (startsQuery()) {
        st.query = query();
    } else {
        fail(QStringLiteral("VALUES or SELECT expected"));
    }
    return st;
}

Statement Parser::update()
{
    Statement st;
    st.kind = Statement::Kind::Update;
    expectWord("UPDATE");
    st.tablePos = peek().pos;
    st.target = joinChain();
    expectWord("SET");
    do {
        const Token &t = peek();
        if (!isNameToken(t) && t.kind != Token::Kind::Word)
            fail(QStringLiteral("column name expected"));
        auto col = std::make_unique<Expr>();
        col->kind = Expr::Kind::Column;
        col->pos = t.pos;
        col->text = next().text.toString();
        if (acceptSymbol(".")) {
            col->qualifier = col->text;
            if (peek().kind != Token::Kind::Word && peek().kind != Token::Kind::Bracket)
                fail(QStringLiteral("column name expected"));
            col->text = next().text.toString();
        }
        expectSymbol("=");
        st.sets.emplace_back(std::move(col), expr());
    } while (acceptSymbol(","));
    if (acceptWord("WHERE"))
        st.where = expr();
    return st;
}

Statement Parser::remove()
{
    Statement st;
    st.kind = Statement::Kind::Delete;
    expectWord("DELETE");
    if (acceptSymbol("*")) {
    } else if (isNameToken(peek()) && peek(1).isSymbol(".") && peek(2).isSymbol("*")) {
        st.deleteQualifier = next().text.toString();
        m_i += 2;
    }
    expectWord("FROM");
    st.tablePos = peek().pos;
    do {
        st.from.push_back(joinChain());
    } while (acceptSymbol(","));
    if (acceptWord("WHERE"))
        st.where = expr();
    return st;
}

void Parser::typeName(ColumnDef &c)
{
    const Token &t = peek();
    if (t.kind != Token::Kind::Word)
        fail(QStringLiteral("data type expected"));
    const QString type = next().text.toString().toUpper();
    int defaultSize = 0;
    if (type == QLatin1String("COUNTER") || type == QLatin1String("AUTOINCREMENT") ||
        type == QLatin1String("IDENTITY")) {
        c.type = JetType::Counter;
        if (acceptSymbol("(")) {
            if (peek().kind != Token::Kind::Number)
                fail(QStringLiteral("seed expected"));
            c.seed = next().text.toLongLong();
            c.hasSeed = true;
            if (acceptSymbol(",")) {
                if (peek().kind != Token::Kind::Number)
                    fail(QStringLiteral("step expected"));
                c.step = next().text.toLongLong();
            }
            expectSymbol(")");
        }
        return;
    }
    static const struct
    {
        const char *name;
        JetType type;
        int size;
    } names[] = {
        {"INT", JetType::Long, 0},          {"INTEGER", JetType::Long, 0},
        {"LONG", JetType::Long, 0},         {"INTEGER4", JetType::Long, 0},
        {"SHORT", JetType::Short, 0},       {"SMALLINT", JetType::Short, 0},
        {"INTEGER2", JetType::Short, 0},    {"BYTE", JetType::Byte, 0},
        {"TINYINT", JetType::Byte, 0},      {"INTEGER1", JetType::Byte, 0},
        {"SINGLE", JetType::Single, 0},     {"REAL", JetType::Single, 0},
        {"FLOAT4", JetType::Single, 0},     {"DOUBLE", JetType::Double, 0},
        {"FLOAT", JetType::Double, 0},      {"FLOAT8", JetType::Double, 0},
        {"NUMBER", JetType::Double, 0},     {"NUMERIC", JetType::Double, 0},
        {"CURRENCY", JetType::Currency, 0}, {"MONEY", JetType::Currency, 0},
        {"DATE", JetType::Date, 0},         {"DATETIME", JetType::Date, 0},
        {"TIMESTAMP", JetType::Date, 0},    {"TIME", JetType::Date, 0},
        {"TEXT", JetType::Text, 255},       {"VARCHAR", JetType::Text, 255},
        {"NVARCHAR", JetType::Text, 255},   {"CHAR", JetType::Text, 255},
        {"NCHAR", JetType::Text, 255},      {"CHARACTER", JetType::Text, 255},
        {"STRING", JetType::Text, 255},     {"ALPHANUMERIC", JetType::Text, 255},
        {"MEMO", JetType::Memo, 0},         {"LONGTEXT", JetType::Memo, 0},
        {"LONGCHAR", JetType::Memo, 0},     {"NTEXT", JetType::Memo, 0},
        {"NOTE", JetType::Memo, 0},         {"YESNO", JetType::YesNo, 0},
        {"BIT", JetType::YesNo, 0},         {"LOGICAL", JetType::YesNo, 0},
        {"BOOLEAN", JetType::YesNo, 0},
    };
    c.type = JetType::Unknown;
    for (const auto &n : names) {
        if (type == QLatin1String(n.name)) {
            c.type = n.type;
            defaultSize = n.size;
            break;
        }
    }
    if (c.type == JetType::Unknown)
        syntaxError(m_sql, t.pos, QStringLiteral("unknown data type"));
    if (type == QLatin1String("DOUBLE"))
        acceptWord("PRECISION");
    if (acceptSymbol("(")) {
        if (peek().kind != Token::Kind::Number)
            fail(QStringLiteral("size expected"));
        const int size = next().text.toInt();
        if (acceptSymbol(",")) {
            if (peek().kind != Token::Kind::Number)
                fail(QStringLiteral("scale expected"));
            ++m_i;
        }
        expectSymbol(")");
        if (c.type == JetType::Text) {
            if (size < 1 || size > 255)
                syntaxError(m_sql, t.pos, QStringLiteral("text size must be 1 to 255"));
            defaultSize = size;
        }
    }
    c.size = defaultSize;
}

void Parser::columnDef(ColumnDef &c, bool allowConstraints)
{
    c.pos = peek().pos;
    c.name = name("column name expected");
    typeName(c);
    for (;;) {
        if (acceptWord("NOT")) {
            expectWord("NULL");
            c.notNull = true;
        } else if (acceptWord("NULL")) {
        } else if (acceptWord("DEFAULT")) {
            c.defaultValue = unary();
        } else if (allowConstraints && peek().isWord("CONSTRAINT")) {
            ++m_i;
            name("constraint name expected");
        } else if (allowConstraints && acceptWord("PRIMARY")) {
            expectWord("KEY");
            c.primaryKey = true;
        } else if (allowConstraints && acceptWord("UNIQUE")) {
            c.unique = true;
        } else if (allowConstraints && acceptWord("REFERENCES")) {
            name("table name expected");
            if (peek().isSymbol("("))
                nameList();
        } else if (acceptWord("WITH")) {
            if (!acceptWord("COMPRESSION") && !acceptWord("COMP"))
                fail();
        } else {
            return;
        }
    }
}

Statement Parser::create()
{
    Statement st;
    expectWord("CREATE");
    if (acceptWord("UNIQUE")) {
        st.unique = true;
        if (!peek().isWord("INDEX"))
            fail(QStringLiteral("INDEX expected"));
    }
    if (acceptWord("INDEX")) {
        st.kind = Statement::Kind::CreateIndex;
        st.name = name("index name expected");
        expectWord("ON");
        st.tablePos = peek().pos;
        st.table = name("table name expected");
        expectSymbol("(");
        do {
            st.columns.push_back(name("column name expected"));
            bool desc = acceptWord("DESC");
            if (!desc)
                acceptWord("ASC");
            st.descending.push_back(desc);
        } while (acceptSymbol(","));
        expectSymbol(")");
        if (acceptWord("WITH")) {
            do {
                if (acceptWord("PRIMARY")) {
                    st.primary = true;
                } else if (acceptWord("DISALLOW") || acceptWord("IGNORE")) {
                    expectWord("NULL");
                } else {
                    fail();
                }
            } while (peek().isWord("PRIMARY") || peek().isWord("DISALLOW") ||
                     peek().isWord("IGNORE"));
        }
        return st;
    }
    expectWord("TABLE");
    st.kind = Statement::Kind::CreateTable;
    st.tablePos = peek().pos;
    st.table = name("table name expected");
    expectSymbol("(");
    do {
        TableConstraint tc;
        bool isConstraint = false;
        if (acceptWord("CONSTRAINT")) {
            tc.name = name("constraint name expected");
            isConstraint = true;
        }
        if (peek().isWord("PRIMARY") && peek(1).isWord("KEY")) {
            m_i += 2;
            tc.kind = TableConstraint::Kind::PrimaryKey;
            tc.columns = nameList();
            st.constraints.push_back(std::move(tc));
        } else if (peek().isWord("UNIQUE") && peek(1).isSymbol("(")) {
            ++m_i;
            tc.kind = TableConstraint::Kind::Unique;
            tc.columns = nameList();
            st.constraints.push_back(std::move(tc));
        } else if (peek().isWord("FOREIGN") && peek(1).isWord("KEY")) {
            m_i += 2;
            tc.kind = TableConstraint::Kind::ForeignKey;
            tc.columns = nameList();
            expectWord("REFERENCES");
            name("table name expected");
            if (peek().isSymbol("("))
                nameList();
            st.constraints.push_back(std::move(tc));
        } else if (isConstraint) {
            fail(QStringLiteral("PRIMARY KEY, UNIQUE or FOREIGN KEY expected"));
        } else {
            ColumnDef c;
            columnDef(c, true);
            st.columnDefs.push_back(std::move(c));
        }
    } while (acceptSymbol(","));
    expectSymbol(")");
    return st;
}

Statement Parser::drop()
{
    Statement st;
    expectWord("DROP");
    if (acceptWord("TABLE")) {
        st.kind = Statement::Kind::DropTable;
        st.tablePos = peek().pos;
        st.table = name("table name expected");
    } else if (acceptWord("INDEX")) {
        st.kind = Statement::Kind::DropIndex;
        st.name = name("index name expected");
        expectWord("ON");
        st.tablePos = peek().pos;
        st.table = name("table name expected");
    } else {
        fail(QStringLiteral("TABLE or INDEX expected"));
    }
    return st;
}

Statement Parser::alter()
{
    Statement st;
    st.kind = Statement::Kind::AlterTable;
    expectWord("ALTER");
    expectWord("TABLE");
    st.tablePos = peek().pos;
    st.table = name("table name expected");
    if (acceptWord("ADD")) {
        TableConstraint tc;
        bool isConstraint = false;
        if (acceptWord("CONSTRAINT")) {
            tc.name = name("constraint name expected");
            isConstraint = true;
        }
        if (peek().isWord("PRIMARY") && peek(1).isWord("KEY")) {
            m_i += 2;
            tc.kind = TableConstraint::Kind::PrimaryKey;
            tc.columns = nameList();
        } else if (peek().isWord("UNIQUE") && peek(1).isSymbol("(")) {
            ++m_i;
            tc.kind = TableConstraint::Kind::Unique;
            tc.columns = nameList();
        } else if (peek().isWord("FOREIGN") && peek(1).isWord("KEY")) {
            m_i += 2;
            tc.kind = TableConstraint::Kind::ForeignKey;
            tc.columns = nameList();
            expectWord("REFERENCES");
            name("table name expected");
            if (peek().isSymbol("("))
                nameList();
        } else if (isConstraint) {
            fail(QStringLiteral("PRIMARY KEY, UNIQUE or FOREIGN KEY expected"));
        } else {
            acceptWord("COLUMN");
            st.alter = Statement::AlterAction::AddColumn;
            ColumnDef c;
            columnDef(c, true);
            st.columnDefs.push_back(std::move(c));
            return st;
        }
        st.alter = Statement::AlterAction::AddConstraint;
        st.name = tc.name;
        st.constraints.push_back(std::move(tc));
        return st;
    }
    if (acceptWord("DROP")) {
        if (acceptWord("CONSTRAINT")) {
            st.alter = Statement::AlterAction::DropConstraint;
            st.name = name("constraint name expected");
            return st;
        }
        acceptWord("COLUMN");
        st.alter = Statement::AlterAction::DropColumn;
        st.tablePos = peek().pos;
        st.name = name("column name expected");
        return st;
    }
    if (acceptWord("ALTER")) {
        acceptWord("COLUMN");
        st.alter = Statement::AlterAction::AlterColumn;
        ColumnDef c;
        columnDef(c, false);
        st.columnDefs.push_back(std::move(c));
        return st;
    }
    fail(QStringLiteral("ADD, DROP or ALTER expected"));
}

} // namespace

Statement parse(const QString &sql)
{
    return Parser(sql, true).statement();
}

} // namespace jet::sql
