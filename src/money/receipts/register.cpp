#include "register.h"

#include "access/authorisation.h"
#include "access/permissions.h"
#include "frmjournalreceipts.h"
#include "frmreceiptsummary.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

namespace money {

void RegisterReceiptWindows()
{
    const QString summary = QStringLiteral("frmReceiptSummary");
    const QString journal = QStringLiteral("frmJournalReceipts");
    ui::RegisterWindow(summary, [] { return ui::Forms::shared<frmReceiptSummary>(); });
    ui::RegisterWindow(journal, [] { return ui::Forms::shared<frmJournalReceipts>(); });

    using useraccess::PermissionCheck;
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Delete Payment"), PermissionCheck::ByIndex,
         Global::PermissionIndex(QStringLiteral("DeletePayments")), false,
         [summary](const useraccess::AuthorisationRequest &request) {
             // The summary that asked; nothing when it has closed meanwhile.
             if (ui::Form *open = ui::Forms::find(summary))
                 ui::callByName(open, QStringLiteral("DeletePayment"), {request.userId.toUpper()});
         }});
    useraccess::RegisterAuthorisedOperation(
        {QStringLiteral("Receipts Journal"), PermissionCheck::ByIndex,
         Global::PermissionIndex(QStringLiteral("ReceiptsJournal")), false,
         useraccess::ShowWindow(journal)});
}

} // namespace money
