#pragma once

#include "platform/ui/form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

// Assessing the classes of one program: for the class chosen, the enrolled
// students not assessed yet and the assessments not finalised yet. The employee
// assesses every class (with an instructor filter) or only his own.
class frmAssess2 : public ui::Form
{
    Q_OBJECT
public:
    frmAssess2();

    // Shows the program's classes for the employee; again on the open window, it
    // replaces the program, the employee and the lists.
    Q_INVOKABLE void LoadUp(qint32 intProgramID, qint32 intEmpID, const QString &strEmpName,
                            bool boolAssessAll);
    // Reload the unassessed / unfinalised list of the class chosen, and put the
    // other tab's class box on the same class (reloading its list when it moves).
    Q_INVOKABLE void cboClass_Click();
    Q_INVOKABLE void cboClass2_Click();
    Q_INVOKABLE void cboInstructor_Click();
    Q_INVOKABLE void cboDay_Click();
    Q_INVOKABLE void cmdAssess_Click();
    Q_INVOKABLE void cmdAssess2_Click();
    Q_INVOKABLE void cmdDel_Click();
    Q_INVOKABLE void cmdFinalise_Click();
    Q_INVOKABLE void cmdAddStudent_Click();
    Q_INVOKABLE void cmdRemoveStudent_Click();
    Q_INVOKABLE void cmdOK_Click();

    // The class chosen in cboClass (0 when none).
    qint32 chosenClass() const;

    QLabel *Image1;
    QLineEdit *txtProgramID;
    QLineEdit *txtEmpID;
    QLabel *lblEmployee;
    QComboBox *cboInstructor;
    QComboBox *cboDay;
    QTabWidget *tab;
    QComboBox *cboClass;
    QListWidget *lstStudents;
    QPushButton *cmdAssess;
    QPushButton *cmdAddStudent;
    QPushButton *cmdRemoveStudent;
    QComboBox *cboClass2;
    QListWidget *lstStudents2;
    QPushButton *cmdAssess2;
    QPushButton *cmdDel;
    QPushButton *cmdFinalise;
    QPushButton *cmdOK;

protected:
    void onLoad() override;

private:
    void LoadInstructorList();
    void LoadClassLists();
    // Opens a new sheet on the assessment (0: a new one for the student).
    void openSheet(qint32 assessmentId, qint32 studentId);
    // The "Big Problem" checks before a sheet opens.
    bool canAssess();

    bool m_assessAll = false;
    QString m_empName;
    qint32 m_empId = 0;
    qint32 m_programId = 0;
};
