#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace imodStudents {

// The lines of an HTML list document: "<html>" ... the title, the heading in large
// type, the body lines as given (already HTML), then "Printed by" with the
// application's name and the time, "</body>" and "</html>". The title, heading and
// name are escaped here.
QStringList ListDocumentLines(const QString &title, const QString &heading,
                              const QStringList &body, const QString &applicationName,
                              const QDateTime &printedAt);

} // namespace imodStudents
