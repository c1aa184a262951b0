#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QPointer>
#include <memory>

class Membership;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The memberships window: sells a new membership to a person or edits one. One
// window for the whole program: the record window shows it and calls LoadUp;
// Save stores the membership and has the record window reload its list.
class frmMemberJoin : public ui::Form
{
    Q_OBJECT
public:
    frmMemberJoin();
    ~frmMemberJoin() override;

    // lngMembershipID 0: a new membership. An empty name is looked up.
    Q_INVOKABLE void LoadUp(qint32 lngStudentID, QObject *xfCallForm, qint32 lngMembershipID,
                            const QString &strName);
    Q_INVOKABLE void LoadTypes();
    Q_INVOKABLE void Calculate_Expiry();
    Q_INVOKABLE void cboType_Click();
    // Gives whether the membership was stored (and the window closed).
    Q_INVOKABLE bool cmdSave_Click();
    Q_INVOKABLE void cmdCancel_Click();

    qint32 studentId() const { return m_studentId; }

    QLabel *Label2;
    QLabel *lblName;
    QLineEdit *txtBarcode;
    QLineEdit *txtStartDate;
    QComboBox *cboType;
    QLineEdit *txtDuration;
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    QLabel *lblExpiry;
    QPushButton *cmdCancel;
    QPushButton *cmdSave;

protected:
    void onLoad() override;

private:
    void LockDuration(bool locked);

    qint32 m_studentId = 0;
    QPointer<QObject> m_callForm;
    std::unique_ptr<Membership> m_membership;
};
