#include "platform/ui/windowregistry.h"

#include "form.h"
#include "forms.h"

#include <QHash>

namespace ui {

namespace {
QHash<QString, WindowMaker> &makers()
{
    static QHash<QString, WindowMaker> m;
    return m;
}
} // namespace

void RegisterWindow(const QString &name, WindowMaker maker)
{
    if (maker)
        makers().insert(name, std::move(maker));
    else
        makers().remove(name);
}

bool IsWindowRegistered(const QString &name)
{
    return makers().contains(name);
}

Form *LoadWindowByName(const QString &name)
{
    if (Form *f = Forms::find(name))
        return f;
    const auto it = makers().constFind(name);
    if (it == makers().constEnd())
        return nullptr;
    Form *f = (*it)();
    if (f)
        f->load();
    return f;
}

Form *CreateWindowByName(const QString &name)
{
    const auto it = makers().constFind(name);
    if (it == makers().constEnd())
        return nullptr;
    Form *f = (*it)();
    if (f)
        f->load();
    return f;
}

} // namespace ui
