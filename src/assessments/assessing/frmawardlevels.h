#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The award levels and their criteria ("competencies"). A level is shown, added
// (New) or changed (Edit) and saved; criteria are stored the moment they are added
// or deleted, and only while a saved level is being edited.
class frmAwardLevels : public ui::Form
{
    Q_OBJECT
public:
    frmAwardLevels();

    Q_INVOKABLE void lstLevels_Click();
    Q_INVOKABLE void Check1_Click();
    Q_INVOKABLE void cboField_Click(int index);
    Q_INVOKABLE void cmdNew_Click();
    Q_INVOKABLE void cmdEdit_Click();
    // False when the save was refused (a duplicate name) or failed.
    Q_INVOKABLE bool cmdSave_Click();
    Q_INVOKABLE void cmdDelete_Click();
    Q_INVOKABLE void cmdAddC_Click();
    Q_INVOKABLE void cmdDelC_Click();

    QLabel *Image1;
    QListWidget *lstLevels;
    QCheckBox *Check1;
    // 0 LevelID (hidden), 1 name, 2 duration number, 5 sequence (hidden).
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    // 3 the duration unit.
    ui::ControlArray<QComboBox> cboField{QStringLiteral("cboField")};
    QCheckBox *chkInactive;
    QListWidget *lstCompetency;
    QPushButton *cmdNew;
    QPushButton *cmdEdit;
    QPushButton *cmdSave;
    QPushButton *cmdDelete;
    QPushButton *cmdAddC;
    QPushButton *cmdDelC;

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;

private:
    void LoadLevelList();
    void LoadCriteria(qint32 levelId);
    void setEditing(bool editing, bool criteria);
    qint32 shownLevel() const;
};
