#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace ui {

// One choice of a file dialog's filter, written "Description|*.ext;*.ex2|...".
struct FileFilter
{
    QString description;
    QStringList patterns;

    // The pairs of a filter text; a description without its patterns is dropped.
    static QList<FileFilter> parse(const QString &filter);
    // Whether a file name (the name alone or a path) matches one of the patterns,
    // without regard to case.
    bool matches(const QString &fileName) const;
    // The filter as a Qt file dialog takes it, with patterns that match any case.
    QString toQtFilter() const;
};

} // namespace ui
