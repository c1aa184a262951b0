#pragma once

namespace classes {

// The one-off enrolment centre "frmOOE" and its operations of the authorisation window.
void RegisterOneOffCentre();

} // namespace classes
