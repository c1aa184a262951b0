// The class view's "Change..." links and its one-off form.
#include "changedialogs.h"
#include "classsave.h"
#include "core/timetablelookups.h"
#include "frmviewclass.h"
#include "platform/ui/forms.h"
#include "platform/vb/format.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTime>

namespace {

template <class F> void oneOffStep(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

} // namespace

void frmViewClass::cmdProgChange_Click()
{
    frmChangeProg *dialog = nullptr;
    oneOffStep([&] {
        dialog = ui::Forms::shared<frmChangeProg>();
        dialog->showForm();
    });
    if (!dialog)
        return;
    oneOffStep([&] { dialog->LoadUp(this); });
    oneOffStep([&] { dialog->lblCurrent->setText(txtProgram->text()); });
}

void frmViewClass::cmdInstChange_Click()
{
    frmChangeInst *dialog = nullptr;
    oneOffStep([&] { dialog = ui::Forms::create<frmChangeInst>(); });
    if (!dialog)
        return;
    oneOffStep([&] {
        const QString id = txtField[0]->text();
        dialog->LoadUp(this, id.isEmpty() ? 0 : id.toInt());
    });
    oneOffStep([&] { dialog->showForm(); });
}

void frmViewClass::cmdPoolArea_Click()
{
    frmChangePArea *dialog = nullptr;
    oneOffStep([&] {
        dialog = ui::Forms::shared<frmChangePArea>();
        dialog->showForm();
    });
    if (!dialog)
        return;
    oneOffStep([&] { dialog->LoadUp(this, lblPoolArea->text(), QStringLiteral("Location")); });
    oneOffStep([&] { dialog->raise(); });
}

void frmViewClass::cmdActivity_Click()
{
    frmChangePArea *dialog = nullptr;
    oneOffStep([&] {
        dialog = ui::Forms::shared<frmChangePArea>();
        dialog->showForm();
    });
    if (!dialog)
        return;
    oneOffStep([&] { dialog->LoadUp(this, lblActivity->text(), QStringLiteral("Activity")); });
    oneOffStep([&] { dialog->raise(); });
}

void frmViewClass::LoadNewO(const QString &InstructorName, const QDate &TheDate,
                            const QTime &TheTime, qint32 InstructorID)
{
    OOE = true;
    oneOffStep([this] { grd->setRows(1); });
    oneOffStep([this] { wgrd->setRows(1); });
    oneOffStep([this] { agrd->setRows(1); });
    oneOffStep([this] { cmdEdit_Click(); });
    oneOffStep([&] { txtField[5]->setText(vb::Format(TheTime, QStringLiteral("hh:mm AMPM"))); });
    oneOffStep([&] { cboField[4]->setCurrentText(QLocale::c().dayName(TheDate.dayOfWeek())); });
    oneOffStep([&] { txtInstructor->setText(InstructorName); });
    // The centre hands over the instructor's own ID; a name alone is looked up.
    oneOffStep([&] {
        SetClassInstructors(
            {InstructorID >= 0 ? InstructorID : Global::GetInstructorIdForName(InstructorName)});
    });
    oneOffStep([&] {
        const QString date = classsave::ShortDate(TheDate.startOfDay());
        txtField[8]->setText(date);
        txtField[9]->setText(date);
    });
    oneOffStep([this] { txtField[7]->setText(QStringLiteral("0.00")); });
    oneOffStep([this] { FixForOOE(); });
}

void frmViewClass::FixForOOE()
{
    if (OOE) {
        oneOffStep([this] {
            setClassProgram(0);
            txtProgram->setText(QStringLiteral("One-off Enrolment"));
        });
        oneOffStep([this] { cmdInstChange->setEnabled(false); });
        oneOffStep([this] {
            const QColor own = palette().color(QPalette::Window);
            for (QWidget *w : std::initializer_list<QWidget *>{txtField[5], cboField[4],
                                                               txtField[8], txtField[9]})
                setDetailLockedIn(w, own);
        });
        oneOffStep([this] { chkActive->setEnabled(false); });
        oneOffStep([this] {
            tabs->setTabEnabled(1, false);
            tabs->setTabEnabled(2, false);
        });
        oneOffStep([this] {
            btnCal1->setEnabled(false);
            btnCal2->setEnabled(false);
            btnCalCheck->setEnabled(false);
        });
        oneOffStep([this] {
            txtField[6]->hide();
            lblField[6]->hide();
        });
        oneOffStep([this] { cboChargeOn->setCurrentText(QStringLiteral("Enrolment (discount absence)")); });
        oneOffStep([this] { chkActive->setChecked(true); });
        oneOffStep([this] { txtField[9]->setText(txtField[8]->text()); });
        return;
    }
    if (cmdSave->isEnabled())
        oneOffStep([this] {
            cmdInstChange->setEnabled(true);
            for (QWidget *w : std::initializer_list<QWidget *>{cboField[4], txtField[5],
                                                               txtField[8], txtField[9]})
                setDetailLocked(w, false);
            for (QWidget *w :
                 std::initializer_list<QWidget *>{chkActive, btnCal1, btnCal2, btnCalCheck})
                w->setEnabled(true);
        });
    oneOffStep([this] {
        tabs->setTabEnabled(1, true);
        tabs->setTabEnabled(2, true);
    });
    oneOffStep([this] {
        txtField[6]->show();
        lblField[6]->show();
    });
}
