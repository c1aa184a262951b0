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
    int size = 0;          // characters for text; 0 elsewhere
    bool nullable = true;
    QVariant defaultValue; // null when there is none
    bool primaryKey = false;
};

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
