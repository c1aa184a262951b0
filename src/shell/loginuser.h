#pragma once

#include "access/signin.h"

#include <QString>

// Signing a user in: the access library does it; this layer hands it the windows
// and the progress window it opens.
namespace imodGlobalSubs {

// Signs the user in (see useraccess::LoginUser). Gives whether the user signed in.
bool LoginUser(const QString &userId, const QString &password, bool checkPassword);

} // namespace imodGlobalSubs

namespace shell {

// Hands the access library the window registry and the progress window, and
// registers its windows (frmLogin, frmNameBar ...) where no other is registered.
// Repeating it does no harm.
void InstallAccess();

} // namespace shell
