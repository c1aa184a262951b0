#include "frmviewclass.h"

#include "classview.h"
#include "core/centresettings.h"
#include "core/daypatterns.h"
#include "core/errorinfo.h"
#include "core/globalsettings.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "enrolments/attendance.h"
#include "enrolments/attendancekey.h"
#include "enrolments/imodenrolments.h"
#include "platform/ui/buttons.h"
#include "platform/ui/color.h"
#include "platform/ui/colorsquare.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/timer.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "timetable/classes.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using ui::twipsToPixels;

// The background of the locked details in view mode (&H00F7DFD6&).
const QColor LockedColor = ui::fromVbColor(0xF7DFD6);

QString shortApp()
{
    return Global::CentreSettings().ShortAppName();
}

QString errLine(const core::ErrorInfo &e)
{
    return QStringLiteral("Err#") + QString::number(e.number) + QStringLiteral(" - ") +
           e.description;
}

bool isEmpty(const QVariant &v)
{
    return v.isNull() || vb::CStr(v).isEmpty();
}

// A combo box that keeps its entry while locked, as a locked combo does: no
// typing, no list, no wheel.
class LockFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->property("locked").toBool())
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
            return true;
        default:
            return false;
        }
    }
};

void lock(QWidget *w, const QColor &colour)
{
    w->setProperty("locked", true);
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->setReadOnly(true);
    else if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit())
        combo->lineEdit()->setReadOnly(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Button, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QLabel *plainLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    // Names and places from the data file: shown as stored, never as markup.
    l->setTextFormat(Qt::PlainText);
    return l;
}

ui::FlexGrid *newGrid(const char *name, QWidget *parent)
{
    auto *g = new ui::FlexGrid(parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setFixedCols(0);
    return g;
}

// Adds a line at the end of a student grid and makes it current.
void addLine(ui::FlexGrid *grid, const classview::GridLine &line)
{
    const int row = grid->rows();
    grid->setRows(row + 1);
    grid->setGridRow(row);
    for (int c = 0; c < 10; ++c) {
        grid->setTextMatrix(row, c, line.cells.value(c));
        if (line.rowColor.isValid())
            grid->setCellBackColor(row, c, line.rowColor);
        if (classview::CentredColumns.contains(c))
            grid->setCellAlignment(row, c, ui::flexAlignCenterCenter);
    }
    if (line.flagColor.isValid())
        grid->setCellBackColor(row, 9, line.flagColor);
}

} // namespace

frmViewClass::frmViewClass()
{
    setObjectName(QStringLiteral("frmViewClass"));
    setCaption(QStringLiteral("Viewing Class Details"));
    auto *lockFilter = new LockFilter(this);

    ViewClassMode = new QLineEdit(this);
    ViewClassMode->setObjectName(QStringLiteral("ViewClassMode"));
    ViewClassMode->hide();

    // --- The details area.
    Image1 = core::NewLogoLabel(this);
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Label2 = ui::headingLabel(QStringLiteral("Class Details"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label5 = ui::sectionLabel(QStringLiteral("Dates & Other Settings"), this);
    Label5->setObjectName(QStringLiteral("Label5"));

    const struct
    {
        int index;
        const char *text;
    } captions[] = {{0, "Class ID:"},     {1, "Level/Name:"},  {2, "Program:"},
                    {3, "Instructor(s):"}, {4, "Day & Time:"}, {5, "charged on"},
                    {6, "Max Students:"}, {7, "Cost:"},        {8, "From:"},
                    {9, "To:"},           {10, "Location:"},   {13, "Activity:"},
                    {14, "Duration:"},    {15, "minutes"}};
    for (const auto &c : captions)
        lblField.add(c.index, new QLabel(QString::fromLatin1(c.text), this));
    lblField[0]->hide();

    for (int i : {0, 5, 6, 7, 8, 9, 14, 17})
        txtField.add(i, new QLineEdit(this));
    for (int i : {0, 8, 9, 14, 17})
        txtField[i]->hide();
    cboField.add(1, new QComboBox(this))->setEditable(true);
    cboField.add(4, new QComboBox(this))->setEditable(false);
    cboChargeOn = new QComboBox(this);
    cboChargeOn->setObjectName(QStringLiteral("cboChargeOn"));
    auto line = [this](const char *name) {
        auto *l = new QLineEdit(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    txtProgram = line("txtProgram");
    txtInstructor = line("txtInstructor");
    txtDuration = line("txtDuration");
    lblPoolArea = plainLabel(QStringLiteral("lblPoolArea"), QString(), this);
    lblActivity = plainLabel(QStringLiteral("lblActivity"), QString(), this);
    lblDateFrom = plainLabel(QStringLiteral("lblDateFrom"), QString(), this);
    lblDateTo = plainLabel(QStringLiteral("lblDateTo"), QString(), this);
    lblSessions = plainLabel(QStringLiteral("lblSessions"), QString(), this);
    chkActive = new QCheckBox(QStringLiteral("Allow Bookings?"), this);
    chkActive->setObjectName(QStringLiteral("chkActive"));
    chkWaitingList = new QCheckBox(QStringLiteral("Waiting List"), this);
    chkWaitingList->setObjectName(QStringLiteral("chkWaitingList"));
    chkWaitingList->hide();

    auto button = [this](const char *caption, const char *name, QWidget *parent = nullptr) {
        return ui::namedButton(QString::fromLatin1(caption), QString::fromLatin1(name),
                               parent ? parent : this);
    };
    cmdEdit = button("Edit", "cmdEdit");
    cmdSave = button("Save", "cmdSave");
    cmdDelClass = button("Delete Class", "cmdDelClass");
    Command3 = button("Attendance Sheet", "Command3");
    btnCal1 = button("...", "btnCal1");
    btnCal2 = button("...", "btnCal2");
    btnCalCheck = button("Auto-Set Dates", "btnCalCheck");
    cal = new QCalendarWidget(this);
    cal->setObjectName(QStringLiteral("cal"));
    cal->hide();
    cmdProgChange = button("Change...", "cmdProgChange");
    cmdInstChange = button("Change...", "cmdInstChange");
    cmdPoolArea = button("Change...", "cmdPoolArea");
    cmdActivity = button("Change...", "cmdActivity");
    Timer1 = new ui::Timer(this, 60000);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setEnabled(true);

    // --- The tabs.
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));

    auto *enrolments = new QWidget;
    grd = newGrid("grd", enrolments);
    Check1 = new QCheckBox(QStringLiteral("Show All"), enrolments);
    Check1->setObjectName(QStringLiteral("Check1"));
    cmdRefS = button("Refresh", "cmdRefS", enrolments);
    cmdAddStudent = button("Add Student", "cmdAddStudent", enrolments);
    cmdAddStudent->setToolTip(QStringLiteral("Add a new student to this class"));
    Command2 = button("Edit Student", "Command2", enrolments);
    Command2->setToolTip(QStringLiteral("View or Edit this student's information"));
    cmdReceivePayment = button("Receive Payments", "cmdReceivePayment", enrolments);
    cmdReceivePayment->setToolTip(QStringLiteral("Receive payments from students"));
    cmdPrintConfirmation = button("Class Details", "cmdPrintConfirmation", enrolments);
    cmdPrintConfirmation->setToolTip(QStringLiteral("Print class details slip"));
    Command1 = button("Invoice", "Command1", enrolments);
    cmdDiscount = button("Discount", "cmdDiscount", enrolments);
    Shape1 = new QFrame(enrolments);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::StyledPanel);
    auto *status = new QGridLayout(Shape1);
    status->addWidget(ui::sectionLabel(QStringLiteral("Booking Status"), Shape1), 0, 0, 1, 3);
    auto key = [&](const char *square, const char *caption, const char *buttonName,
                   QPushButton *&b) {
        auto *s = new ui::ColorSquare(classview::StatusColor(QString::fromLatin1(caption)), Shape1);
        s->setObjectName(QString::fromLatin1(square));
        b = button("", buttonName, Shape1);
        b->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
        const int row = status->rowCount();
        status->addWidget(b, row, 0);
        status->addWidget(s, row, 1);
        status->addWidget(new QLabel(QString::fromLatin1(caption), Shape1), row, 2);
        return s;
    };
    shpConfirmed = key("shpConfirmed", "Confirmed", "cmdConfirm", cmdConfirm);
    shpMoved = key("shpMoved", "Moved", "cmdMove", cmdMove);
    shpCancelled = key("shpCancelled", "Cancelled", "cmdCancel", cmdCancel);
    shpTentative = key("shpTentative", "Tentative", "cmdTentative", cmdTentative);
    shpNoShow = key("shpNoShow", "No Show", "cmdNoShow", cmdNoShow);
    {
        auto *page = new QGridLayout(enrolments);
        page->addWidget(grd, 0, 0, 3, 1);
        auto *side = new QVBoxLayout;
        side->addWidget(Shape1);
        side->addStretch(1);
        page->addLayout(side, 0, 1, 3, 1);
        auto *bar = new QHBoxLayout;
        for (QWidget *w : std::initializer_list<QWidget *>{
                 Check1, cmdRefS, cmdAddStudent, Command2, cmdReceivePayment, cmdPrintConfirmation,
                 Command1, cmdDiscount})
            bar->addWidget(w);
        bar->addStretch(1);
        page->addLayout(bar, 3, 0, 1, 2);
        page->setColumnStretch(0, 1);
    }
    tabs->addTab(enrolments, QStringLiteral("Enrolments"));

    auto listPage = [&](ui::FlexGrid *&grid, const char *gridName,
                        QList<QPushButton *> buttons) {
        auto *page = new QWidget;
        grid = newGrid(gridName, page);
        auto *v = new QVBoxLayout(page);
        v->addWidget(grid, 1);
        auto *bar = new QHBoxLayout;
        for (QPushButton *b : buttons) {
            b->setParent(page);
            bar->addWidget(b);
        }
        bar->addStretch(1);
        v->addLayout(bar);
        return page;
    };
    cmdWLAdd = button("Add Student to Waiting List", "cmdWLAdd");
    cmdWLEdit = button("Edit Student", "cmdWLEdit");
    cmdWLBook = button("Enrol Student into Class", "cmdWLBook");
    cmdWLDel = button("Remove from Waiting List", "cmdWLDel");
    cmdRefWL = button("Refresh", "cmdRefWL");
    tabs->addTab(listPage(wgrd, "wgrd", {cmdWLAdd, cmdWLEdit, cmdWLBook, cmdWLDel, cmdRefWL}),
                 QStringLiteral("Waiting List"));
    cmdCUAdd = button("Add Student for Catch Up", "cmdCUAdd");
    cmdCUEdit = button("Edit Student", "cmdCUEdit");
    cmdCUDel = button("Cancel Catch Up", "cmdCUDel");
    cmdRefCU = button("Refresh", "cmdRefCU");
    tabs->addTab(listPage(cgrd, "cgrd", {cmdCUAdd, cmdCUEdit, cmdCUDel, cmdRefCU}),
                 QStringLiteral("Catch Ups"));

    auto *attendance = new QWidget;
    agrd = newGrid("agrd", attendance);
    Check2 = new QCheckBox(QStringLiteral("Show All"), attendance);
    Check2->setObjectName(QStringLiteral("Check2"));
    cmdRefA = button("Refresh", "cmdRefA", attendance);
    Picture1 = new AttendanceKey(attendance);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    // The key's captions by the names the centre's words are written into.
    Label1 = Picture1->caption(QStringLiteral("shpAttended"));
    Label13 = Picture1->caption(QStringLiteral("shpDNA"));
    Label14 = Picture1->caption(QStringLiteral("shpSick"));
    Label17 = Picture1->caption(QStringLiteral("shpAbsent"));
    Label18 = Picture1->caption(QStringLiteral("shpCalled"));
    for (auto [label, name] : {std::pair{Label1, "Label1"}, {Label13, "Label13"},
                               {Label14, "Label14"}, {Label17, "Label17"}, {Label18, "Label18"}}) {
        label->setObjectName(QString::fromLatin1(name));
        label->setTextFormat(Qt::PlainText);
    }
    {
        auto *page = new QGridLayout(attendance);
        page->addWidget(agrd, 0, 0);
        page->addWidget(Picture1, 0, 1, Qt::AlignTop);
        auto *bar = new QHBoxLayout;
        bar->addWidget(Check2);
        bar->addWidget(cmdRefA);
        bar->addStretch(1);
        page->addLayout(bar, 1, 0, 1, 2);
        page->setColumnStretch(0, 1);
    }
    tabs->addTab(attendance, QStringLiteral("Attendance"));

    auto *notes = new QWidget;
    lblField.add(11, new QLabel(QStringLiteral("Enter any notes regarding this class, skills "
                                               "taught each lesson, etc:"),
                                notes));
    txtClassNotes = new QPlainTextEdit(notes);
    txtClassNotes->setObjectName(QStringLiteral("txtClassNotes"));
    cmdNotesEdit = button("Edit Notes", "cmdNotesEdit", notes);
    cmdNotesSave = button("Save Notes", "cmdNotesSave", notes);
    cmdNotesPrint = button("Print Notes", "cmdNotesPrint", notes);
    {
        auto *v = new QVBoxLayout(notes);
        v->addWidget(lblField[11]);
        v->addWidget(txtClassNotes, 1);
        auto *bar = new QHBoxLayout;
        for (QPushButton *b : {cmdNotesEdit, cmdNotesSave, cmdNotesPrint})
            bar->addWidget(b);
        bar->addStretch(1);
        v->addLayout(bar);
    }
    tabs->addTab(notes, QStringLiteral("Notes"));

    auto *assessments = new QWidget;
    lblField.add(12, new QLabel(QStringLiteral("The most recent assessments for these students "
                                               "are displayed below:"),
                                assessments));
    grdAssess = newGrid("grdAssess", assessments);
    {
        auto *v = new QVBoxLayout(assessments);
        v->addWidget(lblField[12]);
        v->addWidget(grdAssess, 1);
    }
    tabs->addTab(assessments, QStringLiteral("Assessments"));
    tabs->setCurrentIndex(0);

    // --- The layout: the logo, the two columns of details, the buttons, the tabs.
    auto *details = new QGridLayout;
    details->addWidget(Label2, 0, 0, 1, 4);
    details->addWidget(lblField[1], 1, 0);
    details->addWidget(cboField[1], 1, 1, 1, 3);
    details->addWidget(lblField[2], 2, 0);
    details->addWidget(txtProgram, 2, 1, 1, 2);
    details->addWidget(cmdProgChange, 2, 3);
    details->addWidget(lblField[3], 3, 0);
    details->addWidget(txtInstructor, 3, 1, 1, 2);
    details->addWidget(cmdInstChange, 3, 3);
    details->addWidget(lblField[4], 4, 0);
    details->addWidget(cboField[4], 4, 1);
    details->addWidget(txtField[5], 4, 2, 1, 2);
    details->addWidget(lblField[5], 5, 0, Qt::AlignRight);
    details->addWidget(cboChargeOn, 5, 1, 1, 3);
    details->addWidget(lblField[6], 6, 0);
    details->addWidget(txtField[6], 6, 1);
    details->addWidget(lblField[7], 7, 0);
    details->addWidget(txtField[7], 7, 1);
    details->addWidget(lblSessions, 8, 0, 1, 4);
    details->setColumnMinimumWidth(0, twipsToPixels(1500));
    details->setColumnStretch(1, 1);
    details->setColumnStretch(2, 1);

    auto *dates = new QGridLayout;
    dates->addWidget(Label5, 0, 0, 1, 4);
    dates->addWidget(lblField[8], 1, 0);
    dates->addWidget(lblDateFrom, 1, 1, 1, 2);
    dates->addWidget(btnCal1, 1, 3);
    dates->addWidget(lblField[9], 2, 0);
    dates->addWidget(lblDateTo, 2, 1, 1, 2);
    dates->addWidget(btnCal2, 2, 3);
    dates->addWidget(btnCalCheck, 3, 1, 1, 3);
    dates->addWidget(lblField[10], 4, 0);
    dates->addWidget(lblPoolArea, 4, 1, 1, 2);
    dates->addWidget(cmdPoolArea, 4, 3);
    dates->addWidget(lblField[13], 5, 0);
    dates->addWidget(lblActivity, 5, 1, 1, 2);
    dates->addWidget(cmdActivity, 5, 3);
    dates->addWidget(lblField[14], 6, 0);
    dates->addWidget(txtDuration, 6, 1);
    dates->addWidget(lblField[15], 6, 2);
    dates->addWidget(chkActive, 7, 1, 1, 3);
    dates->setColumnStretch(1, 1);
    dates->setColumnStretch(2, 1);
    for (QPushButton *b : {btnCal1, btnCal2})
        b->setFixedWidth(twipsToPixels(400));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {cmdEdit, cmdSave, cmdDelClass, Command3})
        buttons->addWidget(b);

    auto *top = new QHBoxLayout;
    auto *logo = new QVBoxLayout;
    logo->addWidget(Image1);
    logo->addWidget(Image2);
    logo->addStretch(1);
    top->addLayout(logo);
    top->addLayout(details, 3);
    top->addSpacing(twipsToPixels(300));
    top->addLayout(dates, 2);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addLayout(buttons);
    outer->addWidget(tabs, 1);
    outer->addWidget(cal);
    resize(twipsToPixels(11400), twipsToPixels(8400));

    for (QWidget *w : std::initializer_list<QWidget *>{cboField[1], cboField[4], cboChargeOn})
        w->installEventFilter(lockFilter);

    // Operations that other issues of the window bring stay disabled until then.
    for (QPushButton *b :
         {cmdEdit, cmdSave, cmdDelClass, Command3, btnCal1, btnCal2, btnCalCheck, cmdProgChange,
          cmdInstChange, cmdPoolArea, cmdActivity, cmdAddStudent, Command2, cmdReceivePayment,
          cmdPrintConfirmation, Command1, cmdDiscount, cmdConfirm, cmdTentative, cmdMove,
          cmdCancel, cmdNoShow, cmdWLAdd, cmdWLEdit, cmdWLBook, cmdWLDel, cmdCUAdd, cmdCUEdit,
          cmdCUDel, cmdNotesEdit, cmdNotesSave, cmdNotesPrint})
        b->setEnabled(false);
    cmdNotesEdit->setEnabled(true);

    for (int i : {8, 9, 17})
        connect(txtField[i], &QLineEdit::textChanged, this, [this, i] { txtField_Change(i); });
    connect(Check1, &QCheckBox::toggled, this, &frmViewClass::Check1_Click);
    connect(cmdRefS, &QPushButton::clicked, this, &frmViewClass::cmdRefS_Click);
    connect(Check2, &QCheckBox::toggled, this, &frmViewClass::Check2_Click);
    connect(cmdRefA, &QPushButton::clicked, this, &frmViewClass::cmdRefA_Click);
    connect(agrd, &ui::FlexGrid::click, this, &frmViewClass::agrd_Click);
    connect(cmdRefWL, &QPushButton::clicked, this, &frmViewClass::cmdRefWL_Click);
    connect(cmdRefCU, &QPushButton::clicked, this, &frmViewClass::cmdRefCU_Click);

    connect(cmdEdit, &QPushButton::clicked, this, &frmViewClass::cmdEdit_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmViewClass::cmdSave_Click);
    connect(cmdProgChange, &QPushButton::clicked, this, &frmViewClass::cmdProgChange_Click);
    connect(cmdInstChange, &QPushButton::clicked, this, &frmViewClass::cmdInstChange_Click);
    connect(cmdPoolArea, &QPushButton::clicked, this, &frmViewClass::cmdPoolArea_Click);
    connect(cmdActivity, &QPushButton::clicked, this, &frmViewClass::cmdActivity_Click);
    connect(btnCal1, &QPushButton::clicked, this, &frmViewClass::btnCal1_Click);
    connect(btnCal2, &QPushButton::clicked, this, &frmViewClass::btnCal2_Click);
    connect(cal, &QCalendarWidget::clicked, this, &frmViewClass::cal_DateClick);
    connect(btnCalCheck, &QPushButton::clicked, this, &frmViewClass::btnCalCheck_Click);
    connect(cboChargeOn, &QComboBox::activated, this, &frmViewClass::cboChargeOn_Click);
    connect(chkActive, &QCheckBox::toggled, this, &frmViewClass::chkActive_Click);
    connect(chkWaitingList, &QCheckBox::toggled, this, &frmViewClass::chkWaitingList_Click);
    connect(tabs, &QTabWidget::currentChanged, this, &frmViewClass::tabs_Click);
    connect(Timer1, &ui::Timer::timer, this, &frmViewClass::Timer1_Timer);
    connect(grd, &ui::FlexGrid::dblClick, this, &frmViewClass::grd_DblClick);
    connect(wgrd, &ui::FlexGrid::dblClick, this, &frmViewClass::wgrd_DblClick);
    connect(Command1, &QPushButton::clicked, this, &frmViewClass::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmViewClass::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmViewClass::Command3_Click);
    connect(cmdNotesEdit, &QPushButton::clicked, this, &frmViewClass::cmdNotesEdit_Click);
    connect(cmdNotesSave, &QPushButton::clicked, this, &frmViewClass::cmdNotesSave_Click);
    connect(cmdNotesPrint, &QPushButton::clicked, this, &frmViewClass::cmdNotesPrint_Click);
    connect(cmdPrintConfirmation, &QPushButton::clicked, this,
            &frmViewClass::cmdPrintConfirmation_Click);
    for (QWidget *w : std::initializer_list<QWidget *>{cboField[1], cboField[4], Image2})
        w->installEventFilter(this);
    for (int i : {0, 5, 6, 7, 8, 9, 14, 17})
        txtField[i]->installEventFilter(this);

    setNotesLocked(true);
    showViewMode();
}

QString frmViewClass::viewClassMode() const
{
    return ViewClassMode->text();
}

void frmViewClass::setViewClassMode(const QString &mode)
{
    ViewClassMode->setText(mode);
}

void frmViewClass::showViewMode()
{
    for (QWidget *w : std::initializer_list<QWidget *>{
             cboField[1], txtProgram, txtInstructor, cboField[4], txtField[5], txtField[6],
             txtField[7], txtField[8], txtField[9], cboChargeOn, txtDuration})
        setDetailLocked(w, true);
    chkActive->setEnabled(false);
    chkWaitingList->setEnabled(false);
    cmdEdit->setEnabled(true);
    cmdRefA->setEnabled(true);
    Check1->setEnabled(true);
    for (QWidget *w : std::initializer_list<QWidget *>{cmdSave, btnCal1, btnCal2, btnCalCheck,
                                                       cmdInstChange, cmdProgChange, cmdPoolArea,
                                                       cmdActivity})
        w->setEnabled(false);
    enableRegisteredButtons();
}

void frmViewClass::setDetailLockedIn(QWidget *w, const QColor &colour)
{
    lock(w, colour);
}

void frmViewClass::setDetailLocked(QWidget *w, bool locked)
{
    if (locked) {
        lock(w, LockedColor);
        return;
    }
    w->setProperty("locked", false);
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->setReadOnly(false);
    else if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit())
        combo->lineEdit()->setReadOnly(false);
    // The window colour of the system.
    QPalette p = w->palette();
    p.setColor(QPalette::Base, QApplication::palette().color(QPalette::Base));
    p.setColor(QPalette::Button, QApplication::palette().color(QPalette::Button));
    w->setPalette(p);
}

void frmViewClass::setNotesLocked(bool locked)
{
    txtClassNotes->setReadOnly(locked);
    QPalette p = txtClassNotes->palette();
    p.setColor(QPalette::Base, QApplication::palette().color(locked ? QPalette::Button
                                                                    : QPalette::Base));
    txtClassNotes->setPalette(p);
    cmdNotesEdit->setEnabled(locked);
    cmdNotesSave->setEnabled(!locked);
}

qint32 frmViewClass::classIdText() const
{
    return vb::CLng(txtField[0]->text());
}

// --- Loading.

void frmViewClass::onLoad()
{
    m_curLoadedCost = vb::Currency();
    m_intLoadedChargePerSession = 0;
    ui::Hourglass::show();
    // Every step goes on after a failure of the one before.
    auto step = [](const std::function<void()> &f) {
        try {
            f();
        } catch (...) {
        }
    };
    step([this] { core::PlaceOnMainWindow(this, 500); });
    step([this] {
        m_intInstructors = {1};
        m_classProgram = 0;
    });
    const std::pair<int, QLabel *> words[] = {{CentreSettingIds::Attended, Label1},
                                              {CentreSettingIds::DNA, Label13},
                                              {CentreSettingIds::Sick, Label14},
                                              {CentreSettingIds::Absent, Label17},
                                              {CentreSettingIds::Contacted, Label18}};
    for (const auto &[id, label] : words)
        step([id, label] {
            const QVariant word = Global::CentreSettings().Settings(id);
            if (!isEmpty(word))
                label->setText(vb::CStr(word));
        });
    step([this] { imodGlobalSubs::FillDayCombo(cboField[4], false, 0); });
    step([this] { SetupStudentGrid(grd, false); });
    step([this] { SetupStudentGrid(wgrd, false); });
    step([this] { SetupStudentGrid(cgrd, true); });
    step([this] { SetupAssessmentGrid(); });
    step([this] { Load_ClassGroup_List(); });
    step([this] { Load_ChargeMode_List(); });
    step([this] { core::ShowClassSearchLogo(Image1); });
    ui::Hourglass::reset();
}

void frmViewClass::SetupStudentGrid(ui::FlexGrid *grid, bool weekColumn)
{
    static const struct
    {
        const char *header;
        int width;
    } columns[] = {{"BKID", 0},       {"STID", 0},       {"Age", 500},      {"Name", 2000},
                   {"Home Ph", 1300}, {"Work Ph", 1300}, {"Mobile Ph", 1300}, {"Parents", 1500},
                   {"Owing", 750},    {"", 250}};
    try {
        grid->setCols(10);
        grid->setRows(2);
        grid->setGridRow(0);
        for (int c = 0; c < 10; ++c) {
            grid->setGridCol(c);
            QString header = QString::fromLatin1(columns[c].header);
            if (c == 2 && weekColumn)
                header = QStringLiteral("Wk");
            grid->setTextMatrix(0, c, header);
            grid->setColWidth(c, columns[c].width);
        }
        for (int c = 0; c < 10; ++c)
            grid->setCellAlignment(0, c, ui::flexAlignCenterCenter);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("There was an error loading ") + grid->objectName() +
                                QStringLiteral(".\r\n") + errLine(e) +
                                QStringLiteral("\r\nThe class may not display correctly."),
                            ui::vbExclamation, QStringLiteral("Load Grid Error"));
    }
}

void frmViewClass::SetupAssessmentGrid()
{
    static const struct
    {
        const char *header;
        int width;
    } columns[] = {{"Name", 2300}, {"Assess Date", 1400}, {"Assessed At", 2200}, {"Achieved?", 2100}};
    try {
        grdAssess->setCols(4);
        grdAssess->setRows(2);
        for (int c = 0; c < 4; ++c) {
            grdAssess->setTextMatrix(0, c, QString::fromLatin1(columns[c].header));
            grdAssess->setColWidth(c, columns[c].width);
            grdAssess->setCellAlignment(0, c, ui::flexAlignCenterCenter);
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("There was an error loading the Assessments Grid.\r\n") +
                                errLine(e) +
                                QStringLiteral("\r\nStudent assessments may not display correctly."),
                            ui::vbExclamation, QStringLiteral("Load Assessment Grid Error"));
    }
}

void frmViewClass::Load_ClassGroup_List()
{
    try {
        for (const QString &group : classview::ActiveClassGroups())
            core::listAddItem(cboField[1], group);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(
            QStringLiteral("An error occurred when loading the list of class groups.\r\n") +
                errLine(e) + QStringLiteral("\r\n") + shortApp() +
                QStringLiteral(" will continue loading the class details but you may see a "
                               "limited range of class groups."),
            ui::vbCritical, QStringLiteral("Error loading class groups"));
    }
}

void frmViewClass::Load_ChargeMode_List()
{
    for (const QString &mode : classview::ChargeModes()) {
        try {
            core::listAddItem(cboChargeOn, mode);
        } catch (...) {
            const core::ErrorInfo e = core::currentError();
            ui::Dialogs::msgBox(
                QStringLiteral("An error occurred when loading the charge mode list.\r\n") +
                    errLine(e) + QStringLiteral("."),
                ui::vbExclamation, QStringLiteral("Oops!"));
        }
    }
}

void frmViewClass::LoadOps(qint32 ClassID, bool OO)
{
    auto step = [](const std::function<void()> &f) {
        try {
            f();
        } catch (...) {
            const core::ErrorInfo e = core::currentError();
            ui::Dialogs::msgBox(QStringLiteral("There was an error when performing loading "
                                               "operations for the class.\r\n") +
                                    errLine(e) + QStringLiteral(".\r\n") + shortApp() +
                                    QStringLiteral(" will continue loading the class, but it may "
                                                   "not display correctly."),
                                ui::vbExclamation, QStringLiteral("Load Ops Error"));
        }
    };
    step([&] { OOE = OO; });
    step([this] { grd->setRows(1); });
    step([this] { wgrd->setRows(1); });
    step([this] { agrd->setRows(1); });
    const QString mode = ViewClassMode->text();
    if (mode == QLatin1String("Add")) {
        // Editing a new class comes with the class's edit mode; nothing is read.
        step([this] { chkActive->setChecked(true); });
        step([this] { cmdEdit_Click(); });
    } else if (mode == QLatin1String("Edit")) {
        // The class search's grid is left on its first column, while that window is open.
        step([] {
            if (ui::Form *search = ui::Forms::find(QStringLiteral("Main")))
                if (auto *results = search->findChild<ui::FlexGrid *>(QStringLiteral("grd")))
                    results->setGridCol(0);
        });
        step([&] { Load_Class_Record(ClassID); });
        step([this] { Load_Students(); });
        if (OO) {
            step([this] { FixForOOE(); });
            return;
        }
        step([this] { Load_Waitlist(); });
        step([this] { Load_CatchUp_Students(); });
        step([this] { Load_Assessment_Grid(); });
    }
}

void frmViewClass::Load_Class_Record(qint32 classId)
{
    auto field = [](const std::function<void()> &f) {
        try {
            f();
        } catch (...) {
            const core::ErrorInfo e = core::currentError();
            ui::Dialogs::msgBox(QStringLiteral("An error occurred when loading the class data.\r\n") +
                                    errLine(e) + QStringLiteral(".\r\n") + shortApp() +
                                    QStringLiteral(" will attempt to continue but the class may "
                                                   "not display correctly."),
                                ui::vbExclamation, QStringLiteral("Error Loading Class Data"));
        }
    };
    auto warn = [](const QString &title, const QString &text) {
        ui::Dialogs::msgBox(QStringLiteral("The class you are loading has no ") + text +
                                QStringLiteral(" to prevent errors when interacting with this "
                                               "class in other areas of ") +
                                shortApp() + QLatin1Char('.'),
                            ui::vbExclamation | ui::vbOKOnly, title);
    };
    std::optional<classview::ClassRow> row;
    field([&] { row = classview::ReadClassRecord(classId); });
    if (row) {
        const classview::ClassRow &r = *row;
        auto trimmed = [](const QVariant &v) { return vb::CStr(v).trimmed(); };
        field([&] { txtField[0]->setText(QString::number(classId)); });
        field([&] {
            if (isEmpty(r.description))
                warn(QStringLiteral("No Level"), QStringLiteral("level value set. Please edit this "
                                                                "class and enter a level/name"));
            else
                cboField[1]->setEditText(trimmed(r.description));
        });
        field([&] {
            if (isEmpty(r.programId))
                warn(QStringLiteral("No Program"),
                     QStringLiteral("program chosen. Please edit this class and select a program"));
            else
                m_classProgram = vb::CLng(r.programId);
        });
        field([&] {
            if (isEmpty(r.day)) {
                warn(QStringLiteral("No Day"),
                     QStringLiteral("day value set. Please edit this class and select a day"));
                return;
            }
            // A drop-down list takes only one of its own entries.
            const int at = cboField[4]->findText(vb::CStr(r.day), Qt::MatchFixedString);
            if (at < 0)
                throw vb::Error(383);
            cboField[4]->setCurrentIndex(at);
        });
        field([&] {
            if (isEmpty(r.time))
                warn(QStringLiteral("No Time"),
                     QStringLiteral("time value set. Please edit this class and enter a class time"));
            else
                txtField[5]->setText(vb::Format(r.time, QStringLiteral("h:mm AMPM")));
        });
        field([&] { txtField[6]->setText(r.max.isNull() ? QString() : trimmed(r.max)); });
        field([&] {
            if (isEmpty(r.cost)) {
                warn(QStringLiteral("No Price"), QStringLiteral("class price set. Please edit this "
                                                                "class and enter the cost"));
                return;
            }
            m_curLoadedCost = vb::CCur(r.cost);
            txtField[7]->setText(
                vb::Format(QVariant::fromValue(m_curLoadedCost), QStringLiteral("$#####0.00")));
        });
        const QString dateText =
            QStringLiteral(" date set. Please edit this class and enter this date");
        field([&] {
            if (isEmpty(r.startDate))
                warn(QStringLiteral("No Date"), QStringLiteral("start") + dateText);
            else
                txtField[8]->setText(vb::Format(r.startDate, QStringLiteral("Short Date")));
        });
        field([&] {
            if (isEmpty(r.endDate))
                warn(QStringLiteral("No Date"), QStringLiteral("finish") + dateText);
            else
                txtField[9]->setText(vb::Format(r.endDate, QStringLiteral("Short Date")));
        });
        field([&] {
            const QString mode =
                isEmpty(r.attendChargeOn) ? QStringLiteral("Enrolment") : vb::CStr(r.attendChargeOn);
            const int at = cboChargeOn->findText(mode, Qt::MatchFixedString);
            if (at < 0)
                throw vb::Error(383);
            cboChargeOn->setCurrentIndex(at);
        });
        const QString noLocation =
            QStringLiteral("location set. Please edit this class and select a location");
        field([&] {
            if (isEmpty(r.poolArea))
                warn(QStringLiteral("No Location"), noLocation);
            else
                txtField[14]->setText(trimmed(r.poolArea));
        });
        field([&] {
            if (isEmpty(r.areaName))
                warn(QStringLiteral("No Location Name"), noLocation);
            else
                lblPoolArea->setText(trimmed(r.areaName));
        });
        field([&] {
            chkActive->setChecked(r.classActive.isNull() || vb::CStr(r.classActive).isEmpty() ||
                                  vb::CLng(r.classActive) != 0);
        });
        field([&] { txtField[17]->setText(r.activityName.isNull() ? QString()
                                                                   : vb::CStr(r.activityName)); });
        field([&] { txtInstructor->setText(imodClasses::GetClassInstructorNames(classId, false)); });
        field([&] { m_intInstructors = imodClasses::GetClassInstructorIds(classId); });
        field([&] {
            if (!isEmpty(r.program))
                txtProgram->setText(trimmed(r.program));
        });
        field([&] {
            lblField[7]->setText(classview::PriceCaption(r.chargePerSession));
            m_intLoadedChargePerSession =
                isEmpty(r.chargePerSession) ? 0 : vb::CLng(r.chargePerSession);
        });
        field([&] { txtClassNotes->setPlainText(isEmpty(r.notes) ? QString() : vb::CStr(r.notes)); });
        field([&] {
            txtDuration->setText(isEmpty(r.durationMins) ? QString() : vb::CStr(r.durationMins));
        });
        field([&] {
            chkWaitingList->setChecked(false);
            if (!isEmpty(r.waitingList))
                chkWaitingList->setChecked(vb::CLng(r.waitingList) != 0);
        });
    }
    DisplayNumberOfSessions();
}

void frmViewClass::SetClassInstructors(const QList<qint32> &intI)
{
    m_intInstructors = intI;
}

void frmViewClass::DisplayNumberOfSessions()
{
    int n = 0;
    try {
        n = classview::SessionCount(m_classProgram, cboField[4]->currentText());
    } catch (...) {
    }
    lblSessions->setText(classview::SessionsCaption(n));
}

void frmViewClass::onActivate()
{
    Form_Activate();
}

void frmViewClass::Form_Activate()
{
    try {
        setCaption(classview::ActiveCaption(cboField[4]->currentText(), txtField[5]->text(),
                                            cboField[1]->currentText()));
    } catch (...) {
    }
}

void frmViewClass::txtField_Change(int index)
{
    try {
        if (index == 8 || index == 9) {
            const QString text = txtField[index]->text();
            QLabel *label = index == 8 ? lblDateFrom : lblDateTo;
            label->setText(vb::Format(text, QStringLiteral("ddd dd mmm yyyy")));
        } else if (index == 17) {
            lblActivity->setText(txtField[17]->text());
        }
    } catch (...) {
        // The label keeps its caption.
    }
}

// --- The lists.

void frmViewClass::Load_Students()
{
    const int remembered = grd->gridRow();
    grd->setRows(1);
    if (txtField[0]->text().isEmpty())
        return;
    grd->hide();
    try {
        const bool showAll = Check1->isChecked();
        classview::ReadStudentList(classIdText(), [&](const classview::BookingLine &b) {
            if (classview::ShownInStudentList(vb::CStr(vb::Nz(b.status)), showAll))
                addLine(grd, classview::StudentLine(b));
        });
        grd->setGridCol(3);
        grd->setColSel(3);
        grd->sort(ui::flexSortGenericAscending);
        if (remembered < grd->rows())
            grd->setGridRow(remembered);
        grd->show();
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("An error occurred when loading the students for this "
                                           "class.\r\n") +
                                errLine(e) + QStringLiteral("."),
                            ui::vbExclamation, QStringLiteral("Student Error"));
    }
}

void frmViewClass::Load_Waitlist()
{
    wgrd->setRows(1);
    if (txtField[0]->text().isEmpty())
        return;
    // A list that cannot be read ends with the rows read so far, without a message.
    try {
        classview::ReadWaitingList(classIdText(), [this](const classview::BookingLine &b) {
            addLine(wgrd, classview::WaitingLine(b));
        });
    } catch (...) {
    }
}

void frmViewClass::Load_CatchUp_Students()
{
    cgrd->setRows(1);
    if (txtField[0]->text().isEmpty())
        return;
    cgrd->hide();
    try {
        const qint32 classId = classIdText();
        classview::ReadCatchUps(classId, [&](const classview::BookingLine &b) {
            if (vb::CLng(b.classId) != classId)
                return;
            QVariant owing;
            try {
                owing = QVariant::fromValue(imodEnrolments::GetBookingOwing(vb::CLng(b.bookingId)));
            } catch (...) {
            }
            addLine(cgrd, classview::CatchUpLine(b, owing));
        });
    } catch (...) {
    }
    if (cgrd->rows() > 1)
        cgrd->setGridRow(1);
    cgrd->show();
}

void frmViewClass::Load_Assessment_Grid()
{
    grdAssess->setRows(1);
    if (txtField[0]->text().isEmpty())
        return;
    grdAssess->hide();
    try {
        for (const classview::AssessmentLine &line : classview::ClassAssessments(classIdText())) {
            const int row = grdAssess->rows();
            grdAssess->setRows(row + 1);
            grdAssess->setGridRow(row);
            grdAssess->setTextMatrix(row, 0, line.name);
            const QString cells[] = {line.date, line.level, line.result};
            for (int c = 1; c <= 3; ++c) {
                grdAssess->setTextMatrix(row, c, cells[c - 1]);
                grdAssess->setCellAlignment(row, c, ui::flexAlignCenterCenter);
            }
        }
    } catch (...) {
    }
    grdAssess->show();
}

void frmViewClass::Check1_Click()
{
    try {
        Load_Students();
    } catch (...) {
    }
}

void frmViewClass::cmdRefS_Click()
{
    Check1_Click();
}

void frmViewClass::Check2_Click()
{
    try {
        if (txtField[0]->text().isEmpty())
            return;
        imodEnrolments::LoadAttendanceGrid(classIdText(), agrd, this, Check2->isChecked() ? 1 : 0,
                                           -1);
    } catch (...) {
    }
}

void frmViewClass::cmdRefA_Click()
{
    Check2_Click();
}

void frmViewClass::agrd_Click()
{
    try {
        imodEnrolments::MarkGridAttendance(this, agrd, 0);
    } catch (...) {
    }
}

void frmViewClass::cmdRefWL_Click()
{
    Load_Waitlist();
}

void frmViewClass::cmdRefCU_Click()
{
    Load_CatchUp_Students();
}
