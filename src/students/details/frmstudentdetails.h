#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QPointer>

class QCheckBox;
class QComboBox;
class QColor;
class QFrame;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace ui {
class FlexGrid;
}

// The student record window: one person of the Students table with the person's
// bookings, charges, payments and assessments. A new window for every opening:
// create it, call LoadUp, then show it. Read-only until Edit; Save writes the row.
class frmStudentDetails : public ui::Form
{
    Q_OBJECT
public:
    frmStudentDetails();

    // studentId 0: a new student. userId: whose rights the window checks ("" is
    // the signed-in user).
    Q_INVOKABLE void LoadUp(qint32 intStudentID, QObject *xf = nullptr,
                            const QString &UserID = {});
    Q_INVOKABLE void ReLoadUp();
    Q_INVOKABLE void Edit_Me();
    Q_INVOKABLE void cmdEdit_Click();
    // Gives whether the row was stored.
    Q_INVOKABLE bool cmdSave_Click();
    Q_INVOKABLE void Load_LTS_History();
    Q_INVOKABLE void Load_Ledger_History(bool charges);
    Q_INVOKABLE void Load_Assessment_History();
    Q_INVOKABLE void Load_Memberships();
    Q_INVOKABLE void txtField_LostFocus(int index);
    Q_INVOKABLE void cmdBarcodeChange_Click();
    Q_INVOKABLE void imgEmail_Click();
    Q_INVOKABLE void btnCopy_Click();
    Q_INVOKABLE void grd_Click();
    Q_INVOKABLE void grd_DblClick();
    Q_INVOKABLE void grd2_DblClick();
    Q_INVOKABLE void grd3_DblClick();
    Q_INVOKABLE void cmdNewAssessment_Click();
    // Deleting the person (after the confirmation window) and one booking.
    Q_INVOKABLE void cmdDelete_Click();
    Q_INVOKABLE void DeleteStudent();
    Q_INVOKABLE void DeleteStudentBooking(const QString &UserID);
    // The booking status legend and the waiting-list removal.
    Q_INVOKABLE void cmdConfirm_Click();
    Q_INVOKABLE void cmdTentative_Click();
    Q_INVOKABLE void cmdCancel_Click();
    Q_INVOKABLE void cmdMove_Click();
    Q_INVOKABLE void cmdNoShow_Click();
    Q_INVOKABLE void cmdWLDel_Click();
    // The documents and money windows of the person or the selected booking.
    Q_INVOKABLE void cmdPrintConfirmation_Click();
    Q_INVOKABLE void cmdInvoice_Click();
    Q_INVOKABLE void cmdReceivePayments_Click();
    Q_INVOKABLE void cmdDiscount_Click();
    Q_INVOKABLE void cmdPrintDetails_Click();
    Q_INVOKABLE void cmdDetailsForm_Click(int index = 1);
    // Called back by the cancellation dialog and the authorisation window.
    Q_INVOKABLE void FinishCancellation();
    Q_INVOKABLE void PrepareToMove();
    // The family panel: the family line, its four buttons and the family schedule.
    Q_INVOKABLE void ChangeFamily(const QString &strFamily);
    Q_INVOKABLE void cmdAttachFamily_Click();
    Q_INVOKABLE void cmdEditFamily_Click();
    Q_INVOKABLE void cmdFamily_Click();
    Q_INVOKABLE void cmdRemoveFamily_Click();
    Q_INVOKABLE void cmdPrintFamily_Click();
    // The passport list's position changed (by the user or a load): a first issue
    // offers to charge the passport fee.
    Q_INVOKABLE void cboPassport_Click();
    // Shows a payment's receipt summary through the money subsystem's procedure.
    void OpenReceiptSummary(qint32 paymentId);

    qint32 studentId() const { return m_studentId; }
    QString userId() const { return m_userId; }
    bool ContactDetailsChanged = false;

    // The photograph file of a person: "<data folder>/jpegs/<id>.jpg".
    static QString PersonPhotoFile(qint32 studentId);

    QLabel *Image1;
    QLabel *lblName;
    QPushButton *cmdEdit;
    QPushButton *cmdSave;
    QPushButton *cmdDelete;
    QTabWidget *SSTab1;
    QGroupBox *fraDetails;
    QGroupBox *fraAddress;
    ui::ControlArray<QWidget> txtField{QStringLiteral("txtField")};
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    QLabel *lblAge;
    QLabel *lblFamily;
    QPushButton *cmdFamily;
    QPushButton *cmdAttachFamily;
    QPushButton *cmdEditFamily;
    QPushButton *cmdRemoveFamily;
    QPushButton *cmdPrintFamily;
    QPushButton *imgEmail;
    QCheckBox *chkInactive;
    QLabel *lblStudentID;
    QLabel *lblBarcode;
    QPushButton *cmdBarcodeChange;
    QLabel *lblUpdated;
    QLabel *picStudent;
    QPushButton *btnLoadPic;
    QPushButton *btnDelPic;
    QPushButton *btnCopy;
    QPushButton *cmdPrintDetails;
    QPushButton *cmdDetailsForm;
    QFrame *shpWarning;
    QLabel *lblWarning;
    QFrame *shpWarning2;
    QLabel *lblWarning2;
    QComboBox *cboPassport;
    ui::FlexGrid *grd;
    QPushButton *cmdWLDel;
    QPushButton *cmdPrintConfirmation, *cmdInvoice, *cmdReceivePayments, *cmdDiscount;
    // The legend: a swatch of each status colour under a clickable entry.
    QFrame *shpTentative, *shpConfirmed, *shpMoved, *shpCancelled, *shpNoShow;
    QPushButton *cmdTentative, *cmdConfirm, *cmdMove, *cmdCancel, *cmdNoShow;
    ui::FlexGrid *grdC;
    ui::FlexGrid *grd2;
    QLineEdit *txtCharge;
    QLineEdit *txtPayment;
    QLineEdit *txtBal;
    ui::FlexGrid *grd3;
    QPushButton *cmdNewAssessment;
    ui::FlexGrid *grdMem;

    // The "Membership" tab: the list and its buttons (membershiptab.cpp).
    QPushButton *cmdNewMembership, *cmdEditMembership, *cmdDeleteMembership,
        *cmdRenewMembership, *cmdMinus, *cmdPlus;
    Q_INVOKABLE void cmdNewMembership_Click();
    Q_INVOKABLE void cmdEditMembership_Click();
    Q_INVOKABLE void cmdDeleteMembership_Click();
    Q_INVOKABLE void cmdMinus_Click();
    Q_INVOKABLE void cmdPlus_Click();

    // The photograph's actions (photoactions.cpp).
    Q_INVOKABLE void picStudent_DblClick();
    Q_INVOKABLE void btnLoadPic_Click();
    Q_INVOKABLE void btnDelPic_Click();

    // The text of a box of txtField (line or several lines).
    QString fieldText(int index) const;
    void setFieldText(int index, const QString &text);

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Setup_Grids();
    void Load_Details();
    void txtField_Change(int index);
    void setLook(bool editing);
    void clearFields();
    void placeFamilyButtons(bool member);
    // The family panel's buttons and their slots (familylinks.cpp).
    QLayout *makeFamilyButtons();
    QPushButton *makePrintFamilyButton();
    void LoadFamilyContact(qint32 familyId);
    // After the row is written: the contact details to the family, when they changed.
    void CopyContactToFamily();
    void refreshEntryPoints();
    // The booking of the grid's current row, 0 on the heading row.
    qint32 selectedBooking();
    QColor selectedColour() const;
    void changeStatus(const QString &from, const QString &to);
    void requestAuthorisation(const QString &text, const QString &extra);
    void refreshAfterBookingChange();
    void refreshSearchWindows();

    // The "Membership" tab (membershiptab.cpp) and the photograph (photoactions.cpp).
    QWidget *buildMembershipTab();
    void connectPhotoActions();
    // False, after the "Sorry, not just now" box, while the person is not saved.
    bool refuseUnsaved(const QString &text);
    qint32 selectedMembership() const;
    void ChangeVisitsUsed(qint32 membershipId, qint32 change);

    qint32 m_studentId = 0;
    QPointer<QObject> m_xf;
    QString m_userId;
    bool m_saveFailed = false;
    // The booking whose move was asked for, kept while the authorisation runs.
    struct PendingMove
    {
        qint32 bookingId = 0;
        QString program;
        QString level;
    } m_move;
};
