#include "calculator.h"

#include <cfenv>
#include <cmath>
#include <limits>

void Calculator::Start(const QString &operation, qint32 total, const QString &tape)
{
    m_pending = operation;
    m_total = total;
    m_tape = tape;
    m_entry.clear();
}

void Calculator::Key(QChar c)
{
    m_entry += c;
}

bool Calculator::Apply(const QString &operation, qint32 total, double entry, qint32 *result)
{
    const double t = total;
    double r;
    if (operation == QLatin1String("+"))
        r = entry + t;
    else if (operation == QLatin1String("-"))
        r = t - entry;
    else if (operation == QLatin1String("*"))
        r = entry * t;
    else if (operation == QLatin1String("/")) {
        if (entry == 0)
            return false;
        r = t / entry;
    } else if (operation.isEmpty())
        r = entry;
    else
        r = t;
    if (!std::isfinite(r))
        return false;
    // Halves go to the even neighbour, as the runtime rounds.
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(r);
    std::fesetround(mode);
    if (rounded < std::numeric_limits<qint32>::min() ||
        rounded > std::numeric_limits<qint32>::max())
        return false;
    *result = qint32(rounded);
    return true;
}

bool Calculator::Operate(const QString &caption)
{
    if (m_entry.isEmpty())
        m_entry = QStringLiteral("0");
    bool ok = false;
    const double entry = m_entry.toDouble(&ok);
    qint32 result = m_total;
    const bool applied = ok && Apply(m_pending, m_total, entry, &result);
    if (applied)
        m_total = result;
    m_tape += m_entry + QStringLiteral("\r\n") + caption + QStringLiteral("\r\n");
    if (!applied)
        m_tape += QStringLiteral("Error\r\n");
    m_entry.clear();
    m_pending = caption;
    return applied;
}
