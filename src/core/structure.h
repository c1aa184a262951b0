#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace jet {
class Connection;
}

// The structure of a data file: every table with its columns in their order (several
// windows read columns by position, so the order is part of the structure), the keys,
// the unique indexes that make a duplicate fail, and the indexes the program's queries
// need. The template data file "new.md_" is made from it.
namespace imodStructure {

struct ColumnDef
{
    QString name;
    QString type;       // as the Jet DDL writes it: "NVARCHAR(255)", "INT DEFAULT 0 NOT NULL"
    bool added = false; // added by an upgrade step: an older file lacks it
};

struct IndexDef
{
    QString name;
    QStringList columns;
    bool unique = false;
};

struct TableDef
{
    TableDef(QString name, bool added = false, std::vector<ColumnDef> columns = {},
             QStringList primaryKey = {}, QStringList foreignKeys = {},
             std::vector<IndexDef> indexes = {})
        : name(std::move(name))
        , added(added)
        , columns(std::move(columns))
        , primaryKey(std::move(primaryKey))
        , foreignKeys(std::move(foreignKeys))
        , indexes(std::move(indexes))
    {}

    QString name;
    bool added = false; // created by the upgrade: an older file lacks the whole table
    std::vector<ColumnDef> columns;
    QStringList primaryKey;  // besides a COUNTER, which is always the key
    QStringList foreignKeys; // "FOREIGN KEY (StreamID) REFERENCES CertificateStream"
    std::vector<IndexDef> indexes;
};

// The template's file name in the application data folder.
inline const QString TemplateFileName = QStringLiteral("new.md_");

// The permission columns of Users in the order of their index (column = index + 4); the
// first BaseUserPermissions are base columns, the others are added by the upgrade.
const QStringList &UserPermissionColumns();
constexpr int BaseUserPermissions = 42;

// Every table of a current data file, in name order of creation.
const std::vector<TableDef> &Tables();
// The table of that name (exact spelling), or nullptr.
const TableDef *FindTable(const QString &name);

// The Jet statement that creates the table: every column, or with baseOnly the columns
// an older file has before the upgrade adds its own (an older file has no added table).
QString CreateTableSql(const TableDef &table, bool baseOnly = false);
// The Jet statements that create the table's indexes (those on columns an older
// file lacks are left out with baseOnly).
QStringList CreateIndexSql(const TableDef &table, bool baseOnly = false);
// The rows a new data file starts with, as Jet INSERT statements.
QStringList TemplateRowsSql();

// Makes an empty data file at path (replacing nothing: fails when the file exists).
// Throws jet::Error.
void CreateEmptyDataFile(const QString &path);

// Writes a data file to path: an empty one is filled inside one transaction and
// appears under its name only when complete (an existing file there is replaced).
// Throws jet::Error, or what fill throws; nothing is left behind then.
void WriteDataFile(const QString &path, const std::function<void(jet::Connection &)> &fill);

// Makes every table and index of the structure and the rows a new data file starts with.
void FillTemplate(jet::Connection &db);

// Writes the template data file to path: every table and index, and the rows a new
// data file starts with. The file appears only when complete; an existing file there
// is replaced. Throws jet::Error.
void CreateTemplate(const QString &path);

// The template in the application data folder, made when missing. Gives its path, or the
// empty text when it could not be made.
QString InstallTemplate();

} // namespace imodStructure
