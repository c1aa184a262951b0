#include "field.h"

#include "recordset.h"

namespace jet {

QString Field::name() const
{
    return m_recordset->fieldName(m_index);
}

JetType Field::type() const
{
    return m_recordset->fieldType(m_index);
}

int Field::size() const
{
    return m_recordset->fieldSize(m_index);
}

QVariant Field::value() const
{
    return m_recordset->value(m_index);
}

void Field::setValue(const QVariant &value)
{
    m_recordset->setValue(m_index, value);
}

} // namespace jet
