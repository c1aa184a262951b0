#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>
#include <compare>
#include <concepts>
#include <optional>
#include <type_traits>

namespace vb {

// Money: a 64-bit fixed-point number with four decimals, the data file's CURRENCY.
// Every result is rounded to four decimals half to even; a result beyond the range
// (+-922,337,203,685,477.5807) raises Overflow (6), a division by zero Division by zero (11).
class Currency
{
public:
    static constexpr qint64 Scale = 10000;

    constexpr Currency() = default;
    // Whole units: Currency(4) is 4.0000. Overflow (6) beyond the range.
    template <std::integral T>
    requires(!std::same_as<T, bool>) constexpr Currency(T units)
    {
        if constexpr (std::is_signed_v<T>) {
            if (qint64(units) > MaxUnits || qint64(units) < -MaxUnits)
                overflow();
        } else if (quint64(units) > quint64(MaxUnits)) {
            overflow();
        }
        m_raw = qint64(units) * Scale;
    }
    // Rounded to four decimals half to even; Overflow (6) when out of range or not finite.
    explicit Currency(double value);

    // From the raw count of ten-thousandths: fromRaw(12345) is 1.2345.
    static constexpr Currency fromRaw(qint64 raw)
    {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    // Reads "4", "4.5", "$4.00", "-$4.00", "$-4.00", "(4.00)", "1,234.5", " 12 ", "1e3";
    // nothing when the text is no amount. Overflow (6) when it is too large.
    static std::optional<Currency> parse(const QString &text);

    constexpr qint64 raw() const noexcept { return m_raw; }
    double toDouble() const noexcept { return double(m_raw) / Scale; }
    // As CStr writes it: "4", "-4.5", "1234.5678" (no thousands separators, no symbol).
    QString toString() const;

    Currency operator-() const;
    Currency &operator+=(Currency other);
    Currency &operator-=(Currency other);
    Currency &operator*=(Currency other);
    Currency &operator/=(Currency other);
    friend Currency operator+(Currency a, Currency b) { return a += b; }
    friend Currency operator-(Currency a, Currency b) { return a -= b; }
    friend Currency operator*(Currency a, Currency b) { return a *= b; }
    friend Currency operator/(Currency a, Currency b) { return a /= b; }

    friend constexpr bool operator==(Currency a, Currency b) = default;
    friend constexpr std::strong_ordering operator<=>(Currency a, Currency b) = default;

private:
    static constexpr qint64 MaxUnits = 922337203685477;
    [[noreturn]] static void overflow();
    qint64 m_raw = 0;
};

} // namespace vb

Q_DECLARE_METATYPE(vb::Currency)
