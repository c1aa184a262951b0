// The record window's passport list: issuing a passport offers to charge its fee.
#include "frmstudentdetails.h"

#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "core/lookups.h"
#include "money/imodmoney.h"
#include "money/payments.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/tag.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"

#include <QComboBox>

void frmStudentDetails::cboPassport_Click()
{
    // Each step's failure is passed over; the list's tag follows in any case.
    try {
        GlobalSettings &settings = Global::CentreSettings();
        const vb::Currency fee =
            vb::CCur(vb::Nz(settings.Settings(CentreSettingIds::JoiningFee), 0));
        const int position = cboPassport->currentIndex();
        if (ui::tag(cboPassport) == QLatin1String("Not Issued") &&
            (position == 1 || position == 2) && fee != vb::Currency()) {
            const QString prompt =
                QStringLiteral("You have just issued a passport for this student. Would you "
                               "like to charge the ") +
                vb::Format(QVariant::fromValue(fee),
                           QStringLiteral("$#,###,##0.00;-#,###,##0.00")) +
                QStringLiteral(" passport fee now?");
            if (ui::Dialogs::msgBox(prompt, ui::vbYesNo | ui::vbQuestion,
                                    QStringLiteral("Charge Fee?")) == ui::vbYes) {
                ui::Hourglass hourglass;
                const QString taxCode =
                    vb::CStr(vb::Nz(settings.Settings(CentreSettingIds::JoiningFeeTaxCode)));
                const vb::Currency tax =
                    imodMoney::JoiningFeeRowTax(fee, Global::GetTaxRate(taxCode));
                imodMoney::AddCharge(
                    imodMoney::PaymentRowType::Charge, fee, tax,
                    vb::CStr(vb::Nz(settings.Settings(CentreSettingIds::JoiningFeeAccount))), 0,
                    vb::CLng(QVariant(fieldText(0))), 0, taxCode, imodMoney::PassportFeeNotes);
                Load_Ledger_History(true);
            }
        }
    } catch (...) {
    }
    ui::setTag(cboPassport, cboPassport->currentText());
}
