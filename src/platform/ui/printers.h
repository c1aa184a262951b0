#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QPrinter;
class QWidget;

namespace ui {

// The installed printers and the program's current printer (the system's default
// until the program chooses another), and printing a window as it stands.
// Errors: 484 when no printer is installed, 482 when the printer named cannot be
// found or cannot be printed on.
class Printers
{
public:
    static QStringList names();
    // The system's default printer, or the empty text when there is none.
    static QString defaultName();
    // The program's current printer: the one set, while it is installed, else the
    // default; empty when there is none.
    static QString currentName();
    // Makes the installed printer of exactly that name the current one; gives false
    // (and keeps the current one) when none has that name.
    static bool setCurrent(const QString &name);

    // A printer set up for the named printer, the current one when the name is empty.
    static std::unique_ptr<QPrinter> open(const QString &name = {});

    // Prints a picture of the window as it stands, scaled to fit one page.
    static void printWidget(QWidget *window, const QString &printerName = {});
    static void printWidget(QWidget *window, QPrinter &printer);
};

} // namespace ui
