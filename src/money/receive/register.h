#pragma once

namespace money {

// Registers the payment window "frmPayments" (one shared window) by name, which
// enables the Money menu's "Receive Payments", the class search window's and the
// student record's buttons and lets the ledger open it on a student.
void RegisterPaymentsWindow();

} // namespace money
