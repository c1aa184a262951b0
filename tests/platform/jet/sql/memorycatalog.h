#pragma once

#include "platform/jet/sql/types.h"

#include <QHash>
#include <QString>

namespace ovix::test {

// A catalog of tables held in memory, for translating without a data file.
class MemoryCatalog : public jet::Catalog
{
public:
    void add(const QString &table, std::vector<jet::Column> columns)
    {
        m_tables.insert(table.toLower(), std::move(columns));
    }
    void remove(const QString &table) { m_tables.remove(table.toLower()); }

    std::optional<std::vector<jet::Column>> columns(const QString &table) const override
    {
        const auto it = m_tables.constFind(table.toLower());
        if (it == m_tables.constEnd())
            return std::nullopt;
        return *it;
    }

private:
    QHash<QString, std::vector<jet::Column>> m_tables;
};

} // namespace ovix::test
