#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

// Support scripts: files of SQL statements that the program's support staff send to
// a centre. Line 1 is free, line 2 holds the script's access code scrambled, and
// from line 3 on come the statements, each ended by ";".
namespace shell {

// The key the access codes of support scripts are scrambled with.
constexpr int SupportScriptKey = 11;

struct SupportScript
{
    QString accessCode;
    // Each statement as read: carriage returns dropped, line feeds kept, up to and
    // including its ";". Text after the last ";" is not a statement.
    QStringList statements;
};

// Reads a script from its text. A line 2 that cannot be unscrambled raises vb::Error 5.
SupportScript ParseSupportScript(const QByteArray &contents);
// The file's statements; a file that cannot be read raises vb::Error 53.
SupportScript ReadSupportScript(const QString &path);

// Line 2 of a script for an access code (the inverse of what the reader does).
QString ScrambleAccessCode(const QString &accessCode);

// Splits at every ";" outside quoted text ('...' or "..."); see SupportScript.
QStringList SplitStatements(const QString &text);

// Whether a statement reads rows: trimmed, its first six characters or its
// characters two to seven are "select" in any letter case.
bool IsSelectStatement(const QString &statement);

// One value as the export writes it: Null empty, else its text; quoted as CSV
// quotes it when it holds a comma, a quote or a line break.
QString ExportField(const QVariant &value);
QString ExportLine(const QVariantList &values);

// "support_export.ovixsql" in the application data folder.
QString SupportExportFile();

struct SupportScriptResult
{
    int errors = 0;
    bool selectOutput = false;
};

// Runs the statements against the open data file: action statements through
// imodData::ExecSQL (adapted and logged), SELECT statements directly on the
// connection, each writing its rows to the export file afresh. Failures are
// counted (a failing statement holding "DROP " is not); more than 5000 end the run.
SupportScriptResult RunSupportScript(const QStringList &statements, const QString &exportFile);

} // namespace shell
