#include "convert.h"

#include "platform/jet/sql/error.h"
#include "platform/vb/convert.h"
#include "platform/vb/currency.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"

#include <QDate>
#include <QTime>

namespace jet::detail {

namespace {

[[noreturn]] void mismatch(const QString &field)
{
    throw Error(err::TypeMismatch,
                QStringLiteral("Data type mismatch: the value cannot be stored in the field '%1'.")
                    .arg(field));
}

qlonglong wholeNumber(const QVariant &value, qlonglong low, qlonglong high, const QString &field)
{
    const qlonglong n = vb::CLng(value);
    if (n < low || n > high)
        mismatch(field);
    return n;
}

QVariant integerValue(qlonglong n)
{
    if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
        return QVariant(int(n));
    return QVariant(n);
}

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Double: return true;
    default: return false;
    }
}

} // namespace

QVariant toStorage(const QVariant &value, JetType type, const QString &field)
{
    if (value.isNull())
        return {};
    try {
        switch (type) {
        case JetType::Counter:
        case JetType::Long:
            return wholeNumber(value, std::numeric_limits<qint32>::min(),
                               std::numeric_limits<qint32>::max(), field);
        case JetType::Short: return wholeNumber(value, -32768, 32767, field);
        case JetType::Byte: return wholeNumber(value, 0, 255, field);
        case JetType::Single:
        case JetType::Double: return vb::CDbl(value);
        case JetType::Currency: return vb::CCur(value).toDouble();
        case JetType::Date: return vb::storageText(vb::CDate(value));
        case JetType::Text:
        case JetType::Memo: return vb::CStr(value);
        case JetType::YesNo: return qlonglong(vb::CBool(value) ? -1 : 0);
        case JetType::Unknown: break;
        }
    } catch (const vb::Error &) {
        mismatch(field);
    }
    // A column of no known type keeps what it is given, in a form SQLite stores.
    if (value.typeId() == QMetaType::Bool)
        return qlonglong(value.toBool() ? -1 : 0);
    if (value.canConvert<vb::Currency>() && value.typeId() == qMetaTypeId<vb::Currency>())
        return value.value<vb::Currency>().toDouble();
    if (value.typeId() == QMetaType::QDateTime || value.typeId() == QMetaType::QDate ||
        value.typeId() == QMetaType::QTime)
        return vb::storageText(vb::CDate(value));
    return value;
}

QVariant fromStorage(const QVariant &raw, JetType type)
{
    if (raw.isNull())
        return {};
    switch (type) {
    case JetType::Counter:
    case JetType::Long:
    case JetType::Short:
    case JetType::Byte:
        if (raw.typeId() == QMetaType::LongLong)
            return integerValue(raw.toLongLong());
        return raw;
    case JetType::Single:
    case JetType::Double: return isNumber(raw) ? QVariant(raw.toDouble()) : raw;
    case JetType::Currency:
        if (isNumber(raw))
            return QVariant::fromValue(vb::Currency(raw.toDouble()));
        if (raw.typeId() == QMetaType::QString)
            if (const auto c = vb::Currency::parse(raw.toString()))
                return QVariant::fromValue(*c);
        return raw;
    case JetType::Date:
        if (raw.typeId() == QMetaType::QString) {
            const QDateTime d = vb::fromStorageText(raw.toString());
            return d.isValid() ? QVariant(d) : raw;
        }
        if (isNumber(raw)) {
            try {
                return vb::fromSerial(raw.toDouble());
            } catch (const vb::Error &) {
                return raw; // a number no date can stand for: shown as it is stored
            }
        }
        return raw;
    case JetType::Text:
    case JetType::Memo: return raw.typeId() == QMetaType::QString ? raw : QVariant(raw.toString());
    case JetType::YesNo: return isNumber(raw) ? QVariant(raw.toDouble() != 0) : raw;
    case JetType::Unknown: break;
    }
    if (raw.typeId() == QMetaType::LongLong)
        return integerValue(raw.toLongLong());
    return raw;
}

QVariant fromStorageInteger(qint64 raw, JetType type)
{
    switch (type) {
    case JetType::Counter:
    case JetType::Long:
    case JetType::Short:
    case JetType::Byte:
    case JetType::Unknown: return integerValue(raw);
    case JetType::Single:
    case JetType::Double: return QVariant(double(raw));
    case JetType::Currency: return QVariant::fromValue(vb::Currency(double(raw)));
    case JetType::YesNo: return QVariant(double(raw) != 0);
    default: return fromStorage(QVariant(qlonglong(raw)), type);
    }
}

QVariant fromStorageReal(double raw, JetType type)
{
    switch (type) {
    case JetType::Counter:
    case JetType::Long:
    case JetType::Short:
    case JetType::Byte:
    case JetType::Unknown:
    case JetType::Single:
    case JetType::Double: return QVariant(raw);
    case JetType::Currency: return QVariant::fromValue(vb::Currency(raw));
    case JetType::YesNo: return QVariant(raw != 0);
    default: return fromStorage(QVariant(raw), type);
    }
}

QVariant fromStorageText(const char *utf8, qsizetype bytes, JetType type)
{
    switch (type) {
    case JetType::Text:
    case JetType::Memo:
    case JetType::Unknown: return QVariant(QString::fromUtf8(utf8, bytes));
    case JetType::Date: {
        // The stored form is ASCII: read in place, without a QString of the text.
        constexpr qsizetype Longest = 19;
        if (bytes > Longest)
            break;
        char16_t wide[Longest];
        for (qsizetype i = 0; i < bytes; ++i) {
            const auto c = static_cast<unsigned char>(utf8[i]);
            if (c >= 0x80)
                return fromStorage(QVariant(QString::fromUtf8(utf8, bytes)), type);
            wide[i] = c;
        }
        const QDateTime d = vb::fromStorageText(QStringView(wide, bytes));
        if (d.isValid())
            return d;
        break;
    }
    default: break;
    }
    return fromStorage(QVariant(QString::fromUtf8(utf8, bytes)), type);
}

int definedSize(JetType type, int declaredSize)
{
    switch (type) {
    case JetType::Counter:
    case JetType::Long:
    case JetType::Single: return 4;
    case JetType::Short:
    case JetType::YesNo: return 2;
    case JetType::Byte: return 1;
    case JetType::Double:
    case JetType::Currency:
    case JetType::Date: return 8;
    case JetType::Text: return declaredSize > 0 ? declaredSize : 255;
    case JetType::Memo: return 536870910;
    case JetType::Unknown: break;
    }
    return declaredSize;
}

} // namespace jet::detail
