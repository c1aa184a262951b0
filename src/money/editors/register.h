#pragma once

namespace money {

// Registers the tax codes, payment methods and discounts editors and the discount
// pick list by window name (which enables the menu items and the Discount buttons
// of the class view and the student record), and the operations the
// authorisation window carries out for the three editors.
void RegisterMoneyWindows();

} // namespace money
