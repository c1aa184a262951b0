#pragma once

#include "platform/jet/catalog.h"
#include "platform/jet/sql/translator.h"
#include "platform/jet/sql/types.h"

#include <QString>
#include <QStringList>
#include <vector>

struct sqlite3;

namespace jet {

// ADO's object states.
enum class ObjectState { Closed = 0, Open = 1 };

// A connection to one data file, in the shape of ADO's: a connection string whose
// "Data Source" names the file (the rest is ignored), open and close, statements that
// return no rows, transactions, an online backup and the structure of the file.
// Every statement is Jet SQL, translated before it runs. Failures throw jet::Error.
// Several connections, in one process or several, may use one file at once (rollback
// journal; a statement waits up to a few seconds for another connection's lock). A
// connection and its recordsets belong to the thread that opened it.
class Connection
{
public:
    Connection() = default;
    explicit Connection(const QString &connectionString);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    QString connectionString() const { return m_connectionString; }
    void setConnectionString(const QString &connectionString);
    // The file named by "Data Source".
    QString dataSource() const;

    // Opens the file of the connection string. A missing or unreadable file, or one that
    // is not a data file of this kind, fails with err::Unspecified ("Unrecognized
    // database format ..." for a file of the wrong kind).
    void open();
    void open(const QString &connectionString);
    // Closes the connection; open recordsets keep what they have read.
    void close();
    ObjectState state() const { return m_db ? ObjectState::Open : ObjectState::Closed; }
    bool isOpen() const { return m_db != nullptr; }

    // Runs a statement that returns no rows; the rows it inserted, changed or deleted.
    qint64 execute(const QString &jetSql);

    // Transactions nest; each level is committed or rolled back on its own. BeginTrans
    // gives the new level.
    int beginTrans();
    void commitTrans();
    void rollbackTrans();
    int transactionLevel() const { return m_transactionLevel; }

    // Copies the open file to `path` (SQLite's online backup, never a raw copy); an
    // existing file there is replaced only by a complete copy.
    void backupTo(const QString &path);

    // The structure of the file.
    QStringList tables();
    // The columns of a table in their order; err::NoSuchTable when there is none.
    std::vector<Column> columns(const QString &table);
    bool tableExists(const QString &table);
    bool columnExists(const QString &table, const QString &column);
    // The number of columns a query gives (also when it gives no rows).
    int columnCount(const QString &jetSql);
    // Renames a column in place: err::NoSuchTable, err::ItemNotFound for a column that
    // is not there, err::ColumnExists when the new name is taken.
    void renameColumn(const QString &table, const QString &oldName, const QString &newName);

    // The catalogue the translator reads (kept current with the file's structure).
    const FileCatalog &catalog();
    // The same as it was when last checked for changes (by catalog() or translate()).
    const FileCatalog &catalogAsChecked() const { return m_catalog; }
    // The statement translated for this file, its values written in.
    sql::Translation translate(const QString &jetSql);
    // The same as its shape and values (sql::translateShaped): what the connection runs.
    sql::Translation translateShaped(const QString &jetSql);

    sqlite3 *handle() const { return m_db; }
    // Throws err::ClosedObject when the connection is not open.
    sqlite3 *openHandle() const;

private:
    void runTranslated(const sql::Translation &t, const QString &jetSql, qint64 *affected);

    QString m_connectionString;
    sqlite3 *m_db = nullptr;
    FileCatalog m_catalog;
    int m_transactionLevel = 0;
};

} // namespace jet
