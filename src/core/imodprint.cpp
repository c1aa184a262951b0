#include "imodprint.h"

#include "platform/ui/printers.h"

namespace imodPrint {

void SetPrinterByName(const QString &deviceName)
{
    ui::Printers::setCurrent(deviceName);
}

std::optional<QPrinterInfo> GetDefaultPrinter()
{
    const QString deviceName = ui::Printers::defaultName();
    if (deviceName.isEmpty() || !ui::Printers::names().contains(deviceName))
        return std::nullopt;
    return QPrinterInfo::printerInfo(deviceName);
}

QString GetDefaultPrinterName()
{
    const auto printer = GetDefaultPrinter();
    return printer ? printer->printerName() : QString();
}

} // namespace imodPrint
