#include "convert.h"

#include "platform/vb/datetime.h"
#include "platform/vb/detail.h"
#include "platform/vb/error.h"

#include <cmath>
#include <limits>

namespace vb {

using detail::Kind;

namespace {

// The number a Variant stands for, as CDbl reads it.
double number(const QVariant &value)
{
    switch (detail::kindOf(value)) {
    case Kind::Null: detail::raise(err::InvalidUseOfNull);
    case Kind::Bool: return value.toBool() ? -1.0 : 0.0;
    case Kind::Integer:
        return value.typeId() == QMetaType::ULongLong ? double(value.toULongLong())
                                                      : double(value.toLongLong());
    case Kind::Double: return value.toDouble();
    case Kind::Currency: return value.value<Currency>().toDouble();
    case Kind::Date: return toSerial(CDate(value));
    case Kind::Text: {
        detail::NumericText n;
        if (!detail::parseNumeric(value.toString(), n))
            detail::raise(err::TypeMismatch);
        const double d = detail::toDouble(n);
        if (!std::isfinite(d))
            detail::raise(err::Overflow);
        return d;
    }
    case Kind::Other: break;
    }
    detail::raise(err::TypeMismatch);
}

int toInt32(double rounded)
{
    if (!(rounded >= double(std::numeric_limits<int>::min()) &&
          rounded <= double(std::numeric_limits<int>::max())))
        detail::raise(err::Overflow);
    return int(rounded);
}

int toInt32(const QVariant &value)
{
    switch (detail::kindOf(value)) {
    case Kind::Bool: return value.toBool() ? -1 : 0;
    case Kind::Integer: {
        if (value.typeId() == QMetaType::ULongLong) {
            if (value.toULongLong() > quint64(std::numeric_limits<int>::max()))
                detail::raise(err::Overflow);
            return int(value.toULongLong());
        }
        const qint64 v = value.toLongLong();
        if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
            detail::raise(err::Overflow);
        return int(v);
    }
    case Kind::Currency: {
        // Half to even on the exact amount.
        const qint64 raw = value.value<Currency>().raw();
        qint64 whole = raw / Currency::Scale;
        const qint64 rest = raw % Currency::Scale;
        const qint64 half = Currency::Scale / 2;
        if (rest > half || (rest == half && whole % 2 != 0))
            ++whole;
        else if (rest < -half || (rest == -half && whole % 2 != 0))
            --whole;
        return toInt32(double(whole));
    }
    default: return toInt32(detail::roundEven(number(value)));
    }
}

} // namespace

int CInt(const QVariant &value)
{
    return toInt32(value);
}

int CLng(const QVariant &value)
{
    return toInt32(value);
}

double CDbl(const QVariant &value)
{
    return number(value);
}

Currency CCur(const QVariant &value)
{
    switch (detail::kindOf(value)) {
    case Kind::Null: detail::raise(err::InvalidUseOfNull);
    case Kind::Bool: return value.toBool() ? Currency(-1) : Currency(0);
    case Kind::Integer:
        if (value.typeId() == QMetaType::ULongLong)
            return Currency(value.toULongLong());
        return Currency(value.toLongLong());
    case Kind::Currency: return value.value<Currency>();
    case Kind::Text: {
        const auto c = Currency::parse(value.toString());
        if (!c)
            detail::raise(err::TypeMismatch);
        return *c;
    }
    default: return Currency(number(value));
    }
}

QDateTime CDate(const QVariant &value)
{
    switch (detail::kindOf(value)) {
    case Kind::Null: detail::raise(err::InvalidUseOfNull);
    case Kind::Date:
        switch (value.typeId()) {
        case QMetaType::QDate: return QDateTime(value.toDate(), QTime(0, 0), Qt::UTC);
        case QMetaType::QTime: return QDateTime(zeroDate().date(), value.toTime(), Qt::UTC);
        default: {
            const QDateTime dt = value.toDateTime();
            if (!dt.isValid())
                detail::raise(err::TypeMismatch);
            return detail::floating(dt);
        }
        }
    case Kind::Text: {
        QDateTime dt;
        if (!detail::parseDate(value.toString(), dt))
            detail::raise(err::TypeMismatch);
        return dt;
    }
    case Kind::Other: detail::raise(err::TypeMismatch);
    default: return fromSerial(number(value));
    }
}

bool CBool(const QVariant &value)
{
    switch (detail::kindOf(value)) {
    case Kind::Bool: return value.toBool();
    case Kind::Text: {
        const QString t = value.toString().trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        return number(value) != 0;
    }
    case Kind::Currency: return value.value<Currency>().raw() != 0;
    default: return number(value) != 0;
    }
}

QString CStr(const QVariant &value)
{
    switch (detail::kindOf(value)) {
    case Kind::Null: detail::raise(err::InvalidUseOfNull);
    case Kind::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Integer:
        return value.typeId() == QMetaType::ULongLong ? QString::number(value.toULongLong())
                                                      : QString::number(value.toLongLong());
    case Kind::Double:
        return detail::doubleText(value.toDouble(), value.typeId() == QMetaType::Float ? 7 : 15);
    case Kind::Currency: return value.value<Currency>().toString();
    case Kind::Date: return detail::generalDate(CDate(value));
    case Kind::Text: return value.toString();
    case Kind::Other: break;
    }
    if (value.canConvert<QString>())
        return value.toString();
    detail::raise(err::TypeMismatch);
}

double Val(const QString &text)
{
    // Blanks, tabs and line feeds are skipped everywhere, as the runtime does.
    QString s;
    s.reserve(text.size());
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
            c != QLatin1Char('\r'))
            s += c;
    }
    const qsizetype n = s.size();
    if (n >= 2 && s[0] == QLatin1Char('&')) {
        const QChar r = s[1].toUpper();
        const int radix = r == QLatin1Char('H') ? 16 : r == QLatin1Char('O') ? 8 : 0;
        if (radix == 0)
            return 0;
        quint64 v = 0;
        for (qsizetype i = 2; i < n; ++i) {
            const char16_t c = s[i].toUpper().unicode();
            const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
            if (d >= radix || v > (quint64(1) << 59))
                break;
            v = v * quint64(radix) + quint64(d);
        }
        // &H values are 16- or 32-bit signed numbers, as in the runtime.
        if (v >= 0x8000 && v <= 0xFFFF)
            return double(qint64(v) - 0x10000);
        if (v >= 0x80000000ULL && v <= 0xFFFFFFFFULL)
            return double(qint64(v) - 0x100000000LL);
        return double(v);
    }
    qsizetype i = 0;
    std::string t;
    if (i < n && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+')))
        t += char(s[i++].unicode());
    bool digits = false, point = false;
    for (; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c >= '0' && c <= '9') {
            t += char(c);
            digits = true;
        } else if (c == '.' && !point) {
            t += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    if (i + 1 < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E') ||
                      s[i] == QLatin1Char('d') || s[i] == QLatin1Char('D'))) {
        std::string e = "e";
        qsizetype k = i + 1;
        if (s[k] == QLatin1Char('-') || s[k] == QLatin1Char('+'))
            e += char(s[k++].unicode());
        bool any = false;
        for (; k < n && s[k].unicode() >= '0' && s[k].unicode() <= '9'; ++k) {
            e += char(s[k].unicode());
            any = true;
        }
        if (any)
            t += e;
    }
    detail::NumericText parsed;
    if (!detail::parseNumeric(QString::fromLatin1(t.data(), qsizetype(t.size())), parsed))
        return 0;
    const double v = detail::toDouble(parsed);
    if (!std::isfinite(v))
        detail::raise(err::Overflow);
    return v;
}

bool IsNumeric(const QVariant &value)
{
    switch (detail::kindOf(value)) {
    case Kind::Bool:
    case Kind::Integer:
    case Kind::Double:
    case Kind::Currency: return true;
    case Kind::Text: {
        detail::NumericText n;
        return detail::parseNumeric(value.toString(), n);
    }
    default: return false;
    }
}

bool IsDate(const QVariant &value)
{
    switch (detail::kindOf(value)) {
    case Kind::Date: return true;
    case Kind::Text: {
        QDateTime dt;
        return detail::parseDate(value.toString(), dt);
    }
    default: return false;
    }
}

bool IsNull(const QVariant &value)
{
    return value.isNull();
}

QVariant Nz(const QVariant &value, const QVariant &valueIfNull)
{
    return value.isNull() ? valueIfNull : value;
}

} // namespace vb
