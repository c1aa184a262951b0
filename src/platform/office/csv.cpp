#include "csv.h"

#include "platform/vb/error.h"

#include <QFile>
#include <QFileInfo>

namespace office {

QString CsvField(const QString &value)
{
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CsvLine(const QStringList &values)
{
    QStringList fields;
    fields.reserve(values.size());
    for (const QString &v : values)
        fields << CsvField(v);
    return fields.join(QLatin1Char(','));
}

QString MergeData::value(int record, const QString &field) const
{
    int column = -1;
    for (int i = 0; i < fields.size() && column < 0; ++i)
        if (fields.at(i).compare(field, Qt::CaseInsensitive) == 0)
            column = i;
    if (column < 0 || record < 0 || record >= records.size())
        return {};
    return records.at(record).value(column);
}

MergeData ParseCsv(const QByteArray &utf8)
{
    QString text = QString::fromUtf8(utf8);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<QStringList> lines;
    QStringList line;
    QString field;
    bool quoted = false;
    bool any = false; // the line has begun
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (c == QLatin1Char(',')) {
            line << field;
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            line << field;
            lines << line;
            line.clear();
            field.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty()) {
        line << field;
        lines << line;
    }
    MergeData data;
    if (!lines.isEmpty())
        data.fields = lines.takeFirst();
    for (QStringList &l : lines) {
        // An empty line is one empty record.
        if (l.size() == 1 && l.first().isEmpty())
            l.clear();
        data.records << l;
    }
    return data;
}

MergeData ReadCsvFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw vb::Error(QFileInfo::exists(path) ? 75 : 53);
    return ParseCsv(file.readAll());
}

} // namespace office
