#pragma once

#include <QDateTime>
#include <QString>

namespace ui {
class FlexGrid;
}

namespace Global {

// The printable page of a grid: the title as the page's title and as a large bold
// heading, the sub-heading as it stands (it may hold HTML: a caller escapes any
// text from the data file in it), the grid as a table over the page's width (its
// columns of width 0 left out, the heading row grey and bold, every cell centred
// and its text escaped), then "Printed by " with the application's name and the
// time. One line after another, each ended by CR LF.
QString GridReportHtml(const ui::FlexGrid *grid, const QString &title, const QString &subHeading,
                       const QString &applicationName, const QDateTime &printedAt);

// Writes the page of the grid into a new temporary report file of the data folder
// and shows it in the report viewer, which deletes the file when it closes. A file
// that cannot be written raises vb::Error 75 and shows nothing.
void ShowGridAsHtmlReport(const ui::FlexGrid *grid, const QString &title,
                          const QString &subHeading);

} // namespace Global
