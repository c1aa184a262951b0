#include "strings.h"

#include "platform/vb/detail.h"
#include "platform/vb/error.h"

namespace vb {

namespace {

Qt::CaseSensitivity sensitivity(Compare compare)
{
    return compare == Compare::Text ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

void check(bool ok)
{
    if (!ok)
        detail::raise(err::InvalidProcedureCall);
}

// Characters 128 to 159 of the Western (Windows) code page the program's text uses.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString Left(const QString &text, int length)
{
    check(length >= 0);
    return text.left(length);
}

QString Right(const QString &text, int length)
{
    check(length >= 0);
    return text.right(length);
}

QString Mid(const QString &text, int start)
{
    check(start >= 1);
    return start > text.size() ? QString(QLatin1String("")) : text.mid(start - 1);
}

QString Mid(const QString &text, int start, int length)
{
    check(start >= 1 && length >= 0);
    return start > text.size() ? QString(QLatin1String("")) : text.mid(start - 1, length);
}

int Len(const QString &text)
{
    return int(text.size());
}

int InStr(const QString &text, const QString &find, Compare compare)
{
    return InStr(1, text, find, compare);
}

int InStr(int start, const QString &text, const QString &find, Compare compare)
{
    check(start >= 1);
    if (start > text.size())
        return 0;
    if (find.isEmpty())
        return start;
    return int(text.indexOf(find, start - 1, sensitivity(compare))) + 1;
}

int InStrRev(const QString &text, const QString &find, int start, Compare compare)
{
    check(start == -1 || start >= 1);
    if (start == -1)
        start = int(text.size());
    if (start > text.size())
        return 0;
    if (find.isEmpty())
        return start;
    const qsizetype from = qsizetype(start) - find.size();
    if (from < 0)
        return 0;
    return int(text.lastIndexOf(find, from, sensitivity(compare))) + 1;
}

QString Trim(const QString &text)
{
    return RTrim(LTrim(text));
}

QString LTrim(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    return text.mid(i);
}

QString RTrim(const QString &text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == QLatin1Char(' '))
        --n;
    return text.left(n);
}

QString UCase(const QString &text)
{
    return text.toUpper();
}

QString LCase(const QString &text)
{
    return text.toLower();
}

QString Replace(const QString &text, const QString &find, const QString &replaceWith, int start,
                int count, Compare compare)
{
    check(start >= 1 && count >= -1);
    if (start > text.size())
        return QString(QLatin1String(""));
    QString rest = text.mid(start - 1);
    if (find.isEmpty() || count == 0)
        return rest;
    if (count == -1)
        return rest.replace(find, replaceWith, sensitivity(compare));
    QString out;
    qsizetype from = 0;
    for (int done = 0; done < count; ++done) {
        const qsizetype at = rest.indexOf(find, from, sensitivity(compare));
        if (at < 0)
            break;
        out += QStringView(rest).sliced(from, at - from);
        out += replaceWith;
        from = at + find.size();
    }
    out += QStringView(rest).sliced(from);
    return out;
}

QStringList Split(const QString &text, const QString &delimiter, int limit, Compare compare)
{
    check(limit >= -1);
    if (text.isEmpty() || limit == 0)
        return {};
    if (delimiter.isEmpty())
        return {text};
    QStringList parts;
    qsizetype from = 0;
    while (limit == -1 || parts.size() < limit - 1) {
        const qsizetype at = text.indexOf(delimiter, from, sensitivity(compare));
        if (at < 0)
            break;
        parts.append(text.mid(from, at - from));
        from = at + delimiter.size();
    }
    parts.append(text.mid(from));
    return parts;
}

QString Join(const QStringList &parts, const QString &delimiter)
{
    return parts.join(delimiter);
}

int StrComp(const QString &a, const QString &b, Compare compare)
{
    const int c = a.compare(b, sensitivity(compare));
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

QString Space(int count)
{
    check(count >= 0);
    return QString(count, QLatin1Char(' '));
}

QString String(int count, const QString &character)
{
    check(count >= 0 && !character.isEmpty());
    return QString(count, character[0]);
}

QString String(int count, int charCode)
{
    check(count >= 0);
    return QString(count, Chr(charCode % 256 < 0 ? charCode % 256 + 256 : charCode % 256)[0]);
}

int Asc(const QString &text)
{
    check(!text.isEmpty());
    const char16_t c = text[0].unicode();
    if (c < 128 || (c >= 160 && c < 256))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (Cp1252High[i] == c)
            return 128 + i;
    }
    return '?';
}

QString Chr(int charCode)
{
    check(charCode >= 0 && charCode <= 255);
    if (charCode >= 128 && charCode < 160)
        return QString(QChar(Cp1252High[charCode - 128]));
    return QString(QChar(char16_t(charCode)));
}

} // namespace vb
