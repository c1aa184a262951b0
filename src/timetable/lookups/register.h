#pragma once

namespace timetable {

// Registers the class groups, locations, activities and events editors by window
// name and the operations the authorisation window carries out for them.
void RegisterLookupEditors();

} // namespace timetable
