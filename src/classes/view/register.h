#pragma once

namespace classes {

// Makes the class view known by the name "frmViewClass" (a new window for every
// class opened) and registers its approved operations "Add Class" and "Edit Class".
void RegisterClassViewWindow();

} // namespace classes
