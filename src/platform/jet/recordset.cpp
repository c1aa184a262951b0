#include "recordset.h"

#include "convert.h"
#include "rowsource.h"
#include "rowwriter.h"
#include "statement.h"

#include "platform/jet/sql/error.h"

namespace jet {

namespace {

[[noreturn]] void noCurrentRecord()
{
    throw Error(err::NoCurrentRecord,
                QStringLiteral("Either BOF or EOF is True, or the current record has been "
                               "deleted. Requested operation requires a current record."));
}

bool hasPrimaryKey(const std::vector<Column> &columns)
{
    for (const Column &c : columns)
        if (c.primaryKey)
            return true;
    return false;
}

} // namespace

Recordset::Recordset() = default;

Recordset::Recordset(Connection &connection, const QString &source)
{
    open(source, connection);
}

Recordset::~Recordset() = default;

void Recordset::setSource(const QString &source)
{
    if (m_open)
        throw Error(err::OpenObject,
                    QStringLiteral("Operation is not allowed when the object is open."));
    m_source = source;
}

void Recordset::setActiveConnection(Connection *connection)
{
    if (m_open)
        throw Error(err::OpenObject,
                    QStringLiteral("Operation is not allowed when the object is open."));
    m_connection = connection;
}

void Recordset::open(const QString &source, Connection &connection)
{
    setSource(source);
    setActiveConnection(&connection);
    open();
}

void Recordset::open()
{
    if (m_open)
        throw Error(err::OpenObject,
                    QStringLiteral("Operation is not allowed when the object is open."));
    if (!m_connection)
        throw Error(err::ClosedObject,
                    QStringLiteral("The connection cannot be used to perform this operation. It "
                                   "is either closed or invalid in this context."));
    const sql::Translation t = m_connection->translateShaped(m_source);
    if (t.kind != sql::Translation::Kind::Select || t.statements.empty()) {
        m_connection->execute(m_source);
        return;
    }
    reset();
    try {
        m_table = t.table;
        // A query of one SQLite statement reads its rows in one go; one written as several
        // reads them under one lock of the file.
        std::optional<detail::ReadTransaction> read;
        if (t.statements.size() > 1)
            read.emplace(m_connection->openHandle());
        if (!(t.plainTable && t.statements.size() == 1 && openPaged(t)))
            openSnapshot(t);
        if (read)
            read->commit();
    } catch (...) {
        reset();
        throw;
    }
    m_open = true;
}

void Recordset::reset()
{
    m_fields.clear();
    m_bySpelling.clear();
    m_table.clear();
    m_hasRowid = false;
    m_rows.reset();
    m_pos = 0;
    m_addedRowid.reset();
    m_currentDeleted = false;
    m_editMode = EditMode::None;
    m_assigned.clear();
}

bool Recordset::openPaged(const sql::Translation &t)
{
    const FileCatalog &catalog = m_connection->catalogAsChecked();
    const auto rowsSql = detail::rowsQueryFor(t.statements.front());
    const auto table = catalog.tableName(t.table);
    const auto columns = catalog.columns(t.table);
    if (!rowsSql || !table || !columns)
        return false;
    // Prepared now, so that a statement that cannot run fails at open; run later.
    detail::Statement rows =
        detail::Statement::cached(m_connection->openHandle(), *rowsSql, m_source);
    rows.bind(t.parameters);
    if (rows.columnCount() != int(columns->size()) + 1)
        return false;

    const bool named = t.columns.size() == columns->size();
    for (size_t i = 0; i < columns->size(); ++i) {
        const Column &c = (*columns)[i];
        sql::ResultColumn f;
        f.name = named && !t.columns[i].name.isEmpty() ? t.columns[i].name : c.name;
        f.type = c.type;
        f.size = c.size;
        f.baseTable = *table;
        f.baseColumn = c.name;
        m_fields.push_back(std::move(f));
    }
    m_hasRowid = true;
    m_table = *table;
    m_rows = std::make_unique<detail::TablePager>(*m_connection, *rowsSql, std::move(rows),
                                                  detail::quoteName(*table), int(columns->size()),
                                                  m_source, t.parameters);
    return true;
}

void Recordset::openSnapshot(const sql::Translation &t)
{
    sqlite3 *db = m_connection->openHandle();
    const FileCatalog &catalog = m_connection->catalogAsChecked();
    for (size_t i = 0; i + 1 < t.statements.size(); ++i) {
        detail::Statement setup(db, t.statements[i], m_source);
        setup.bind(t.parameters);
        setup.run();
    }

    // A table without a primary key is written by rowid, so the query reads it too.
    std::optional<detail::Statement> query;
    if (!t.table.isEmpty()) {
        const auto columns = catalog.columns(t.table);
        if (columns && !hasPrimaryKey(*columns))
            if (const auto sql = detail::withRowid(t.statements.back())) {
                try {
                    query.emplace(detail::Statement::cached(db, *sql, m_source));
                    m_hasRowid = true;
                } catch (const Error &) {
                    // Not of the expected shape: read without the identity.
                }
            }
    }
    if (!query)
        query.emplace(detail::Statement::cached(db, t.statements.back(), m_source));
    query->bind(t.parameters);

    const int offset = m_hasRowid ? 1 : 0;
    const int count = query->columnCount() - offset;
    const bool described = int(t.columns.size()) == count;
    for (int i = 0; i < count; ++i) {
        sql::ResultColumn f;
        if (described) {
            f = t.columns[size_t(i)];
        } else {
            f.name = query->columnName(i + offset);
            f.baseTable = query->columnTable(i + offset);
            f.baseColumn = query->columnOrigin(i + offset);
        }
        if (f.type == JetType::Unknown && !f.baseTable.isEmpty())
            if (const auto columns = catalog.columns(f.baseTable))
                for (const Column &c : *columns)
                    if (c.name.compare(f.baseColumn, Qt::CaseInsensitive) == 0) {
                        f.type = c.type;
                        f.size = f.size ? f.size : c.size;
                    }
        if (f.type == JetType::Unknown) {
            const QString declared = query->columnDeclaredType(i + offset);
            if (!declared.isEmpty()) {
                const Column c = columnFromDeclared(f.name, declared, false, {}, false, false);
                f.type = c.type;
                if (f.size == 0)
                    f.size = c.size;
            }
        }
        m_fields.push_back(std::move(f));
    }

    m_rows = std::make_unique<detail::SnapshotRows>(*query, m_hasRowid, count);
}

void Recordset::close()
{
    reset();
    m_open = false;
}

void Recordset::requery()
{
    checkOpen();
    close();
    open();
}

void Recordset::checkOpen() const
{
    if (!m_open)
        throw Error(err::ClosedObject,
                    QStringLiteral("Operation is not allowed when the object is closed."));
}

int Recordset::fieldIndex(const QString &name) const
{
    // A loop asks for the same few names on every row: each spelling is resolved once.
    if (const auto it = m_bySpelling.constFind(name); it != m_bySpelling.constEnd())
        return *it;
    int index = -1;
    for (size_t i = 0; i < m_fields.size() && index < 0; ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            index = int(i);
    if (m_bySpelling.size() < 256)
        m_bySpelling.insert(name, index);
    return index;
}

int Recordset::checkedIndex(const QString &name) const
{
    checkOpen();
    const int index = fieldIndex(name);
    if (index < 0)
        throw Error(err::ItemNotFound,
                    QStringLiteral("Item cannot be found in the collection corresponding to the "
                                   "requested name or ordinal."));
    return index;
}

void Recordset::checkIndex(int index) const
{
    checkOpen();
    if (index < 0 || index >= fieldCount())
        throw Error(err::ItemNotFound,
                    QStringLiteral("Item cannot be found in the collection corresponding to the "
                                   "requested name or ordinal."));
}

Field Recordset::field(int index)
{
    checkIndex(index);
    return Field(*this, index);
}

Field Recordset::field(const QString &name)
{
    return Field(*this, checkedIndex(name));
}

QString Recordset::fieldName(int index) const
{
    checkIndex(index);
    return m_fields[size_t(index)].name;
}

JetType Recordset::fieldType(int index) const
{
    checkIndex(index);
    return m_fields[size_t(index)].type;
}

int Recordset::fieldSize(int index) const
{
    checkIndex(index);
    return detail::definedSize(m_fields[size_t(index)].type, m_fields[size_t(index)].size);
}

void Recordset::resolvePosition()
{
    if (m_addedRowid) {
        m_pos = m_rows->indexOfAdded(*m_addedRowid);
        m_addedRowid.reset();
    }
}

qint64 Recordset::recordCount()
{
    checkOpen();
    return m_rows->count();
}

bool Recordset::eof()
{
    checkOpen();
    if (m_editMode == EditMode::Add || m_addedRowid)
        return false;
    return m_pos >= m_rows->count();
}

bool Recordset::bof()
{
    checkOpen();
    if (m_editMode == EditMode::Add || m_addedRowid)
        return false;
    return m_pos < 0 || m_rows->count() == 0;
}

void Recordset::moveFirst()
{
    checkOpen();
    writePending();
    m_addedRowid.reset();
    m_currentDeleted = false;
    m_pos = 0;
}

void Recordset::moveLast()
{
    checkOpen();
    writePending();
    m_addedRowid.reset();
    m_currentDeleted = false;
    m_pos = std::max<qint64>(0, m_rows->count() - 1);
}

void Recordset::moveNext()
{
    checkOpen();
    writePending();
    resolvePosition();
    if (m_currentDeleted) {
        m_currentDeleted = false; // m_pos already holds the row after the deleted one
        return;
    }
    if (m_pos >= m_rows->count())
        noCurrentRecord();
    ++m_pos;
}

void Recordset::movePrevious()
{
    checkOpen();
    writePending();
    resolvePosition();
    if (m_currentDeleted) {
        m_currentDeleted = false;
        m_pos = std::max<qint64>(-1, m_pos - 1);
        return;
    }
    if (m_pos < 0 || m_rows->count() == 0)
        noCurrentRecord();
    --m_pos;
}

qint64 Recordset::absolutePosition()
{
    checkOpen();
    resolvePosition();
    if (m_pos < 0)
        return PosBOF;
    if (m_pos >= m_rows->count())
        return PosEOF;
    return m_pos + 1;
}

void Recordset::setAbsolutePosition(qint64 position)
{
    checkOpen();
    writePending();
    if (position < 1 || position > m_rows->count())
        throw Error(err::InvalidArgument,
                    QStringLiteral("Arguments are of the wrong type, are out of acceptable range, "
                                   "or are in conflict with one another."));
    m_addedRowid.reset();
    m_currentDeleted = false;
    m_pos = position - 1;
}

detail::Row &Recordset::currentRow()
{
    checkOpen();
    if (m_addedRowid) {
        if (detail::Row *row = m_rows->added(*m_addedRowid))
            return *row;
        resolvePosition();
    }
    if (m_currentDeleted || m_pos < 0 || m_pos >= m_rows->count())
        noCurrentRecord();
    return m_rows->row(m_pos);
}

QVariant Recordset::value(int index)
{
    checkIndex(index);
    const JetType type = m_fields[size_t(index)].type;
    if (m_editMode != EditMode::None && m_assigned[size_t(index)])
        return detail::fromStorage(*m_assigned[size_t(index)], type);
    if (m_editMode == EditMode::Add)
        return {};
    // The common case, read in place; currentRow() sorts out the others.
    if (!m_addedRowid && !m_currentDeleted && m_pos >= 0 && m_pos < m_rows->count())
        return m_rows->value(m_pos, index, type);
    return detail::fromStorage(currentRow().values[size_t(index)], type);
}

void Recordset::setValue(int index, const QVariant &value)
{
    checkIndex(index);
    const sql::ResultColumn &f = m_fields[size_t(index)];
    if (f.baseTable.isEmpty() || f.baseColumn.isEmpty())
        throw Error(err::NotUpdatable, QStringLiteral("Field '%1' cannot be updated.").arg(f.name));
    if (m_editMode == EditMode::None)
        currentRow();
    QVariant stored = detail::toStorage(value, f.type, f.name);
    if (m_editMode == EditMode::None) {
        m_editMode = EditMode::InProgress;
        m_assigned.assign(m_fields.size(), std::nullopt);
    }
    m_assigned[size_t(index)] = std::move(stored);
}

detail::RowWriter Recordset::writer()
{
    return detail::RowWriter(m_connection->openHandle(), m_connection->catalogAsChecked(), m_fields,
                             m_table, m_hasRowid, m_source);
}

void Recordset::writePending()
{
    if (m_editMode != EditMode::None)
        update();
}

void Recordset::discardPending()
{
    m_editMode = EditMode::None;
    m_assigned.clear();
}

void Recordset::addNew()
{
    checkOpen();
    writePending();
    m_posBeforeAdd = m_pos;
    m_addedRowidBeforeAdd = m_addedRowid;
    m_editMode = EditMode::Add;
    m_assigned.assign(m_fields.size(), std::nullopt);
}

void Recordset::update()
{
    checkOpen();
    if (m_editMode == EditMode::Add) {
        detail::Row row = writer().insert(m_assigned);
        const std::optional<qint64> rowid = row.rowid;
        const auto index = m_rows->append(std::move(row));
        discardPending();
        m_currentDeleted = false;
        if (index) {
            m_pos = *index;
            m_addedRowid.reset();
        } else {
            m_addedRowid = rowid;
        }
    } else if (m_editMode == EditMode::InProgress) {
        writer().update(currentRow(), m_assigned);
        discardPending();
    }
}

void Recordset::cancelUpdate()
{
    checkOpen();
    if (m_editMode == EditMode::Add) {
        m_pos = m_posBeforeAdd;
        m_addedRowid = m_addedRowidBeforeAdd;
    }
    discardPending();
}

void Recordset::deleteRecord()
{
    checkOpen();
    if (m_editMode == EditMode::Add) {
        cancelUpdate();
        return;
    }
    discardPending();
    detail::Row &row = currentRow();
    writer().remove(row);
    resolvePosition();
    m_rows->remove(m_pos);
    m_currentDeleted = true;
}

} // namespace jet
