#include "math.h"

#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/detail.h"
#include "platform/vb/error.h"

#include <cmath>

namespace vb {

using detail::Kind;

namespace {

qint64 pow10(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// The raw value divided by step, rounded by mode (0 half even, 1 floor, 2 toward zero), times step.
qint64 roundRaw(qint64 raw, qint64 step, int mode)
{
    qint64 q = raw / step;
    const qint64 r = raw % step;
    if (mode == 0) {
        if (2 * std::abs(r) > step || (2 * std::abs(r) == step && q % 2 != 0))
            q += raw < 0 ? -1 : 1;
    } else if (mode == 1 && r < 0) {
        --q;
    }
    return q * step;
}

// Applies f to the value, keeping the kind of value the runtime keeps.
template <typename OnDouble, typename OnCurrency, typename OnInteger>
QVariant keepKind(const QVariant &x, OnDouble onDouble, OnCurrency onCurrency, OnInteger onInteger)
{
    switch (detail::kindOf(x)) {
    case Kind::Null: return {};
    case Kind::Bool: return QVariant(int(onInteger(x.toBool() ? -1 : 0)));
    case Kind::Integer: {
        const qint64 v = onInteger(x.toLongLong());
        if (x.typeId() == QMetaType::Int || x.typeId() == QMetaType::Short)
            return QVariant(int(v));
        return QVariant(qlonglong(v));
    }
    case Kind::Currency: return QVariant::fromValue(onCurrency(x.value<Currency>()));
    case Kind::Date: return QVariant(fromSerial(onDouble(toSerial(CDate(x)))));
    default: return QVariant(onDouble(CDbl(x)));
    }
}

} // namespace

double Int(double x)
{
    return std::floor(x);
}

double Fix(double x)
{
    return std::trunc(x);
}

double Abs(double x)
{
    return std::fabs(x);
}

Currency Abs(Currency x)
{
    return x.raw() < 0 ? -x : x;
}

int Sgn(double x)
{
    return x > 0 ? 1 : x < 0 ? -1 : 0;
}

int Sgn(Currency x)
{
    return x.raw() > 0 ? 1 : x.raw() < 0 ? -1 : 0;
}

double Round(double x, int digits)
{
    if (digits < 0 || digits > 22)
        detail::raise(err::InvalidProcedureCall);
    if (digits == 0)
        return detail::roundEven(x);
    const double scale = std::pow(10.0, digits);
    const double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) // 2^52: no fraction left
        return x;
    return detail::roundEven(scaled) / scale;
}

Currency Round(Currency x, int digits)
{
    if (digits < 0 || digits > 22)
        detail::raise(err::InvalidProcedureCall);
    if (digits >= 4)
        return x;
    return Currency::fromRaw(roundRaw(x.raw(), pow10(4 - digits), 0));
}

QVariant Int(const QVariant &x)
{
    return keepKind(
        x, [](double v) { return Int(v); },
        [](Currency c) { return Currency::fromRaw(roundRaw(c.raw(), Currency::Scale, 1)); },
        [](qint64 v) { return v; });
}

QVariant Fix(const QVariant &x)
{
    return keepKind(
        x, [](double v) { return Fix(v); },
        [](Currency c) { return Currency::fromRaw(roundRaw(c.raw(), Currency::Scale, 2)); },
        [](qint64 v) { return v; });
}

QVariant Abs(const QVariant &x)
{
    return keepKind(
        x, [](double v) { return Abs(v); }, [](Currency c) { return Abs(c); },
        [](qint64 v) { return v < 0 ? -v : v; });
}

QVariant Round(const QVariant &x, int digits)
{
    return keepKind(
        x, [digits](double v) { return Round(v, digits); },
        [digits](Currency c) { return Round(c, digits); },
        [digits](qint64 v) {
            if (digits < 0 || digits > 22)
                detail::raise(err::InvalidProcedureCall);
            return v;
        });
}

int Sgn(const QVariant &x)
{
    switch (detail::kindOf(x)) {
    case Kind::Currency: return Sgn(x.value<Currency>());
    default: return Sgn(CDbl(x));
    }
}

} // namespace vb
