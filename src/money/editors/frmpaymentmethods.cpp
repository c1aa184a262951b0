#include "frmpaymentmethods.h"

#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globalsettings.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "money/moneytables.h"
#include "platform/jet/sql/error.h"
#include "platform/ui/labels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

frmPaymentMethods::frmPaymentMethods()
    : LookupEditor(QStringLiteral("frmPaymentMethods"), QStringLiteral("Payment Methods"),
                   QStringLiteral("payment method"), QStringLiteral("lstUsers"))
{
    lstUsers = listBox();
    core::setListSorted(lstUsers, true);
    setListFill(ListFill::FillListFromSql);
    // After a save the list has no selection and the fields keep the saved method.
    setSelectAfterSave(false);

    fieldsLayout()->addRow(ui::sectionLabel(QStringLiteral("Payment Method Information"), this));
    fieldsLayout()->addRow(QStringLiteral("Method ID:"), txtField.add(0, new QLineEdit(this)));
    fieldsLayout()->addRow(QStringLiteral("Method:"), txtField.add(1, new QLineEdit(this)));
    addReadOnlyBox(txtField[0]);
    addNameBox(txtField[1]);
    cboAccount = new QComboBox(this);
    cboAccount->setObjectName(QStringLiteral("cboAccount"));
    fieldsLayout()->addRow(QStringLiteral("Account:"), cboAccount);
    addEditControl(cboAccount);
    chkAdmin = new QCheckBox(QStringLiteral("Exclude from figures when clearing accounts?"), this);
    chkAdmin->setObjectName(QStringLiteral("chkAdmin"));
    fieldsLayout()->addRow(QString(), chkAdmin);
    addEditControl(chkAdmin, true);
}

void frmPaymentMethods::onLoad()
{
    // The accounts first, so that the first method shows its account.
    try {
        irecObjectCode::FillListFromSql(cboAccount, moneytables::AccountNumbersSql, 0);
    } catch (...) {
        warn(QStringLiteral("An error occurred while loading the list. (Err#") +
             QString::number(core::currentError().number) + QLatin1Char(')'));
    }
    LookupEditor::onLoad();
}

QString frmPaymentMethods::listSql() const
{
    return moneytables::PaymentMethodListSql;
}

void frmPaymentMethods::showEntry(const QString &entry)
{
    const auto row = moneytables::FindPaymentMethod(entry);
    if (!row)
        return;
    txtField[0]->setText(QString::number(row->id));
    txtField[1]->setText(row->name);
    // An account that is not listed leaves the box without a choice.
    cboAccount->setCurrentIndex(cboAccount->findText(row->account, Qt::MatchFixedString));
    chkAdmin->setChecked(row->exclude != 0);
}

void frmPaymentMethods::ClearFields()
{
    txtField[0]->clear();
    txtField[1]->clear();
    cboAccount->setCurrentIndex(-1);
    chkAdmin->setChecked(false);
}

void frmPaymentMethods::clearForNew()
{
    ClearFields();
    cboAccount->setCurrentIndex(cboAccount->count() > 0 ? 0 : -1);
}

LookupEditor::Message frmPaymentMethods::saveRefusal()
{
    const QString name = txtField[1]->text();
    if (name.isEmpty())
        return QStringLiteral("Sorry, you cannot have a blank payment method name.");
    if (name.contains(QLatin1Char('\'')))
        return QStringLiteral("You cannot have a ' character in the payment method name.");
    return {};
}

LookupEditor::Message frmPaymentMethods::writeRow()
{
    const qint32 id = isAdding() ? 0 : idOf(txtField[0]);
    const qint32 saved = moneytables::SavePaymentMethod(
        id, txtField[1]->text(), cboAccount->currentIndex() < 0 ? QString() : cboAccount->currentText(),
        chkAdmin->isChecked() ? 1 : 0);
    txtField[0]->setText(QString::number(saved));
    return {};
}

LookupEditor::Message frmPaymentMethods::saveError(const core::ErrorInfo &error) const
{
    if (error.number == jet::err::Unspecified)
        return {QStringLiteral("An payment method with the name you entered already exists. This "
                               "payment method cannot be created."),
                QStringLiteral("Oops!"), ui::vbCritical};
    return LookupEditor::saveError(error);
}

LookupEditor::Message frmPaymentMethods::deleteRefusal()
{
    const int n = moneytables::CountPaymentsWithMethod(txtField[1]->text());
    if (n < 1)
        return {};
    return {QStringLiteral("This payment method is linked to ") + QString::number(n) +
                QStringLiteral(" uncleared transactions in ") +
                Global::CentreSettings().ShortAppName() +
                QStringLiteral(". You cannot delete these payment methods until the clear "
                               "accounts utility has been run."),
            QStringLiteral("Sorry"), ui::vbExclamation};
}

QString frmPaymentMethods::deleteSql() const
{
    return moneytables::PaymentMethodRowSql(idOf(txtField[0]));
}
