#include "globaldata.h"

#include "core/centresettings.h"
#include "platform/jet/connection.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"

#include <QDir>
#include <QFile>
#include <memory>

namespace Global {

namespace {

std::unique_ptr<jet::Connection> &connection()
{
    static std::unique_ptr<jet::Connection> instance;
    return instance;
}

// One statement, one line: line breaks and the escape character itself are escaped.
QString oneLine(const QString &sql)
{
    QString line;
    line.reserve(sql.size());
    for (const QChar c : sql) {
        switch (c.unicode()) {
        case '\\': line += QLatin1String("\\\\"); break;
        case '\r': line += QLatin1String("\\r"); break;
        case '\n': line += QLatin1String("\\n"); break;
        default: line += c;
        }
    }
    return line;
}

} // namespace

jet::Connection &DbConnection()
{
    auto &instance = connection();
    if (!instance)
        instance = std::make_unique<jet::Connection>();
    return *instance;
}

void DropDbConnection()
{
    auto &instance = connection();
    if (instance && instance->isOpen())
        instance->close();
    instance.reset();
}

QString AdaptSql(const QString &sql)
{
    const QString adapted = DatabaseType == QLatin1String("Jet") ? sql : QString();
    if (CurrentUserId != NoLogsUserId)
        WriteSqlLog(adapted);
    return adapted;
}

void WriteSqlLog(const QString &sql)
{
    WriteSqlLog(sql, vb::Now());
}

QString SqlLogFileName(const QString &dataFile, const QDateTime &now)
{
    QString name = dataFile;
    name.replace(QLatin1Char('.'), QLatin1Char('-'));
    return name + QLatin1Char('-') + now.toString(QStringLiteral("yyyy-MM")) +
           QStringLiteral(".txt");
}

void WriteSqlLog(const QString &sql, const QDateTime &now)
{
    if (sql.startsWith(QLatin1String("SELECT")))
        return;
    try {
        const QString dataFolder = CentreSettings().DataFilesDirectory();
        if (dataFolder.isEmpty())
            return; // no data folder known yet: nowhere to log
        const QString folder = dataFolder + QStringLiteral("/Logs");
        if (!QDir().mkpath(folder))
            return;
        QFile file(folder + QLatin1Char('/') + SqlLogFileName(CurrentDataFile, now));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        const QString line = vb::Format(now, QStringLiteral("Short Date")) + QLatin1Char(' ') +
                             vb::Format(now, QStringLiteral("Long Time")) + QLatin1Char('\t') +
                             CurrentUserId + QLatin1Char('\t') + oneLine(sql) +
                             QStringLiteral("\r\n");
        file.write(line.toUtf8());
    } catch (...) {
        // The log never stops the work: the line is lost.
    }
}

} // namespace Global
