#pragma once

#include <QString>

namespace os {

// This workstation's name as other workstations see it (the host name).
QString computerName();

} // namespace os
