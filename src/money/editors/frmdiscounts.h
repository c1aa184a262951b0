#pragma once

#include "core/lookupeditor.h"

class QCheckBox;

// The named discounts a centre offers, each with its amount (stored negative)
// and whether it is reduced by the discounts already granted.
class frmDiscounts : public LookupEditor
{
    Q_OBJECT
public:
    frmDiscounts();

    Q_INVOKABLE void lstDiscounts_Click() { showSelected(); }
    Q_INVOKABLE void LoadDiscountList() { LoadList(); }
    // The boxes and check boxes open for typing (true) or locked.
    void EnableFields(bool editing) { SetEditMode(editing); }
    void ClearFields() override;

    QListWidget *lstDiscounts;
    QLineEdit *txtDiscountID;
    QLineEdit *txtName;
    QLineEdit *txtAmount;
    QCheckBox *chkPool;
    QCheckBox *chkPerSession;

protected:
    QString listSql() const override;
    void showEntry(const QString &entry) override;
    Message saveRefusal() override;
    Message writeRow() override;
    QString deleteSql() const override;
};
