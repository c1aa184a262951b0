#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// One assessment of one student, recorded from the student record and written
// finalised: the assessing employee, the level and the criteria of it the student
// attained. One window for the whole program; the student record fills in the
// student, the name and the date.
class frmNewAssessment : public ui::Form
{
    Q_OBJECT
    Q_PROPERTY(qint32 StudentID READ StudentID WRITE setStudentID)
    Q_PROPERTY(qint32 InstructorID READ InstructorID)
    Q_PROPERTY(qint32 LevelID READ LevelID)
public:
    frmNewAssessment();

    qint32 StudentID() const { return m_studentId; }
    void setStudentID(qint32 id) { m_studentId = id; }
    qint32 InstructorID() const { return m_instructorId; }
    qint32 LevelID() const { return m_levelId; }

    Q_INVOKABLE void cboField_Click(int index);
    // Saves; when saved, the student's record reloads its history and the window
    // closes.
    Q_INVOKABLE void cmdOK_Click();

    QLabel *Image1;
    QLabel *lblName;
    // 2 the date, 6 the expiry.
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    // 5 the notes.
    ui::ControlArray<QPlainTextEdit> txtMemo{QStringLiteral("txtField")};
    // 3 the employees (each with its InstructorID as item data), 4 the levels.
    ui::ControlArray<QComboBox> cboField{QStringLiteral("cboField")};
    QLineEdit *txtPassword;
    QListWidget *lst;
    QPushButton *cmdOK;

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;

private:
    void LoadEmployeeList();
    void LoadLevelList();
    void LoadCriteria();
    // Checks and writes the assessment, with its messages; true when saved.
    bool save();
    void refreshStudentRecord();

    qint32 m_studentId = 0;
    qint32 m_instructorId = 0;
    qint32 m_levelId = 0;
};
