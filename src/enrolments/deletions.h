#pragma once

namespace enrolments {

// Registers the booking deletion ("Delete Booking") with the delete confirmation
// window, which runs it once the user typed yes; a deletion that fails says so
// ("Oops!", with the error's number and description) and keeps the booking window.
void RegisterDeletions();

} // namespace enrolments
