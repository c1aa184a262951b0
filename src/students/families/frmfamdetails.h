#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QPointer>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

// The family window: a family's contact row (names, phones, address, flags,
// barcode, photograph) and its members. A new window for every opening: create
// it, call LoadUp, then show it. Read-only until Edit; Save writes the row and
// copies its contact details to the members.
class frmFamDetails : public ui::Form
{
    Q_OBJECT
public:
    frmFamDetails();

    // intStudentID 0: a new family, in edit mode at once. UserID: whose rights
    // Edit and Delete check ("" is the signed-in user).
    Q_INVOKABLE void LoadUp(qint32 intStudentID, QObject *xf = nullptr,
                            const QString &UserID = {});
    Q_INVOKABLE void Load_Family_Members();
    Q_INVOKABLE void LoadFamily(qint32 FamID);
    Q_INVOKABLE void Edit_Me();
    Q_INVOKABLE void cmdEdit_Click();
    // Gives whether the row was stored.
    Q_INVOKABLE bool cmdSave_Click();
    Q_INVOKABLE void cmdDelete_Click();
    Q_INVOKABLE void DeleteFamily();
    Q_INVOKABLE void cmdBarcodeChange_Click();
    Q_INVOKABLE void cmdEditStudent_Click();
    Q_INVOKABLE void cmdRemoveStudent_Click();
    Q_INVOKABLE void cmdAdd_Click();
    Q_INVOKABLE void btnLoadPic_Click();
    Q_INVOKABLE void btnDelPic_Click();
    Q_INVOKABLE void btnCopy_Click();
    Q_INVOKABLE void imgEmail_Click();
    Q_INVOKABLE void cmdDetailsForm_Click(int index = 1);
    Q_INVOKABLE void txtField_GotFocus(int index);

    qint32 familyId() const { return m_familyId; }
    QString userId() const { return m_userId; }
    bool ContactDetailsChanged = false;

    QString fieldText(int index) const;
    void setFieldText(int index, const QString &text);

    QLabel *Label1;
    QLabel *lblName;
    QLabel *Image1;
    QPushButton *cmdEdit;
    QPushButton *cmdSave;
    QPushButton *cmdDelete;
    QTabWidget *SSTab1;
    QGroupBox *fraDetails;
    QGroupBox *fraAddress;
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    QPushButton *imgEmail;
    QCheckBox *chkStudent;
    QCheckBox *chkEmployee;
    QLabel *lblFamilyID;
    QLabel *lblBarcode;
    QPushButton *cmdBarcodeChange;
    QLabel *picStudent;
    QPushButton *btnLoadPic;
    QPushButton *btnCopy;
    QPushButton *btnDelPic;
    QPushButton *cmdDetailsForm;
    QListWidget *lstFamily;
    QPushButton *cmdAdd;
    QPushButton *cmdRemoveStudent;
    QPushButton *cmdEditStudent;

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadFamilyRecord();
    void txtField_Change(int index);
    void setLook(bool editing);
    void requestAuthorisation(const QString &text, const QString &extra);
    // The member chosen in the list; 0 (after a message) when its row is gone.
    qint32 chosenMember();
    QString photoFile() const;
    void showPhoto();

    qint32 m_familyId = 0;
    QPointer<QObject> m_xf;
    QString m_userId;
};
