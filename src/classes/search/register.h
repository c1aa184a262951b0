#pragma once

namespace classes {

// Makes the class search window known by the name "Main" and registers the
// operations the authorisation window carries out for its bar.
void RegisterClassSearchWindow();

} // namespace classes
