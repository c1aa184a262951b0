#pragma once

#include <QList>

// The enumerator interface of the keyed collection's walks: fetch one, fetch
// several, skip, and go back to the start.
template <typename T> class IEnumVARIANTReDef
{
public:
    virtual ~IEnumVARIANTReDef() = default;

    // Fetches the next element and advances; false at the end of the walk.
    virtual bool Next(T &element) = 0;
    virtual void Skip(int count) = 0;
    virtual void Reset() = 0;

    // Fills up to count elements and gives how many it filled (0: the end of
    // the walk). An error while fetching clears what was filled and goes on.
    int Next(int count, QList<T> &elements)
    {
        elements.clear();
        try {
            T element;
            while (elements.size() < count && Next(element))
                elements.append(element);
        } catch (...) {
            elements.clear();
            throw;
        }
        return static_cast<int>(elements.size());
    }
};
