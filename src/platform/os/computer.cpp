#include "computer.h"

#include <QSysInfo>

namespace os {

QString computerName()
{
    return QSysInfo::machineHostName();
}

} // namespace os
