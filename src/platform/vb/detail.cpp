#include "detail.h"

#include "platform/vb/error.h"

#include <charconv>
#include <cmath>

namespace vb::detail {

void raise(long number)
{
    throw Error(number);
}

Kind kindOf(const QVariant &value)
{
    if (value.isNull())
        return Kind::Null;
    switch (value.typeId()) {
    case QMetaType::Bool: return Kind::Bool;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar: return Kind::Integer;
    case QMetaType::Double:
    case QMetaType::Float: return Kind::Double;
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QChar:
    case QMetaType::Char: return Kind::Text;
    case QMetaType::QDateTime:
    case QMetaType::QDate:
    case QMetaType::QTime: return Kind::Date;
    default: break;
    }
    if (value.typeId() == qMetaTypeId<Currency>())
        return Kind::Currency;
    return Kind::Other;
}

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

int digitValue(QChar c, int radix)
{
    const char16_t u = c.unicode();
    int v = -1;
    if (u >= '0' && u <= '9')
        v = u - '0';
    else if (u >= 'a' && u <= 'f')
        v = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        v = u - 'A' + 10;
    return v < radix ? v : -1;
}

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

} // namespace

bool parseNumeric(QStringView text, NumericText &out)
{
    out = NumericText();
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;
    if (i == end)
        return false;

    // &H1F, &O17
    if (text[i] == QLatin1Char('&') && i + 1 < end) {
        const QChar r = text[i + 1].toUpper();
        const int radix = r == QLatin1Char('H') ? 16 : r == QLatin1Char('O') ? 8 : 0;
        if (radix == 0 || i + 2 == end)
            return false;
        quint64 v = 0;
        for (qsizetype k = i + 2; k < end; ++k) {
            const int d = digitValue(text[k], radix);
            if (d < 0 || v > (quint64(1) << 59))
                return false;
            v = v * quint64(radix) + quint64(d);
        }
        out.radix = true;
        out.radixValue = qint64(v);
        return true;
    }

    bool parens = false;
    if (text[i] == QLatin1Char('(') && text[end - 1] == QLatin1Char(')')) {
        parens = true;
        ++i;
        --end;
    }
    bool sign = false, currency = false;
    auto skipBlanks = [&] {
        while (i < end && isBlank(text[i]))
            ++i;
    };
    for (;;) {
        skipBlanks();
        if (i == end)
            return false;
        const QChar c = text[i];
        if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && !sign) {
            sign = true;
            out.negative = c == QLatin1Char('-');
            ++i;
        } else if (c == QLatin1Char('$') && !currency) {
            currency = true;
            ++i;
        } else {
            break;
        }
    }
    if (parens) {
        if (sign)
            return false;
        out.negative = true;
    }
    bool any = false;
    while (i < end) {
        const QChar c = text[i];
        if (isDigit(c)) {
            out.digits += char(c.unicode());
            any = true;
        } else if (c == QLatin1Char(',') && any) {
            // thousands separator
        } else {
            break;
        }
        ++i;
    }
    if (i < end && text[i] == QLatin1Char('.')) {
        out.digits += '.';
        ++i;
        while (i < end && isDigit(text[i])) {
            out.digits += char(text[i].unicode());
            any = true;
            ++i;
        }
    }
    if (!any)
        return false;
    if (i < end && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            negativeExponent = text[i] == QLatin1Char('-');
            ++i;
        }
        if (i == end || !isDigit(text[i]))
            return false;
        int e = 0;
        while (i < end && isDigit(text[i])) {
            e = std::min(e * 10 + (text[i].unicode() - '0'), 100000);
            ++i;
        }
        out.exponent = negativeExponent ? -e : e;
    }
    skipBlanks();
    return i == end;
}

double toDouble(const NumericText &n)
{
    if (n.radix)
        return double(n.radixValue);
    std::string s;
    s.reserve(n.digits.size() + 10);
    if (n.negative)
        s += '-';
    s += n.digits;
    if (n.exponent != 0) {
        s += 'e';
        s += std::to_string(n.exponent);
    }
    double v = 0;
    // from_chars ignores the C locale that the application may have set.
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec == std::errc::result_out_of_range)
        return s.find("e-") != std::string::npos ? 0.0 : (n.negative ? -HUGE_VAL : HUGE_VAL);
    return v;
}

QDateTime floating(const QDateTime &dt)
{
    if (dt.timeSpec() == Qt::UTC)
        return dt;
    return QDateTime(dt.date(), dt.time(), Qt::UTC);
}

double roundEven(double x)
{
    return std::nearbyint(x);
}

QString doubleText(double value, int significantDigits)
{
    if (value == 0)
        return QStringLiteral("0");
    char buf[40];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significantDigits);
    QString s = QString::fromLatin1(buf, r.ptr - buf);
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    if (e >= 0)
        s[e] = QLatin1Char('E');
    return s;
}

} // namespace vb::detail
