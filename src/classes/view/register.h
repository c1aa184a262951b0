#pragma once

namespace classes {

// Makes the class view known by the name "frmViewClass": a new window for every
// class opened.
void RegisterClassViewWindow();

} // namespace classes
