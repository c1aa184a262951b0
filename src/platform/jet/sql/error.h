#pragma once

#include <QString>
#include <stdexcept>

namespace jet {

// Every failure of the data engine: a Jet/ADO error number, a description and
// the statement that failed (empty when none ran).
class Error : public std::runtime_error
{
public:
    Error(long number, const QString &description, const QString &statement = {})
        : std::runtime_error(description.toStdString())
        , m_number(number)
        , m_description(description)
        , m_statement(statement)
    {}

    long number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }
    const QString &statement() const noexcept { return m_statement; }

private:
    long m_number;
    QString m_description;
    QString m_statement;
};

// The error numbers the program tests for.
namespace err {
constexpr long Unspecified = -2147467259;   // duplicate key, unrecognised file, generic failure
constexpr long NoSuchTable = -2147217865;   // the table does not exist
constexpr long SyntaxError = -2147217900;   // syntax error; also a table that already exists
constexpr long NoSuchColumn = -2147217904;  // no value given for a parameter (unknown column)
constexpr long TypeMismatch = -2147217913;  // data type mismatch in criteria expression
constexpr long WriteConflict = -2147217864; // the row changed or was deleted since it was read
constexpr long ColumnExists = -2147217887;  // a field of that name already exists (ADD COLUMN)
constexpr long ClosedObject = 3704;         // operation not allowed when the object is closed
constexpr long OpenObject = 3705;           // operation not allowed when the object is open
constexpr long NoTransaction = -2147168242; // commit or roll back without a transaction
constexpr long NotUpdatable = -2147217911;  // the field or recordset cannot be updated
constexpr long NoCurrentRecord = 3021;      // BOF or EOF is true, or the record was deleted
constexpr long InvalidArgument = 3001;      // an argument out of range (a record position)
constexpr long ItemNotFound = 3265;         // item not found in this collection (field name)
} // namespace err

} // namespace jet
