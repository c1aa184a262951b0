#pragma once

// The permission checks belong to the access library; the main window uses them
// through this header.
#include "access/permissions.h"
