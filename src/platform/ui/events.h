#pragma once

namespace ui {

// Lets the event queue run (repaints, timers, input) inside a long loop.
void doEvents();

} // namespace ui
