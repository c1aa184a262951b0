#pragma once

#include <QString>
#include <QStringList>

// The two per-machine files in the application data folder.
//
// "DataPath.txt": line 1 the data folder without a trailing "/" or "%" (the
// application data folder), line 2 the data file's name, line 3 "N" to load that
// file at start-up without the data-file window (anything else: show it).
// "ovix-software.txt": line 1 a customer ID, line 2 its password, scrambled.
// Text in UTF-8, each line ended by CR LF; lines after those are ignored.
namespace shell {

QString DataPathFile();
QString WorkstationLoginFile();

// The lines of a text file (CR LF or LF), without their line ends. A file that
// cannot be read raises vb::Error 53 (missing) or 75.
QStringList ReadTextLines(const QString &path);

// Replaces the file by one of the lines, CR LF after each: the new file is written
// beside it and renamed into place. Raises vb::Error 75 when the file cannot be
// written; the file is then as it was.
void WriteTextLinesAnew(const QString &path, const QStringList &lines);

struct DataPathEntry
{
    QString folder; // as written: a folder or "%"
    QString fileName;
    QString showFlag = "Y"; // "N": load without the window
    bool complete = false;  // the file held all three lines
};

// Reads "DataPath.txt"; a file of fewer than three lines gives the show flag "Y".
// Raises vb::Error 53 when there is no such file.
DataPathEntry ReadDataPath();
void WriteDataPath(const QString &folder, const QString &fileName, const QString &showFlag);

} // namespace shell
