#pragma once

#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QPointer>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class frmViewClass;

// The small dialogs behind the class view's "Change..." links. None of them writes
// to the database: each sets the class view's pending values, which the class's
// save stores.

// "Change Program": one shared window; its list is filled when it loads.
class frmChangeProg : public ui::Form
{
    Q_OBJECT
public:
    frmChangeProg();

    Q_INVOKABLE void LoadUp(frmViewClass *xf);
    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdClose_Click();

    QLabel *lblCurrent;
    ui::ControlArray<QComboBox> cboField{QStringLiteral("cboField")};
    QPushButton *cmdOK, *cmdClose;

protected:
    void onLoad() override;

private:
    QPointer<frmViewClass> m_xf;
};

// "Change Instructor": a new window per click, a row per instructor and a blank row
// last; every list entry carries its InstructorID.
class frmChangeInst : public ui::Form
{
    Q_OBJECT
public:
    frmChangeInst();

    Q_INVOKABLE void LoadUp(frmViewClass *xf, qint32 intClassID);
    Q_INVOKABLE void cboField_Click(int index);
    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdClose_Click();
    int rowCount() const { return cboField.count(); }

    QLabel *lblTop, *lblCurrent;
    ui::ControlArray<QComboBox> cboField{QStringLiteral("cboField")};
    ui::ControlArray<QLabel> lblField{QStringLiteral("lblField")};
    QPushButton *cmdOK, *cmdClose;

protected:
    void onLoad() override;

private:
    void LoadInstructorList(QComboBox *list);
    void addRow();
    void chooseInstructor(QComboBox *list, qint32 instructorId);

    QPointer<frmViewClass> m_xf;
    QWidget *m_rows;
    bool m_grow = false;
};

// "Change Location" / "Change Activity": one shared window for both modes.
class frmChangePArea : public ui::Form
{
    Q_OBJECT
public:
    frmChangePArea();

    Q_INVOKABLE void LoadUp(frmViewClass *xf, const QString &strCaption, const QString &strMode);
    Q_INVOKABLE void cboField_Click(int index);
    Q_INVOKABLE void cmdOK_Click();
    Q_INVOKABLE void cmdClose_Click();

    QLabel *Label1, *Label2, *Label3, *lblCurrent;
    ui::ControlArray<QComboBox> cboField{QStringLiteral("cboField")};
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    QPushButton *cmdOK, *cmdClose;

protected:
    void onLoad() override;

private:
    QPointer<frmViewClass> m_xf;
    QString m_strMode;
};
