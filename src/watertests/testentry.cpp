#include "testentry.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/irecobjectcode.h"
#include "core/sqlquote.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"

#include <QRegularExpression>

namespace watertests {

namespace {

bool isEmptyValue(const QVariant &v)
{
    return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

int monthOfName(const QString &word)
{
    static const char *const names[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                        "jul", "aug", "sep", "oct", "nov", "dec"};
    const QString w = word.toLower();
    if (w.size() < 3)
        return 0;
    for (int m = 0; m < 12; ++m)
        if (QString::fromLatin1(names[m]) == w.left(3))
            return m + 1;
    return 0;
}

// A date typed in the parts of the pattern (d, m, y in any order, any separators).
std::optional<QDate> readPatternDate(const QString &text, const QString &pattern)
{
    static const QRegularExpression separators(QStringLiteral("[^0-9A-Za-z]+"));
    const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
    const QStringList order = pattern.split(separators, Qt::SkipEmptyParts);
    if (parts.size() != 3 || order.size() != 3)
        return std::nullopt;
    int day = 0, month = 0, year = -1;
    for (int i = 0; i < 3; ++i) {
        const QChar kind = order.at(i).at(0).toLower();
        bool number = false;
        const int value = parts.at(i).toInt(&number);
        if (kind == QLatin1Char('d') && number)
            day = value;
        else if (kind == QLatin1Char('m'))
            month = number ? value : monthOfName(parts.at(i));
        else if (kind == QLatin1Char('y') && number && (parts.at(i).size() == 2 ||
                                                         parts.at(i).size() == 4))
            year = parts.at(i).size() == 2 ? (value < 30 ? 2000 + value : 1900 + value) : value;
        else
            return std::nullopt;
    }
    const QDate date(year, month, day);
    if (!date.isValid() || year < 100)
        return std::nullopt;
    return date;
}

QString notValid(const char *name)
{
    return QStringLiteral("The %1 you entered is not valid. Please correct this.")
        .arg(QLatin1String(name));
}

QString notNumeric(const char *name)
{
    return QStringLiteral("The %1 value you entered is not numeric. Please check this and try "
                          "again.")
        .arg(QLatin1String(name));
}

const EntryBox &box(int index)
{
    for (const EntryBox &b : EntryBoxes())
        if (b.index == index)
            return b;
    return EntryBoxes().front();
}

// The value a checked box writes into its column.
QVariant storedValue(const EntryBox &b, const QString &text)
{
    if (b.index == 1 || b.index == 2) {
        const auto when = ReadUserDate(text, Global::DateFormat);
        if (!when)
            throw vb::Error(vb::err::TypeMismatch);
        return *when;
    }
    if (b.index == 16)
        return vb::CLng(text);
    if (b.numeric)
        return vb::CDbl(text);
    return text;
}

} // namespace

const std::array<EntryBox, 16> &EntryBoxes()
{
    static const std::array<EntryBox, 16> boxes = {{
        {1, "Date:", "Date", "Date", false},
        {2, "Time:", "Time", "Time", false},
        {16, "Temperature:", "Temperature", "Temperature", true},
        {3, "pH:", "pH", "pH", true},
        {4, "Free Chlorine:", "Free Chlorine", "Free", true},
        {5, "Total Chlorine:", "Total Chlorine", "Total", true},
        {6, "Chlorine Diff:", "Chlorine Diff", "Comb", true},
        {7, "Alkalinity:", "Alkalinity", "Alkalinity", true},
        {8, "Hardness:", "Hardness", "Hardness", true},
        {12, "Chlorine Added:", "Chlorine Added", "SodiumHypo", true},
        {11, "Salt Cell Change:", "Salt Cell Change", "SaltCellChange", true},
        {10, "Acid Added:", "Acid Added", "AcidIn", true},
        {13, "Bicarb Added:", "Bicarb Added", "CalciumChloride", true},
        {9, "Backwashed:", "", "Backwash", false},
        {14, "Testing Officer:", "", "Name", false},
        {15, "Notes:", "", "Notes", false},
    }};
    return boxes;
}

EntryTexts BlankEntry(const QDateTime &now)
{
    EntryTexts texts;
    texts[1] = vb::Format(now, Global::DateFormat);
    texts[2] = vb::Format(now, QStringLiteral("hh:mm AMPM"));
    return texts;
}

EntryTexts LoadEntry(qint32 testId)
{
    EntryTexts texts;
    auto rs = irecObjectCode::OpenRecordset(
        QStringLiteral("SELECT WaterTesting.* FROM WaterTesting WHERE TestID = ") +
        Global::SqlNumber(testId) + QLatin1Char(';'));
    if (rs->eof())
        return texts;
    for (const EntryBox &b : EntryBoxes()) {
        const QVariant v = rs->value(QString::fromLatin1(b.column));
        if (isEmptyValue(v))
            continue;
        texts[b.index] = b.index == 1 ? vb::Format(v, Global::DateFormat) : vb::CStr(v);
    }
    rs->close();
    return texts;
}

QString OfferedDifference(const QString &freeText, const QString &totalText)
{
    if (!vb::IsNumeric(freeText) || !vb::IsNumeric(totalText))
        return QString();
    return vb::Format(vb::CDbl(totalText) - vb::CDbl(freeText), QStringLiteral("#0.0"));
}

std::optional<QDateTime> ReadUserDate(const QString &text, const QString &pattern)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (const auto date = readPatternDate(t, pattern))
        return QDateTime(*date, QTime(0, 0), Qt::UTC);
    // A date followed by a time of day.
    const qsizetype blank = t.indexOf(QLatin1Char(' '));
    if (blank > 0) {
        const auto date = readPatternDate(t.left(blank), pattern);
        const QString rest = t.mid(blank + 1);
        if (date && vb::IsDate(rest)) {
            const QDateTime time = vb::CDate(rest);
            if (time.date() == vb::zeroDate().date())
                return QDateTime(*date, time.time(), Qt::UTC);
        }
    }
    if (vb::IsDate(t))
        return vb::CDate(t);
    return std::nullopt;
}

QString CheckEntry(EntryTexts &texts)
{
    for (int index : {1, 2})
        if (!ReadUserDate(texts[index], Global::DateFormat))
            return notValid(box(index).name);
    for (int index : {3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 16}) {
        if (texts[index].isEmpty())
            texts[index] = QStringLiteral("0");
        if (!vb::IsNumeric(texts[index]))
            return notNumeric(box(index).name);
    }
    return QString();
}

SaveOutcome SaveEntry(qint32 testId, qint16 poolArea, const EntryTexts &texts)
{
    std::unique_ptr<jet::Recordset> rs;
    try {
        if (testId != 0) {
            rs = irecObjectCode::OpenRecordset(
                QStringLiteral("SELECT WaterTesting.* FROM WaterTesting WHERE WaterTesting.TestID "
                               "= ") +
                Global::SqlNumber(testId) + QLatin1Char(';'));
        } else {
            rs = irecObjectCode::OpenRecordset(
                QStringLiteral("SELECT WaterTesting.* FROM WaterTesting;"));
            rs->addNew();
        }
        for (const EntryBox &b : EntryBoxes()) {
            const QString column = QString::fromLatin1(b.column);
            if (b.index == 15)
                rs->setValue(column, texts[15]);
            else if (!texts[b.index].isEmpty())
                rs->setValue(column, storedValue(b, texts[b.index]));
        }
        rs->setValue(QStringLiteral("PoolArea"), int(poolArea));
        const int error = irecObjectCode::SaveRecordset(*rs);
        if (error != 0) {
            try {
                rs->cancelUpdate();
            } catch (...) {
            }
            return {false, QStringLiteral("An error occurred when saving the water test. (Err#%1)")
                               .arg(error)};
        }
        rs->close();
        return {true, QString()};
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        if (rs) {
            try {
                rs->cancelUpdate();
            } catch (...) {
            }
        }
        return {false,
                QStringLiteral("An unexpected error occurred (%1) when saving the water test.")
                    .arg(e.number)};
    }
}

} // namespace watertests
