#pragma once

#include "core/lookupeditor.h"
#include "platform/ui/controlarray.h"

class QCheckBox;
class QComboBox;

// The payment methods: the names a payment is recorded under, each with the
// account it is deposited into and whether the clearing of accounts leaves it out.
class frmPaymentMethods : public LookupEditor
{
    Q_OBJECT
public:
    frmPaymentMethods();

    // Switches between viewing (false) and editing (true).
    Q_INVOKABLE void EnableControls(bool editing) { SetEditMode(editing); }
    Q_INVOKABLE void lstUsers_Click() { showSelected(); }
    Q_INVOKABLE void LoadMethodList() { LoadList(false); }

    QListWidget *lstUsers;
    // 0 the method's number (always read-only), 1 its name.
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    QComboBox *cboAccount;
    QCheckBox *chkAdmin;

protected:
    QString listSql() const override;
    void showEntry(const QString &entry) override;
    void ClearFields() override;
    void clearForNew() override;
    Message saveRefusal() override;
    Message writeRow() override;
    Message saveError(const core::ErrorInfo &error) const override;
    Message deleteRefusal() override;
    QString deleteSql() const override;
    void onLoad() override;
};
