#pragma once

#include "platform/jet/sql/types.h"

#include <QString>
#include <QVariant>

namespace jet {

class Recordset;

// One field of a recordset's current row, as ADO's Field: name, Jet type, defined size
// and value. A handle: it reads and writes through its recordset.
class Field
{
public:
    Field(Recordset &recordset, int index)
        : m_recordset(&recordset)
        , m_index(index)
    {}

    int index() const { return m_index; }
    QString name() const;
    JetType type() const;
    // ADO's defined size: characters for text, bytes for the other types.
    int size() const;
    // The value of the current row (see Recordset::value).
    QVariant value() const;
    // Assigns a value to the current row, or to the row being added (see Recordset::setValue).
    void setValue(const QVariant &value);

private:
    Recordset *m_recordset;
    int m_index;
};

} // namespace jet
