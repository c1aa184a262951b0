#pragma once

#include <QString>
#include <functional>

namespace ui {
class Form;
}

// What the access windows need of the layer that hosts them (the main window and
// the start-up), handed in once so that this library depends on neither.
namespace useraccess {

using WindowMaker = std::function<ui::Form *()>;

struct Services
{
    // The window of that name, loaded (the shared one when there is one).
    std::function<ui::Form *(const QString &name)> loadWindow;
    // Registers how to make a window of that name, so that others open it by name.
    std::function<void(const QString &name, WindowMaker maker)> registerWindow;
    // Writes a step into the progress window; unloads it.
    std::function<void(const QString &text)> showStep;
    std::function<void()> unloadProgress;
};

// Keeps the services and registers the access windows through them.
void Install(const Services &services);
const Services &InstalledServices();

// The window of that name through the installed loader; nullptr without one.
ui::Form *LoadWindow(const QString &name);

} // namespace useraccess
