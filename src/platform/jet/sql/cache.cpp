#include "platform/jet/sql/cache.h"

namespace jet::sql {

QString TranslationCache::key(const Catalog *catalog, const QString &sql)
{
    return QString::number(quintptr(catalog), 16) + QLatin1Char(':') + sql;
}

const Translation *TranslationCache::find(const Catalog *catalog, const QString &sql)
{
    const auto it = m_index.constFind(key(catalog, sql));
    if (it == m_index.constEnd())
        return nullptr;
    m_entries.splice(m_entries.begin(), m_entries, it.value());
    return &m_entries.front().translation;
}

void TranslationCache::insert(const Catalog *catalog, const QString &sql, const Translation &t)
{
    const QString k = key(catalog, sql);
    const auto it = m_index.find(k);
    if (it != m_index.end()) {
        it.value()->translation = t;
        m_entries.splice(m_entries.begin(), m_entries, it.value());
        return;
    }
    m_entries.push_front(Entry{catalog, sql, t});
    m_index.insert(k, m_entries.begin());
    while (m_entries.size() > m_capacity) {
        const Entry &last = m_entries.back();
        m_index.remove(key(last.catalog, last.sql));
        m_entries.pop_back();
    }
}

void TranslationCache::clear()
{
    m_index.clear();
    m_entries.clear();
}

} // namespace jet::sql
