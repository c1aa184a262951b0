#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated data files as form letters read them: UTF-8 text, a header line
// of field names, one record a line.
namespace office {

// A value as one field of a line: as it stands, or between double quotes (inner
// quotes doubled) when it holds a comma, a quote or a line break.
QString CsvField(const QString &value);
// The fields joined by commas, each written by CsvField.
QString CsvLine(const QStringList &values);

// The lines of a data file: the header's field names and the records.
struct MergeData
{
    QStringList fields;
    QList<QStringList> records;
    // The record's value of a field, found without regard to case; empty when the
    // field or the value is missing.
    QString value(int record, const QString &field) const;
};

// Reads quoted fields (with commas, doubled quotes and line breaks inside them) and
// lines ended by CR LF or LF; a leading byte-order mark is skipped. An empty line
// is an empty record.
MergeData ParseCsv(const QByteArray &utf8);
// Reads a data file; a file that cannot be read raises vb::Error 53 (missing) or 75.
MergeData ReadCsvFile(const QString &path);

} // namespace office
