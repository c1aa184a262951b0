#include "currency.h"

#include "platform/vb/detail.h"
#include "platform/vb/error.h"

#include <cmath>
#include <limits>

namespace vb {

namespace {

using Wide = __int128;

constexpr qint64 RawMax = std::numeric_limits<qint64>::max();
constexpr qint64 RawMin = std::numeric_limits<qint64>::min();

qint64 narrow(Wide v)
{
    if (v > Wide(RawMax) || v < Wide(RawMin))
        detail::raise(err::Overflow);
    return qint64(v);
}

// n / d rounded half to even (d != 0).
Wide divideEven(Wide n, Wide d)
{
    if (d < 0) {
        n = -n;
        d = -d;
    }
    Wide q = n / d;
    Wide r = n % d;
    if (r < 0)
        r = -r;
    const Wide twice = r * 2;
    if (twice > d || (twice == d && (q % 2 != 0)))
        q += n < 0 ? -1 : 1;
    return q;
}

} // namespace

void Currency::overflow()
{
    detail::raise(err::Overflow);
}

Currency::Currency(double value)
{
    const double scaled = value * double(Scale);
    // 2^63 is the first double beyond the range.
    if (!std::isfinite(scaled) || scaled >= 9223372036854775808.0 ||
        scaled < -9223372036854775808.0)
        overflow();
    m_raw = qint64(detail::roundEven(scaled));
}

std::optional<Currency> Currency::parse(const QString &text)
{
    detail::NumericText n;
    if (!detail::parseNumeric(text, n))
        return std::nullopt;
    if (n.radix)
        return Currency(n.radixValue);
    // Exact: the digits with the point moved by the exponent, rounded at four decimals.
    std::string all = n.digits;
    const auto point = all.find('.');
    int intDigits = int(point == std::string::npos ? all.size() : point);
    if (point != std::string::npos)
        all.erase(point, 1);
    const auto lead = all.find_first_not_of('0');
    if (lead == std::string::npos)
        return Currency();
    all.erase(0, lead);
    intDigits = intDigits - int(lead) + n.exponent;
    if (intDigits > 19)
        overflow();
    const int size = int(all.size());
    const int kept = intDigits + 4; // the digits that make up the raw value
    Wide raw = 0;
    for (int i = 0; i < kept; ++i)
        raw = raw * 10 + (i < size ? all[size_t(i)] - '0' : 0);
    int next = 0;
    bool rest = false;
    if (kept >= 0) {
        if (kept < size)
            next = all[size_t(kept)] - '0';
        for (int i = kept + 1; i < size; ++i)
            rest = rest || all[size_t(i)] != '0';
    } else {
        rest = true; // below half of the last decimal
    }
    if (next > 5 || (next == 5 && (rest || raw % 2 != 0)))
        ++raw;
    if (n.negative)
        raw = -raw;
    return fromRaw(narrow(raw));
}

QString Currency::toString() const
{
    // |RawMin| does not fit a qint64: work unsigned.
    const bool negative = m_raw < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(m_raw) : quint64(m_raw);
    QString s = QString::number(magnitude / quint64(Scale));
    quint64 frac = magnitude % quint64(Scale);
    if (frac != 0) {
        int width = 4;
        while (frac % 10 == 0) {
            frac /= 10;
            --width;
        }
        s += QLatin1Char('.') + QString::number(frac).rightJustified(width, QLatin1Char('0'));
    }
    if (negative)
        s.prepend(QLatin1Char('-'));
    return s;
}

Currency Currency::operator-() const
{
    if (m_raw == RawMin)
        overflow();
    return fromRaw(-m_raw);
}

Currency &Currency::operator+=(Currency other)
{
    m_raw = narrow(Wide(m_raw) + other.m_raw);
    return *this;
}

Currency &Currency::operator-=(Currency other)
{
    m_raw = narrow(Wide(m_raw) - other.m_raw);
    return *this;
}

Currency &Currency::operator*=(Currency other)
{
    m_raw = narrow(divideEven(Wide(m_raw) * other.m_raw, Scale));
    return *this;
}

Currency &Currency::operator/=(Currency other)
{
    if (other.m_raw == 0)
        detail::raise(err::DivisionByZero);
    m_raw = narrow(divideEven(Wide(m_raw) * Scale, other.m_raw));
    return *this;
}

namespace {
// A Currency in a QVariant converts to a double and to text as the runtime does.
const bool registered = [] {
    QMetaType::registerConverter<Currency, double>([](const Currency &c) { return c.toDouble(); });
    QMetaType::registerConverter<Currency, QString>([](const Currency &c) { return c.toString(); });
    return true;
}();
} // namespace

} // namespace vb
