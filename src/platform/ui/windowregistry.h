#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>

namespace ui {
class Form;

// Windows that other parts of the program open by name, without knowing their
// class: each window's owner registers how to make it; callers ask by name.
// It lives below every subsystem, so that a subsystem registers and opens
// windows by name without linking the main window's library.
using WindowMaker = std::function<Form *()>;

// Registers (or replaces) the maker of a window name; an empty maker removes it.
void RegisterWindow(const QString &name, WindowMaker maker);
bool IsWindowRegistered(const QString &name);

// The loaded window of that name (ui::Forms), else a new one from its maker,
// loaded; nullptr when none is loaded and none is registered.
Form *LoadWindowByName(const QString &name);

// A new window from the maker of that name, loaded, whether or not one is loaded
// already (windows that open once per request); nullptr when none is registered.
Form *CreateWindowByName(const QString &name);

} // namespace ui

// The names the program has always called them by.
namespace shell {
using ui::CreateWindowByName;
using ui::IsWindowRegistered;
using ui::LoadWindowByName;
using ui::RegisterWindow;
using ui::WindowMaker;
} // namespace shell

namespace ui {

// Procedures that a subsystem owns and others call by name (the report documents
// that record windows print, say). The owner registers each at start-up; a caller
// whose procedure is not registered keeps its button disabled.
using Procedure = std::function<QVariant(const QVariantList &args)>;

// Registers (or replaces) a procedure; an empty one removes the name.
void RegisterProcedure(const QString &name, Procedure procedure);
bool IsProcedureRegistered(const QString &name);

// Runs the procedure of that name with the arguments and gives its result; an
// invalid QVariant when none is registered. What the procedure throws reaches
// the caller.
QVariant CallProcedure(const QString &name, const QVariantList &args = {});

} // namespace ui
