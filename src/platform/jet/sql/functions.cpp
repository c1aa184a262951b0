#include "functions.h"

#include "platform/vb/convert.h"
#include "platform/vb/currency.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "platform/vb/math.h"
#include "platform/vb/strings.h"

#include <QByteArray>
#include <QVariant>
#include <cmath>
#include <limits>
#include <sqlite3.h>

// The Jet functions run inside SQLite on the runtime semantics of platform/vb.
//
// Arguments: NULL is Null; INTEGER and REAL are numbers; TEXT is text, and a date is text in
// the storage form (any text CDate reads, or a number as a date serial, is taken too).
// Results: dates in the storage form, truth values -1/0, Currency as a REAL rounded to four
// decimals. Text functions give Null for a Null argument; the conversions (CStr, CInt, ...)
// raise Invalid use of Null as Jet does. A runtime error fails the statement with a message
// "[number] description" ("[13] Type mismatch") that the engine maps.
//
// Operator helpers the translator writes:
//   jet_concat(a, b)     a & b: Null counts as "", both Null gives Null; numbers as CStr writes
//   them jet_concat_date(a)   the CStr text of a date in storage form ("5/01/2010", "4:30:00 PM")
//   jet_add(a, b)        a + b decided at run time: text + text joins, otherwise numbers add
//                        (numeric text counts as a number); Null propagates
//   jet_intdiv(a, b)     a \ b and jet_mod(a, b) a Mod b, on operands rounded half to even
//   jet_pow(a, b)        a ^ b
//   jet_like(s, p)       s Like p: * ? # [a-z] [!x] and % _, without regard to case; -1/0, Null
//   jet_cmp(a, b)        -1/0/1 or Null: numbers as numbers, numeric text against a number as a
//                        number, text against text without regard to case
//   jet_cur(x)           x rounded to four decimals half to even (currency arithmetic)
// Aggregates: jet_sum_cur (exact sum of currency), jet_first, jet_last, jet_stdev, jet_var.

namespace jet::sql {

namespace {

// ---------------------------------------------------------------- values

QVariant valueOf(sqlite3_value *v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_value_int64(v)));
    case SQLITE_FLOAT: return QVariant(sqlite3_value_double(v));
    default: {
        const char *text = reinterpret_cast<const char *>(sqlite3_value_text(v));
        return QVariant(QString::fromUtf8(text, sqlite3_value_bytes(v)));
    }
    }
}

class Args
{
public:
    Args(int count, sqlite3_value **values)
        : m_count(count)
        , m_values(values)
    {}

    int count() const { return m_count; }
    bool has(int i) const { return i < m_count; }
    int type(int i) const { return sqlite3_value_type(m_values[i]); }
    bool isNull(int i) const { return type(i) == SQLITE_NULL; }
    bool isNumber(int i) const { return type(i) == SQLITE_INTEGER || type(i) == SQLITE_FLOAT; }
    bool anyNull() const
    {
        for (int i = 0; i < m_count; ++i) {
            if (isNull(i))
                return true;
        }
        return false;
    }
    QVariant operator[](int i) const { return valueOf(m_values[i]); }
    sqlite3_value *raw(int i) const { return m_values[i]; }

    QString text(int i) const { return vb::CStr((*this)[i]); }
    int integer(int i) const { return vb::CLng((*this)[i]); }
    double number(int i) const { return vb::CDbl((*this)[i]); }
    bool truth(int i) const { return vb::CBool((*this)[i]); }

private:
    int m_count;
    sqlite3_value **m_values;
};

QVariant truth(bool b)
{
    return QVariant(qlonglong(b ? -1 : 0));
}

void setResult(sqlite3_context *ctx, const QVariant &v)
{
    if (v.isNull()) {
        sqlite3_result_null(ctx);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool: sqlite3_result_int(ctx, v.toBool() ? -1 : 0); return;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UInt: sqlite3_result_int64(ctx, v.toLongLong()); return;
    case QMetaType::Double:
    case QMetaType::Float: sqlite3_result_double(ctx, v.toDouble()); return;
    case QMetaType::QDateTime: {
        const QByteArray s = vb::storageText(v.toDateTime()).toUtf8();
        sqlite3_result_text(ctx, s.constData(), int(s.size()), SQLITE_TRANSIENT);
        return;
    }
    default: break;
    }
    if (v.typeId() == qMetaTypeId<vb::Currency>()) {
        sqlite3_result_double(ctx, v.value<vb::Currency>().toDouble());
        return;
    }
    const QByteArray s = v.toString().toUtf8();
    sqlite3_result_text(ctx, s.constData(), int(s.size()), SQLITE_TRANSIENT);
}

void setError(sqlite3_context *ctx, long number, const QString &description)
{
    const QByteArray msg = QStringLiteral("[%1] %2").arg(number).arg(description).toUtf8();
    sqlite3_result_error(ctx, msg.constData(), int(msg.size()));
}

using Scalar = QVariant (*)(const Args &);

template <Scalar F> void scalar(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    try {
        setResult(ctx, F(Args(argc, argv)));
    } catch (const vb::Error &e) {
        setError(ctx, e.number(), e.description());
    } catch (const std::bad_alloc &) {
        sqlite3_result_error_nomem(ctx);
    } catch (const std::exception &e) {
        setError(ctx, vb::err::InvalidProcedureCall, QString::fromUtf8(e.what()));
    }
}

// Numeric text and numbers as a number; other text raises Type mismatch.
QVariant numeric(const Args &a, int i)
{
    if (a.isNumber(i))
        return a[i];
    return QVariant(vb::CDbl(a[i]));
}

// For Int, Fix, Abs, Round: a number, numeric text as a number, a date text as a date.
QVariant numberOrDate(const Args &a, int i)
{
    if (a.isNumber(i))
        return a[i];
    const QVariant v = a[i];
    if (vb::IsNumeric(v))
        return QVariant(vb::CDbl(v));
    if (vb::IsDate(v))
        return QVariant(vb::CDate(v));
    throw vb::Error(vb::err::TypeMismatch);
}

// Jet's compare argument: 0 binary, 1 text; text is the default, as Jet compares text.
vb::Compare compareMode(const Args &a, int i)
{
    if (!a.has(i) || a.isNull(i))
        return vb::Compare::Text;
    const int mode = a.integer(i);
    if (mode == -1 || mode == 1 || mode == 2)
        return vb::Compare::Text;
    if (mode == 0)
        return vb::Compare::Binary;
    throw vb::Error(vb::err::InvalidProcedureCall);
}

// A REAL that holds at most four decimals (as every CURRENCY value does) rounds exactly.
std::optional<vb::Currency> exactCurrency(double x)
{
    if (!(std::fabs(x) < 9e14))
        return std::nullopt;
    const vb::Currency c(x);
    if (c.toDouble() != x)
        return std::nullopt;
    return c;
}

// ---------------------------------------------------------------- text

QVariant fnUcase(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(vb::UCase(a.text(0)));
}

QVariant fnLcase(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(vb::LCase(a.text(0)));
}

QVariant fnLeft(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(vb::Left(a.text(0), a.integer(1)));
}

QVariant fnRight(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(vb::Right(a.text(0), a.integer(1)));
}

QVariant fnMid(const Args &a)
{
    if (a.anyNull())
        return {};
    if (a.has(2))
        return vb::Mid(a.text(0), a.integer(1), a.integer(2));
    return vb::Mid(a.text(0), a.integer(1));
}

QVariant fnLen(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(qlonglong(vb::Len(a.text(0))));
}

// InStr([start,] text, find[, compare])
QVariant fnInstr(const Args &a)
{
    const bool withStart = a.count() >= 3;
    const int t = withStart ? 1 : 0;
    if (a.isNull(t) || a.isNull(t + 1))
        return {};
    const int start = withStart ? a.integer(0) : 1;
    return qlonglong(vb::InStr(start, a.text(t), a.text(t + 1), compareMode(a, 3)));
}

// InStrRev(text, find[, start[, compare]])
QVariant fnInstrrev(const Args &a)
{
    if (a.isNull(0) || a.isNull(1))
        return {};
    const int start = a.has(2) && !a.isNull(2) ? a.integer(2) : -1;
    return qlonglong(vb::InStrRev(a.text(0), a.text(1), start, compareMode(a, 3)));
}

QVariant fnTrim(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(vb::Trim(a.text(0)));
}

QVariant fnLtrim(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(vb::LTrim(a.text(0)));
}

QVariant fnRtrim(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(vb::RTrim(a.text(0)));
}

// Replace(text, find, with[, start[, count[, compare]]])
QVariant fnReplace(const Args &a)
{
    for (int i = 0; i < std::min(a.count(), 5); ++i) {
        if (a.isNull(i))
            return {};
    }
    const int start = a.has(3) ? a.integer(3) : 1;
    const int count = a.has(4) ? a.integer(4) : -1;
    return vb::Replace(a.text(0), a.text(1), a.text(2), start, count, compareMode(a, 5));
}

QVariant fnSpace(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(vb::Space(a.integer(0)));
}

QVariant fnString(const Args &a)
{
    if (a.anyNull())
        return {};
    if (a.isNumber(1))
        return vb::String(a.integer(0), a.integer(1));
    return vb::String(a.integer(0), a.text(1));
}

QVariant fnAsc(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(qlonglong(vb::Asc(a.text(0))));
}

QVariant fnChr(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(vb::Chr(a.integer(0)));
}

// Str: a number with a leading blank when it is not negative.
QVariant fnStr(const Args &a)
{
    if (a.anyNull())
        return {};
    const QVariant n = numeric(a, 0);
    const QString s = vb::CStr(n);
    return s.startsWith(QLatin1Char('-')) ? s : QLatin1Char(' ') + s;
}

QVariant fnVal(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(vb::Val(a.text(0)));
}

// ---------------------------------------------------------------- conversions

// A value read back from a DATE column: text in the storage form stands for that date.
QVariant storedDateOrValue(const Args &a, int i)
{
    QVariant v = a[i];
    if (a.type(i) == SQLITE_TEXT) {
        const QDateTime d = vb::fromStorageText(v.toString());
        if (d.isValid())
            v = QVariant(d);
    }
    return v;
}

// CStr(EventDate) gives the date as the regional settings write it ("5/01/2010").
QVariant fnCstr(const Args &a)
{
    return vb::CStr(storedDateOrValue(a, 0));
}

QVariant fnCint(const Args &a)
{
    return qlonglong(vb::CInt(a[0]));
}

QVariant fnClng(const Args &a)
{
    return qlonglong(vb::CLng(a[0]));
}

QVariant fnCdbl(const Args &a)
{
    return vb::CDbl(a[0]);
}

QVariant fnCcur(const Args &a)
{
    return QVariant::fromValue(vb::CCur(a[0]));
}

QVariant fnCdate(const Args &a)
{
    return vb::CDate(a[0]);
}

QVariant fnCbool(const Args &a)
{
    return truth(vb::CBool(a[0]));
}

QVariant fnIif(const Args &a)
{
    const bool condition = !a.isNull(0) && a.truth(0);
    return a[condition ? 1 : 2];
}

QVariant fnNz(const Args &a)
{
    if (!a.isNull(0))
        return a[0];
    return a.has(1) ? a[1] : QVariant(QString(QLatin1String("")));
}

QVariant fnIsnull(const Args &a)
{
    return truth(a.isNull(0));
}

QVariant fnIsnumeric(const Args &a)
{
    return truth(vb::IsNumeric(a[0]));
}

QVariant fnIsdate(const Args &a)
{
    // Numbers are no dates; text is one when CDate reads it.
    return truth(!a.isNumber(0) && vb::IsDate(a[0]));
}

// Format(value[, pattern[, firstDayOfWeek[, firstWeekOfYear]]])
QVariant fnFormat(const Args &a)
{
    const QString pattern = a.has(1) && !a.isNull(1) ? a.text(1) : QString();
    return vb::Format(storedDateOrValue(a, 0), pattern);
}

// ---------------------------------------------------------------- dates

QVariant fnNow(const Args &)
{
    return vb::Now();
}

QVariant fnDate(const Args &)
{
    return vb::Date();
}

QVariant fnTime(const Args &)
{
    return vb::Time();
}

QVariant fnDatevalue(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(vb::DateValue(a[0]));
}

QVariant fnTimevalue(const Args &a)
{
    return a.anyNull() ? QVariant() : QVariant(vb::TimeValue(a[0]));
}

QVariant fnDateserial(const Args &a)
{
    return a.anyNull() ? QVariant()
                       : QVariant(vb::DateSerial(a.integer(0), a.integer(1), a.integer(2)));
}

QVariant fnTimeserial(const Args &a)
{
    return a.anyNull() ? QVariant()
                       : QVariant(vb::TimeSerial(a.integer(0), a.integer(1), a.integer(2)));
}

int optionalInt(const Args &a, int i, int fallback)
{
    return a.has(i) && !a.isNull(i) ? a.integer(i) : fallback;
}

QVariant fnDateadd(const Args &a)
{
    if (a.anyNull())
        return {};
    return vb::DateAdd(a.text(0), a.number(1), a[2]);
}

QVariant fnDatediff(const Args &a)
{
    if (a.isNull(0) || a.isNull(1) || a.isNull(2))
        return {};
    return qlonglong(vb::DateDiff(a.text(0), a[1], a[2], optionalInt(a, 3, vb::vbSunday),
                                  optionalInt(a, 4, vb::vbFirstJan1)));
}

QVariant fnDatepart(const Args &a)
{
    if (a.isNull(0) || a.isNull(1))
        return {};
    return qlonglong(vb::DatePart(a.text(0), a[1], optionalInt(a, 2, vb::vbSunday),
                                  optionalInt(a, 3, vb::vbFirstJan1)));
}

template <int (*Part)(const QVariant &)> QVariant datePart(const Args &a)
{
    return a.isNull(0) ? QVariant() : QVariant(qlonglong(Part(a[0])));
}

QVariant fnWeekday(const Args &a)
{
    if (a.isNull(0))
        return {};
    return qlonglong(vb::Weekday(a[0], optionalInt(a, 1, vb::vbSunday)));
}

QVariant fnWeekdayname(const Args &a)
{
    if (a.isNull(0))
        return {};
    const bool abbreviate = a.has(1) && !a.isNull(1) && a.truth(1);
    return vb::WeekdayName(a.integer(0), abbreviate, optionalInt(a, 2, vb::vbSunday));
}

QVariant fnMonthname(const Args &a)
{
    if (a.isNull(0))
        return {};
    const bool abbreviate = a.has(1) && !a.isNull(1) && a.truth(1);
    return vb::MonthName(a.integer(0), abbreviate);
}

// ---------------------------------------------------------------- numbers

QVariant fnInt(const Args &a)
{
    return a.isNull(0) ? QVariant() : vb::Int(numberOrDate(a, 0));
}

QVariant fnFix(const Args &a)
{
    return a.isNull(0) ? QVariant() : vb::Fix(numberOrDate(a, 0));
}

QVariant fnAbs(const Args &a)
{
    return a.isNull(0) ? QVariant() : vb::Abs(numberOrDate(a, 0));
}

QVariant fnSgn(const Args &a)
{
    return a.isNull(0) ? QVariant() : QVariant(qlonglong(vb::Sgn(numeric(a, 0))));
}

QVariant fnRound(const Args &a)
{
    if (a.isNull(0))
        return {};
    const int digits = optionalInt(a, 1, 0);
    const QVariant v = numberOrDate(a, 0);
    if (v.typeId() == QMetaType::Double) {
        if (const auto c = exactCurrency(v.toDouble()))
            return vb::Round(*c, digits).toDouble();
    }
    return vb::Round(v, digits);
}

// ---------------------------------------------------------------- operators

QVariant fnConcat(const Args &a)
{
    if (a.isNull(0) && a.isNull(1))
        return {};
    QString s;
    if (!a.isNull(0))
        s = a.text(0);
    if (!a.isNull(1))
        s += a.text(1);
    return s.isNull() ? QString(QLatin1String("")) : s;
}

QVariant fnConcatDate(const Args &a)
{
    return a.isNull(0) ? QVariant() : QVariant(vb::CStr(QVariant(vb::CDate(a[0]))));
}

QVariant addNumbers(const QVariant &x, const QVariant &y)
{
    if (x.typeId() == QMetaType::LongLong && y.typeId() == QMetaType::LongLong) {
        qint64 sum;
        if (!__builtin_add_overflow(x.toLongLong(), y.toLongLong(), &sum))
            return qlonglong(sum);
    }
    return x.toDouble() + y.toDouble();
}

QVariant fnAdd(const Args &a)
{
    if (a.anyNull())
        return {};
    if (a.type(0) == SQLITE_TEXT && a.type(1) == SQLITE_TEXT)
        return a.text(0) + a.text(1);
    return addNumbers(numeric(a, 0), numeric(a, 1));
}

qint64 roundedInteger(const Args &a, int i)
{
    if (a.type(i) == SQLITE_INTEGER)
        return sqlite3_value_int64(a.raw(i));
    const double r = std::nearbyint(a.number(i));
    if (!(r >= -9.2e18 && r <= 9.2e18))
        throw vb::Error(vb::err::Overflow);
    return qint64(r);
}

QVariant fnIntdiv(const Args &a)
{
    if (a.anyNull())
        return {};
    const qint64 x = roundedInteger(a, 0), y = roundedInteger(a, 1);
    if (y == 0)
        throw vb::Error(vb::err::DivisionByZero);
    if (x == std::numeric_limits<qint64>::min() && y == -1)
        throw vb::Error(vb::err::Overflow);
    return qlonglong(x / y);
}

QVariant fnMod(const Args &a)
{
    if (a.anyNull())
        return {};
    const qint64 x = roundedInteger(a, 0), y = roundedInteger(a, 1);
    if (y == 0)
        throw vb::Error(vb::err::DivisionByZero);
    if (y == -1)
        return qlonglong(0);
    return qlonglong(x % y);
}

QVariant fnPow(const Args &a)
{
    if (a.anyNull())
        return {};
    const double r = std::pow(a.number(0), a.number(1));
    if (std::isnan(r))
        throw vb::Error(vb::err::InvalidProcedureCall);
    if (std::isinf(r))
        throw vb::Error(vb::err::Overflow);
    return r;
}

// Like: the pattern as a list of single-character tests and "any run" marks.
struct LikeToken
{
    enum Type { Any, One, Digit, Char, Class } type;
    char32_t ch = 0;                         // Char, folded
    bool negated = false;                    // Class
    QList<QPair<char32_t, char32_t>> ranges; // Class, folded
};

char32_t fold(char32_t c)
{
    return QChar::toCaseFolded(c);
}

QList<LikeToken> likeTokens(const QList<uint> &p)
{
    QList<LikeToken> out;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const char32_t c = p[i];
        LikeToken t;
        if (c == '*' || c == '%') {
            t.type = LikeToken::Any;
        } else if (c == '?' || c == '_') {
            t.type = LikeToken::One;
        } else if (c == '#') {
            t.type = LikeToken::Digit;
        } else if (c == '[' && p.indexOf(uint(']'), i + 1) > i) {
            const qsizetype end = p.indexOf(uint(']'), i + 1);
            t.type = LikeToken::Class;
            qsizetype k = i + 1;
            if (k < end && p[k] == '!') {
                t.negated = true;
                ++k;
            }
            for (; k < end; ++k) {
                if (k + 2 < end && p[k + 1] == '-') {
                    t.ranges.append({fold(p[k]), fold(p[k + 2])});
                    k += 2;
                } else {
                    t.ranges.append({fold(p[k]), fold(p[k])});
                }
            }
            i = end;
        } else {
            t.type = LikeToken::Char;
            t.ch = fold(c);
        }
        out.append(t);
    }
    return out;
}

bool likeOne(const LikeToken &t, char32_t c)
{
    switch (t.type) {
    case LikeToken::One: return true;
    case LikeToken::Digit: return c >= '0' && c <= '9';
    case LikeToken::Char: return fold(c) == t.ch;
    case LikeToken::Class: {
        const char32_t f = fold(c);
        bool in = false;
        for (const auto &r : t.ranges)
            in = in || (f >= r.first && f <= r.second);
        return in != t.negated;
    }
    case LikeToken::Any: break;
    }
    return false;
}

bool like(const QString &text, const QString &pattern)
{
    const QList<uint> s = text.toUcs4();
    const QList<LikeToken> p = likeTokens(pattern.toUcs4());
    qsizetype si = 0, pi = 0, starP = -1, starS = 0;
    while (si < s.size()) {
        if (pi < p.size() && p[pi].type == LikeToken::Any) {
            starP = pi++;
            starS = si;
        } else if (pi < p.size() && likeOne(p[pi], s[si])) {
            ++si;
            ++pi;
        } else if (starP >= 0) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi].type == LikeToken::Any)
        ++pi;
    return pi == p.size();
}

QVariant fnLike(const Args &a)
{
    if (a.anyNull())
        return {};
    return truth(like(a.text(0), a.text(1)));
}

int sign(double d)
{
    return d < 0 ? -1 : d > 0 ? 1 : 0;
}

QVariant fnCmp(const Args &a)
{
    if (a.anyNull())
        return {};
    const bool textA = a.type(0) == SQLITE_TEXT || a.type(0) == SQLITE_BLOB;
    const bool textB = a.type(1) == SQLITE_TEXT || a.type(1) == SQLITE_BLOB;
    if (textA && textB) {
        const int c = a.text(0).compare(a.text(1), Qt::CaseInsensitive);
        return qlonglong(c < 0 ? -1 : c > 0 ? 1 : 0);
    }
    if (a.type(0) == SQLITE_INTEGER && a.type(1) == SQLITE_INTEGER) {
        const qint64 x = sqlite3_value_int64(a.raw(0)), y = sqlite3_value_int64(a.raw(1));
        return qlonglong(x < y ? -1 : x > y ? 1 : 0);
    }
    return qlonglong(sign(a.number(0) - a.number(1)));
}

QVariant fnCur(const Args &a)
{
    if (a.isNull(0))
        return {};
    if (a.type(0) == SQLITE_INTEGER)
        return a[0];
    return QVariant::fromValue(vb::CCur(a[0]));
}

// ---------------------------------------------------------------- aggregates

struct SumState
{
    qint64 raw;
    bool any;
};

void sumCurStep(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    auto *s = static_cast<SumState *>(sqlite3_aggregate_context(ctx, sizeof(SumState)));
    if (!s) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    const Args a(argc, argv);
    if (a.isNull(0))
        return;
    try {
        const vb::Currency sum = vb::Currency::fromRaw(s->raw) + vb::CCur(a[0]);
        s->raw = sum.raw();
        s->any = true;
    } catch (const vb::Error &e) {
        setError(ctx, e.number(), e.description());
    }
}

void sumCurFinal(sqlite3_context *ctx)
{
    auto *s = static_cast<SumState *>(sqlite3_aggregate_context(ctx, 0));
    if (!s || !s->any)
        sqlite3_result_null(ctx);
    else
        sqlite3_result_double(ctx, vb::Currency::fromRaw(s->raw).toDouble());
}

struct PickState
{
    sqlite3_value *value;
    bool seen;
};

template <bool Last> void pickStep(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    auto *s = static_cast<PickState *>(sqlite3_aggregate_context(ctx, sizeof(PickState)));
    if (!s) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    if (s->seen && !Last)
        return;
    sqlite3_value_free(s->value);
    s->value = sqlite3_value_dup(argv[0]);
    s->seen = true;
    if (!s->value)
        sqlite3_result_error_nomem(ctx);
}

void pickFinal(sqlite3_context *ctx)
{
    auto *s = static_cast<PickState *>(sqlite3_aggregate_context(ctx, 0));
    if (!s || !s->value) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_value(ctx, s->value);
    sqlite3_value_free(s->value);
    s->value = nullptr;
}

// Welford's running mean and sum of squared deviations.
struct SpreadState
{
    qint64 n;
    double mean;
    double m2;
};

void spreadStep(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    auto *s = static_cast<SpreadState *>(sqlite3_aggregate_context(ctx, sizeof(SpreadState)));
    if (!s) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    const Args a(argc, argv);
    if (a.isNull(0))
        return;
    try {
        const double x = a.number(0);
        ++s->n;
        const double delta = x - s->mean;
        s->mean += delta / double(s->n);
        s->m2 += delta * (x - s->mean);
    } catch (const vb::Error &e) {
        setError(ctx, e.number(), e.description());
    }
}

template <bool Root> void spreadFinal(sqlite3_context *ctx)
{
    auto *s = static_cast<SpreadState *>(sqlite3_aggregate_context(ctx, 0));
    if (!s || s->n < 2) {
        sqlite3_result_null(ctx);
        return;
    }
    const double variance = s->m2 / double(s->n - 1);
    sqlite3_result_double(ctx, Root ? std::sqrt(variance) : variance);
}

// ---------------------------------------------------------------- registration

struct ScalarFunction
{
    const char *name;
    int minArgs, maxArgs;
    void (*fn)(sqlite3_context *, int, sqlite3_value **);
    bool deterministic;
};

const ScalarFunction kScalars[] = {
    {"jet_ucase", 1, 1, scalar<fnUcase>, true},
    {"jet_lcase", 1, 1, scalar<fnLcase>, true},
    {"jet_left", 2, 2, scalar<fnLeft>, true},
    {"jet_right", 2, 2, scalar<fnRight>, true},
    {"jet_mid", 2, 3, scalar<fnMid>, true},
    {"jet_len", 1, 1, scalar<fnLen>, true},
    {"jet_instr", 2, 4, scalar<fnInstr>, true},
    {"jet_instrrev", 2, 4, scalar<fnInstrrev>, true},
    {"jet_trim", 1, 1, scalar<fnTrim>, true},
    {"jet_ltrim", 1, 1, scalar<fnLtrim>, true},
    {"jet_rtrim", 1, 1, scalar<fnRtrim>, true},
    {"jet_replace", 3, 6, scalar<fnReplace>, true},
    {"jet_space", 1, 1, scalar<fnSpace>, true},
    {"jet_string", 2, 2, scalar<fnString>, true},
    {"jet_asc", 1, 1, scalar<fnAsc>, true},
    {"jet_chr", 1, 1, scalar<fnChr>, true},
    {"jet_str", 1, 1, scalar<fnStr>, true},
    {"jet_val", 1, 1, scalar<fnVal>, true},
    {"jet_cstr", 1, 1, scalar<fnCstr>, true},
    {"jet_cint", 1, 1, scalar<fnCint>, true},
    {"jet_clng", 1, 1, scalar<fnClng>, true},
    {"jet_cdbl", 1, 1, scalar<fnCdbl>, true},
    {"jet_ccur", 1, 1, scalar<fnCcur>, true},
    {"jet_cdate", 1, 1, scalar<fnCdate>, true},
    {"jet_cbool", 1, 1, scalar<fnCbool>, true},
    {"jet_iif", 3, 3, scalar<fnIif>, true},
    {"jet_nz", 1, 2, scalar<fnNz>, true},
    {"jet_isnull", 1, 1, scalar<fnIsnull>, true},
    {"jet_isnumeric", 1, 1, scalar<fnIsnumeric>, true},
    {"jet_isdate", 1, 1, scalar<fnIsdate>, true},
    {"jet_format", 1, 4, scalar<fnFormat>, true},
    {"jet_now", 0, 0, scalar<fnNow>, false},
    {"jet_date", 0, 0, scalar<fnDate>, false},
    {"jet_time", 0, 0, scalar<fnTime>, false},
    {"jet_datevalue", 1, 1, scalar<fnDatevalue>, true},
    {"jet_timevalue", 1, 1, scalar<fnTimevalue>, true},
    {"jet_dateserial", 3, 3, scalar<fnDateserial>, true},
    {"jet_timeserial", 3, 3, scalar<fnTimeserial>, true},
    {"jet_dateadd", 3, 3, scalar<fnDateadd>, true},
    {"jet_datediff", 3, 5, scalar<fnDatediff>, true},
    {"jet_datepart", 2, 4, scalar<fnDatepart>, true},
    {"jet_year", 1, 1, scalar<datePart<vb::Year>>, true},
    {"jet_month", 1, 1, scalar<datePart<vb::Month>>, true},
    {"jet_day", 1, 1, scalar<datePart<vb::Day>>, true},
    {"jet_hour", 1, 1, scalar<datePart<vb::Hour>>, true},
    {"jet_minute", 1, 1, scalar<datePart<vb::Minute>>, true},
    {"jet_second", 1, 1, scalar<datePart<vb::Second>>, true},
    {"jet_weekday", 1, 2, scalar<fnWeekday>, true},
    {"jet_weekdayname", 1, 3, scalar<fnWeekdayname>, true},
    {"jet_monthname", 1, 2, scalar<fnMonthname>, true},
    {"jet_int", 1, 1, scalar<fnInt>, true},
    {"jet_fix", 1, 1, scalar<fnFix>, true},
    {"jet_abs", 1, 1, scalar<fnAbs>, true},
    {"jet_sgn", 1, 1, scalar<fnSgn>, true},
    {"jet_round", 1, 2, scalar<fnRound>, true},
    {"jet_concat", 2, 2, scalar<fnConcat>, true},
    {"jet_concat_date", 1, 1, scalar<fnConcatDate>, true},
    {"jet_add", 2, 2, scalar<fnAdd>, true},
    {"jet_intdiv", 2, 2, scalar<fnIntdiv>, true},
    {"jet_mod", 2, 2, scalar<fnMod>, true},
    {"jet_pow", 2, 2, scalar<fnPow>, true},
    {"jet_like", 2, 2, scalar<fnLike>, true},
    {"jet_cmp", 2, 2, scalar<fnCmp>, true},
    {"jet_cur", 1, 1, scalar<fnCur>, true},
};

struct AggregateFunction
{
    const char *name;
    void (*step)(sqlite3_context *, int, sqlite3_value **);
    void (*final)(sqlite3_context *);
};

const AggregateFunction kAggregates[] = {
    {"jet_sum_cur", sumCurStep, sumCurFinal},    {"jet_first", pickStep<false>, pickFinal},
    {"jet_last", pickStep<true>, pickFinal},     {"jet_stdev", spreadStep, spreadFinal<true>},
    {"jet_var", spreadStep, spreadFinal<false>},
};

} // namespace

void registerFunctions(sqlite3 *db)
{
    for (const ScalarFunction &f : kScalars) {
        const int flags = SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
        for (int n = f.minArgs; n <= f.maxArgs; ++n)
            sqlite3_create_function_v2(db, f.name, n, flags, nullptr, f.fn, nullptr, nullptr,
                                       nullptr);
    }
    for (const AggregateFunction &f : kAggregates)
        sqlite3_create_function_v2(db, f.name, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   nullptr, f.step, f.final, nullptr);
}

} // namespace jet::sql
