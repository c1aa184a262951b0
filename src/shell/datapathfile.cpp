#include "datapathfile.h"

#include "core/imodvista.h"
#include "platform/vb/error.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace shell {

QString DataPathFile()
{
    return imodVista::GetAppDataFolder() + QStringLiteral("DataPath.txt");
}

QString WorkstationLoginFile()
{
    return imodVista::GetAppDataFolder() + QStringLiteral("ovix-software.txt");
}

QStringList ReadTextLines(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        throw vb::Error(vb::err::FileNotFound);
    if (!file.open(QIODevice::ReadOnly))
        throw vb::Error(75, QStringLiteral("Path/File access error"));
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    // The line end after the last line does not start another one.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void WriteTextLinesAnew(const QString &path, const QStringList &lines)
{
    // Written beside the file and renamed into its place once complete, so that a
    // failed write leaves the file as it was.
    QSaveFile file(path);
    // Unbuffered, so that a short write shows here rather than pass unnoticed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw vb::Error(75, QStringLiteral("Path/File access error"));
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw vb::Error(75, QStringLiteral("Path/File access error"));
}

DataPathEntry ReadDataPath()
{
    const QStringList lines = ReadTextLines(DataPathFile());
    DataPathEntry entry;
    entry.folder = lines.value(0);
    entry.fileName = lines.value(1);
    if (lines.size() >= 3) {
        entry.showFlag = lines.at(2);
        entry.complete = true;
    }
    return entry;
}

void WriteDataPath(const QString &folder, const QString &fileName, const QString &showFlag)
{
    WriteTextLinesAnew(DataPathFile(), {folder, fileName, showFlag});
}

} // namespace shell
