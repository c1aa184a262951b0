#include "platform/jet/sql/types.h"

#include <QRegularExpression>

namespace jet {

QString declaredType(const Column &column)
{
    switch (column.type) {
    case JetType::Counter: return QStringLiteral("INTEGER");
    case JetType::Long: return QStringLiteral("LONG");
    case JetType::Short: return QStringLiteral("SHORT");
    case JetType::Byte: return QStringLiteral("BYTE");
    case JetType::Single: return QStringLiteral("REAL");
    case JetType::Double: return QStringLiteral("DOUBLE");
    case JetType::Currency: return QStringLiteral("CURRENCY");
    case JetType::Date: return QStringLiteral("DATETIME");
    case JetType::Text: return QStringLiteral("TEXT(%1)").arg(column.size > 0 ? column.size : 255);
    case JetType::Memo: return QStringLiteral("LONGTEXT");
    case JetType::YesNo: return QStringLiteral("YESNO");
    case JetType::Unknown: break;
    }
    return QString();
}

namespace {

QVariant defaultFromText(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0)
        return QVariant();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('\'')) && t.endsWith(QLatin1Char('\'')))
        return t.mid(1, t.size() - 2).replace(QLatin1String("''"), QLatin1String("'"));
    QString number = t;
    while (number.startsWith(QLatin1Char('(')) && number.endsWith(QLatin1Char(')')))
        number = number.mid(1, number.size() - 2).trimmed();
    bool ok = false;
    const qlonglong i = number.toLongLong(&ok);
    if (ok)
        return i;
    const double d = number.toDouble(&ok);
    if (ok)
        return d;
    return t;
}

} // namespace

Column columnFromDeclared(const QString &name, const QString &declaredTypeText, bool notnull,
                          const QString &defaultText, bool pk, bool isAutoincrementTable)
{
    static const QRegularExpression sized(
        QStringLiteral("^([A-Z_ ]+?)\\s*\\(\\s*(\\d+)\\s*(?:,\\s*\\d+\\s*)?\\)$"));
    Column c;
    c.name = name;
    c.nullable = !notnull;
    c.primaryKey = pk;
    c.defaultValue = defaultFromText(defaultText);

    QString base = declaredTypeText.trimmed().toUpper();
    int size = 0;
    const QRegularExpressionMatch m = sized.match(base);
    if (m.hasMatch()) {
        base = m.captured(1).trimmed();
        size = m.captured(2).toInt();
    }
    if (base == QLatin1String("INTEGER")) {
        c.type = pk && isAutoincrementTable ? JetType::Counter : JetType::Long;
    } else if (base == QLatin1String("LONG") || base == QLatin1String("INT") ||
               base == QLatin1String("INTEGER4") || base == QLatin1String("BIGINT")) {
        c.type = JetType::Long;
    } else if (base == QLatin1String("SHORT") || base == QLatin1String("SMALLINT") ||
               base == QLatin1String("INTEGER2")) {
        c.type = JetType::Short;
    } else if (base == QLatin1String("BYTE") || base == QLatin1String("TINYINT")) {
        c.type = JetType::Byte;
    } else if (base == QLatin1String("REAL") || base == QLatin1String("SINGLE") ||
               base == QLatin1String("FLOAT4")) {
        c.type = JetType::Single;
    } else if (base == QLatin1String("DOUBLE") || base == QLatin1String("FLOAT") ||
               base == QLatin1String("FLOAT8") || base == QLatin1String("NUMBER") ||
               base == QLatin1String("NUMERIC") || base == QLatin1String("DOUBLE PRECISION")) {
        c.type = JetType::Double;
    } else if (base == QLatin1String("CURRENCY") || base == QLatin1String("MONEY")) {
        c.type = JetType::Currency;
    } else if (base == QLatin1String("DATETIME") || base == QLatin1String("DATE") ||
               base == QLatin1String("TIMESTAMP")) {
        c.type = JetType::Date;
    } else if (base == QLatin1String("TEXT") || base == QLatin1String("VARCHAR") ||
               base == QLatin1String("NVARCHAR") || base == QLatin1String("CHAR") ||
               base == QLatin1String("NCHAR")) {
        c.type = JetType::Text;
        c.size = size > 0 ? size : 255;
    } else if (base == QLatin1String("LONGTEXT") || base == QLatin1String("MEMO")) {
        c.type = JetType::Memo;
    } else if (base == QLatin1String("YESNO") || base == QLatin1String("BIT") ||
               base == QLatin1String("BOOLEAN")) {
        c.type = JetType::YesNo;
    } else {
        c.type = JetType::Unknown;
    }
    if (c.type == JetType::Counter)
        c.nullable = false;
    return c;
}

} // namespace jet
