#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The general-ledger accounts whose codes the ledger rows carry as revenue and
// deposit accounts: a list of "code - name" beside the account shown, New, Edit,
// Save and a guarded Delete. The fields are bound to the Accounts columns by
// their tags; "Include when Clearing Accounts?" (Bank) is shown, never written.
class frmAccounts : public ui::Form
{
    Q_OBJECT
public:
    frmAccounts();

    Q_INVOKABLE void lstUsers_Click();
    Q_INVOKABLE void cboType_Click();
    Q_INVOKABLE void cmdNew_Click();
    Q_INVOKABLE void cmdEdit_Click();
    // Gives whether the account was stored; a refusal or failure keeps the window
    // editing with what was typed.
    Q_INVOKABLE bool cmdSave_Click();
    Q_INVOKABLE void cmdDelete_Click();

    QLabel *Image1;
    QListWidget *lstUsers;
    // 0 the account code, 1 the name.
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    QComboBox *cboType;
    QComboBox *cboTaxCode;
    QGroupBox *Frame1;
    QCheckBox *chkAdmin;
    QPushButton *cmdNew;
    QPushButton *cmdEdit;
    QPushButton *cmdSave;
    QPushButton *cmdDelete;

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;

private:
    void LoadAccountList();
    void SetEditMode(bool editing, bool codeEditable);

    bool m_adding = false;
    bool m_askingToClose = false;
    bool m_saveFailedBadly = false;
};
