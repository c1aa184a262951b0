#include "supportscript.h"

#include "core/globaldata.h"
#include "core/globalpaths.h"
#include "core/imoddata.h"
#include "core/imodvista.h"
#include "core/listfillers.h"
#include "platform/jet/recordset.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"

#include <QFile>

namespace shell {

namespace {

constexpr int MaxErrors = 5000;

// Writes the rows of one SELECT statement to the export file, made afresh.
void exportRows(const QString &statement, const QString &exportFile)
{
    jet::Recordset rs(Global::DbConnection(), statement);
    QFile::remove(exportFile);
    QFile file(exportFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw vb::Error(vb::err::PermissionDenied, file.errorString());
    while (!rs.eof()) {
        QVariantList values;
        for (int i = 0; i < rs.fieldCount(); ++i)
            values << rs.value(i);
        if (file.write((ExportLine(values) + QStringLiteral("\r\n")).toUtf8()) < 0)
            throw vb::Error(vb::err::PermissionDenied, file.errorString());
        rs.moveNext();
    }
    rs.close();
    if (!file.flush())
        throw vb::Error(vb::err::PermissionDenied, file.errorString());
}

} // namespace

SupportScript ParseSupportScript(const QByteArray &contents)
{
    const QString text = QString::fromUtf8(contents);
    SupportScript script;
    const qsizetype end1 = text.indexOf(QLatin1Char('\n'));
    if (end1 < 0)
        return script;
    const qsizetype end2 = text.indexOf(QLatin1Char('\n'), end1 + 1);
    QString line2 = text.mid(end1 + 1, end2 < 0 ? -1 : end2 - end1 - 1);
    line2.remove(QLatin1Char('\r'));
    script.accessCode = imodGlobalSubs::ShiftString(line2, false, SupportScriptKey);
    if (end2 >= 0)
        script.statements = SplitStatements(text.mid(end2 + 1));
    return script;
}

SupportScript ReadSupportScript(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw vb::Error(vb::err::FileNotFound, QStringLiteral("File not found: '%1'").arg(path));
    return ParseSupportScript(file.readAll());
}

QString ScrambleAccessCode(const QString &accessCode)
{
    return imodGlobalSubs::ShiftString(accessCode, true, SupportScriptKey);
}

QStringList SplitStatements(const QString &text)
{
    QStringList statements;
    QString current;
    QChar quote; // the quote that opened the text being read, or null outside text
    for (const QChar c : text) {
        if (c == QLatin1Char('\r'))
            continue;
        current += c;
        if (!quote.isNull()) {
            // A doubled quote inside text closes and reopens it: the same result.
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            statements << current;
            current.clear();
        }
    }
    return statements;
}

bool IsSelectStatement(const QString &statement)
{
    const QString s = statement.trimmed();
    const QLatin1String select("select");
    return s.left(6).compare(select, Qt::CaseInsensitive) == 0 ||
           s.mid(1, 6).compare(select, Qt::CaseInsensitive) == 0;
}

QString ExportField(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return {};
    QString text = vb::CStr(value);
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
        text.replace(QLatin1String("\""), QLatin1String("\"\""));
        text = QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

QString ExportLine(const QVariantList &values)
{
    QStringList fields;
    for (const QVariant &v : values)
        fields << ExportField(v);
    return fields.join(QLatin1Char(','));
}

QString SupportExportFile()
{
    return Global::StripTrailingSlash(imodVista::GetAppDataFolder()) +
           QStringLiteral("/support_export.ovixsql");
}

SupportScriptResult RunSupportScript(const QStringList &statements, const QString &exportFile)
{
    SupportScriptResult result;
    for (const QString &statement : statements) {
        if (result.errors > MaxErrors)
            break;
        if (!IsSelectStatement(statement)) {
            if (imodData::ExecSQL(statement, false) != 0 &&
                !statement.contains(QLatin1String("DROP ")))
                ++result.errors;
            continue;
        }
        try {
            exportRows(statement, exportFile);
            result.selectOutput = true;
        } catch (...) {
            ++result.errors;
        }
    }
    return result;
}

} // namespace shell
