#include "ckeys.h"

CKeys::CKeys(std::weak_ptr<core::detail::SuperCollectionData> data)
    : m_data(std::move(data))
{}

int CKeys::Count() const
{
    const auto data = m_data.lock();
    return data ? static_cast<int>(data->keys.size()) : 0;
}

bool CKeys::Next(cKey &key)
{
    const auto data = m_data.lock();
    if (!data || m_place < 0 || m_place >= static_cast<int>(data->keys.size()))
        return false;
    const auto &item = data->keys[static_cast<size_t>(m_place++)];
    key = cKey(item->key, item->index + data->baseIndex);
    return true;
}

void CKeys::Skip(int count)
{
    m_place += count;
}

void CKeys::Reset()
{
    m_place = 0;
}

std::unique_ptr<CKeys> CKeys::Clone() const
{
    auto copy = std::make_unique<CKeys>(m_data);
    copy->m_place = m_place;
    return copy;
}
