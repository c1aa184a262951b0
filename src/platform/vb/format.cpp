#include "format.h"

#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/detail.h"
#include "platform/vb/error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include <QVarLengthArray>

namespace vb {

using detail::Kind;

namespace {

using detail::MonthNames;
using detail::DayNames;

constexpr QStringView ShortDate = u"d/mm/yyyy";
constexpr QStringView LongDate = u"dddd, d mmmm yyyy";
constexpr QStringView LongTime = u"h:mm:ss AM/PM";

bool isDateLetter(QChar c)
{
    switch (c.toLower().unicode()) {
    case 'c':
    case 'd':
    case 'w':
    case 'm':
    case 'q':
    case 'y':
    case 'h':
    case 'n':
    case 's':
    case 't': return true;
    default: return false;
    }
}

bool startsWithCi(QStringView s, qsizetype at, QLatin1String what)
{
    if (at + what.size() > s.size())
        return false;
    return s.sliced(at, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

// Splits a pattern into its sections at ';' outside quotes and escapes.
QVarLengthArray<QStringView, 4> sections(QStringView pattern)
{
    QVarLengthArray<QStringView, 4> out;
    qsizetype start = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char('\\') && !quoted)
            ++i;
        else if (c == QLatin1Char(';') && !quoted) {
            out.push_back(pattern.sliced(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(pattern.sliced(start));
    return out;
}

enum class PatternKind { Number, Date, Text, Literal };

PatternKind classify(QStringView pattern)
{
    bool digits = false, date = false, text = false;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        if (c == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (c == QLatin1Char(';'))
            break;
        switch (c.unicode()) {
        case '0':
        case '#': digits = true; break;
        case '@':
        case '&':
        case '<':
        case '>':
        case '!': text = true; break;
        default:
            if (isDateLetter(c) || startsWithCi(pattern, i, QLatin1String("a/p")) ||
                startsWithCi(pattern, i, QLatin1String("am/pm")) ||
                startsWithCi(pattern, i, QLatin1String("ampm")))
                date = true;
        }
    }
    if (digits)
        return PatternKind::Number;
    if (date)
        return PatternKind::Date;
    if (text)
        return PatternKind::Text;
    return PatternKind::Literal;
}

void appendNumber(QString &out, int value, int width)
{
    char buf[12];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    for (int pad = width - int(r.ptr - buf); pad > 0; --pad)
        out += QLatin1Char('0');
    out += QLatin1String(buf, r.ptr - buf);
}

// ---------------------------------------------------------------- dates

QString formatDate(const QDateTime &dt, QStringView pattern);

struct DateToken
{
    enum Type {
        Literal,
        Day,
        Weekday,
        Week,
        Month,
        Minute,
        Quarter,
        DayOfYear,
        Year,
        Hour,
        Second,
        General,
        LongTimeToken,
        AmPm,
        AP,
        AmPmLocale
    } type;
    int count;
    QStringView literal;
    bool upper;

    DateToken(Type t = Literal, int c = 0, QStringView l = {}, bool u = true)
        : type(t)
        , count(c)
        , literal(l)
        , upper(u)
    {}
};

QString formatDate(const QDateTime &dt, QStringView pattern)
{
    QVarLengthArray<DateToken, 24> tokens;
    bool twelveHour = false;
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('"')) {
            const qsizetype end = pattern.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype stop = end < 0 ? n : end;
            tokens.push_back({DateToken::Literal, 0, pattern.sliced(i + 1, stop - i - 1)});
            i = stop + 1;
            continue;
        }
        if (c == QLatin1Char('\\')) {
            if (i + 1 < n)
                tokens.push_back({DateToken::Literal, 0, pattern.sliced(i + 1, 1)});
            i += 2;
            continue;
        }
        if (startsWithCi(pattern, i, QLatin1String("am/pm"))) {
            tokens.push_back({DateToken::AmPm, 0, {}, c.isUpper()});
            twelveHour = true;
            i += 5;
            continue;
        }
        if (startsWithCi(pattern, i, QLatin1String("a/p"))) {
            tokens.push_back({DateToken::AP, 0, {}, c.isUpper()});
            twelveHour = true;
            i += 3;
            continue;
        }
        if (startsWithCi(pattern, i, QLatin1String("ampm"))) {
            tokens.push_back({DateToken::AmPmLocale, 0, {}, true});
            twelveHour = true;
            i += 4;
            continue;
        }
        if (isDateLetter(c)) {
            const QChar lower = c.toLower();
            qsizetype j = i + 1;
            while (j < n && pattern[j].toLower() == lower)
                ++j;
            int count = int(j - i);
            DateToken::Type type = DateToken::Literal;
            switch (lower.unicode()) {
            case 'd': type = DateToken::Day; break;
            case 'w': type = count >= 2 ? DateToken::Week : DateToken::Weekday; break;
            case 'm': type = DateToken::Month; break;
            case 'q': type = DateToken::Quarter; break;
            case 'y': type = count >= 2 ? DateToken::Year : DateToken::DayOfYear; break;
            case 'h': type = DateToken::Hour; break;
            case 'n': type = DateToken::Minute; break;
            case 's': type = DateToken::Second; break;
            case 'c': type = DateToken::General; break;
            case 't':
                if (count >= 5)
                    type = DateToken::LongTimeToken;
                break;
            }
            if (type == DateToken::Literal)
                tokens.push_back({DateToken::Literal, 0, pattern.sliced(i, j - i)});
            else if (type == DateToken::Year && count == 3) {
                tokens.push_back({DateToken::Year, 2});
                tokens.push_back({DateToken::DayOfYear, 1});
            } else
                tokens.push_back({type, count});
            i = j;
            continue;
        }
        tokens.push_back({DateToken::Literal, 0, pattern.sliced(i, 1)});
        ++i;
    }
    // m after h, or before s, is the minute.
    for (size_t k = 0; k < size_t(tokens.size()); ++k) {
        if (tokens[k].type != DateToken::Month || tokens[k].count > 2)
            continue;
        bool minute = false;
        for (size_t p = k; p-- > 0;) {
            if (tokens[p].type == DateToken::Literal)
                continue;
            minute = tokens[p].type == DateToken::Hour;
            break;
        }
        for (size_t q = k + 1; !minute && q < size_t(tokens.size()); ++q) {
            if (tokens[q].type == DateToken::Literal)
                continue;
            minute = tokens[q].type == DateToken::Second;
            break;
        }
        if (minute)
            tokens[k].type = DateToken::Minute;
    }

    const QDate d = dt.date();
    const QTime t = dt.time();
    QString out;
    out.reserve(pattern.size() + 16);
    for (const DateToken &tok : tokens) {
        switch (tok.type) {
        case DateToken::Literal: out += tok.literal; break;
        case DateToken::Day:
            if (tok.count <= 2)
                appendNumber(out, d.day(), tok.count);
            else if (tok.count == 3)
                out += QLatin1String(DayNames[d.dayOfWeek() % 7], 3);
            else if (tok.count == 4)
                out += QLatin1String(DayNames[d.dayOfWeek() % 7]);
            else if (tok.count == 5)
                out += formatDate(dt, ShortDate);
            else
                out += formatDate(dt, LongDate);
            break;
        case DateToken::Weekday: appendNumber(out, d.dayOfWeek() % 7 + 1, 1); break;
        case DateToken::Week: appendNumber(out, DatePart(QStringLiteral("ww"), dt), 1); break;
        case DateToken::Month:
            if (tok.count <= 2)
                appendNumber(out, d.month(), tok.count);
            else if (tok.count == 3)
                out += QLatin1String(MonthNames[d.month() - 1], 3);
            else
                out += QLatin1String(MonthNames[d.month() - 1]);
            break;
        case DateToken::Minute: appendNumber(out, t.minute(), std::min(tok.count, 2)); break;
        case DateToken::Quarter: appendNumber(out, (d.month() - 1) / 3 + 1, 1); break;
        case DateToken::DayOfYear: appendNumber(out, d.dayOfYear(), 1); break;
        case DateToken::Year:
            if (tok.count == 2)
                appendNumber(out, d.year() % 100, 2);
            else
                appendNumber(out, d.year(), 4);
            break;
        case DateToken::Hour: {
            int h = t.hour();
            if (twelveHour) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            appendNumber(out, h, std::min(tok.count, 2));
            break;
        }
        case DateToken::Second: appendNumber(out, t.second(), std::min(tok.count, 2)); break;
        case DateToken::General: out += detail::generalDate(dt); break;
        case DateToken::LongTimeToken: out += formatDate(dt, LongTime); break;
        case DateToken::AmPm:
        case DateToken::AmPmLocale:
            if (tok.upper)
                out += t.hour() < 12 ? QLatin1String("AM") : QLatin1String("PM");
            else
                out += t.hour() < 12 ? QLatin1String("am") : QLatin1String("pm");
            break;
        case DateToken::AP:
            if (tok.upper)
                out += t.hour() < 12 ? QLatin1Char('A') : QLatin1Char('P');
            else
                out += t.hour() < 12 ? QLatin1Char('a') : QLatin1Char('p');
            break;
        }
    }
    return out;
}

// ---------------------------------------------------------------- numbers

// A decimal number: 0.digits x 10^point, digits without leading or trailing zeros
// (empty for zero).
struct Decimal
{
    bool negative = false;
    std::string digits;
    int point = 0;

    bool isZero() const { return digits.empty(); }

    void normalise()
    {
        const auto lead = digits.find_first_not_of('0');
        if (lead == std::string::npos) {
            digits.clear();
            point = 0;
            return;
        }
        digits.erase(0, lead);
        point -= int(lead);
        digits.erase(digits.find_last_not_of('0') + 1);
    }

    // Rounds half away from zero at the given number of decimals.
    void round(int decimals)
    {
        const int keep = point + decimals;
        if (keep >= int(digits.size()))
            return;
        if (keep < 0) {
            digits.clear();
            point = 0;
            return;
        }
        const bool up = digits[size_t(keep)] >= '5';
        digits.resize(size_t(keep));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[size_t(i)] == '9')
                digits[size_t(i--)] = '0';
            if (i >= 0)
                ++digits[size_t(i)];
            else {
                digits.insert(digits.begin(), '1');
                ++point;
            }
        }
        normalise();
    }

    char digitAt(int position) const // position 0 is the first digit after the point
    {
        const int index = point + position;
        return index >= 0 && index < int(digits.size()) ? digits[size_t(index)] : '0';
    }
};

Decimal decimalOf(double v)
{
    Decimal d;
    d.negative = v < 0;
    if (v == 0 || !std::isfinite(v))
        return d;
    // Fifteen significant digits, as the runtime prints doubles.
    char buf[40];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14);
    const std::string_view s(buf, size_t(r.ptr - buf));
    const auto e = s.find('e');
    for (size_t i = 0; i < e; ++i) {
        if (s[i] != '.')
            d.digits += s[i];
    }
    int exponent = 0;
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+'), s.data() + s.size(), exponent);
    d.point = exponent + 1;
    d.normalise();
    return d;
}

Decimal decimalOf(Currency c)
{
    Decimal d;
    d.negative = c.raw() < 0;
    const quint64 magnitude = d.negative ? quint64(0) - quint64(c.raw()) : quint64(c.raw());
    d.digits = std::to_string(magnitude);
    d.point = int(d.digits.size()) - 4;
    d.normalise();
    return d;
}

struct NumberToken
{
    enum Type { Zero, Hash, Point, Comma, Percent, Exponent, Literal } type;
    QStringView text; // Literal
    QChar expLetter;  // Exponent: 'E' or 'e'
    bool expPlus;

    NumberToken(Type t = Literal, QStringView x = {}, QChar e = {}, bool plus = false)
        : type(t)
        , text(x)
        , expLetter(e)
        , expPlus(plus)
    {}
};

using NumberTokens = QVarLengthArray<NumberToken, 32>;

NumberTokens numberTokens(QStringView s)
{
    NumberTokens out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        switch (c.unicode()) {
        case '0': out.push_back({NumberToken::Zero}); break;
        case '#': out.push_back({NumberToken::Hash}); break;
        case '.': out.push_back({NumberToken::Point}); break;
        case ',': out.push_back({NumberToken::Comma}); break;
        case '%': out.push_back({NumberToken::Percent}); break;
        case '"': {
            const qsizetype end = s.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype stop = end < 0 ? s.size() : end;
            out.push_back({NumberToken::Literal, s.sliced(i + 1, stop - i - 1)});
            i = stop;
            break;
        }
        case '\\':
            if (i + 1 < s.size())
                out.push_back({NumberToken::Literal, s.sliced(i + 1, 1)});
            ++i;
            break;
        case 'E':
        case 'e':
            if (i + 1 < s.size() &&
                (s[i + 1] == QLatin1Char('+') || s[i + 1] == QLatin1Char('-'))) {
                out.push_back({NumberToken::Exponent, {}, c, s[i + 1] == QLatin1Char('+')});
                ++i;
                break;
            }
            [[fallthrough]];
        default: out.push_back({NumberToken::Literal, s.sliced(i, 1)}); break;
        }
    }
    return out;
}

bool isDigitToken(const NumberToken &t)
{
    return t.type == NumberToken::Zero || t.type == NumberToken::Hash;
}

// Formats the magnitude of d with one section of a number pattern.
QString formatNumberSection(Decimal d, QStringView section)
{
    const NumberTokens tokens = numberTokens(section);
    const size_t count = size_t(tokens.size());
    size_t pointAt = count, expAt = count;
    for (size_t i = 0; i < count; ++i) {
        if (tokens[i].type == NumberToken::Exponent && expAt == count)
            expAt = i;
        if (tokens[i].type == NumberToken::Point && pointAt == count && expAt == count)
            pointAt = i;
    }
    const size_t intEnd = std::min(pointAt, expAt);
    const size_t fracEnd = expAt;

    // The integer part: placeholders, grouping, scaling commas.
    int intPlaceholders = 0, minInt = 0;
    size_t firstDigit = count, lastDigit = count;
    for (size_t i = 0; i < intEnd; ++i) {
        if (!isDigitToken(tokens[i]))
            continue;
        if (firstDigit == count)
            firstDigit = i;
        lastDigit = i;
        ++intPlaceholders;
    }
    bool grouping = false;
    int scaling = 0;
    for (size_t i = 0; i < intEnd; ++i) {
        if (tokens[i].type != NumberToken::Comma || firstDigit == count || i < firstDigit)
            continue;
        if (i < lastDigit)
            grouping = true;
        else
            ++scaling;
    }
    bool zeroSeen = false;
    for (size_t i = 0; i < intEnd; ++i) {
        if (tokens[i].type == NumberToken::Zero)
            zeroSeen = true;
        if (zeroSeen && isDigitToken(tokens[i]))
            ++minInt;
    }
    int fracPlaceholders = 0, minFrac = 0;
    for (size_t i = pointAt + 1; i < fracEnd && pointAt < count; ++i) {
        if (isDigitToken(tokens[i])) {
            ++fracPlaceholders;
            if (tokens[i].type == NumberToken::Zero)
                minFrac = fracPlaceholders;
        }
    }
    int percents = 0;
    for (const NumberToken &t : tokens)
        percents += t.type == NumberToken::Percent;

    d.point += 2 * percents - 3 * scaling;
    int exponent = 0;
    if (expAt < count) {
        if (!d.isZero()) {
            const int want = std::max(intPlaceholders, 1);
            exponent = d.point - want;
            d.point = want;
            d.round(fracPlaceholders);
            if (d.point > want) {
                ++exponent;
                d.point = want;
            }
        }
    } else {
        d.round(fracPlaceholders);
    }

    std::string intDigits;
    if (d.point < minInt)
        intDigits.assign(size_t(minInt - std::max(d.point, 0)), '0');
    for (int i = 0; i < d.point; ++i)
        intDigits += i < int(d.digits.size()) ? d.digits[size_t(i)] : '0';
    std::string fracDigits;
    for (int i = 0; i < fracPlaceholders; ++i)
        fracDigits += d.digitAt(i);
    while (int(fracDigits.size()) > minFrac && fracDigits.back() == '0')
        fracDigits.pop_back();

    // Integer part, built backwards: the first placeholder takes the digits left over.
    QString rev;
    rev.reserve(section.size() + qsizetype(intDigits.size()) + qsizetype(fracDigits.size()) + 8);
    qsizetype remaining = qsizetype(intDigits.size());
    int emitted = 0;
    auto emitDigit = [&] {
        if (grouping && emitted > 0 && emitted % 3 == 0)
            rev += QLatin1Char(',');
        rev += QLatin1Char(intDigits[size_t(--remaining)]);
        ++emitted;
    };
    auto emitLiteral = [&rev](const NumberToken &t) {
        if (t.type == NumberToken::Percent)
            rev += QLatin1Char('%');
        else if (t.type == NumberToken::Literal)
            for (qsizetype k = t.text.size(); k-- > 0;)
                rev += t.text[k];
    };
    for (size_t i = intEnd; i-- > 0;) {
        const NumberToken &t = tokens[i];
        if (isDigitToken(t)) {
            if (i == firstDigit) {
                while (remaining > 0)
                    emitDigit();
            } else if (remaining > 0) {
                emitDigit();
            }
        } else {
            emitLiteral(t);
        }
    }
    std::reverse(rev.begin(), rev.end());
    QString &out = rev;

    qsizetype fracUsed = 0;
    for (size_t i = intEnd; i < count; ++i) {
        const NumberToken &t = tokens[i];
        if (i < fracEnd) {
            if (t.type == NumberToken::Point)
                out += QLatin1Char('.');
            else if (isDigitToken(t)) {
                if (fracUsed < qsizetype(fracDigits.size()))
                    out += QLatin1Char(fracDigits[size_t(fracUsed++)]);
            } else if (t.type == NumberToken::Percent)
                out += QLatin1Char('%');
            else if (t.type == NumberToken::Literal)
                out += t.text;
            continue;
        }
        if (i == expAt) {
            // The exponent with its sign and at least as many digits as its zeros.
            int minExp = 0;
            for (size_t k = i + 1; k < count && isDigitToken(tokens[k]); ++k)
                minExp += tokens[k].type == NumberToken::Zero;
            out += t.expLetter;
            if (exponent < 0)
                out += QLatin1Char('-');
            else if (t.expPlus)
                out += QLatin1Char('+');
            appendNumber(out, std::abs(exponent), minExp);
            while (i + 1 < count && isDigitToken(tokens[i + 1]))
                ++i;
            continue;
        }
        if (t.type == NumberToken::Percent)
            out += QLatin1Char('%');
        else if (t.type == NumberToken::Literal)
            out += t.text;
        else if (t.type == NumberToken::Point)
            out += QLatin1Char('.');
    }
    return out;
}

QString formatNumber(const Decimal &d, QStringView pattern)
{
    const auto parts = sections(pattern);
    if (d.isZero() && parts.size() >= 3 && !parts[2].isEmpty())
        return formatNumberSection(d, parts[2]);
    if (d.negative && parts.size() >= 2 && !parts[1].isEmpty())
        return formatNumberSection(d, parts[1]);
    QString s = formatNumberSection(d, parts[0]);
    if (d.negative)
        s.prepend(QLatin1Char('-'));
    return s;
}

// ---------------------------------------------------------------- text

QString formatText(const QString &text, QStringView pattern)
{
    const auto parts = sections(pattern);
    QStringView section = parts[0];
    if (text.isEmpty() && parts.size() >= 2)
        section = parts[1];
    bool upper = false, lower = false, leftToRight = false;
    struct Piece
    {
        bool placeholder;
        bool space;
        QStringView literal;
    };
    std::vector<Piece> pieces;
    int placeholders = 0;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        switch (c.unicode()) {
        case '@':
        case '&':
            pieces.push_back({true, c == QLatin1Char('@'), {}});
            ++placeholders;
            break;
        case '<': lower = true, upper = false; break;
        case '>': upper = true, lower = false; break;
        case '!': leftToRight = true; break;
        case '"': {
            const qsizetype end = section.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype stop = end < 0 ? section.size() : end;
            pieces.push_back({false, false, section.sliced(i + 1, stop - i - 1)});
            i = stop;
            break;
        }
        case '\\':
            if (i + 1 < section.size())
                pieces.push_back({false, false, section.sliced(i + 1, 1)});
            ++i;
            break;
        default: pieces.push_back({false, false, section.sliced(i, 1)});
        }
    }
    const QString t = upper ? text.toUpper() : lower ? text.toLower() : text;
    QString out;
    if (placeholders == 0) {
        for (const Piece &p : pieces)
            out += p.literal;
        return out + t;
    }
    // Placeholders take one character each, from the right unless '!'; the first (or, with '!',
    // the last) placeholder also takes what is left over.
    const qsizetype n = t.size();
    const qsizetype extra = std::max<qsizetype>(0, n - placeholders);
    qsizetype next = 0; // next character to place
    int index = 0;      // placeholder number
    const qsizetype blanks =
        std::max<qsizetype>(0, placeholders - n); // placeholders without a character
    for (const Piece &p : pieces) {
        if (!p.placeholder) {
            out += p.literal;
            continue;
        }
        if (leftToRight) {
            if (next < n)
                out += t[next++];
            else if (p.space)
                out += QLatin1Char(' ');
            if (index == placeholders - 1 && next < n)
                out += QStringView(t).sliced(next);
        } else {
            if (index == 0 && extra > 0) {
                out += QStringView(t).first(extra + 1);
                next = extra + 1;
            } else if (index < blanks) {
                if (p.space)
                    out += QLatin1Char(' ');
            } else if (next < n) {
                out += t[next++];
            }
        }
        ++index;
    }
    return out;
}

// ---------------------------------------------------------------- values

bool numberOf(const QVariant &value, Decimal &d)
{
    switch (detail::kindOf(value)) {
    case Kind::Bool: d = decimalOf(value.toBool() ? -1.0 : 0.0); return true;
    case Kind::Integer: {
        if (value.typeId() == QMetaType::ULongLong) {
            d.digits = std::to_string(value.toULongLong());
        } else {
            const qint64 v = value.toLongLong();
            d.negative = v < 0;
            d.digits = std::to_string(v < 0 ? quint64(0) - quint64(v) : quint64(v));
        }
        d.point = int(d.digits.size());
        d.normalise();
        return true;
    }
    case Kind::Double: d = decimalOf(value.toDouble()); return true;
    case Kind::Currency: d = decimalOf(value.value<Currency>()); return true;
    case Kind::Date: d = decimalOf(toSerial(CDate(value))); return true;
    case Kind::Text: {
        detail::NumericText n;
        if (!detail::parseNumeric(value.toString(), n))
            return false;
        if (n.radix) {
            d = decimalOf(double(n.radixValue));
            return true;
        }
        d = Decimal();
        d.negative = n.negative;
        const auto point = n.digits.find('.');
        d.digits = n.digits;
        d.point = int(point == std::string::npos ? d.digits.size() : point) + n.exponent;
        if (point != std::string::npos)
            d.digits.erase(point, 1);
        d.normalise();
        return true;
    }
    default: return false;
    }
}

bool dateOf(const QVariant &value, QDateTime &dt)
{
    switch (detail::kindOf(value)) {
    case Kind::Text: return detail::parseDate(value.toString(), dt);
    case Kind::Date:
    case Kind::Bool:
    case Kind::Integer:
    case Kind::Double:
    case Kind::Currency: dt = CDate(value); return true;
    default: return false;
    }
}

QString yesNo(const QVariant &value, const char *yes, const char *no)
{
    Decimal d;
    if (!numberOf(value, d))
        return CStr(value);
    return QString::fromLatin1(d.isZero() ? no : yes);
}

QString nullSection(QStringView pattern, PatternKind kind)
{
    if (kind == PatternKind::Number) {
        const auto parts = sections(pattern);
        if (parts.size() >= 4)
            return formatNumberSection(Decimal(), parts[3]);
    }
    if (kind == PatternKind::Text) {
        const auto parts = sections(pattern);
        if (parts.size() >= 2)
            return formatText(QString(), pattern);
    }
    return QString(QLatin1String(""));
}

} // namespace

QString Format(const QVariant &value, const QString &pattern)
{
    const Kind kind = detail::kindOf(value);
    if (pattern.isEmpty())
        return kind == Kind::Null ? QString(QLatin1String("")) : CStr(value);

    // Named formats.
    QString named;
    switch (pattern.size()) {
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 14: named = pattern.toLower(); break;
    default: break;
    }
    if (!named.isEmpty()) {
        const char *equivalent = nullptr;
        if (named == QLatin1String("currency"))
            equivalent = "$#,##0.00;-$#,##0.00";
        else if (named == QLatin1String("fixed"))
            equivalent = "0.00";
        else if (named == QLatin1String("standard"))
            equivalent = "#,##0.00";
        else if (named == QLatin1String("percent"))
            equivalent = "0.00%";
        else if (named == QLatin1String("scientific"))
            equivalent = "0.00E+00";
        else if (named == QLatin1String("short date"))
            equivalent = "d/mm/yyyy";
        else if (named == QLatin1String("medium date"))
            equivalent = "dd-mmm-yy";
        else if (named == QLatin1String("long date"))
            equivalent = "dddd, d mmmm yyyy";
        else if (named == QLatin1String("short time"))
            equivalent = "hh:nn";
        else if (named == QLatin1String("medium time"))
            equivalent = "hh:nn AM/PM";
        else if (named == QLatin1String("long time"))
            equivalent = "h:nn:ss AM/PM";
        if (equivalent)
            return Format(value, QString::fromLatin1(equivalent));
        if (kind == Kind::Null)
            return QString(QLatin1String(""));
        if (named == QLatin1String("general date")) {
            QDateTime dt;
            return dateOf(value, dt) ? detail::generalDate(dt) : CStr(value);
        }
        if (named == QLatin1String("general number")) {
            if (kind == Kind::Text && IsNumeric(value))
                return CStr(CDbl(value));
            if (kind == Kind::Date || kind == Kind::Bool)
                return CStr(CDbl(value));
            return CStr(value);
        }
        if (named == QLatin1String("yes/no"))
            return yesNo(value, "Yes", "No");
        if (named == QLatin1String("true/false"))
            return yesNo(value, "True", "False");
        if (named == QLatin1String("on/off"))
            return yesNo(value, "On", "Off");
    }

    PatternKind pk = classify(pattern);
    if (pk == PatternKind::Literal) {
        switch (kind) {
        case Kind::Date: pk = PatternKind::Date; break;
        case Kind::Text: pk = PatternKind::Text; break;
        default: pk = PatternKind::Number; break;
        }
    }
    if (kind == Kind::Null)
        return nullSection(pattern, pk);

    switch (pk) {
    case PatternKind::Date: {
        QDateTime dt;
        if (!dateOf(value, dt))
            return CStr(value);
        return formatDate(dt, sections(pattern)[0]);
    }
    case PatternKind::Number: {
        Decimal d;
        if (!numberOf(value, d))
            return CStr(value);
        return formatNumber(d, pattern);
    }
    default: return formatText(CStr(value), pattern);
    }
}

} // namespace vb
