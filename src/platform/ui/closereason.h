#pragma once

namespace ui {

// Why a window is closing, as its query-unload and unload steps receive it.
// The numbers are the runtime's unload modes.
enum class CloseReason : int {
    ControlMenu = 0,    // the user's close box or system menu
    Code = 1,           // the program unloads it
    AppWindows = 2,     // the desktop session is ending
    AppTaskManager = 3, // the program is being ended from outside
    MdiForm = 4,        // the main window that holds it is closing
    FormOwner = 5,      // the window that owns it is closing
};

} // namespace ui
