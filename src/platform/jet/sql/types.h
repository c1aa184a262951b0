#pragma once

#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

namespace jet {

// The column types of a data file, as the program's DDL names them.
enum class JetType {
    Unknown,  // an expression whose type cannot be told
    Counter,  // COUNTER / AUTOINCREMENT: 32-bit key the database assigns, never reused
    Long,     // INT, INTEGER, LONG
    Short,    // SHORT, SMALLINT
    Byte,     // BYTE
    Single,   // SINGLE, REAL
    Double,   // DOUBLE, FLOAT, NUMBER
    Currency, // CURRENCY, MONEY: fixed point, four decimals
    Date,     // DATE, DATETIME, TIMESTAMP
    Text,     // TEXT(n), VARCHAR(n), NVARCHAR(n), CHAR(n)
    Memo,     // MEMO, LONGTEXT
    YesNo,    // YESNO, BIT
};

// How a column of a table is declared.
struct Column
{
    QString name;
    JetType type = JetType::Unknown;
    int size = 0; // characters for text; 0 elsewhere
    bool nullable = true;
    QVariant defaultValue; // null when there is none
    bool primaryKey = false;
};

// The type a column is declared with in the SQLite file (what PRAGMA table_info reports as its
// type): the Jet type stays readable and SQLite's type affinity fits it. "TEXT(50)", "LONGTEXT",
// "LONG", "SHORT", "BYTE", "REAL" (Single), "DOUBLE", "CURRENCY", "DATETIME", "YESNO"; a COUNTER
// is "INTEGER", the table's INTEGER PRIMARY KEY AUTOINCREMENT. Text columns are also declared
// COLLATE NOCASE, which is not part of the type.
QString declaredType(const Column &column);

// A column as the file describes it (PRAGMA table_info: name, type, notnull, dflt_value, pk),
// isAutoincrementTable telling whether the table was created with AUTOINCREMENT.
Column columnFromDeclared(const QString &name, const QString &declaredTypeText, bool notnull,
                          const QString &defaultText, bool pk, bool isAutoincrementTable);

// What the translator needs to know of the open file's tables.
class Catalog
{
public:
    virtual ~Catalog() = default;
    // The columns of a table in their order, or nothing when the table does not exist.
    // Table names are matched without regard to case.
    virtual std::optional<std::vector<Column>> columns(const QString &table) const = 0;
};

} // namespace jet
