#include "gridreport.h"

#include "core/centresettings.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "shell/frmreportviewer.h"

#include <QFile>
#include <QStringList>

namespace Global {

QString GridReportHtml(const ui::FlexGrid *grid, const QString &title, const QString &subHeading,
                       const QString &applicationName, const QDateTime &printedAt)
{
    const QString heading = title.toHtmlEscaped();
    const QStringList lines = {
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta charset='utf-8'>"),
        QStringLiteral("<title>") + heading + QStringLiteral("</title>"),
        QStringLiteral("<style>table { width: 100%; } td, th { text-align: center; } "
                       "tr:first-child > th { background-color: #C0C0C0; font-weight: bold; "
                       "}</style>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body><font face='Arial' size='2'>"),
        QStringLiteral("<font size='4'><b>") + heading + QStringLiteral("</b></font>"),
        QStringLiteral("<br>"),
        QStringLiteral("<br>"),
        subHeading,
        QStringLiteral("<br>"),
        QStringLiteral("<br>"),
        grid->toHtml().trimmed(),
        QStringLiteral("<br>"),
        QStringLiteral("</font><font size='1'>Printed by ") + applicationName.toHtmlEscaped() +
            QStringLiteral(" at ") + vb::Format(printedAt, QStringLiteral("General Date")) +
            QStringLiteral(".</font></font>"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    };
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void ShowGridAsHtmlReport(const ui::FlexGrid *grid, const QString &title, const QString &subHeading)
{
    const QByteArray bytes =
        GridReportHtml(grid, title, subHeading, CentreSettings().ApplicationName(),
                       QDateTime::currentDateTime())
            .toUtf8();
    const QString path = TempReportFile();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw vb::Error(75);
    if (file.write(bytes) != bytes.size()) {
        file.remove();
        throw vb::Error(75);
    }
    file.close();
    auto *viewer = ui::Forms::shared<frmReportViewer>();
    viewer->SetTempFile(path);
    viewer->showForm();
}

} // namespace Global
