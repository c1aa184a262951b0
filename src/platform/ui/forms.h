#pragma once

#include "closereason.h"
#include "form.h"

#include <QList>
#include <QString>
#include <type_traits>

struct QMetaObject;

namespace ui {

// The loaded windows, in load order (the program's Forms collection), and the one
// shared instance of each window class.
class Forms
{
public:
    static QList<Form *> all();
    static int count();
    // The first loaded window of that name (exact, case counts), or nullptr.
    static Form *find(const QString &name);
    // The first loaded window of that name whose txtField[0] holds the record ID.
    static Form *findByRecord(const QString &name, const QString &recordId);

    // The shared instance of a window class: created and loaded on first use, and
    // again after it was unloaded.
    template <class T> static T *shared()
    {
        static_assert(std::is_base_of_v<Form, T>);
        if (Form *f = sharedInstance(&T::staticMetaObject))
            return static_cast<T *>(f);
        T *f = new T();
        setSharedInstance(&T::staticMetaObject, f);
        f->load();
        return f;
    }
    // A new, loaded instance of a window class (windows open several times).
    template <class T> static T *create()
    {
        static_assert(std::is_base_of_v<Form, T>);
        T *f = new T();
        f->load();
        return f;
    }

    // Unloads every window of that name (exact, case counts); gives how many went.
    static int unloadByName(const QString &name, CloseReason reason = CloseReason::Code);
    // Unloads every window, the last loaded first; stops and gives false at the
    // first one that refuses.
    static bool unloadAll(CloseReason reason);

private:
    friend class Form;
    static void add(Form *form);
    static void remove(Form *form);
    static Form *sharedInstance(const QMetaObject *type);
    static void setSharedInstance(const QMetaObject *type, Form *form);
};

} // namespace ui
