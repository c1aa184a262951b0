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

namespace ui {

namespace {
QHash<QString, Procedure> &procedures()
{
    static QHash<QString, Procedure> p;
    return p;
}
} // namespace

void RegisterProcedure(const QString &name, Procedure procedure)
{
    if (procedure)
        procedures().insert(name, std::move(procedure));
    else
        procedures().remove(name);
}

bool IsProcedureRegistered(const QString &name)
{
    return procedures().contains(name);
}

QVariant CallProcedure(const QString &name, const QVariantList &args)
{
    const auto it = procedures().constFind(name);
    if (it == procedures().constEnd())
        return {};
    // A copy: the procedure may register or remove names while it runs.
    const Procedure p = *it;
    return p(args);
}

} // namespace ui
