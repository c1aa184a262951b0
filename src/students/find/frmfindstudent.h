#pragma once

#include "platform/ui/form.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace ui {
class SimpleCombo;
}

// The pick list of people of one kind (students, employees or families), from
// which the office opens a person's record or starts a new one. One window for
// the whole program: each opener calls LoadUp with the kind it wants.
class frmFindStudent : public ui::Form
{
    Q_OBJECT
    Q_PROPERTY(QString User READ User WRITE setUser)
public:
    frmFindStudent();

    enum Mode { NoMode = 0, Students = 1, Employees = 2, Families = 3 };

    // Mode 1 students, 2 employees, 3 families; an empty user is the signed-in user.
    Q_INVOKABLE void LoadUp(int intMode, const QString &UserID);
    // Refills the list of the current mode, keeping what was typed.
    Q_INVOKABLE void Load_Students();
    Q_INVOKABLE void cmdNext_Click();
    Q_INVOKABLE void cmdAddStudent_Click();
    Q_INVOKABLE void cmdClose_Click();

    QString User() const { return m_user; }
    void setUser(const QString &user) { m_user = user; }
    int mode() const { return m_mode; }

    QLabel *Label2;
    QLabel *Label5;
    ui::SimpleCombo *cbo;
    QRadioButton *optLF;
    QRadioButton *optFL;
    QLabel *lblStatus;
    QPushButton *cmdNext;
    QPushButton *cmdAddStudent;
    QPushButton *cmdClose;
    QLabel *Image1;

protected:
    void onLoad() override;

private:
    void refreshEntryPoints();

    QString m_user;
    int m_mode = NoMode;
    QString m_kind = QStringLiteral("Student");
    QString m_plural = QStringLiteral("Students");
};
