#pragma once

namespace ui {

// The hourglass mouse pointer. show() and reset() follow the program's habit of
// setting the pointer and putting the default back at every way out, whatever
// was set before; an object of the class shows it for as long as it lives.
class Hourglass
{
public:
    Hourglass() { show(); }
    ~Hourglass() { reset(); }
    Hourglass(const Hourglass &) = delete;
    Hourglass &operator=(const Hourglass &) = delete;

    static void show();
    static void reset();
    static bool isShown();
};

} // namespace ui
