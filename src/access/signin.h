#pragma once

#include <QString>
#include <functional>

namespace Global {
// The signed-in user's name (the Name of the user's Users row).
inline QString CurrentUserName;
// The caption of the name bar's sign-out label.
inline QString SignOutCaption;
// The company windows: the company chosen with Open, "Add" while a new company is
// being entered, and the user whose company rights were lent through the
// authorisation window (cleared by Cancel of the company search and at every
// sign-out and sign-in).
inline qint32 SelectedCompanyId = 0;
inline QString CompanyEditMode;
inline QString AuthorisedUserId;
} // namespace Global

namespace useraccess {

// Signs the user in: finds the Users row of the user ID (without regard to case),
// checks the password when asked, makes the user current, loads the user's rights,
// records the user in CentreInfo (not the default user "i") and opens the main
// window. Writes its steps into the progress window and unloads it at the end. An
// unknown user or a wrong password is reported and the log-in window shown again
// with the ID typed. Gives whether the user signed in.
bool LoginUser(const QString &userId, const QString &password, bool checkPassword);

// Shows the log-in window with the user ID in its box and the focus on the password.
void ShowLoginWindow(const QString &userId = {});

// Signs out: unloads the main window and shows the log-in window.
void SignOut();

// Whether Caps Lock is on; tests replace the probe (an empty one restores the
// keyboard's).
bool IsCapsLockOn();
void SetCapsLockProbe(std::function<bool()> probe);

} // namespace useraccess
