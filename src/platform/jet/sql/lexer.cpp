#include "platform/jet/sql/lexer.h"

#include "platform/jet/sql/error.h"

namespace jet::sql {

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$') ||
           c.unicode() > 127;
}

} // namespace

bool Token::isWord(const char *upper) const
{
    return kind == Kind::Word && text.compare(QLatin1String(upper), Qt::CaseInsensitive) == 0;
}

bool Token::isLiteral() const
{
    return kind == Kind::Number || kind == Kind::String || kind == Kind::Date || isWord("TRUE") ||
           isWord("FALSE");
}

NumberClass numberClass(QStringView number)
{
    const qsizetype point = number.indexOf(QLatin1Char('.'));
    if (number.contains(QLatin1Char('e'), Qt::CaseInsensitive))
        return NumberClass::Other;
    if (point >= 0)
        return number.size() - point - 1 > 4 ? NumberClass::Other : NumberClass::Decimal;
    bool ok = false;
    const qlonglong v = number.toLongLong(&ok);
    if (!ok)
        return NumberClass::Huge;
    return v <= 2147483647LL ? NumberClass::Long : NumberClass::Big;
}

bool Token::isSymbol(const char *symbol) const
{
    return kind == Kind::Symbol && text == QLatin1String(symbol);
}

void syntaxError(const QString &sql, int pos, const QString &what)
{
    QString near = sql.mid(pos, 24).simplified();
    QString description = QStringLiteral("Syntax error");
    if (!what.isEmpty())
        description += QStringLiteral(" (%1)").arg(what);
    if (pos >= sql.size())
        description += QStringLiteral(" at the end of the statement.");
    else
        description += QStringLiteral(" at position %1, near '%2'.").arg(pos + 1).arg(near);
    throw Error(err::SyntaxError, description, sql);
}

Tokens tokenize(const QString &sql)
{
    Tokens result;
    std::vector<Token> &tokens = result.tokens;
    const QStringView view(sql);
    tokens.reserve(sql.size() / 4 + 4);
    const int n = sql.size();
    const QChar *s = sql.constData();
    int i = 0;
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token t;
        t.pos = i;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            t.kind = Token::Kind::String;
            const int start = ++i;
            bool doubled = false;
            for (;;) {
                if (i >= n)
                    syntaxError(sql, t.pos, QStringLiteral("text without its closing quote"));
                if (s[i] == c) {
                    if (i + 1 < n && s[i + 1] == c) {
                        doubled = true;
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            t.text = view.mid(start, i - start);
            if (doubled) {
                result.unescaped.push_back(t.text.toString().replace(QString(2, c), QString(c)));
                t.text = result.unescaped.back();
            }
            ++i;
        } else if (c == QLatin1Char('[')) {
            t.kind = Token::Kind::Bracket;
            const int close = sql.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0)
                syntaxError(sql, t.pos, QStringLiteral("name without its closing bracket"));
            t.text = view.mid(i + 1, close - i - 1);
            if (t.text.trimmed().isEmpty())
                syntaxError(sql, t.pos, QStringLiteral("empty name"));
            i = close + 1;
        } else if (c == QLatin1Char('#')) {
            t.kind = Token::Kind::Date;
            const int close = sql.indexOf(QLatin1Char('#'), i + 1);
            if (close < 0)
                syntaxError(sql, t.pos, QStringLiteral("date without its closing #"));
            t.text = view.mid(i + 1, close - i - 1).trimmed();
            i = close + 1;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && s[i + 1].isDigit() &&
                                   (tokens.empty() || tokens.back().kind == Token::Kind::Symbol))) {
            t.kind = Token::Kind::Number;
            int j = i;
            while (j < n && s[j].isDigit())
                ++j;
            if (j < n && s[j] == QLatin1Char('.')) {
                ++j;
                while (j < n && s[j].isDigit())
                    ++j;
            }
            if (j < n && (s[j] == QLatin1Char('e') || s[j] == QLatin1Char('E'))) {
                int k = j + 1;
                if (k < n && (s[k] == QLatin1Char('+') || s[k] == QLatin1Char('-')))
                    ++k;
                if (k < n && s[k].isDigit()) {
                    while (k < n && s[k].isDigit())
                        ++k;
                    j = k;
                }
            }
            if (j < n && isNameChar(s[j]) && !s[j].isDigit())
                syntaxError(sql, t.pos, QStringLiteral("malformed number"));
            t.text = view.mid(i, j - i);
            i = j;
        } else if (isNameChar(c)) {
            t.kind = Token::Kind::Word;
            int j = i;
            while (j < n && isNameChar(s[j]))
                ++j;
            t.text = view.mid(i, j - i);
            i = j;
        } else {
            t.kind = Token::Kind::Symbol;
            if (i + 1 < n) {
                const QChar d = s[i + 1];
                if ((c == QLatin1Char('<') && (d == QLatin1Char('>') || d == QLatin1Char('='))) ||
                    (c == QLatin1Char('>') && d == QLatin1Char('='))) {
                    t.text = view.mid(i, 2);
                    i += 2;
                    t.end = i;
                    tokens.push_back(std::move(t));
                    continue;
                }
            }
            static const QString symbols = QStringLiteral("(),.;*+-/\\^&=<>!");
            if (!symbols.contains(c))
                syntaxError(sql, i, QStringLiteral("unexpected character"));
            t.text = view.mid(i, 1);
            ++i;
        }
        t.end = i;
        tokens.push_back(std::move(t));
    }
    Token end;
    end.pos = n;
    end.end = n;
    tokens.push_back(std::move(end));
    return result;
}

} // namespace jet::sql
