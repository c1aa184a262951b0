#pragma once

#include "core/lookupeditor.h"
#include "platform/ui/controlarray.h"

// The tax codes of the centre, each with a name and a rate in percent. The code
// is the key that programs, accounts and ledger rows name.
class frmTaxCodes : public LookupEditor
{
    Q_OBJECT
public:
    frmTaxCodes();

    Q_INVOKABLE void lstUsers_Click() { showSelected(); }
    Q_INVOKABLE void LoadTaxCodeList() { LoadList(); }

    QListWidget *lstUsers;
    // 0 the code, 1 the name, 2 the rate.
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};

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
};
