#pragma once

namespace os {

// Whether Caps Lock is on, as the X display server reports it. Off when there is
// no display server to ask (no DISPLAY, no libX11, the display cannot be opened).
// libX11 is loaded at run time, so the program runs without it.
bool isCapsLockOn();

} // namespace os
