#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The birthdays-and-alerts report: an HTML document of the two lists.
namespace alerts {

struct ReportInput
{
    QStringList birthdays; // in list order
    QStringList alerts;
    bool periodChosen = true;
    QDate from; // the period, shown when chosen
    QDate to;
    QString dateFormat; // Global::DateFormat
    QString applicationName;
    QDateTime printedAt;
};

// The document, one line after another, each ended by CR LF. Every text from the
// data file or the settings is HTML-escaped.
QString BuildReport(const ReportInput &input);

// Writes the document (UTF-8) to the path; raises vb::Error 75 when it cannot.
void WriteReport(const QString &path, const ReportInput &input);

} // namespace alerts
