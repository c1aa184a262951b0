#include "filefilter.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace ui {

QList<FileFilter> FileFilter::parse(const QString &filter)
{
    QList<FileFilter> result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter f;
        f.description = parts.at(i).trimmed();
        for (const QString &p : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (!p.trimmed().isEmpty())
                f.patterns << p.trimmed();
        }
        if (!f.patterns.isEmpty())
            result << f;
    }
    return result;
}

bool FileFilter::matches(const QString &fileName) const
{
    const QString name = QFileInfo(fileName).fileName();
    for (const QString &p : patterns) {
        if (p == QLatin1String("*.*") ||
            QRegularExpression::fromWildcard(p, Qt::CaseInsensitive).match(name).hasMatch())
            return true;
    }
    return false;
}

QString FileFilter::toQtFilter() const
{
    // Each letter becomes [xX]: Qt's dialog matches patterns with case on Linux.
    QStringList anyCase;
    for (const QString &p : patterns) {
        if (p == QLatin1String("*.*")) { // every file, also those without a dot
            anyCase << QStringLiteral("*");
            continue;
        }
        QString out;
        for (const QChar c : p) {
            if (c.isLetter() && c.toLower() != c.toUpper())
                out += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
            else
                out += c;
        }
        anyCase << out;
    }
    return description + QStringLiteral(" (") + anyCase.join(QLatin1Char(' ')) + QLatin1Char(')');
}

} // namespace ui
