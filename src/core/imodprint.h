#pragma once

#include <QPrinterInfo>
#include <QString>
#include <optional>

// The system's default printer and the program's current printer.
namespace imodPrint {

// Makes the installed printer of exactly that name the program's current
// printer; when none has that name the current printer stays.
void SetPrinterByName(const QString &deviceName);

// The installed printer that the system names as its default; none when the
// default is not among the installed printers (or there is none).
std::optional<QPrinterInfo> GetDefaultPrinter();

// The name of that printer; the empty text when there is none.
QString GetDefaultPrinterName();

} // namespace imodPrint
