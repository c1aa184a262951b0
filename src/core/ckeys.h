#pragma once

#include "core/ckey.h"
#include "core/ienumvariantredef.h"
#include "core/supercollectiondata.h"

#include <memory>

// The keys of a collection in key order, each with its item's position. The
// list is its own enumerator: a second walk goes on where the first ended
// unless it is Reset. It never keeps its collection alive; once the collection
// is gone it yields nothing and counts 0.
class CKeys : public IEnumVARIANTReDef<cKey>
{
public:
    explicit CKeys(std::weak_ptr<core::detail::SuperCollectionData> data);

    CKeys &NewEnum() { return *this; }
    int Count() const;

    using IEnumVARIANTReDef<cKey>::Next;
    bool Next(cKey &key) override;
    void Skip(int count) override;
    void Reset() override;
    std::unique_ptr<CKeys> Clone() const;

private:
    std::weak_ptr<core::detail::SuperCollectionData> m_data;
    int m_place = 0;
};
