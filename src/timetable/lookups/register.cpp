#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "frmactivities.h"
#include "frmclassgroups.h"
#include "frmevents.h"
#include "frmpoolareas.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace timetable {

namespace {

template <class T>
void registerEditor(const char *window, const char *operation, const char *flag,
                    useraccess::PermissionCheck check)
{
    const QString name = QString::fromLatin1(window);
    shell::RegisterWindow(name, [] { return ui::Forms::shared<T>(); });
    useraccess::RegisterAuthorisedOperation({QString::fromLatin1(operation), check,
                                             Global::PermissionIndex(QString::fromLatin1(flag)),
                                             false, useraccess::ShowWindow(name)});
}

} // namespace

void RegisterLookupEditors()
{
    using useraccess::PermissionCheck;
    registerEditor<frmClassGroups>("frmClassGroups", "Class Groups", "ClassGroups",
                                   PermissionCheck::ByIndex);
    registerEditor<frmPoolAreas>("frmPoolAreas", "Pool Areas", "PoolArea",
                                 PermissionCheck::ByIndex);
    registerEditor<frmActivities>("frmActivities", "Activities", "Activities",
                                  PermissionCheck::ByName);
    registerEditor<frmEvents>("frmEvents", "Events", "Events", PermissionCheck::ByName);
}

} // namespace timetable
