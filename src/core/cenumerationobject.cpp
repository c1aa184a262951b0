#include "cenumerationobject.h"

using core::detail::SuperCollectionData;

cEnumerationObject::cEnumerationObject(const std::shared_ptr<SuperCollectionData> &data)
    : m_data(data)
    , m_snapshot(data->items)
    , m_snapshotAdditions(data->additions)
{
    ++data->liveEnumerators;
}

cEnumerationObject::cEnumerationObject(const cEnumerationObject &other, bool)
    : m_data(other.m_data)
    , m_snapshot(other.m_snapshot)
    , m_snapshotAdditions(other.m_snapshotAdditions)
    , m_current(other.m_current)
{
    if (const auto data = m_data.lock())
        ++data->liveEnumerators;
}

cEnumerationObject::~cEnumerationObject()
{
    if (const auto data = m_data.lock())
        --data->liveEnumerators;
}

void cEnumerationObject::renewIfAppended(SuperCollectionData &data)
{
    if (data.additions == m_snapshotAdditions || m_current >= data.items.size())
        return;
    // The place about to be fetched must still hold what the snapshot has there;
    // past the snapshot's end, the last place fetched must (nothing shifted).
    const bool unshifted = m_current < m_snapshot.size()
                               ? data.items[m_current] == m_snapshot[m_current]
                               : m_current > 0 && m_current == m_snapshot.size() &&
                                     data.items[m_current - 1] == m_snapshot[m_current - 1];
    if (unshifted) {
        m_snapshot = data.items;
        m_snapshotAdditions = data.additions;
    }
}

bool cEnumerationObject::Next(QVariant &item)
{
    const auto data = m_data.lock();
    if (!data)
        return false;
    for (;;) {
        renewIfAppended(*data);
        if (m_current >= m_snapshot.size())
            return false;
        const auto &candidate = m_snapshot[m_current++];
        if (candidate->alive) {
            item = candidate->value;
            return true;
        }
    }
}

void cEnumerationObject::Skip(int count)
{
    const qint64 place = static_cast<qint64>(m_current) + count;
    m_current = place < 0 ? 0 : static_cast<size_t>(place);
}

void cEnumerationObject::Reset()
{
    m_current = 0;
}

std::unique_ptr<cEnumerationObject> cEnumerationObject::Clone() const
{
    return std::unique_ptr<cEnumerationObject>(new cEnumerationObject(*this, true));
}
