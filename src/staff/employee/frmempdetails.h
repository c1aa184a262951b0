#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

namespace ui {
class FlexGrid;
}

// The employee record window: one employee (a Students row with its Instructors
// row), its user account, family, photograph and qualifications. A new window for
// every opening: create it, call LoadUp, then show it. Read-only until Edit; Save
// writes the rows and returns to the read-only state.
class frmEmpDetails : public ui::Form
{
    Q_OBJECT
public:
    frmEmpDetails();

    // Members other windows call by name.
    Q_INVOKABLE void Load_User_List();
    // intInstructorID 0 with "Add": a new employee. UserID: whose rights the window
    // checks ("" is the signed-in user).
    Q_INVOKABLE void LoadUp(qint32 intInstructorID, const QString &strMode,
                            const QString &UserID = {});
    Q_INVOKABLE void Load_Qualifications();
    Q_INVOKABLE void DemoteInstructor();
    Q_INVOKABLE void Edit_Me();
    Q_INVOKABLE void ChangeFamily(const QString &strFamily);
    Q_INVOKABLE void LoadTheUser();

    // The buttons and events.
    Q_INVOKABLE void cmdEdit_Click();
    // Gives whether the rows were stored.
    Q_INVOKABLE bool cmdSave_Click();
    Q_INVOKABLE void cmdDelete_Click();
    Q_INVOKABLE void txtField_LostFocus(int index);
    Q_INVOKABLE void cmdBarcodeChange_Click();
    Q_INVOKABLE void picStudent_DblClick();
    Q_INVOKABLE void btnLoadPic_Click();
    Q_INVOKABLE void btnDelPic_Click();
    Q_INVOKABLE void btnCopy_Click();
    Q_INVOKABLE void cmdAttachFamily_Click();
    Q_INVOKABLE void cmdEditFamily_Click();
    Q_INVOKABLE void cmdFamily_Click();
    Q_INVOKABLE void cmdRemoveFamily_Click();
    Q_INVOKABLE void lblWarning_Click();
    Q_INVOKABLE void cmdUserEdit_Click();
    Q_INVOKABLE void cmdUserPermissions_Click();
    Q_INVOKABLE void cboUserID_Click();
    Q_INVOKABLE void imgEmail_Click();
    Q_INVOKABLE void cmdNewQualification_Click();
    Q_INVOKABLE void grd3_DblClick();
    Q_INVOKABLE void cboProgram_Click();

    // The text of a box of txtField (line or several lines).
    QString fieldText(int index) const;
    void setFieldText(int index, const QString &text);
    QString strMode() const { return m_mode; }
    QString userId() const { return m_userId; }
    qint32 lngInstructorID() const { return m_instructorId; }
    // The account the combo shows: its strUserIDs entry ("" for "(none)").
    QString chosenUserId() const;
    bool boolContactChanged = false;

    QLabel *Image1;
    QLabel *lblName;
    QTabWidget *SSTab1;
    ui::ControlArray<QWidget> txtField{QStringLiteral("txtField")};
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    ui::ControlArray<QComboBox> cboUserID{QStringLiteral("cboUserID")};
    QLabel *lblEmpID;
    QLabel *lblPersonID;
    QLabel *lblAge;
    QLabel *lblUpdated;
    QLabel *lblBarcode;
    QPushButton *cmdBarcodeChange;
    QLabel *lblFamily;
    QPushButton *cmdFamily;
    QPushButton *cmdAttachFamily;
    QPushButton *cmdEditFamily;
    QPushButton *cmdRemoveFamily;
    QCheckBox *chkInactive;
    QLabel *picStudent;
    QPushButton *btnLoadPic;
    QPushButton *btnCopy;
    QPushButton *btnDelPic;
    QPushButton *imgEmail;
    QPushButton *cmdUserEdit;
    QPushButton *cmdUserPermissions;
    QFrame *shpWarning;
    QLabel *lblWarning;
    ui::FlexGrid *grd3;
    QPushButton *cmdNewQualification;
    QLabel *lblStatTotal;
    QLabel *lblStatFillRate;
    QLabel *lblPassRate;
    QComboBox *cboProgram;
    ui::FlexGrid *grdStats;
    QPushButton *cmdEdit;
    QPushButton *cmdSave;
    QPushButton *cmdDelete;

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;
    void onUnload(ui::CloseReason reason, bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildDetailsTab();
    QWidget *buildUserAccountTab();
    void FormatStatisticsGrid();
    void LoadProgramsTaught();
    void LoadInstructorStatistics();
    void FormatQualificationsGrid();
    void LoadEmployee();
    int FindUserIndex(const QString &userId) const;
    void LoadFamilyContact(qint32 familyId);
    void txtField_Change(int index);
    void setViewState();
    void requestAuthorisation(const QString &text, const QString &extra);
    void openQualification(const QString &qualRecId);
    void refreshSearchWindow();

    qint32 m_instructorId = 0;
    QString m_mode;
    QString m_userId;
    QStringList strUserIDs;
    bool m_rightsChecked = false;
};
