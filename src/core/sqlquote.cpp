#include "sqlquote.h"

#include "platform/vb/currency.h"
#include "platform/vb/error.h"

#include <QLocale>
#include <cmath>

namespace Global {

namespace {
const QDate zeroDate(1899, 12, 30);
}

QString SqlText(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString SqlDate(const QDate &date)
{
    if (!date.isValid())
        return SqlNull();
    return QLatin1Char('#') + date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('#');
}

QString SqlDate(const QDateTime &when)
{
    if (!when.isValid())
        return SqlNull();
    const QTime time = when.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return SqlDate(when.date());
    return QLatin1Char('#') + when.date().toString(QStringLiteral("yyyy-MM-dd")) +
           QLatin1Char(' ') + time.toString(QStringLiteral("HH:mm:ss")) + QLatin1Char('#');
}

QString SqlTime(const QTime &time)
{
    if (!time.isValid())
        return SqlNull();
    return QLatin1Char('#') + zeroDate.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
           time.toString(QStringLiteral("HH:mm:ss")) + QLatin1Char('#');
}

QString SqlNumber(double value)
{
    if (!std::isfinite(value))
        throw vb::Error(vb::err::Overflow);
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString SqlNumber(const vb::Currency &value)
{
    const qint64 raw = value.raw();
    const quint64 magnitude = raw < 0 ? 0 - quint64(raw) : quint64(raw);
    QString text = QString::number(magnitude / vb::Currency::Scale);
    const quint64 fraction = magnitude % vb::Currency::Scale;
    if (fraction != 0) {
        QString decimals = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        text += QLatin1Char('.') + decimals;
    }
    return raw < 0 ? QLatin1Char('-') + text : text;
}

QString SqlNull()
{
    return QStringLiteral("Null");
}

QString SqlValue(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return SqlNull();
    switch (value.typeId()) {
    case QMetaType::QString: return SqlText(value.toString());
    case QMetaType::QChar: return SqlText(QString(value.toChar()));
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong: return SqlNumber(value.toLongLong());
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: return SqlNumber(value.toULongLong());
    case QMetaType::Float:
    case QMetaType::Double: return SqlNumber(value.toDouble());
    case QMetaType::QDate: return SqlDate(value.toDate());
    case QMetaType::QDateTime: return SqlDate(value.toDateTime());
    case QMetaType::QTime: return SqlTime(value.toTime());
    default: break;
    }
    if (value.metaType() == QMetaType::fromType<vb::Currency>())
        return SqlNumber(value.value<vb::Currency>());
    throw vb::Error(vb::err::TypeMismatch);
}

} // namespace Global
