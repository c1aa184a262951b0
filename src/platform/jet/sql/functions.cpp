#include "functions.h"

#include <sqlite3.h>

namespace jet::sql {

void registerFunctions(sqlite3 *)
{
}

} // namespace jet::sql
