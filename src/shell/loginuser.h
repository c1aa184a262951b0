#pragma once

#include <QString>

namespace Global {
// The signed-in user's name (the Name of the user's Users row).
inline QString CurrentUserName;
} // namespace Global

// Signing a user in.
namespace imodGlobalSubs {

// Signs the user in: finds the Users row of the user ID (upper-cased), checks the
// password when asked, makes the user current, loads the user's rights, records the
// user in CentreInfo and opens the main window. Writes its steps into the
// progress window. An unknown user or a wrong password is reported and the log-in
// window shown. Gives whether the user signed in.
bool LoginUser(const QString &userId, const QString &password, bool checkPassword);

} // namespace imodGlobalSubs
