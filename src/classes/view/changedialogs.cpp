#include "changedialogs.h"

#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/sqlquote.h"
#include "core/timetablelookups.h"
#include "core/workingwindow.h"
#include "frmviewclass.h"
#include "platform/jet/recordset.h"
#include "platform/ui/buttons.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/labels.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "timetable/programs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <class F> void changeDialogStep(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

QString changeDialogFullName(jet::Recordset &rs, int first, int last)
{
    return vb::CStr(rs.value(first)) + QLatin1Char(' ') + vb::CStr(rs.value(last));
}

// The heading, the current value and the list, with Save and Cancel below.
struct ChangeDialogParts
{
    QLabel *heading, *currentCaption, *current, *newCaption;
    QComboBox *list;
    QPushButton *ok, *close;
    QGridLayout *grid;
    QVBoxLayout *outer;
};

ChangeDialogParts makeChangeDialog(ui::Form *form, const QString &title, const QString &currentCaption,
                                   const QString &newCaption)
{
    ChangeDialogParts p{};
    form->setCaption(title);
    p.outer = new QVBoxLayout(form);
    p.heading = ui::headingLabel(title, form);
    p.outer->addWidget(p.heading);
    p.grid = new QGridLayout;
    p.currentCaption = new QLabel(currentCaption, form);
    p.current = new QLabel(form);
    p.current->setObjectName(QStringLiteral("lblCurrent"));
    p.grid->addWidget(p.currentCaption, 0, 0);
    p.grid->addWidget(p.current, 0, 1);
    p.newCaption = newCaption.isEmpty() ? nullptr : new QLabel(newCaption, form);
    p.list = new QComboBox(form);
    if (p.newCaption) {
        p.grid->addWidget(p.newCaption, 1, 0);
        p.grid->addWidget(p.list, 1, 1);
    }
    p.outer->addLayout(p.grid);
    p.ok = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdOK"), form);
    p.close = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), form);
    p.ok->setDefault(true);
    return p;
}

void addChangeDialogButtons(const ChangeDialogParts &p)
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(p.ok);
    buttons->addWidget(p.close);
    p.outer->addLayout(buttons);
}

void bringClassViewForward(frmViewClass *view)
{
    if (!view)
        return;
    view->showForm();
    view->raise();
    view->activateWindow();
}

} // namespace

// --- Program.

frmChangeProg::frmChangeProg()
{
    setObjectName(QStringLiteral("frmChangeProg"));
    const ChangeDialogParts p = makeChangeDialog(this, QStringLiteral("Change Program"),
                                                 QStringLiteral("Current Program:"),
                                                 QStringLiteral("New Program:"));
    lblCurrent = p.current;
    cboField.add(1, p.list);
    cmdOK = p.ok;
    cmdClose = p.close;
    addChangeDialogButtons(p);
    resize(ui::twipsToPixels(5000), ui::twipsToPixels(2200));
    connect(cmdOK, &QPushButton::clicked, this, &frmChangeProg::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmChangeProg::cmdClose_Click);
}

void frmChangeProg::onLoad()
{
    changeDialogStep([this] { core::PlaceOnMainWindow(this); });
    changeDialogStep([this] {
        imodPrograms::FillProgramCombo(cboField[1], true);
        core::listAddItem(cboField[1], QStringLiteral("One-off Enrolment"), 0);
        cboField[1]->setCurrentIndex(-1);
    });
}

void frmChangeProg::LoadUp(frmViewClass *xf)
{
    m_xf = xf;
}

void frmChangeProg::cmdOK_Click()
{
    QComboBox *list = cboField[1];
    // Nothing chosen: nothing to change.
    if (list->currentIndex() < 0)
        return;
    const qint32 id = core::listItemData(list, list->currentIndex());
    const QString text = list->currentText();
    frmViewClass *view = m_xf;
    if (!view || id == view->ClassProgram()) {
        cmdClose_Click();
        return;
    }
    if (id == 0 &&
        ui::Dialogs::msgBox(
            QStringLiteral("Are you sure you want to change this class to a one-off enrolment?"),
            ui::vbYesNo | ui::vbExclamation | ui::vbDefaultButton2,
            QStringLiteral("Change to One-Off Enrolment")) == ui::vbNo)
        return;
    view->setClassProgram(id);
    view->txtProgram->setText(text);
    view->OOE = id == 0;
    changeDialogStep([view] { view->FixForOOE(); });
    changeDialogStep([view] { view->DisplayNumberOfSessions(); });
    unload();
    bringClassViewForward(view);
}

void frmChangeProg::cmdClose_Click()
{
    unload();
}

// --- Instructors.

frmChangeInst::frmChangeInst()
{
    setObjectName(QStringLiteral("frmChangeInst"));
    const ChangeDialogParts p = makeChangeDialog(this, QStringLiteral("Change Instructor"),
                                                 QStringLiteral("Current Instructor(s):"), {});
    lblTop = p.heading;
    lblTop->setObjectName(QStringLiteral("lblTop"));
    lblCurrent = p.current;
    lblCurrent->setText(QStringLiteral("Instructor TBA"));
    delete p.list;
    p.outer->addWidget(new QLabel(QStringLiteral("Instructors for this Class Are:"), this));
    m_rows = new QWidget(this);
    auto *rows = new QGridLayout(m_rows);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setVerticalSpacing(0);
    p.outer->addWidget(m_rows);
    cmdOK = p.ok;
    cmdClose = p.close;
    addChangeDialogButtons(p);
    addRow();
    resize(ui::twipsToPixels(5000), ui::twipsToPixels(2600));
    connect(cmdOK, &QPushButton::clicked, this, &frmChangeInst::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmChangeInst::cmdClose_Click);
}

void frmChangeInst::onLoad()
{
    changeDialogStep([this] { core::PlaceOnMainWindow(this); });
}

void frmChangeInst::LoadInstructorList(QComboBox *list)
{
    core::listClear(list);
    core::listAddItem(list, QString(), 0);
    auto rs = irecObjectCode::OpenRecordset(QStringLiteral(
        "SELECT Instructors.InstructorID, Students.[First Name], Students.[Last Name], "
        "Students.[Date of Birth], Students.Address, Students.City, Students.State, "
        "Students.Postcode, Students.[Home Phone], Students.[Work Phone], Students.[Mobile Phone], "
        "Students.[Email Address], Students.Notes, Students.Gender, Instructors.UserID, "
        "Students.Student, Students.Employee, Students.Vendor, Students.Special, "
        "Students.InternalNotes, Students.StaffNotes, Instructors.StudentID FROM Students INNER "
        "JOIN Instructors ON Students.StudentID = Instructors.StudentID;"));
    for (; !rs->eof(); rs->moveNext())
        core::listAddItem(list, changeDialogFullName(*rs, 1, 2), vb::CLng(rs->value(0)));
}

void frmChangeInst::addRow()
{
    const int n = cboField.count();
    auto *rows = static_cast<QGridLayout *>(m_rows->layout());
    auto *label = lblField.add(n, new QLabel(QStringLiteral("Instructor %1:").arg(n + 1), m_rows));
    auto *list = cboField.add(n, new QComboBox(m_rows));
    label->setFixedHeight(ui::twipsToPixels(360));
    list->setFixedHeight(ui::twipsToPixels(360));
    rows->addWidget(label, n, 0);
    rows->addWidget(list, n, 1);
    rows->setColumnStretch(1, 1);
    changeDialogStep([&] { LoadInstructorList(list); });
    list->setCurrentIndex(0);
    list->setProperty("Tag", QString());
    connect(list, &QComboBox::activated, this, [this, n] { cboField_Click(n); });
    label->show();
    list->show();
    if (n > 0)
        resize(width(), height() + ui::twipsToPixels(360));
}

void frmChangeInst::chooseInstructor(QComboBox *list, qint32 instructorId)
{
    const int at = list->findData(QVariant::fromValue(qlonglong(instructorId)));
    list->setCurrentIndex(at < 0 ? 0 : at);
}

void frmChangeInst::LoadUp(frmViewClass *xf, qint32 intClassID)
{
    QString current;
    if (intClassID != 0) {
        changeDialogStep([&] {
            auto rs = irecObjectCode::OpenRecordset(
                QStringLiteral(
                    "SELECT InstructorLink.InstructorID, Students.[First Name], Students.[Last "
                    "Name] FROM Students INNER JOIN (InstructorLink INNER JOIN Instructors ON "
                    "InstructorLink.InstructorID = Instructors.InstructorID) ON Students.StudentID "
                    "= Instructors.StudentID WHERE (((InstructorLink.ClassID)=") +
                Global::SqlNumber(intClassID) +
                QStringLiteral(")) ORDER BY InstructorLink.InstructorID;"));
            for (; !rs->eof(); rs->moveNext()) {
                const qint32 id = vb::CLng(rs->value(0));
                QComboBox *last = cboField[cboField.ubound()];
                chooseInstructor(last, id);
                cboField_Click(cboField.ubound());
                current += changeDialogFullName(*rs, 1, 2) + QStringLiteral(" and ");
                addRow();
            }
        });
    } else {
        current = QStringLiteral("Instructor TBA and ");
    }
    lblCurrent->setText(current.isEmpty() ? QString() : current.left(current.size() - 5));
    m_grow = true;
    m_xf = xf;
}

void frmChangeInst::cboField_Click(int index)
{
    QComboBox *list = cboField[index];
    // The entry's own InstructorID: two instructors of one name stay two.
    const qint32 id = list->currentIndex() > 0 ? core::listItemData(list, list->currentIndex()) : 0;
    list->setProperty("Tag", list->currentText().isEmpty() ? QString() : QString::number(id));
    if (!m_grow)
        return;
    m_grow = false;
    if (!cboField[cboField.ubound()]->currentText().isEmpty())
        addRow();
    m_grow = true;
}

void frmChangeInst::cmdOK_Click()
{
    QList<qint32> ids(cboField.count() + 1, 0);
    QString names;
    for (int i : cboField.indexes()) {
        const QString tag = cboField[i]->property("Tag").toString();
        if (tag.isEmpty())
            continue;
        ids[i] = tag.toInt();
        names += QStringLiteral(" and ") + cboField[i]->currentText();
    }
    frmViewClass *view = m_xf;
    if (view) {
        view->SetClassInstructors(ids);
        view->txtInstructor->setText(names.mid(5));
    }
    unload();
    bringClassViewForward(view);
}

void frmChangeInst::cmdClose_Click()
{
    unload();
}

// --- Location and activity.

frmChangePArea::frmChangePArea()
{
    setObjectName(QStringLiteral("frmChangePArea"));
    const ChangeDialogParts p = makeChangeDialog(this, QStringLiteral("Change Location"),
                                                 QStringLiteral("Current Location:"),
                                                 QStringLiteral("New Location:"));
    Label2 = p.heading;
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = p.currentCaption;
    Label3->setObjectName(QStringLiteral("Label3"));
    Label1 = p.newCaption;
    Label1->setObjectName(QStringLiteral("Label1"));
    lblCurrent = p.current;
    cboField.add(1, p.list);
    auto *area = txtField.add(0, new QLineEdit(this));
    area->hide();
    cmdOK = p.ok;
    cmdClose = p.close;
    addChangeDialogButtons(p);
    resize(ui::twipsToPixels(5000), ui::twipsToPixels(2200));
    connect(p.list, &QComboBox::activated, this, &frmChangePArea::cboField_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmChangePArea::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmChangePArea::cmdClose_Click);
}

void frmChangePArea::onLoad()
{
    changeDialogStep([this] { core::PlaceOnMainWindow(this); });
}

void frmChangePArea::LoadUp(frmViewClass *xf, const QString &strCaption, const QString &strMode)
{
    lblCurrent->setText(strCaption);
    m_xf = xf;
    m_strMode = strMode;
    setCaption(QStringLiteral("Change ") + strMode);
    Label2->setText(QStringLiteral("Change ") + strMode);
    Label3->setText(QStringLiteral("Current ") + strMode + QLatin1Char(':'));
    Label1->setText(QStringLiteral("New ") + strMode + QLatin1Char(':'));
    // A window opened again keeps only the names of its present mode.
    QComboBox *list = cboField[1];
    core::listClear(list);
    txtField[0]->clear();
    QString sql;
    if (strMode == QLatin1String("Location"))
        sql = QStringLiteral("SELECT AreaName FROM PoolAreas;");
    else if (strMode == QLatin1String("Activity"))
        sql = QStringLiteral("SELECT ActivityName FROM Activities;");
    if (!sql.isEmpty())
        changeDialogStep([&] {
            auto rs = irecObjectCode::OpenRecordset(sql);
            for (; !rs->eof(); rs->moveNext())
                core::listAddItem(list, vb::CStr(rs->value(0)));
        });
    list->setCurrentIndex(-1);
}

void frmChangePArea::cboField_Click(int)
{
    if (m_strMode != QLatin1String("Location"))
        return;
    changeDialogStep([this] {
        txtField[0]->setText(QString::number(Global::GetPoolAreaId(cboField[1]->currentText())));
    });
}

void frmChangePArea::cmdOK_Click()
{
    QComboBox *list = cboField[1];
    const QString chosen = list->currentText();
    if (chosen.isEmpty() || list->currentIndex() < 0) {
        ui::Dialogs::msgBox(QStringLiteral("You must select a valid ") + m_strMode +
                                QStringLiteral(" to continue."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    if (chosen == lblCurrent->text()) {
        cmdClose_Click();
        return;
    }
    frmViewClass *view = m_xf;
    if (m_strMode != QLatin1String("Location")) {
        if (view)
            view->txtField[17]->setText(chosen);
    } else {
        if (txtField[0]->text().isEmpty())
            return;
        if (view) {
            view->txtField[14]->setText(txtField[0]->text());
            view->lblPoolArea->setText(chosen);
        }
    }
    unload();
    bringClassViewForward(view);
}

void frmChangePArea::cmdClose_Click()
{
    unload();
}
