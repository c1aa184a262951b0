#pragma once

namespace money {

// Registers the receipt summary "frmReceiptSummary" and the receipts journal
// "frmJournalReceipts" (one shared window each) by name, which enables the
// journal's menu item and lets the ledger open the summary on a row, and the
// operations the authorisation window carries out for them: "Delete Payment"
// (the reversal on the open summary, in the approving user's name) and
// "Receipts Journal".
void RegisterReceiptWindows();

} // namespace money
