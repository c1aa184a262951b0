#pragma once

#include "msgbox.h"

#include <QString>

namespace ui {

// Every message box, input box, file, folder and printer dialog of the program.
// While a DialogScript is active the boxes are answered by it and not shown; on
// the offscreen platform without a script a box raises UnexpectedDialog, so
// that nothing ever waits on a dialog nobody can answer.
class Dialogs
{
public:
    // A message box with a style made of MsgBoxStyle values; gives a MsgBoxResult.
    // An empty title shows the application's name.
    static int msgBox(const QString &prompt, int style = vbOKOnly, const QString &title = {});
    // The text typed, or the empty text when cancelled.
    static QString inputBox(const QString &prompt, const QString &title = {},
                            const QString &defaultText = {});
    // File dialogs with a filter "Description|*.ext|..." matched without regard to
    // case; give the chosen path or the empty text when cancelled.
    static QString openFile(const QString &title, const QString &filter,
                            const QString &initial = {});
    static QString saveFile(const QString &title, const QString &filter,
                            const QString &initial = {});
    static QString chooseFolder(const QString &title, const QString &initial = {});
    // The printer chosen, by name, or the empty text when cancelled. The dialog
    // starts on the program's current printer.
    static QString choosePrinter(const QString &title = {});
};

} // namespace ui
