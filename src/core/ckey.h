#pragma once

#include <QString>

// One entry of a collection's key list: the key and the position its item had
// when the entry was made.
class cKey
{
public:
    cKey() = default;
    cKey(QString name, int associatedIndex)
        : m_name(std::move(name))
        , m_associatedIndex(associatedIndex)
    {}

    const QString &Name() const { return m_name; }
    int AssociatedIndex() const { return m_associatedIndex; }

private:
    QString m_name;
    int m_associatedIndex = 0;
};
