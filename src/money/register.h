#pragma once

namespace imodMoney {

// Registers the money procedures that other subsystems call by name:
// "imodMoney::ShowReceiptSummary" (one argument, the ledger row's PaymentID).
void RegisterMoneyProcedures();

} // namespace imodMoney
