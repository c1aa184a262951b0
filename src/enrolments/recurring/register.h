#pragma once

namespace enrolments {

// Registers by name the cancellation dialog "frmCancelDialog" (which enables the
// record windows' Cancel buttons), the window of due work "frmRecurring" (opened
// by the alerts window) and the payment plan "frmPayPlan" (enabling the programs
// window's button), and the authorised operation "Cancel Booking" (CancelBooking
// flag, checked by name): the dialog opens on the booking whose number the
// request carries, for the requesting window.
void RegisterRecurringWindows();

} // namespace enrolments
