#include "capslock.h"

#include <QByteArray>
#include <QtGlobal>
#include <dlfcn.h>

namespace os {

namespace {

// The few libX11 entry points used, by their C signatures.
using Display = void;
using XWindow = unsigned long;
using OpenDisplay = Display *(*)(const char *);
using CloseDisplay = int (*)(Display *);
using DefaultRootWindow = XWindow (*)(Display *);
using QueryPointer = int (*)(Display *, XWindow, XWindow *, XWindow *, int *, int *, int *, int *,
                             unsigned int *);
constexpr unsigned int LockMask = 1u << 1;

void *libX11()
{
    static void *handle = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
    return handle;
}

} // namespace

bool isCapsLockOn()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    void *lib = libX11();
    if (!lib)
        return false;
    auto open = reinterpret_cast<OpenDisplay>(dlsym(lib, "XOpenDisplay"));
    auto close = reinterpret_cast<CloseDisplay>(dlsym(lib, "XCloseDisplay"));
    auto root = reinterpret_cast<DefaultRootWindow>(dlsym(lib, "XDefaultRootWindow"));
    auto query = reinterpret_cast<QueryPointer>(dlsym(lib, "XQueryPointer"));
    if (!open || !close || !root || !query)
        return false;
    Display *display = open(nullptr);
    if (!display)
        return false;
    XWindow rootReturn = 0, childReturn = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    // The modifier mask is filled in even when the pointer is on another screen.
    query(display, root(display), &rootReturn, &childReturn, &rootX, &rootY, &winX, &winY, &mask);
    close(display);
    return (mask & LockMask) != 0;
}

} // namespace os
