#include "sqliteerror.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace jet::detail {

namespace {

// The name in a message such as "no such table: main.Foo" (without the schema).
QString nameAfter(const QString &message, const QString &prefix)
{
    QString name = message.mid(prefix.size()).trimmed();
    if (name.startsWith(QLatin1String("main.")))
        name = name.mid(5);
    return name;
}

// A runtime error raised inside a SQL function: "[13] Type mismatch".
bool runtimeError(const QString &message, long &number, QString &description)
{
    static const QRegularExpression re(QStringLiteral("^\\[(\\d+)\\]\\s*(.*)$"),
                                       QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(message);
    if (!m.hasMatch())
        return false;
    number = m.captured(1).toLong();
    description = m.captured(2);
    return true;
}

} // namespace

QString unrecognisedFormat(const QString &file)
{
    return QStringLiteral("Unrecognized database format '%1'.").arg(file);
}

Error sqliteError(int resultCode, const QString &message, const QString &statement,
                  const QString &file)
{
    const int primary = resultCode & 0xff;
    const QString lower = message.toLower();

    long vbNumber = 0;
    QString vbDescription;
    if (runtimeError(message, vbNumber, vbDescription)) {
        if (vbNumber == 13)
            return Error(err::TypeMismatch,
                         QStringLiteral("Data type mismatch in criteria expression."), statement);
        return Error(err::Unspecified, vbDescription, statement);
    }

    switch (primary) {
    case SQLITE_NOTADB: return Error(err::Unspecified, unrecognisedFormat(file), statement);
    case SQLITE_CANTOPEN:
        return Error(err::Unspecified,
                     QStringLiteral("Could not find file '%1', or it cannot be opened.").arg(file),
                     statement);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Error(err::Unspecified,
                     QStringLiteral("Could not update; currently locked by another user."),
                     statement);
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return Error(err::Unspecified,
                     QStringLiteral("Cannot update. Database or object is read-only."), statement);
    case SQLITE_FULL:
        return Error(err::Unspecified, QStringLiteral("Not enough space on disk."), statement);
    case SQLITE_MISMATCH:
        return Error(err::TypeMismatch,
                     QStringLiteral("Data type mismatch in criteria expression."), statement);
    case SQLITE_CORRUPT: return Error(err::Unspecified, unrecognisedFormat(file), statement);
    case SQLITE_CONSTRAINT: {
        if (lower.startsWith(QLatin1String("unique constraint failed")) ||
            (resultCode == SQLITE_CONSTRAINT_PRIMARYKEY))
            return Error(
                err::Unspecified,
                QStringLiteral(
                    "The changes you requested to the table were not successful because they "
                    "would create duplicate values in the index, primary key, or relationship. "
                    "Change the data in the field or fields that contain duplicate data, remove "
                    "the index, or redefine the index to permit duplicate entries and try again."),
                statement);
        if (lower.startsWith(QLatin1String("not null constraint failed: ")))
            return Error(
                err::Unspecified,
                QStringLiteral("The field '%1' cannot contain a Null value because the "
                               "Required property for this field is set to True. Enter "
                               "a value in this field.")
                    .arg(nameAfter(message, QStringLiteral("NOT NULL constraint failed: "))),
                statement);
        return Error(err::Unspecified, message, statement);
    }
    default: break;
    }

    if (lower.startsWith(QLatin1String("no such table: ")))
        return Error(err::NoSuchTable,
                     QStringLiteral("The database engine cannot find the input table or query "
                                    "'%1'. Make sure it exists and that its name is spelled "
                                    "correctly.")
                         .arg(nameAfter(message, QStringLiteral("no such table: "))),
                     statement);
    static const QRegularExpression tableExists(QStringLiteral("^table \"?(.*?)\"? already exists"),
                                                QRegularExpression::CaseInsensitiveOption);
    if (const auto m = tableExists.match(message); m.hasMatch())
        return Error(err::SyntaxError,
                     QStringLiteral("Table '%1' already exists.").arg(m.captured(1)), statement);
    if (lower.startsWith(QLatin1String("no such column: ")))
        return Error(err::NoSuchColumn,
                     QStringLiteral("No value given for one or more required parameters."),
                     statement);
    if (lower.startsWith(QLatin1String("duplicate column name: ")))
        return Error(err::ColumnExists,
                     QStringLiteral("Field '%1' already exists in table.")
                         .arg(nameAfter(message, QStringLiteral("duplicate column name: "))),
                     statement);
    if (lower.startsWith(QLatin1String("no such function: ")))
        return Error(err::SyntaxError,
                     QStringLiteral("Undefined function '%1' in expression.")
                         .arg(nameAfter(message, QStringLiteral("no such function: "))),
                     statement);
    if (lower.contains(QLatin1String("syntax error")) ||
        lower.startsWith(QLatin1String("incomplete input")) ||
        lower.startsWith(QLatin1String("wrong number of arguments")))
        return Error(err::SyntaxError,
                     QStringLiteral("Syntax error in SQL statement (%1).").arg(message), statement);
    return Error(err::Unspecified, message, statement);
}

Error sqliteError(sqlite3 *db, int resultCode, const QString &statement)
{
    const char *file = db ? sqlite3_db_filename(db, "main") : nullptr;
    return sqliteError(resultCode,
                       QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode)),
                       statement, QString::fromUtf8(file ? file : ""));
}

} // namespace jet::detail
