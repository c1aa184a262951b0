#pragma once

#include <QString>

class QWidget;

// The operating system's version, its special folders, the application data
// folder, and moving the input focus without failing.
namespace imodVista {

// Special folders that GetSpecialFolder knows.
constexpr int CSIDL_DESKTOP = 0;
constexpr int CSIDL_PERSONAL = 5; // the user's documents
constexpr int CSIDL_APPDATA = 26; // the user's application data
constexpr int CSIDL_LOCAL_APPDATA = 28;
constexpr int CSIDL_COMMON_APPDATA = 35; // application data shared by the users

// The version code of the system; this system counts as the most recent
// family (8), which keeps its own application data folder.
int GetWindowsVersion();

// The special folder's path ending in "/", created first when create is true;
// the empty text for an unknown folder or any failure.
QString GetSpecialFolder(int csidl, bool create);

// The application data folder, ending in "/"; created when missing. A folder
// that cannot be created raises vb::Error 75.
QString GetAppDataFolder();

// Moves the focus to the control: 0, or the number of the error that prevented
// it (5 when the control is missing, hidden, disabled or takes no focus).
int SafeSetFocus(QWidget *control);

} // namespace imodVista
