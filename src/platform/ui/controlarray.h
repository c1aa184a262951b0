#pragma once

#include "platform/vb/error.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVariant>

namespace ui {

// The index of a control that belongs to a control array (its dynamic property
// "Index"); -1 for a control that does not.
inline int controlIndex(const QObject *control)
{
    const QVariant v = control ? control->property("Index") : QVariant();
    return v.isValid() ? v.toInt() : -1;
}

// Controls sharing one name and told apart by an index, such as txtField[0],
// txtField[3]; indexes need not be contiguous. Each control gets the array's name
// as its object name and its index as the property "Index", so that code walking
// a window's children finds them. The array does not own the controls.
template <class T> class ControlArray
{
public:
    using Map = QMap<int, T *>;

    explicit ControlArray(QString name)
        : m_name(std::move(name))
    {}

    const QString &name() const { return m_name; }

    // Adds (or replaces) the control at an index and gives it back.
    T *add(int index, T *control)
    {
        control->setObjectName(m_name);
        control->setProperty("Index", index);
        m_controls.insert(index, control);
        return control;
    }

    // The control at an index; error 340 when the array has none there.
    T *operator[](int index) const
    {
        T *c = m_controls.value(index, nullptr);
        if (!c)
            throw vb::Error(340,
                            QStringLiteral("Control array element '%1' doesn't exist").arg(index));
        return c;
    }

    bool contains(int index) const { return m_controls.contains(index); }
    QList<int> indexes() const { return m_controls.keys(); }
    int count() const { return int(m_controls.size()); }
    int lbound() const { return m_controls.isEmpty() ? 0 : m_controls.firstKey(); }
    int ubound() const { return m_controls.isEmpty() ? -1 : m_controls.lastKey(); }

    // In index order.
    typename Map::const_iterator begin() const { return m_controls.cbegin(); }
    typename Map::const_iterator end() const { return m_controls.cend(); }

private:
    QString m_name;
    Map m_controls;
};

} // namespace ui
