#pragma once

namespace students {

// Registers the photograph window "frmPhoto" (one shared window).
void RegisterPhotoWindow();

} // namespace students
