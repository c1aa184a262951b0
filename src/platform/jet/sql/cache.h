#pragma once

#include "platform/jet/sql/translator.h"

#include <QHash>
#include <QString>
#include <list>

namespace jet::sql {

// The translations of recent statements, by statement text and catalog, least recently used
// dropped first. Not shared between threads: each thread has its own.
class TranslationCache
{
public:
    explicit TranslationCache(size_t capacity)
        : m_capacity(capacity)
    {}

    const Translation *find(const Catalog *catalog, const QString &sql);
    void insert(const Catalog *catalog, const QString &sql, const Translation &t);
    void clear();
    size_t size() const { return m_entries.size(); }

private:
    struct Entry
    {
        const Catalog *catalog;
        QString sql;
        Translation translation;
    };
    size_t m_capacity;
    std::list<Entry> m_entries; // most recently used first
    QHash<QString, std::list<Entry>::iterator> m_index;

    static QString key(const Catalog *catalog, const QString &sql);
};

} // namespace jet::sql
