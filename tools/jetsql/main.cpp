// jetsql [--translate] FILE
//
// Reads Jet statements from standard input, one a line (a line that ends in "\" goes on
// on the next), runs each on the data file FILE through the engine and writes one JSON
// object a line:
//   {"columns":[…],"types":[…],"rows":[[…],…]}   for a statement that returns rows
//   {"affected":N}                                for one that does not
//   {"error":{"number":N,"description":"…"}}      for one that fails
// With --translate it writes the SQLite text of each statement instead of running it.
#include "platform/jet/connection.h"
#include "platform/jet/recordset.h"
#include "platform/jet/sql/error.h"
#include "platform/vb/currency.h"
#include "platform/vb/datetime.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

QString jsonText(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

QString jsonNumber(double d)
{
    return QString::number(d, 'g', QLocale::FloatingPointShortest);
}

QString typeName(jet::JetType type)
{
    switch (type) {
    case jet::JetType::Counter: return QStringLiteral("COUNTER");
    case jet::JetType::Long: return QStringLiteral("LONG");
    case jet::JetType::Short: return QStringLiteral("SHORT");
    case jet::JetType::Byte: return QStringLiteral("BYTE");
    case jet::JetType::Single: return QStringLiteral("SINGLE");
    case jet::JetType::Double: return QStringLiteral("DOUBLE");
    case jet::JetType::Currency: return QStringLiteral("CURRENCY");
    case jet::JetType::Date: return QStringLiteral("DATETIME");
    case jet::JetType::Text: return QStringLiteral("TEXT");
    case jet::JetType::Memo: return QStringLiteral("MEMO");
    case jet::JetType::YesNo: return QStringLiteral("YESNO");
    case jet::JetType::Unknown: break;
    }
    return QStringLiteral("UNKNOWN");
}

QString jsonValue(const QVariant &v)
{
    if (v.isNull())
        return QStringLiteral("null");
    switch (v.typeId()) {
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Int:
    case QMetaType::LongLong: return QString::number(v.toLongLong());
    case QMetaType::Double: return jsonNumber(v.toDouble());
    case QMetaType::QDateTime: return jsonText(vb::storageText(v.toDateTime()));
    default: break;
    }
    if (v.typeId() == qMetaTypeId<vb::Currency>())
        return v.value<vb::Currency>().toString();
    return jsonText(v.toString());
}

QString errorLine(const jet::Error &e)
{
    return QStringLiteral("{\"error\":{\"number\":%1,\"description\":%2}}")
        .arg(e.number())
        .arg(jsonText(e.description()));
}

QString rowsLine(jet::Recordset &rs)
{
    QStringList columns, types, rows;
    for (int i = 0; i < rs.fieldCount(); ++i) {
        columns << jsonText(rs.fieldName(i));
        types << jsonText(typeName(rs.fieldType(i)));
    }
    for (; !rs.eof(); rs.moveNext()) {
        QStringList values;
        for (int i = 0; i < rs.fieldCount(); ++i)
            values << jsonValue(rs.value(i));
        rows << QLatin1Char('[') + values.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    return QStringLiteral("{\"columns\":[%1],\"types\":[%2],\"rows\":[%3]}")
        .arg(columns.join(QLatin1Char(',')), types.join(QLatin1Char(',')),
             rows.join(QLatin1Char(',')));
}

QString run(jet::Connection &db, const QString &statement, bool translateOnly)
{
    try {
        const jet::sql::Translation t = db.translate(statement);
        if (translateOnly) {
            QStringList texts;
            for (const QString &s : t.statements)
                texts << s;
            return texts.join(QLatin1String(";\n"));
        }
        if (t.kind == jet::sql::Translation::Kind::Select) {
            jet::Recordset rs(db, statement);
            return rowsLine(rs);
        }
        return QStringLiteral("{\"affected\":%1}").arg(db.execute(statement));
    } catch (const jet::Error &e) {
        return errorLine(e);
    }
}

void write(const QString &line)
{
    const QByteArray utf8 = line.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool translateOnly = args.removeAll(QStringLiteral("--translate")) > 0;
    if (args.size() != 1 || args.front().startsWith(QLatin1String("--"))) {
        std::fprintf(stderr, "usage: jetsql [--translate] FILE < statements\n");
        return 2;
    }

    jet::Connection db;
    try {
        db.open(QStringLiteral("Data Source=") + args.front());
    } catch (const jet::Error &e) {
        write(errorLine(e));
        return 1;
    }

    std::string line;
    QString statement;
    while (std::getline(std::cin, line)) {
        QString text = QString::fromUtf8(line.data(), qsizetype(line.size()));
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('\\'))) {
            text.chop(1);
            statement += text + QLatin1Char('\n');
            continue;
        }
        statement += text;
        if (!statement.trimmed().isEmpty())
            write(run(db, statement, translateOnly));
        statement.clear();
    }
    if (!statement.trimmed().isEmpty())
        write(run(db, statement, translateOnly));
    return 0;
}
