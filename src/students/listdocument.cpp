#include "listdocument.h"

#include "platform/vb/format.h"

namespace imodStudents {

QStringList ListDocumentLines(const QString &title, const QString &heading,
                              const QStringList &body, const QString &applicationName,
                              const QDateTime &printedAt)
{
    QStringList lines{QStringLiteral("<html>"),
                      QStringLiteral("<head>"),
                      QStringLiteral("<title>") + title.toHtmlEscaped() + QStringLiteral("</title>"),
                      QStringLiteral("</head>"),
                      QStringLiteral("<body>"),
                      QStringLiteral("<font face='Arial'>"),
                      QStringLiteral("<font size='5'>") + heading.toHtmlEscaped() +
                          QStringLiteral("</font>"),
                      QStringLiteral("<font size='2'><br><br>")};
    lines << body;
    lines << QStringLiteral("</font><font size='1'>Printed by ") +
                 applicationName.toHtmlEscaped() + QStringLiteral(" at ") +
                 vb::Format(printedAt, QStringLiteral("General Date")) +
                 QStringLiteral(".</font></font>")
          << QStringLiteral("</body>") << QStringLiteral("</html>");
    return lines;
}

} // namespace imodStudents
