#pragma once

namespace money {

// Registers the tax codes, payment methods, discounts and general-ledger accounts
// editors and the discount pick list by window name (which enables the menu items
// and the Discount buttons of the class view and the student record), and the
// operations the authorisation window carries out for the four editors.
void RegisterMoneyWindows();

} // namespace money
