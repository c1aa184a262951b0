#include "forms.h"

#include <QHash>

namespace ui {

namespace {

struct Registry
{
    QList<Form *> loaded;
    QHash<const QMetaObject *, Form *> shared;
};

Registry &registry()
{
    static Registry r;
    return r;
}

} // namespace

QList<Form *> Forms::all()
{
    return registry().loaded;
}

int Forms::count()
{
    return int(registry().loaded.size());
}

Form *Forms::find(const QString &name)
{
    for (Form *f : registry().loaded) {
        if (f->name() == name)
            return f;
    }
    return nullptr;
}

Form *Forms::findByRecord(const QString &name, const QString &recordId)
{
    for (Form *f : registry().loaded) {
        if (f->name() == name && f->recordId() == recordId)
            return f;
    }
    return nullptr;
}

int Forms::unloadByName(const QString &name, CloseReason reason)
{
    int n = 0;
    // A copy: unloading changes the list.
    for (Form *f : all()) {
        if (registry().loaded.contains(f) && f->name() == name && f->unload(reason))
            ++n;
    }
    return n;
}

bool Forms::unloadAll(CloseReason reason)
{
    const QList<Form *> forms = all();
    for (auto it = forms.crbegin(); it != forms.crend(); ++it) {
        if (registry().loaded.contains(*it) && !(*it)->unload(reason))
            return false;
    }
    return true;
}

void Forms::add(Form *form)
{
    if (!registry().loaded.contains(form))
        registry().loaded.append(form);
}

void Forms::remove(Form *form)
{
    Registry &r = registry();
    r.loaded.removeAll(form);
    for (auto it = r.shared.begin(); it != r.shared.end();) {
        if (it.value() == form)
            it = r.shared.erase(it);
        else
            ++it;
    }
}

Form *Forms::sharedInstance(const QMetaObject *type)
{
    return registry().shared.value(type, nullptr);
}

void Forms::setSharedInstance(const QMetaObject *type, Form *form)
{
    registry().shared.insert(type, form);
}

} // namespace ui
