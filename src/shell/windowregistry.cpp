#include "windowregistry.h"

#include "platform/ui/form.h"
#include "platform/ui/forms.h"

#include <QHash>

namespace shell {

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

ui::Form *LoadWindowByName(const QString &name)
{
    if (ui::Form *f = ui::Forms::find(name))
        return f;
    const auto it = makers().constFind(name);
    if (it == makers().constEnd())
        return nullptr;
    ui::Form *f = (*it)();
    if (f)
        f->load();
    return f;
}

ui::Form *CreateWindowByName(const QString &name)
{
    const auto it = makers().constFind(name);
    if (it == makers().constEnd())
        return nullptr;
    ui::Form *f = (*it)();
    if (f)
        f->load();
    return f;
}

} // namespace shell
