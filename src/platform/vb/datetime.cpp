#include "datetime.h"

#include "platform/vb/convert.h"
#include "platform/vb/detail.h"
#include "platform/vb/error.h"

#include <array>
#include <cmath>

namespace vb {

namespace {

constexpr qint64 SecondsPerDay = 86400;

const QDate &zeroDay()
{
    static const QDate d(1899, 12, 30);
    return d;
}

using detail::MonthNames;
using detail::DayNames;

bool inRange(const QDate &d)
{
    return d.isValid() && d.year() >= 100 && d.year() <= 9999;
}

// Sunday = 1 ... Saturday = 7.
int vbDayOfWeek(const QDate &d)
{
    return d.dayOfWeek() % 7 + 1;
}

int checkedFirstDay(int firstDayOfWeek)
{
    if (firstDayOfWeek == vbUseSystemDayOfWeek)
        return vbMonday; // the regional settings start the week on Monday
    if (firstDayOfWeek < vbSunday || firstDayOfWeek > vbSaturday)
        detail::raise(err::InvalidProcedureCall);
    return firstDayOfWeek;
}

// The first day of the week that holds d.
QDate weekStart(const QDate &d, int firstDayOfWeek)
{
    return d.addDays(-((vbDayOfWeek(d) - firstDayOfWeek + 7) % 7));
}

// The first day of week 1 of a year.
QDate firstWeekStart(int year, int firstDayOfWeek, int firstWeekOfYear)
{
    const QDate jan1(year, 1, 1);
    const QDate start = weekStart(jan1, firstDayOfWeek);
    const qint64 daysBefore = start.daysTo(jan1); // days of that week in the year before
    switch (firstWeekOfYear) {
    case vbFirstFourDays: return 7 - daysBefore >= 4 ? start : start.addDays(7);
    case vbFirstFullWeek: return daysBefore == 0 ? start : start.addDays(7);
    default: return start;
    }
}

int weekOfYear(const QDate &d, int firstDayOfWeek, int firstWeekOfYear)
{
    if (firstWeekOfYear == vbUseSystem)
        firstWeekOfYear = vbFirstJan1;
    if (firstWeekOfYear < vbFirstJan1 || firstWeekOfYear > vbFirstFullWeek)
        detail::raise(err::InvalidProcedureCall);
    QDate first = firstWeekStart(d.year(), firstDayOfWeek, firstWeekOfYear);
    if (d < first)
        first = firstWeekStart(d.year() - 1, firstDayOfWeek, firstWeekOfYear);
    return int(first.daysTo(weekStart(d, firstDayOfWeek)) / 7) + 1;
}

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval interval(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("yyyy"))
        return Interval::Year;
    if (t == QLatin1String("q"))
        return Interval::Quarter;
    if (t == QLatin1String("m"))
        return Interval::Month;
    if (t == QLatin1String("y"))
        return Interval::DayOfYear;
    if (t == QLatin1String("d"))
        return Interval::Day;
    if (t == QLatin1String("w"))
        return Interval::Weekday;
    if (t == QLatin1String("ww"))
        return Interval::Week;
    if (t == QLatin1String("h"))
        return Interval::Hour;
    if (t == QLatin1String("n"))
        return Interval::Minute;
    if (t == QLatin1String("s"))
        return Interval::Second;
    detail::raise(err::InvalidProcedureCall);
}

// Seconds since the zero date on the floating clock.
qint64 secondsOf(const QDateTime &dt)
{
    return zeroDay().daysTo(dt.date()) * SecondsPerDay + dt.time().msecsSinceStartOfDay() / 1000;
}

QDateTime fromSeconds(qint64 seconds)
{
    qint64 days = seconds / SecondsPerDay;
    qint64 rest = seconds % SecondsPerDay;
    if (rest < 0) {
        rest += SecondsPerDay;
        --days;
    }
    return QDateTime(zeroDay().addDays(days), QTime::fromMSecsSinceStartOfDay(int(rest * 1000)),
                     Qt::UTC);
}

QDateTime addMonths(const QDateTime &dt, qint64 months)
{
    const QDate d = dt.date();
    const qint64 total = qint64(d.year()) * 12 + (d.month() - 1) + months;
    if (total < 100 * 12 || total > 9999 * 12 + 11)
        detail::raise(err::InvalidProcedureCall);
    const int year = int(total / 12);
    const int month = int(total % 12) + 1;
    const int day = std::min(d.day(), QDate(year, month, 1).daysInMonth());
    return QDateTime(QDate(year, month, day), dt.time(), Qt::UTC);
}

// ---- reading dates from text ----

struct Token
{
    enum Type { Number, Month, Weekday, Am, Pm, Colon, Separator } type;
    int value = 0;
    int length = 0; // digits of a number
};

bool equalsLatin1(QStringView word, const char *name, qsizetype length)
{
    if (word.size() != length)
        return false;
    for (qsizetype i = 0; i < length; ++i) {
        if (word[i].toLower().unicode() != char16_t(QChar::toLower(char32_t(name[i]))))
            return false;
    }
    return true;
}

// A month or day name, whole or cut to three or more letters ("Jan", "Sept", "Wednes").
int nameIndex(QStringView word, const char *const *names, int count)
{
    if (word.size() < 3)
        return -1;
    for (int i = 0; i < count; ++i) {
        const qsizetype n = qsizetype(qstrlen(names[i]));
        if (word.size() <= n && equalsLatin1(word, names[i], word.size()))
            return i;
    }
    return -1;
}

bool tokenize(QStringView text, std::array<Token, 24> &tokens, int &count)
{
    count = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (count == int(tokens.size()))
            return false;
        Token &t = tokens[size_t(count)];
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            int v = 0, len = 0;
            while (i < n && text[i].unicode() >= '0' && text[i].unicode() <= '9') {
                if (len < 6)
                    v = v * 10 + (text[i].unicode() - '0');
                ++len;
                ++i;
            }
            if (len > 4)
                return false;
            t = Token{Token::Number, v, len};
            ++count;
        } else if (c.isLetter()) {
            const qsizetype start = i;
            while (i < n && text[i].isLetter())
                ++i;
            const QStringView word = text.sliced(start, i - start);
            // "a.m." and "p.m."
            if (word.size() == 1 && i + 2 < n && text[i] == QLatin1Char('.') &&
                text[i + 1].toLower() == QLatin1Char('m') && text[i + 2] == QLatin1Char('.')) {
                i += 3;
            }
            int m;
            if (equalsLatin1(word, "am", 2) || equalsLatin1(word, "a", 1)) {
                t = Token{Token::Am};
            } else if (equalsLatin1(word, "pm", 2) || equalsLatin1(word, "p", 1)) {
                t = Token{Token::Pm};
            } else if (equalsLatin1(word, "t", 1)) {
                t = Token{Token::Separator};
            } else if ((m = nameIndex(word, MonthNames, 12)) >= 0) {
                t = Token{Token::Month, m + 1};
            } else if (equalsLatin1(word, "sept", 4)) {
                t = Token{Token::Month, 9};
            } else if (nameIndex(word, DayNames, 7) >= 0) {
                t = Token{Token::Weekday};
            } else {
                return false;
            }
            ++count;
        } else if (c == QLatin1Char(':')) {
            t = Token{Token::Colon};
            ++count;
            ++i;
        } else if (c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.') ||
                   c == QLatin1Char(',') || c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            // Runs of separators count as one.
            if (count == 0 || tokens[size_t(count - 1)].type != Token::Separator) {
                t = Token{Token::Separator};
                ++count;
            }
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

int windowYear(int year, int digits)
{
    if (digits <= 2)
        return year < 30 ? 2000 + year : 1900 + year;
    return year;
}

bool parseGeneral(QStringView text, QDateTime &out)
{
    std::array<Token, 24> tokens;
    int count = 0;
    if (!tokenize(text, tokens, count))
        return false;

    int time[3] = {0, 0, 0};
    int timeParts = 0;
    int meridiem = 0; // 1 am, 2 pm
    struct Element
    {
        int value;
        int length;
        bool month;
    };
    Element date[3];
    int dateParts = 0;
    bool monthName = false;

    for (int i = 0; i < count; ++i) {
        const Token &t = tokens[size_t(i)];
        switch (t.type) {
        case Token::Number: {
            const bool colon = i + 1 < count && tokens[size_t(i + 1)].type == Token::Colon;
            auto isMeridiem = [&](int k) {
                return k < count &&
                       (tokens[size_t(k)].type == Token::Am || tokens[size_t(k)].type == Token::Pm);
            };
            const bool hourAlone =
                isMeridiem(i + 1) ||
                (i + 2 < count && tokens[size_t(i + 1)].type == Token::Separator &&
                 isMeridiem(i + 2));
            if (colon || hourAlone) {
                if (timeParts > 0)
                    return false;
                time[timeParts++] = t.value;
                while (i + 2 < count && tokens[size_t(i + 1)].type == Token::Colon &&
                       tokens[size_t(i + 2)].type == Token::Number) {
                    if (timeParts == 3)
                        return false;
                    time[timeParts++] = tokens[size_t(i + 2)].value;
                    i += 2;
                }
                if (i + 1 < count && tokens[size_t(i + 1)].type == Token::Colon)
                    return false;
            } else {
                if (dateParts == 3)
                    return false;
                date[dateParts++] = Element{t.value, t.length, false};
            }
            break;
        }
        case Token::Month:
            if (monthName || dateParts == 3)
                return false;
            monthName = true;
            date[dateParts++] = Element{t.value, 0, true};
            break;
        case Token::Am:
        case Token::Pm:
            if (timeParts == 0 || meridiem != 0)
                return false;
            meridiem = t.type == Token::Am ? 1 : 2;
            break;
        case Token::Weekday:
            if (dateParts > 0)
                return false;
            break;
        case Token::Colon: return false;
        case Token::Separator: break;
        }
    }
    if (dateParts == 0 && timeParts == 0)
        return false;

    // Time of day.
    int hour = time[0];
    if (meridiem != 0) {
        if (hour > 12)
            return false;
        if (hour == 12)
            hour = 0;
        if (meridiem == 2)
            hour += 12;
    }
    if (hour > 23 || time[1] > 59 || time[2] > 59)
        return false;
    const QTime tod(hour, time[1], time[2]);

    // Date: day first, as the regional settings read it.
    QDate d = zeroDay();
    if (dateParts > 0) {
        int year = 0, month = 0, day = 0;
        auto yearLike = [](const Element &e) {
            return !e.month && (e.length >= 3 || e.value > 31);
        };
        if (monthName) {
            int numbers[2];
            const Element *numberElements[2];
            int n = 0;
            for (int k = 0; k < dateParts; ++k) {
                if (date[k].month)
                    month = date[k].value;
                else {
                    numberElements[n] = &date[k];
                    numbers[n++] = date[k].value;
                }
            }
            if (n == 2) {
                if (yearLike(*numberElements[0]) && !yearLike(*numberElements[1])) {
                    year = windowYear(numbers[0], numberElements[0]->length);
                    day = numbers[1];
                } else {
                    day = numbers[0];
                    year = windowYear(numbers[1], numberElements[1]->length);
                }
            } else if (n == 1) {
                if (yearLike(*numberElements[0])) {
                    year = windowYear(numbers[0], numberElements[0]->length);
                    day = 1;
                } else {
                    day = numbers[0];
                    year = Date().date().year();
                }
            } else {
                return false;
            }
        } else if (dateParts == 3) {
            if (yearLike(date[0])) {
                year = windowYear(date[0].value, date[0].length);
                month = date[1].value;
                day = date[2].value;
            } else {
                day = date[0].value;
                month = date[1].value;
                year = windowYear(date[2].value, date[2].length);
                if (month > 12 && day <= 12)
                    std::swap(day, month);
            }
        } else if (dateParts == 2) {
            if (yearLike(date[1])) {
                month = date[0].value;
                year = windowYear(date[1].value, date[1].length);
                day = 1;
            } else if (yearLike(date[0])) {
                year = windowYear(date[0].value, date[0].length);
                month = date[1].value;
                day = 1;
            } else {
                day = date[0].value;
                month = date[1].value;
                year = Date().date().year();
                if (month > 12 && day <= 12)
                    std::swap(day, month);
            }
        } else {
            return false;
        }
        d = QDate(year, month, day);
        if (!inRange(d))
            return false;
    }
    out = QDateTime(d, tod, Qt::UTC);
    return true;
}

int twoDigits(QStringView s, qsizetype at)
{
    const char16_t a = s[at].unicode(), b = s[at + 1].unicode();
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return -1;
    return (a - '0') * 10 + (b - '0');
}

void putDigits(char16_t *&p, int value, int width)
{
    char16_t buf[8];
    int n = 0;
    do {
        buf[n++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value > 0 || n < width);
    while (n > 0)
        *p++ = buf[--n];
}

QDateTime storageForm(QStringView text);

} // namespace

namespace detail {

bool parseDate(QStringView text, QDateTime &out)
{
    const QStringView t = text.trimmed();
    out = storageForm(t);
    if (out.isValid())
        return true;
    return parseGeneral(t, out);
}

QString generalDate(const QDateTime &date)
{
    char16_t buf[32];
    char16_t *p = buf;
    const QDate d = date.date();
    const QTime t = date.time();
    const bool hasDate = d != zeroDay();
    const bool hasTime = t.msecsSinceStartOfDay() != 0;
    if (hasDate) {
        putDigits(p, d.day(), 1);
        *p++ = u'/';
        putDigits(p, d.month(), 2);
        *p++ = u'/';
        putDigits(p, d.year(), 4);
    }
    if (hasTime || !hasDate) {
        if (hasDate)
            *p++ = u' ';
        const int h = t.hour() % 12;
        putDigits(p, h == 0 ? 12 : h, 1);
        *p++ = u':';
        putDigits(p, t.minute(), 2);
        *p++ = u':';
        putDigits(p, t.second(), 2);
        *p++ = u' ';
        *p++ = t.hour() < 12 ? u'A' : u'P';
        *p++ = u'M';
    }
    return QString(reinterpret_cast<const QChar *>(buf), p - buf);
}

} // namespace detail

QDateTime zeroDate()
{
    return QDateTime(zeroDay(), QTime(0, 0), Qt::UTC);
}

QDateTime makeDateTime(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

QDateTime Now()
{
    const QDateTime local = QDateTime::currentDateTime();
    const QTime t = local.time();
    return QDateTime(local.date(), QTime(t.hour(), t.minute(), t.second()), Qt::UTC);
}

QDateTime Date()
{
    return QDateTime(QDate::currentDate(), QTime(0, 0), Qt::UTC);
}

QDateTime Time()
{
    const QTime t = QTime::currentTime();
    return QDateTime(zeroDay(), QTime(t.hour(), t.minute(), t.second()), Qt::UTC);
}

double toSerial(const QDateTime &date)
{
    const QDateTime dt = detail::floating(date);
    const double days = double(zeroDay().daysTo(dt.date()));
    const double fraction = dt.time().msecsSinceStartOfDay() / 86400000.0;
    return days < 0 ? days - fraction : days + fraction;
}

QDateTime fromSerial(double serial)
{
    // Years 100 to 9999.
    if (!std::isfinite(serial) || serial < -657434.0 || serial >= 2958466.0)
        detail::raise(err::Overflow);
    double whole = std::trunc(serial);
    qint64 seconds = qint64(std::llround(std::fabs(serial - whole) * double(SecondsPerDay)));
    if (seconds >= SecondsPerDay) {
        seconds -= SecondsPerDay;
        whole += serial < 0 ? -1 : 1;
    }
    const QDate d = zeroDay().addDays(qint64(whole));
    if (!inRange(d))
        detail::raise(err::Overflow);
    return QDateTime(d, QTime::fromMSecsSinceStartOfDay(int(seconds * 1000)), Qt::UTC);
}

QString storageText(const QDateTime &date)
{
    const QDateTime dt = detail::floating(date);
    char16_t buf[24];
    char16_t *p = buf;
    const QDate d = dt.date();
    putDigits(p, d.year(), 4);
    *p++ = u'-';
    putDigits(p, d.month(), 2);
    *p++ = u'-';
    putDigits(p, d.day(), 2);
    const QTime t = dt.time();
    if (t.hour() != 0 || t.minute() != 0 || t.second() != 0) {
        *p++ = u' ';
        putDigits(p, t.hour(), 2);
        *p++ = u':';
        putDigits(p, t.minute(), 2);
        *p++ = u':';
        putDigits(p, t.second(), 2);
    }
    return QString(reinterpret_cast<const QChar *>(buf), p - buf);
}

QDateTime fromStorageText(QStringView text)
{
    return storageForm(text);
}

namespace {

QDateTime storageForm(QStringView text)
{
    const qsizetype n = text.size();
    if (n != 10 && n != 16 && n != 19)
        return {};
    if (text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return {};
    const int y1 = twoDigits(text, 0), y2 = twoDigits(text, 2);
    const int month = twoDigits(text, 5), day = twoDigits(text, 8);
    if (y1 < 0 || y2 < 0 || month < 0 || day < 0)
        return {};
    // The year is checked before the date is made: asking a date for its year costs more.
    const int year = y1 * 100 + y2;
    if (year < 100)
        return {};
    const QDate d(year, month, day);
    if (!d.isValid())
        return {};
    int hour = 0, minute = 0, second = 0;
    if (n > 10) {
        if ((text[10] != QLatin1Char(' ') && text[10] != QLatin1Char('T')) ||
            text[13] != QLatin1Char(':'))
            return {};
        hour = twoDigits(text, 11);
        minute = twoDigits(text, 14);
        if (n == 19) {
            if (text[16] != QLatin1Char(':'))
                return {};
            second = twoDigits(text, 17);
        }
        if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
            return {};
    }
    return QDateTime(d, QTime(hour, minute, second), Qt::UTC);
}

} // namespace

QDateTime DateSerial(int year, int month, int day)
{
    if (year >= 0 && year < 100)
        year = windowYear(year, 2);
    const qint64 total = qint64(year) * 12 + (qint64(month) - 1);
    const qint64 y = total >= 0 ? total / 12 : (total - 11) / 12;
    const int m = int(total - y * 12) + 1;
    if (y < 100 || y > 9999)
        detail::raise(err::InvalidProcedureCall);
    const QDate d = QDate(int(y), m, 1).addDays(qint64(day) - 1);
    if (!inRange(d))
        detail::raise(err::InvalidProcedureCall);
    return QDateTime(d, QTime(0, 0), Qt::UTC);
}

QDateTime TimeSerial(int hour, int minute, int second)
{
    const qint64 total = qint64(hour) * 3600 + qint64(minute) * 60 + second;
    return fromSerial(double(total) / double(SecondsPerDay));
}

QDateTime DateValue(const QVariant &date)
{
    return QDateTime(CDate(date).date(), QTime(0, 0), Qt::UTC);
}

QDateTime TimeValue(const QVariant &date)
{
    return QDateTime(zeroDay(), CDate(date).time(), Qt::UTC);
}

QDateTime DateAdd(const QString &intervalText, double number, const QVariant &date)
{
    const Interval iv = interval(intervalText);
    const QDateTime dt = CDate(date);
    const double rounded = detail::roundEven(number);
    if (!std::isfinite(rounded) || std::fabs(rounded) > 1e10)
        detail::raise(err::InvalidProcedureCall);
    const qint64 n = qint64(rounded);
    QDateTime result;
    switch (iv) {
    case Interval::Year: return addMonths(dt, n * 12);
    case Interval::Quarter: return addMonths(dt, n * 3);
    case Interval::Month: return addMonths(dt, n);
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday: result = fromSeconds(secondsOf(dt) + n * SecondsPerDay); break;
    case Interval::Week: result = fromSeconds(secondsOf(dt) + n * 7 * SecondsPerDay); break;
    case Interval::Hour: result = fromSeconds(secondsOf(dt) + n * 3600); break;
    case Interval::Minute: result = fromSeconds(secondsOf(dt) + n * 60); break;
    case Interval::Second: result = fromSeconds(secondsOf(dt) + n); break;
    }
    if (!inRange(result.date()))
        detail::raise(err::InvalidProcedureCall);
    return result;
}

qint64 DateDiff(const QString &intervalText, const QVariant &date1, const QVariant &date2,
                int firstDayOfWeek, int firstWeekOfYear)
{
    const Interval iv = interval(intervalText);
    const QDateTime a = CDate(date1);
    const QDateTime b = CDate(date2);
    const int fdw = checkedFirstDay(firstDayOfWeek);
    Q_UNUSED(firstWeekOfYear);
    const QDate da = a.date(), db = b.date();
    auto floorDiv = [](qint64 x, qint64 d) { return x >= 0 ? x / d : -((-x + d - 1) / d); };
    switch (iv) {
    case Interval::Year: return db.year() - da.year();
    case Interval::Quarter:
        return (qint64(db.year()) * 4 + (db.month() - 1) / 3) -
               (qint64(da.year()) * 4 + (da.month() - 1) / 3);
    case Interval::Month:
        return (qint64(db.year()) * 12 + db.month()) - (qint64(da.year()) * 12 + da.month());
    case Interval::DayOfYear:
    case Interval::Day: return da.daysTo(db);
    case Interval::Weekday: return da.daysTo(db) / 7;
    case Interval::Week: return weekStart(da, fdw).daysTo(weekStart(db, fdw)) / 7;
    case Interval::Hour: return floorDiv(secondsOf(b), 3600) - floorDiv(secondsOf(a), 3600);
    case Interval::Minute: return floorDiv(secondsOf(b), 60) - floorDiv(secondsOf(a), 60);
    case Interval::Second: return secondsOf(b) - secondsOf(a);
    }
    return 0;
}

int DatePart(const QString &intervalText, const QVariant &date, int firstDayOfWeek,
             int firstWeekOfYear)
{
    const Interval iv = interval(intervalText);
    const QDateTime dt = CDate(date);
    const int fdw = checkedFirstDay(firstDayOfWeek);
    const QDate d = dt.date();
    switch (iv) {
    case Interval::Year: return d.year();
    case Interval::Quarter: return (d.month() - 1) / 3 + 1;
    case Interval::Month: return d.month();
    case Interval::DayOfYear: return d.dayOfYear();
    case Interval::Day: return d.day();
    case Interval::Weekday: return (vbDayOfWeek(d) - fdw + 7) % 7 + 1;
    case Interval::Week: return weekOfYear(d, fdw, firstWeekOfYear);
    case Interval::Hour: return dt.time().hour();
    case Interval::Minute: return dt.time().minute();
    case Interval::Second: return dt.time().second();
    }
    return 0;
}

int Year(const QVariant &date)
{
    return CDate(date).date().year();
}

int Month(const QVariant &date)
{
    return CDate(date).date().month();
}

int Day(const QVariant &date)
{
    return CDate(date).date().day();
}

int Hour(const QVariant &date)
{
    return CDate(date).time().hour();
}

int Minute(const QVariant &date)
{
    return CDate(date).time().minute();
}

int Second(const QVariant &date)
{
    return CDate(date).time().second();
}

int Weekday(const QVariant &date, int firstDayOfWeek)
{
    const int fdw = checkedFirstDay(firstDayOfWeek);
    return (vbDayOfWeek(CDate(date).date()) - fdw + 7) % 7 + 1;
}

QString WeekdayName(int weekday, bool abbreviate, int firstDayOfWeek)
{
    const int fdw = checkedFirstDay(firstDayOfWeek);
    if (weekday < 1 || weekday > 7)
        detail::raise(err::InvalidProcedureCall);
    const QString name = QString::fromLatin1(DayNames[(weekday - 1 + fdw - 1) % 7]);
    return abbreviate ? name.left(3) : name;
}

QString MonthName(int month, bool abbreviate)
{
    if (month < 1 || month > 12)
        detail::raise(err::InvalidProcedureCall);
    const QString name = QString::fromLatin1(MonthNames[month - 1]);
    return abbreviate ? name.left(3) : name;
}

} // namespace vb
