#pragma once

#include <QString>
#include <QStringView>
#include <deque>
#include <vector>

namespace jet::sql {

// One token of a Jet statement. Positions are 0-based offsets into the statement.
struct Token
{
    enum class Kind {
        Word,    // a bare name or keyword: Students, SELECT, Date
        Bracket, // a [bracketed name], without its brackets
        String,  // 'text' or "text", quotes removed and doubled quotes undone
        Number,  // 12, 1.5, .5, 2E3
        Date,    // #...#, the text between the signs
        Symbol,  // ( ) , . ; * + - / \ ^ & = <> < > <= >= !
        End,
    };
    Kind kind = Kind::End;
    QStringView text; // into the statement, or into Tokens::unescaped
    int pos = 0;
    int end = 0; // just past the token in the statement

    // A value written in the statement: a number, 'text', #date#, True or False.
    bool isLiteral() const;

    bool isWord(const char *upper) const;    // a Word equal to upper, ignoring case
    bool isSymbol(const char *symbol) const; // a Symbol spelled exactly so
};

struct Tokens
{
    std::vector<Token> tokens;
    std::deque<QString> unescaped; // texts whose doubled quotes were undone
};

// What a number literal is, as far as its translation depends on it: Long (whole, at most
// 2147483647), Big (whole, within 64 bits), Decimal (a point and at most four decimals), Other (an
// exponent or more decimals), Huge (whole, beyond 64 bits).
enum class NumberClass { Long, Big, Decimal, Other, Huge };
NumberClass numberClass(QStringView number);

// Splits a statement into tokens; a quote, bracket or # left open is a syntax error. The tokens
// point into the statement, which must outlive them.
Tokens tokenize(const QString &sql);

// Throws the syntax error of a statement at a position.
[[noreturn]] void syntaxError(const QString &sql, int pos, const QString &what = {});

// Names of tables, columns and aliases compare without regard to case.
inline bool sameName(const QString &a, const QString &b)
{
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace jet::sql
