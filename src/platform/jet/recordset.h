#pragma once

#include "platform/jet/connection.h"
#include "platform/jet/field.h"
#include "platform/jet/sql/translator.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

namespace jet {

namespace detail {
class RowSource;
class RowWriter;
struct Row;
} // namespace detail

// ADO's edit modes.
enum class EditMode { None = 0, InProgress = 1, Add = 2 };

// A recordset in the shape of ADO's static, optimistic one: opened on a connection with
// a Jet statement, it reads every row at open (a snapshot) and knows its exact count.
// A statement of every column of one table ("SELECT T.* FROM T [WHERE …] [ORDER BY …]")
// reads nothing at open: its rows come in pages by key when they are first needed, and
// nothing holds the file locked between calls.
//
// Values: Null is a null QVariant; DATE gives a QDateTime (UTC spec, the floating
// clock); CURRENCY a vb::Currency; Yes/No a bool; whole numbers an int; text a QString.
// Changes go to the table each field comes from, found by its primary key (or, for a
// table without one, the row's own identity); a row that another connection changed or
// deleted since it was read is not written (err::WriteConflict). Failures throw jet::Error.
class Recordset
{
public:
    // ADO's AbsolutePosition values when there is no current row.
    static constexpr qint64 PosUnknown = -1;
    static constexpr qint64 PosBOF = -2;
    static constexpr qint64 PosEOF = -3;

    Recordset();
    Recordset(Connection &connection, const QString &source);
    ~Recordset();
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    QString source() const { return m_source; }
    void setSource(const QString &source);
    Connection *activeConnection() const { return m_connection; }
    void setActiveConnection(Connection *connection);

    // Opens on the source. A statement that returns no rows is run and leaves the
    // recordset closed, as ADO does.
    void open();
    void open(const QString &source, Connection &connection);
    // Closes; a change not yet written is dropped.
    void close();
    ObjectState state() const { return m_open ? ObjectState::Open : ObjectState::Closed; }
    bool isOpen() const { return m_open; }

    qint64 recordCount();
    bool eof();
    bool bof();
    // Moving writes a pending change first, as ADO does. MoveNext at EOF and
    // MovePrevious at BOF fail with err::NoCurrentRecord.
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // 1-based; PosBOF or PosEOF when there is no current row.
    qint64 absolutePosition();
    void setAbsolutePosition(qint64 position);

    int fieldCount() const { return int(m_fields.size()); }
    // By position (from 0) or by name, without regard to case; err::ItemNotFound else.
    Field field(int index);
    Field field(const QString &name);
    Field operator[](int index) { return field(index); }
    Field operator[](const QString &name) { return field(name); }
    // The position of a field, or -1.
    int fieldIndex(const QString &name) const;

    QString fieldName(int index) const;
    JetType fieldType(int index) const;
    int fieldSize(int index) const;
    // The current row's value: what was assigned when a change is pending.
    QVariant value(int index);
    QVariant value(const QString &name) { return value(checkedIndex(name)); }
    // Converts the value to the field's type at once (err::TypeMismatch when it cannot,
    // and nothing is assigned) and starts an edit of the current row when none is pending.
    void setValue(int index, const QVariant &value);
    void setValue(const QString &name, const QVariant &value)
    {
        setValue(checkedIndex(name), value);
    }

    EditMode editMode() const { return m_editMode; }
    // Starts a new row; Update writes it and makes it the current row (a COUNTER field
    // then holds the new key).
    void addNew();
    void update();
    void cancelUpdate();
    // Deletes the current row; until the next move there is no current row
    // (err::NoCurrentRecord), and MoveNext goes to the row that followed it.
    void deleteRecord();
    // Reads the rows again from the source.
    void requery();

private:
    void checkOpen() const;
    int checkedIndex(const QString &name) const;
    void checkIndex(int index) const;
    void resolvePosition();
    detail::Row &currentRow();
    detail::RowWriter writer();
    void writePending();
    void discardPending();
    bool openPaged(const sql::Translation &t);
    void openSnapshot(const sql::Translation &t);
    void reset();

    Connection *m_connection = nullptr;
    QString m_source;
    bool m_open = false;

    std::vector<sql::ResultColumn> m_fields;
    mutable QHash<QString, int> m_bySpelling; // names as the program asked for them
    QString m_table;              // the one table of a single-table query
    bool m_hasRowid = false;
    std::unique_ptr<detail::RowSource> m_rows;

    qint64 m_pos = 0;                   // 0-based; -1 is BOF, count() is EOF
    std::optional<qint64> m_addedRowid; // current row: one added whose position is not known yet
    bool m_currentDeleted = false;      // the current row was deleted; m_pos is the next one

    EditMode m_editMode = EditMode::None;
    std::vector<std::optional<QVariant>> m_assigned; // storage values of the pending change
    qint64 m_posBeforeAdd = 0;
    std::optional<qint64> m_addedRowidBeforeAdd;
};

} // namespace jet
