#include "platform/jet/sql/dates.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

namespace jet::sql {

namespace {

int monthFromName(const QString &name)
{
    static const char *const names[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                        "jul", "aug", "sep", "oct", "nov", "dec"};
    static const char *const full[] = {"january",   "february", "march",    "april",
                                       "may",       "june",     "july",     "august",
                                       "september", "october",  "november", "december"};
    const QString lower = name.toLower();
    for (int m = 0; m < 12; ++m) {
        if (lower == QLatin1String(names[m]) || lower == QLatin1String(full[m]))
            return m + 1;
    }
    if (lower == QLatin1String("sept"))
        return 9;
    return 0;
}

int fullYear(const QString &digits)
{
    const int y = digits.toInt();
    if (digits.size() <= 2)
        return y < 30 ? 2000 + y : 1900 + y;
    return y;
}

std::optional<QDate> readDate(const QString &text)
{
    static const QRegularExpression ymd(QStringLiteral("^(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})$"));
    static const QRegularExpression mdy(
        QStringLiteral("^(\\d{1,2})([-/.])(\\d{1,2})\\2(\\d{2}|\\d{4})$"));
    static const QRegularExpression dMonY(
        QStringLiteral("^(\\d{1,2})[-/ ]+([A-Za-z]{3,9})\\.?[-/ ,]+(\\d{2}|\\d{4})$"));
    static const QRegularExpression monDY(
        QStringLiteral("^([A-Za-z]{3,9})\\.?[-/ ]+(\\d{1,2})[ ,]+(\\d{2}|\\d{4})$"));

    QRegularExpressionMatch m = ymd.match(text);
    if (m.hasMatch()) {
        const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
    }
    m = mdy.match(text);
    if (m.hasMatch()) {
        const int a = m.captured(1).toInt(), b = m.captured(3).toInt();
        const int y = fullYear(m.captured(4));
        const QDate monthFirst(y, a, b);
        if (monthFirst.isValid())
            return monthFirst;
        const QDate dayFirst(y, b, a);
        return dayFirst.isValid() ? std::optional<QDate>(dayFirst) : std::nullopt;
    }
    m = dMonY.match(text);
    if (m.hasMatch()) {
        const int month = monthFromName(m.captured(2));
        const QDate d(fullYear(m.captured(3)), month, m.captured(1).toInt());
        return month && d.isValid() ? std::optional<QDate>(d) : std::nullopt;
    }
    m = monDY.match(text);
    if (m.hasMatch()) {
        const int month = monthFromName(m.captured(1));
        const QDate d(fullYear(m.captured(3)), month, m.captured(2).toInt());
        return month && d.isValid() ? std::optional<QDate>(d) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> dateLiteral(const QString &literal)
{
    static const QRegularExpression timeRe(
        QStringLiteral("(?:^|\\s)(\\d{1,2})(?::(\\d{1,2})(?::(\\d{1,2}))?)?\\s*([AaPp][Mm]?)?$"));
    QString text = literal.simplified();
    if (text.isEmpty())
        return std::nullopt;

    std::optional<QTime> time;
    QRegularExpressionMatch m = timeRe.match(text);
    // A bare number at the end ("2010") is the year of a date, not an hour.
    if (m.hasMatch() && (m.capturedLength(2) > 0 || m.capturedLength(4) > 0)) {
        int h = m.captured(1).toInt();
        const int min = m.captured(2).toInt(), sec = m.captured(3).toInt();
        const QString ampm = m.captured(4).toUpper();
        if (!ampm.isEmpty()) {
            if (h < 1 || h > 12)
                return std::nullopt;
            if (ampm.startsWith(QLatin1Char('P')) && h < 12)
                h += 12;
            else if (ampm.startsWith(QLatin1Char('A')) && h == 12)
                h = 0;
        }
        const QTime t(h, min, sec);
        if (!t.isValid())
            return std::nullopt;
        time = t;
        text = text.left(m.capturedStart(0)).trimmed();
    }

    std::optional<QDate> date;
    if (!text.isEmpty()) {
        date = readDate(text);
        if (!date)
            return std::nullopt;
    }
    if (!date && !time)
        return std::nullopt;
    const QDate d = date ? *date : QDate(1899, 12, 30);
    QString out = d.toString(QStringLiteral("yyyy-MM-dd"));
    if (time && *time != QTime(0, 0))
        out += QLatin1Char(' ') + time->toString(QStringLiteral("HH:mm:ss"));
    return out;
}

} // namespace jet::sql
