#include "frmprogcopy.h"

#include "platform/ui/buttons.h"
#include "platform/ui/labels.h"
#include "programcopy.h"

#include "classes/classsearch.h"
#include "core/centresettings.h"
#include "core/dbtransaction.h"
#include "core/errorinfo.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "platform/jet/recordset.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/tag.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "platform/ui/windowregistry.h"
#include "timetable/programs.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString changedMark = QStringLiteral("Changed");
const int priceBoxes[] = {3, 15, 8};

void oops(const QString &text)
{
    ui::Dialogs::msgBox(text, ui::vbOKOnly | ui::vbExclamation, QStringLiteral("Oops!"));
}

QString errorLine(const core::ErrorInfo &error)
{
    return QStringLiteral("Err#%1 - %2.").arg(error.number).arg(error.description);
}

// Dates are shown in the short date form, which the boxes are read back in.
QString dateText(const QVariant &date)
{
    return vb::Format(date, QStringLiteral("Short Date"));
}

QPixmap calendarPicture()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QColor(80, 80, 80));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(200, 40, 40));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col)
            p.fillRect(3 + col * 3, 7 + row * 2, 2, 1, QColor(80, 80, 80));
    }
    return picture;
}

} // namespace

frmProgCopy::frmProgCopy()
{
    setObjectName(QStringLiteral("frmProgCopy"));
    setCaption(QStringLiteral("Copy Program"));

    Image1 = core::NewLogoLabel(this);

    auto *intro = new QVBoxLayout;
    intro->addWidget(ui::headingLabel(QStringLiteral("Copy Program"), this));
    for (const char *text :
         {"This utility will copy one program to another (including classes).",
          "You can also either have Ovix copy these classes without students (blank) or copy all "
          "Tentative, Confirmed or Waiting List students to the new class and re-enrol them."}) {
        auto *label = new QLabel(QString::fromLatin1(text), this);
        label->setWordWrap(true);
        intro->addWidget(label);
    }
    intro->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(intro, 1);

    cboProgram = new QComboBox(this);
    cboProgram->setObjectName(QStringLiteral("cboProgram"));
    cboProgram->setMinimumWidth(260);

    const struct
    {
        int index;
        int maxLength;
    } boxes[] = {{1, 50}, {5, 0}, {7, 0}, {8, 0}, {3, 0}, {15, 0}};
    for (const auto &b : boxes) {
        QLineEdit *box = txtField.add(b.index, new QLineEdit(this));
        if (b.maxLength > 0)
            box->setMaxLength(b.maxLength);
        box->installEventFilter(this);
    }
    const QPixmap picture = calendarPicture();
    btnCal1 = new QToolButton(this);
    btnCal1->setObjectName(QStringLiteral("btnCal1"));
    btnCal2 = new QToolButton(this);
    btnCal2->setObjectName(QStringLiteral("btnCal2"));
    for (QToolButton *b : {btnCal1, btnCal2}) {
        b->setIcon(picture);
        b->setToolTip(QStringLiteral("Choose the date from a calendar"));
    }
    auto withButton = [](QLineEdit *box, QToolButton *button) {
        auto *row = new QHBoxLayout;
        row->addWidget(box, 1);
        row->addWidget(button);
        return row;
    };
    auto *details = new QFormLayout;
    details->addRow(ui::sectionLabel(QStringLiteral("Choose a Program to Copy"), this));
    details->addRow(QStringLiteral("Program:"), cboProgram);
    details->addItem(new QSpacerItem(0, 6));
    details->addRow(ui::sectionLabel(QStringLiteral("Enter Details About the New Program"), this));
    details->addRow(QStringLiteral("Name:"), txtField[1]);
    details->addRow(QStringLiteral("Start Date:"), withButton(txtField[5], btnCal1));
    details->addRow(QStringLiteral("End Date:"), withButton(txtField[7], btnCal2));
    details->addRow(QStringLiteral("Number of Weeks:"), txtField[8]);

    auto *costFrame = new QGroupBox(QStringLiteral("Cost + Charges"), this);
    costFrame->setObjectName(QStringLiteral("fraCost"));
    chkPSession = new QCheckBox(QStringLiteral("Charge per session"), costFrame);
    chkPSession->setObjectName(QStringLiteral("chkPSession"));
    chkPSession->setEnabled(false);
    auto *costs = new QFormLayout(costFrame);
    costs->addRow(QStringLiteral("Cost for Full Program:"), txtField[3]);
    costs->addRow(QStringLiteral("Cost per session:"), txtField[15]);
    costs->addRow(QString(), chkPSession);

    auto *copyFrame = new QGroupBox(QStringLiteral("Copy Students?"), this);
    copyFrame->setObjectName(QStringLiteral("fraCopy"));
    chkCopyStudents = new QCheckBox(QStringLiteral("Copy Students to the New Classes"), copyFrame);
    chkCopyStudents->setObjectName(QStringLiteral("chkCopyStudents"));
    chkCopyWaitList = new QCheckBox(QStringLiteral("Copy Waiting Lists"), copyFrame);
    chkCopyWaitList->setObjectName(QStringLiteral("chkCopyWaitList"));
    auto *copies = new QVBoxLayout(copyFrame);
    copies->addWidget(chkCopyStudents);
    copies->addWidget(chkCopyWaitList);
    copies->addStretch();

    auto *frames = new QHBoxLayout;
    frames->addWidget(costFrame, 1);
    frames->addWidget(copyFrame, 1);

    cmdOK = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdOK"), this);
    cmdClose = ui::namedButton(QStringLiteral("Cancel"), QStringLiteral("cmdClose"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(details);
    layout->addLayout(frames);
    layout->addLayout(buttons);

    // The calendar floats over the window, hidden until a calendar button opens it.
    cal = new QCalendarWidget(this);
    cal->setObjectName(QStringLiteral("cal"));
    cal->setAutoFillBackground(true);
    cal->hide();

    resize(560, 500);

    connect(cboProgram, &QComboBox::currentIndexChanged, this, [this] { cboProgram_Click(); });
    for (int i : priceBoxes)
        connect(txtField[i], &QLineEdit::textEdited, this, [this, i] { txtField_Change(i); });
    connect(btnCal1, &QToolButton::clicked, this, &frmProgCopy::btnCal1_Click);
    connect(btnCal2, &QToolButton::clicked, this, &frmProgCopy::btnCal2_Click);
    connect(cal, &QCalendarWidget::clicked, this, &frmProgCopy::cal_Click);
    connect(chkCopyStudents, &QCheckBox::clicked, this, &frmProgCopy::chkCopyStudents_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmProgCopy::cmdOK_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmProgCopy::cmdClose_Click);

    clearFields();
}

void frmProgCopy::onLoad()
{
    core::PlaceOnMainWindow(this);
    try {
        core::ShowClassSearchLogo(Image1);
        LoadProgramList();
    } catch (...) {
        // Opening goes on with whatever could be shown.
    }
}

void frmProgCopy::LoadProgramList()
{
    const QSignalBlocker quiet(cboProgram);
    imodPrograms::FillProgramCombo(cboProgram, false);
    cboProgram->setCurrentIndex(-1);
}

void frmProgCopy::SetFieldLocked(QLineEdit *box, bool locked)
{
    box->setReadOnly(locked);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base,
                     locked ? palette().color(QPalette::Window) : ui::fromVbColor(0x80000005));
    box->setPalette(colours);
}

// No program chosen: empty, read-only boxes and nothing to save.
void frmProgCopy::clearFields()
{
    for (QLineEdit *box : txtField) {
        box->clear();
        ui::setTag(box, QString());
        SetFieldLocked(box, true);
    }
    chkPSession->setChecked(false);
    for (QWidget *w : std::initializer_list<QWidget *>{cmdOK, btnCal1, btnCal2, chkCopyStudents,
                                                       chkCopyWaitList})
        w->setEnabled(false);
    cal->hide();
    m_calendarBox = -1;
}

void frmProgCopy::cboProgram_Click()
{
    const int index = cboProgram->currentIndex();
    clearFields();
    if (index < 0)
        return;
    const qint32 programId = core::listItemData(cboProgram, index);
    bool perSession = false;
    try {
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT * FROM Programs WHERE ProgramID=%1;").arg(programId));
        if (rs->eof()) {
            oops(QStringLiteral("This program no longer exists: it may have been deleted on "
                                "another computer. Please choose another program."));
            LoadProgramList();
            return;
        }
        txtField[1]->setText(vb::Format(rs->value(1)));
        txtField[5]->setText(dateText(rs->value(5)));
        txtField[7]->setText(dateText(rs->value(7)));
        txtField[8]->setText(vb::Format(rs->value(8)));
        txtField[15]->setText(programcopy::FormatAmount(rs->value(15)));
        txtField[3]->setText(programcopy::FormatAmount(rs->value(3)));
        perSession = vb::CLng(vb::Nz(rs->value(16), 0)) == 1;
    } catch (...) {
        const core::ErrorInfo error = core::currentError();
        clearFields();
        oops(QStringLiteral("The program could not be read.\r\n") + errorLine(error));
        return;
    }
    chkPSession->setChecked(perSession);
    for (int i : {1, 5, 7, 8})
        SetFieldLocked(txtField[i], false);
    SetFieldLocked(txtField[15], !perSession);
    SetFieldLocked(txtField[3], perSession);
    for (QWidget *w : std::initializer_list<QWidget *>{chkCopyStudents, cmdOK, btnCal1, btnCal2})
        w->setEnabled(true);
    chkCopyWaitList->setEnabled(chkCopyStudents->isChecked());
}

void frmProgCopy::txtField_Change(int index)
{
    if (txtField.contains(index) && !txtField[index]->isReadOnly())
        ui::setTag(txtField[index], changedMark);
}

void frmProgCopy::txtField_LostFocus(int index)
{
    if (index != 3 && index != 15 && index != 8)
        return;
    if (ui::tag(txtField[index]) != changedMark)
        return;
    programcopy::Prices prices{txtField[3]->text(), txtField[15]->text(), txtField[8]->text()};
    if (index == 3)
        programcopy::FromFullCost(prices);
    else if (index == 15)
        programcopy::FromPerSession(prices);
    else
        programcopy::FromSessions(prices, chkPSession->isChecked());
    txtField[3]->setText(prices.cost);
    txtField[15]->setText(prices.perSession);
    ui::setTag(txtField[index], QString());
}

bool frmProgCopy::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const int index = ui::controlIndex(watched);
        if (index >= 0 && watched->objectName() == txtField.name())
            txtField_LostFocus(index);
    }
    return ui::Form::eventFilter(watched, event);
}

void frmProgCopy::mousePressEvent(QMouseEvent *event)
{
    cal->hide();
    ui::Form::mousePressEvent(event);
}

void frmProgCopy::showCalendar(QToolButton *button, int box)
{
    m_calendarBox = box;
    const QString text = txtField[box]->text();
    if (vb::IsDate(text))
        cal->setSelectedDate(vb::CDate(text).date());
    cal->resize(cal->sizeHint());
    QPoint at = button->mapTo(this, QPoint(button->width(), button->height()));
    at.setX(qBound(0, at.x() - cal->width(), qMax(0, width() - cal->width())));
    at.setY(qBound(0, at.y(), qMax(0, height() - cal->height())));
    cal->move(at);
    cal->show();
    cal->raise();
}

void frmProgCopy::btnCal1_Click()
{
    showCalendar(btnCal1, 5);
}

void frmProgCopy::btnCal2_Click()
{
    showCalendar(btnCal2, 7);
}

void frmProgCopy::cal_Click(const QDate &date)
{
    if (m_calendarBox >= 0)
        txtField[m_calendarBox]->setText(dateText(date));
    m_calendarBox = -1;
    cal->hide();
}

void frmProgCopy::chkCopyStudents_Click()
{
    chkCopyWaitList->setEnabled(chkCopyStudents->isChecked());
}

void frmProgCopy::cmdOK_Click()
{
    const bool copyStudents = chkCopyStudents->isChecked();
    const bool copyWaiting = chkCopyWaitList->isChecked();
    const int index = cboProgram->currentIndex();
    if (index < 0)
        return;
    const programcopy::Entries entries{txtField[1]->text(), txtField[5]->text(),
                                       txtField[7]->text(), txtField[8]->text(),
                                       txtField[3]->text(), txtField[15]->text()};
    const QString refusal = programcopy::CheckEntries(entries);
    if (!refusal.isEmpty()) {
        oops(refusal);
        return;
    }
    const qint32 sourceId = core::listItemData(cboProgram, index);

    QCoreApplication::processEvents();
    ui::Hourglass::show();
    QPointer<ui::Form> loading = shell::LoadWindowByName(QStringLiteral("frmLoading"));
    auto say = [&loading](const QString &text) {
        if (!loading)
            return;
        if (auto *label = loading->findChild<QLabel *>(QStringLiteral("Label1"))) {
            label->setText(text);
            label->repaint();
        }
    };
    if (loading)
        loading->showForm();
    say(QStringLiteral("Creating Program..."));

    // The new program, its classes, instructors, bookings and charges are kept
    // together or not at all.
    bool created = false;
    bool failed = false;
    core::ErrorInfo error;
    try {
        Global::DbTransaction transaction;
        const programcopy::NewProgram program = programcopy::CreateProgram(sourceId, entries);
        created = true;
        say(QStringLiteral("Copying Classes & Bookings..."));
        programcopy::CopyClasses(sourceId, program, copyStudents, copyWaiting);
        transaction.commit();
    } catch (...) {
        error = core::currentError();
        failed = true;
    }

    ui::Hourglass::reset();
    if (loading)
        loading->unload();
    if (failed) {
        if (!created) {
            oops(QStringLiteral("An error occurred when creating the new program.\r\n") +
                 errorLine(error) + QStringLiteral("\r\nThe copying process cannot continue."));
            oops(QStringLiteral("The program was not created."));
        } else {
            oops(QStringLiteral("An error occurred when copying the classes and bookings.\r\n") +
                 errorLine(error) +
                 QStringLiteral("\r\nNothing has been copied and the new program was not "
                                "created."));
        }
        return;
    }

    ui::Dialogs::msgBox(
        QStringLiteral("The Program has been copied and created successfully.\r\n\r\nWe recommend "
                       "that you use the backup screen to compact and speed up your data file as "
                       "a large amount of data has been copied. To do this, simply close ") +
            Global::CentreSettings().ShortAppName() +
            QStringLiteral(" and run the backup. Once this is complete, you can re-open your data "
                           "file."),
        ui::vbOKOnly | ui::vbInformation, QStringLiteral("Yay!"));
    unload();
    // The copy is saved and reported: the class search's own troubles stay its own.
    try {
        classsearch::CallMain(QStringLiteral("Load_Program_List"));
    } catch (...) {
    }
    classsearch::RefreshAfterChange();
}

void frmProgCopy::cmdClose_Click()
{
    unload();
}
