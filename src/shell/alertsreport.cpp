#include "alertsreport.h"

#include "platform/vb/error.h"
#include "platform/vb/format.h"

#include <QFile>

namespace alerts {

QString BuildReport(const ReportInput &input)
{
    QStringList lines = {
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta charset='utf-8'>"),
        QStringLiteral("<title>Birthdays and Alerts</title>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<font face='Arial'>"),
        QStringLiteral("<font size='5'>Birthdays and Alerts</font>"),
        QStringLiteral("<font size='2'><br><br>"),
    };
    if (input.periodChosen)
        lines << QStringLiteral("<b>Viewing Birthdays Between ") +
                     vb::Format(input.from.startOfDay(), input.dateFormat).toHtmlEscaped() +
                     QStringLiteral(" And ") +
                     vb::Format(input.to.startOfDay(), input.dateFormat).toHtmlEscaped() +
                     QStringLiteral("</b>");
    lines << QStringLiteral("<br><br>")
          << QStringLiteral("<font size='3'><b>Birthdays</b></font><br>");
    for (const QString &entry : input.birthdays)
        lines << entry.toHtmlEscaped() + QStringLiteral("<br>");
    if (input.birthdays.isEmpty())
        lines << QStringLiteral("There are no birthdays.");
    lines << QStringLiteral("<br><br>")
          << QStringLiteral("<font size='3'><b>Alerts</b></font><br>");
    for (const QString &entry : input.alerts)
        lines << entry.toHtmlEscaped() + QStringLiteral("<br>");
    if (input.alerts.isEmpty())
        lines << QStringLiteral("There are no alerts.");
    lines << QStringLiteral("<br><br>");
    lines << QStringLiteral("</font><font size='1'>Printed by ") +
                 input.applicationName.toHtmlEscaped() + QStringLiteral(" at ") +
                 vb::Format(input.printedAt, QStringLiteral("General Date")) +
                 QStringLiteral(".</font></font>");
    lines << QStringLiteral("</body>") << QStringLiteral("</html>");
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void WriteReport(const QString &path, const ReportInput &input)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw vb::Error(75);
    const QByteArray bytes = BuildReport(input).toUtf8();
    if (file.write(bytes) != bytes.size())
        throw vb::Error(75);
}

} // namespace alerts
