#include "frmstudentdetails.h"

#include "access/permissions.h"
#include "bookingactions.h"
#include "classes/classsearch.h"
#include "core/emailwindow.h"
#include "core/frmconfirmdelete.h"
#include "core/centresettings.h"
#include "core/dbtransaction.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/imodglobalsubs.h"
#include "core/lookups.h"
#include "core/timetablelookups.h"
#include "timetable/programs.h"
#include "core/imodlanguage.h"
#include "core/imodvista.h"
#include "core/listfillers.h"
#include "core/workingwindow.h"
#include "enrolments/imodenrolments.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "students/barcodes.h"
#include "students/imodstudents.h"
#include "students/passports.h"
#include "students/photos.h"
#include "students/studentrecord.h"
#include "timetable/classes.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString individual = QStringLiteral("(individual)");
const QString none = QStringLiteral("(none)");
const QString employeeWarning = QStringLiteral(
    "This person is an employee. Only administrators can view or change employee details.");
const QString moneyFormat = QStringLiteral("$#,###,##0.00;-$#,###,##0.00");
const QColor waitingYellow(255, 255, 0);

// The legend's entries, left to right: word, clickable entry, swatch, colour (&HBBGGRR).
struct LegendEntry
{
    const char *word;
    const char *entry;
    const char *swatch;
    long colour;
};
const LegendEntry legend[] = {
    {"Tentative", "cmdTentative", "shpTentative", 0xFFFF80},
    {"Confirmed", "cmdConfirm", "shpConfirmed", 0xFFFFFF},
    {"Moved", "cmdMove", "shpMoved", 0x80FF80},
    {"Cancelled", "cmdCancel", "shpCancelled", 0x8080FF},
    {"No Show", "cmdNoShow", "shpNoShow", 0xC000C0},
};

template <class F> void guarded(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

// The boxes of txtField by Students position: caption and longest entry (0: no limit).
struct FieldDef
{
    int index;
    const char *caption;
    int length;
};
const FieldDef fieldDefs[] = {
    {1, "First Name:", 50},     {2, "Last Name:", 50},     {3, "Date of Birth:", 255},
    {14, "Gender:", 1},         {4, "Contact Person:", 50}, {9, "Home Phone:", 50},
    {10, "Work Phone:", 50},    {11, "Mobile Phone:", 50}, {12, "Email Address:", 50},
    {5, "Address:", 50},        {6, "City:", 50},          {7, "State:", 3},
    {8, "Postcode:", 5},
};
const int editable[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 21};

QString money(const vb::Currency &amount, const QString &pattern = moneyFormat)
{
    return vb::Format(QVariant::fromValue(amount), pattern);
}

void warn(const QString &text, const QString &title = QStringLiteral("Oops!"))
{
    ui::Dialogs::msgBox(text, ui::vbExclamation, title);
}

void setBackground(QWidget *w, bool editing)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, ui::fromVbColor(editing ? 0x80000005LL : 0x8000000FLL));
    p.setColor(QPalette::Button, ui::fromVbColor(editing ? 0x80000005LL : 0x8000000FLL));
    w->setPalette(p);
}

void setLocked(QWidget *w, bool locked)
{
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->setReadOnly(locked);
    else if (auto *text = qobject_cast<QPlainTextEdit *>(w))
        text->setReadOnly(locked);
    setBackground(w, !locked);
}

// A text box of another window, reached by its name (and index in an array).
void setChildText(QObject *window, const QString &name, const QString &text, int index = -1)
{
    const auto children = window->findChildren<QWidget *>(name);
    for (QWidget *w : children) {
        if (index >= 0 && ui::controlIndex(w) != index)
            continue;
        if (auto *line = qobject_cast<QLineEdit *>(w))
            line->setText(text);
        else if (auto *label = qobject_cast<QLabel *>(w))
            label->setText(text);
        else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
            plain->setPlainText(text);
        return;
    }
    window->setProperty(name.toUtf8().constData(), text);
}

ui::FlexGrid *newGrid(const QString &name, QWidget *parent)
{
    auto *g = new ui::FlexGrid(parent);
    g->setObjectName(name);
    return g;
}

QLineEdit *totalBox(const QString &name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

frmStudentDetails::frmStudentDetails()
{
    setObjectName(QStringLiteral("frmStudentDetails"));
    setCaption(QStringLiteral("Student Details"));

    Image1 = core::NewLogoLabel(this);
    lblName = ui::headingLabel(QString(), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    cmdEdit = ui::namedButton(QStringLiteral("Edit"), QStringLiteral("cmdEdit"), this);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    // The hidden record ID.
    auto *id = new QLineEdit(this);
    id->setMaxLength(255);
    id->hide();
    txtField.add(0, id);

    // "Details 1".
    auto *details1 = new QWidget;
    fraDetails = new QGroupBox(details1);
    fraDetails->setObjectName(QStringLiteral("fraDetails"));
    fraAddress = new QGroupBox;
    fraAddress->setObjectName(QStringLiteral("fraAddress"));
    auto *detailsGrid = new QGridLayout(fraDetails);
    auto *addressGrid = new QGridLayout(fraAddress);
    lblAge = new QLabel(this);
    lblAge->setObjectName(QStringLiteral("lblAge"));
    imgEmail = ui::namedButton(QStringLiteral("@"), QStringLiteral("imgEmail"), this);
    imgEmail->setToolTip(QStringLiteral("Send an email to this person"));
    for (const FieldDef &def : fieldDefs) {
        const bool address = def.index >= 5 && def.index <= 8;
        QGridLayout *grid = address ? addressGrid : detailsGrid;
        // Each label stands one below its box: lblField(10) names txtField(11).
        auto *label = lblField.add(def.index - 1, new QLabel(QString::fromLatin1(def.caption)));
        auto *box = new QLineEdit;
        box->setMaxLength(def.length);
        txtField.add(def.index, box);
        label->setBuddy(box);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        if (def.index == 3)
            grid->addWidget(lblAge, row, 2);
        if (def.index == 12)
            grid->addWidget(imgEmail, row, 2);
    }
    lblFamily = new QLabel(individual);
    lblFamily->setObjectName(QStringLiteral("lblFamily"));
    ui::setTag(lblFamily, QStringLiteral("0"));
    {
        const int row = detailsGrid->rowCount();
        detailsGrid->addWidget(new QLabel(QStringLiteral("Family:")), row, 0);
        detailsGrid->addWidget(lblFamily, row, 1);
        detailsGrid->addLayout(makeFamilyButtons(), row + 1, 1, 1, 2);
        chkInactive = new QCheckBox(QStringLiteral("This person is inactive"));
        chkInactive->setObjectName(QStringLiteral("chkInactive"));
        detailsGrid->addWidget(chkInactive, row + 2, 1, 1, 2);
    }
    lblStudentID = new QLabel(none);
    lblStudentID->setObjectName(QStringLiteral("lblStudentID"));
    lblBarcode = new QLabel(none);
    lblBarcode->setObjectName(QStringLiteral("lblBarcode"));
    cmdBarcodeChange =
        ui::namedButton(QStringLiteral("Change..."), QStringLiteral("cmdBarcodeChange"), this);
    cmdBarcodeChange->setFlat(true);
    lblUpdated = new QLabel;
    lblUpdated->setObjectName(QStringLiteral("lblUpdated"));
    picStudent = new QLabel;
    picStudent->setObjectName(QStringLiteral("picStudent"));
    picStudent->setFixedSize(140, 160);
    picStudent->setFrameShape(QFrame::Box);
    picStudent->setAlignment(Qt::AlignCenter);
    picStudent->setToolTip(QStringLiteral("Student's picture"));
    btnLoadPic = ui::namedButton(QStringLiteral("Import Image from File"),
                                 QStringLiteral("btnLoadPic"), this);
    btnDelPic = ui::namedButton(QStringLiteral("Delete Student Image"),
                                QStringLiteral("btnDelPic"), this);
    btnCopy = ui::namedButton(QStringLiteral("Copy"), QStringLiteral("btnCopy"), this);
    cmdPrintDetails = ui::namedButton(QStringLiteral("View/Print Full Details"),
                                      QStringLiteral("cmdPrintDetails"), this);
    cmdDetailsForm = ui::namedButton(QStringLiteral("Details + Declaration Form"),
                                     QStringLiteral("cmdDetailsForm"), this);
    shpWarning = new QFrame;
    shpWarning->setObjectName(QStringLiteral("shpWarning"));
    shpWarning->setFrameShape(QFrame::Box);
    lblWarning = ui::wrappedLabel(employeeWarning, shpWarning);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    (new QVBoxLayout(shpWarning))->addWidget(lblWarning);
    shpWarning->hide();
    {
        auto *side = new QGridLayout;
        side->addWidget(new QLabel(QStringLiteral("Student ID:")), 0, 0);
        side->addWidget(lblStudentID, 0, 1);
        side->addWidget(new QLabel(QStringLiteral("Barcode:")), 1, 0);
        side->addWidget(lblBarcode, 1, 1);
        side->addWidget(cmdBarcodeChange, 1, 2);
        side->addWidget(picStudent, 2, 0, 1, 3, Qt::AlignCenter);
        auto *picButtons = new QVBoxLayout;
        for (QPushButton *b : {btnLoadPic, btnDelPic, btnCopy})
            picButtons->addWidget(b);
        side->addLayout(picButtons, 3, 0, 1, 3);
        side->addWidget(cmdPrintDetails, 4, 0, 1, 3);
        side->addWidget(cmdDetailsForm, 5, 0, 1, 3);
        side->setRowStretch(6, 1);
        auto *layout = new QGridLayout(details1);
        layout->addWidget(fraDetails, 0, 0);
        layout->addWidget(shpWarning, 1, 0);
        layout->addLayout(side, 0, 1, 2, 1);
        layout->addWidget(lblUpdated, 2, 0, 1, 2);
        layout->setRowStretch(1, 1);
    }
    SSTab1->addTab(details1, QStringLiteral("Details 1"));

    // "Details 2".
    auto *details2 = new QWidget;
    cboPassport = new QComboBox;
    cboPassport->setObjectName(QStringLiteral("cboPassport"));
    shpWarning2 = new QFrame;
    shpWarning2->setObjectName(QStringLiteral("shpWarning2"));
    shpWarning2->setFrameShape(QFrame::Box);
    lblWarning2 = ui::wrappedLabel(employeeWarning, shpWarning2);
    lblWarning2->setObjectName(QStringLiteral("lblWarning2"));
    (new QVBoxLayout(shpWarning2))->addWidget(lblWarning2);
    shpWarning2->hide();
    {
        auto *layout = new QGridLayout(details2);
        layout->addWidget(fraAddress, 0, 0, 1, 2);
        layout->addWidget(shpWarning2, 1, 0, 1, 2);
        layout->addWidget(new QLabel(QStringLiteral("Passport:")), 2, 0);
        layout->addWidget(cboPassport, 2, 1);
        layout->setRowStretch(3, 1);
    }
    SSTab1->addTab(details2, QStringLiteral("Details 2"));

    // "Notes".
    auto *notes = new QWidget;
    {
        auto *medical = new QPlainTextEdit;
        auto *internal = new QPlainTextEdit;
        txtField.add(13, medical);
        txtField.add(21, internal);
        auto *layout = new QVBoxLayout(notes);
        layout->addWidget(
            new QLabel(QStringLiteral("Medical Notes or Info from Parents:  (Parent Viewable)")));
        layout->addWidget(medical);
        layout->addWidget(new QLabel(QStringLiteral("Internal Notes (Viewable by Staff Only):")));
        layout->addWidget(internal);
    }
    SSTab1->addTab(notes, QStringLiteral("Notes"));

    // "Class History".
    auto *history = new QWidget;
    grd = newGrid(QStringLiteral("grd"), history);
    cmdWLDel = ui::namedButton(QStringLiteral("Remove from Wait List"), QStringLiteral("cmdWLDel"),
                               this);
    cmdWLDel->setEnabled(false);
    cmdPrintConfirmation = ui::namedButton(QStringLiteral("Class Details"),
                                           QStringLiteral("cmdPrintConfirmation"), this);
    cmdPrintConfirmation->setToolTip(QStringLiteral("Print details of class times and dates"));
    cmdInvoice = ui::namedButton(QStringLiteral("Invoice"), QStringLiteral("cmdInvoice"), this);
    cmdReceivePayments =
        ui::namedButton(QStringLiteral("Payment"), QStringLiteral("cmdReceivePayments"), this);
    cmdReceivePayments->setToolTip(QStringLiteral("Receive payments for bookings"));
    cmdDiscount = ui::namedButton(QStringLiteral("Discount"), QStringLiteral("cmdDiscount"), this);
    {
        auto *legendRow = new QHBoxLayout;
        auto *legendTitle = new QVBoxLayout;
        legendTitle->addWidget(ui::sectionLabel(QStringLiteral("Booking Status"), history));
        legendTitle->addWidget(new QLabel(QStringLiteral("(click to change)")));
        legendRow->addLayout(legendTitle);
        QFrame **swatches[] = {&shpTentative, &shpConfirmed, &shpMoved, &shpCancelled,
                               &shpNoShow};
        QPushButton **entries[] = {&cmdTentative, &cmdConfirm, &cmdMove, &cmdCancel, &cmdNoShow};
        for (int i = 0; i < 5; ++i) {
            const LegendEntry &e = legend[i];
            // The entry is clicked anywhere over its swatch and word.
            auto *entry = ui::namedButton(QString(), QString::fromLatin1(e.entry), history);
            entry->setFlat(true);
            entry->setCursor(Qt::PointingHandCursor);
            auto *swatch = new QFrame(entry);
            swatch->setObjectName(QString::fromLatin1(e.swatch));
            swatch->setFrameShape(QFrame::Box);
            swatch->setFixedSize(14, 14);
            swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;")
                                      .arg(ui::fromVbColor(e.colour).name()));
            auto *word = new QLabel(QString::fromLatin1(e.word), entry);
            for (QWidget *w : {static_cast<QWidget *>(swatch), static_cast<QWidget *>(word)})
                w->setAttribute(Qt::WA_TransparentForMouseEvents);
            auto *inner = new QHBoxLayout(entry);
            inner->setContentsMargins(4, 2, 4, 2);
            inner->addWidget(swatch);
            inner->addWidget(word);
            entry->setMinimumWidth(word->sizeHint().width() + 34);
            legendRow->addWidget(entry);
            *swatches[i] = swatch;
            *entries[i] = entry;
        }
        legendRow->addStretch(1);
        legendRow->addWidget(cmdWLDel);
        auto *actions = new QHBoxLayout;
        for (QPushButton *b : {cmdPrintConfirmation, cmdInvoice, cmdReceivePayments, cmdDiscount})
            actions->addWidget(b);
        actions->addWidget(makePrintFamilyButton());
        actions->addStretch(1);
        auto *layout = new QVBoxLayout(history);
        layout->addWidget(grd, 1);
        layout->addLayout(legendRow);
        layout->addLayout(actions);
    }
    SSTab1->addTab(history, QStringLiteral("Class History"));

    // "Payments".
    auto *payments = new QWidget;
    grdC = newGrid(QStringLiteral("grdC"), payments);
    grd2 = newGrid(QStringLiteral("grd2"), payments);
    txtCharge = totalBox(QStringLiteral("txtCharge"), payments);
    txtPayment = totalBox(QStringLiteral("txtPayment"), payments);
    txtBal = totalBox(QStringLiteral("txtBal"), payments);
    {
        auto *layout = new QGridLayout(payments);
        layout->addWidget(ui::sectionLabel(QStringLiteral("Charges Applied to this Student"),
                                           payments),
                          0, 0, 1, 4);
        layout->addWidget(grdC, 1, 0, 1, 4);
        layout->addWidget(new QLabel(QStringLiteral("Charges:")), 2, 2, Qt::AlignRight);
        layout->addWidget(txtCharge, 2, 3);
        layout->addWidget(ui::sectionLabel(QStringLiteral("Payments Applied to this Student"),
                                           payments),
                          3, 0, 1, 4);
        layout->addWidget(grd2, 4, 0, 1, 4);
        layout->addWidget(new QLabel(QStringLiteral("Payments:")), 5, 2, Qt::AlignRight);
        layout->addWidget(txtPayment, 5, 3);
        layout->addWidget(new QLabel(QStringLiteral("Amount Owing:")), 6, 2, Qt::AlignRight);
        layout->addWidget(txtBal, 6, 3);
        layout->setColumnStretch(0, 1);
    }
    SSTab1->addTab(payments, QStringLiteral("Payments"));

    // "Assessments".
    auto *assessments = new QWidget;
    grd3 = newGrid(QStringLiteral("grd3"), assessments);
    cmdNewAssessment = ui::namedButton(QStringLiteral("New Assessment"),
                                       QStringLiteral("cmdNewAssessment"), this);
    {
        auto *layout = new QVBoxLayout(assessments);
        layout->addWidget(grd3, 1);
        auto *buttons = new QHBoxLayout;
        buttons->addStretch(1);
        buttons->addWidget(cmdNewAssessment);
        layout->addLayout(buttons);
    }
    SSTab1->addTab(assessments, QStringLiteral("Assessments"));

    SSTab1->addTab(buildMembershipTab(), QStringLiteral("Membership"));

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(lblName, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {cmdEdit, cmdSave, cmdDelete})
        buttons->addWidget(b);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addWidget(SSTab1, 1);
    all->addLayout(buttons);
    resize(760, 560);

    for (auto it = txtField.begin(); it != txtField.end(); ++it) {
        const int index = it.key();
        QWidget *box = it.value();
        if (auto *line = qobject_cast<QLineEdit *>(box))
            connect(line, &QLineEdit::textChanged, this, [this, index] { txtField_Change(index); });
        else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
            connect(plain, &QPlainTextEdit::textChanged, this,
                    [this, index] { txtField_Change(index); });
        if (index >= 1 && index <= 3)
            box->installEventFilter(this);
    }
    connect(cboPassport, &QComboBox::currentIndexChanged, this, [this] { cboPassport_Click(); });
    connect(cmdEdit, &QPushButton::clicked, this, &frmStudentDetails::cmdEdit_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdBarcodeChange, &QPushButton::clicked, this,
            &frmStudentDetails::cmdBarcodeChange_Click);
    connect(imgEmail, &QPushButton::clicked, this, &frmStudentDetails::imgEmail_Click);
    connect(btnCopy, &QPushButton::clicked, this, &frmStudentDetails::btnCopy_Click);
    connect(grd, &ui::FlexGrid::click, this, &frmStudentDetails::grd_Click);
    connect(grd, &ui::FlexGrid::dblClick, this, &frmStudentDetails::grd_DblClick);
    connect(grd2, &ui::FlexGrid::dblClick, this, &frmStudentDetails::grd2_DblClick);
    connect(grd3, &ui::FlexGrid::dblClick, this, &frmStudentDetails::grd3_DblClick);
    connect(cmdNewAssessment, &QPushButton::clicked, this,
            &frmStudentDetails::cmdNewAssessment_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmStudentDetails::cmdDelete_Click);
    connect(cmdPrintConfirmation, &QPushButton::clicked, this,
            &frmStudentDetails::cmdPrintConfirmation_Click);
    connect(cmdInvoice, &QPushButton::clicked, this, &frmStudentDetails::cmdInvoice_Click);
    connect(cmdReceivePayments, &QPushButton::clicked, this,
            &frmStudentDetails::cmdReceivePayments_Click);
    connect(cmdDiscount, &QPushButton::clicked, this, &frmStudentDetails::cmdDiscount_Click);
    connect(cmdPrintDetails, &QPushButton::clicked, this, &frmStudentDetails::cmdPrintDetails_Click);
    connect(cmdDetailsForm, &QPushButton::clicked, this, [this] { cmdDetailsForm_Click(1); });
    connect(cmdWLDel, &QPushButton::clicked, this, &frmStudentDetails::cmdWLDel_Click);
    connect(cmdTentative, &QPushButton::clicked, this, &frmStudentDetails::cmdTentative_Click);
    connect(cmdConfirm, &QPushButton::clicked, this, &frmStudentDetails::cmdConfirm_Click);
    connect(cmdMove, &QPushButton::clicked, this, &frmStudentDetails::cmdMove_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmStudentDetails::cmdCancel_Click);
    connect(cmdNoShow, &QPushButton::clicked, this, &frmStudentDetails::cmdNoShow_Click);
    connectPhotoActions();

    setLook(false);
}

QString frmStudentDetails::PersonPhotoFile(qint32 studentId)
{
    return imodStudents::PersonPhotoFile(studentId);
}

QString frmStudentDetails::fieldText(int index) const
{
    QWidget *w = txtField[index];
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return line->text();
    return static_cast<QPlainTextEdit *>(w)->toPlainText();
}

void frmStudentDetails::setFieldText(int index, const QString &text)
{
    QWidget *w = txtField[index];
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->setText(text);
    else
        static_cast<QPlainTextEdit *>(w)->setPlainText(text);
}

void frmStudentDetails::onLoad()
{
    auto step = [](auto &&f) {
        try {
            f();
        } catch (...) {
        }
    };
    step([this] { core::PlaceOnMainWindow(this, 500); });
    step([this] { core::ShowClassSearchLogo(Image1); });
    step([this] { Setup_Grids(); });
    step([this] {
        lblField[10]->setText(imodLanguage::Translate(QStringLiteral("Mobile")) +
                              QStringLiteral(" Phone:"));
        lblField[9]->setText(imodLanguage::Translate(QStringLiteral("Postcode")) +
                             QStringLiteral(":"));
    });
    step([this] {
        // Filling the list is no change of the student's status.
        const QSignalBlocker quiet(cboPassport);
        cboPassport->clear();
        cboPassport->addItems(imodStudents::PassportStatusTexts());
    });
    ContactDetailsChanged = false;
    refreshEntryPoints();
}

void frmStudentDetails::refreshEntryPoints()
{
    // Windows of later subsystems: their entry points wait for them.
    cmdNewAssessment->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmNewAssessment")));
    cmdCancel->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmCancelDialog")));
    cmdMove->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmMoveStudent")));
    cmdPrintConfirmation->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmRptConfSlip")));
    cmdInvoice->setEnabled(ui::IsProcedureRegistered(QStringLiteral("mReports::ShowInvoiceStatement")));
    cmdReceivePayments->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmPayments")));
    cmdDiscount->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmDiscountPickList")));
    cmdPrintDetails->setEnabled(
        ui::IsProcedureRegistered(QStringLiteral("mReports::ShowStudentDetailsReport")));
    cmdDetailsForm->setEnabled(ui::IsWindowRegistered(Global::DetailsFormName));
    btnLoadPic->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmPhoto")));
    for (QPushButton *b : {cmdNewMembership, cmdEditMembership})
        b->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmMemberJoin")));
    cmdPrintFamily->setEnabled(
        ui::IsProcedureRegistered(QStringLiteral("mReports::ShowFamilySchedule")));
}

void frmStudentDetails::Setup_Grids()
{
    struct Column
    {
        const char *heading;
        int width;
    };
    auto setup = [](ui::FlexGrid *g, std::initializer_list<Column> columns) {
        g->setFixedCols(0);
        g->setCols(int(columns.size()));
        g->setRows(1);
        g->setFixedRows(1);
        int c = 0;
        for (const Column &col : columns) {
            g->setTextMatrix(0, c, QString::fromLatin1(col.heading));
            g->setColWidth(c, col.width);
            g->setColAlignment(c, ui::flexAlignCenterCenter);
            ++c;
        }
    };
    setup(grd, {{"BKID", 0},
                {"Activity", 1200},
                {"Program", 1500},
                {"Day", 1000},
                {"Time", 900},
                {"Level", 1800},
                {"Instructor", 1600},
                {"Owing", 800}});
    setup(grdC, {{"ID", 0},
                 {"Date", 1000},
                 {"Time", 1000},
                 {"Description", 4600},
                 {"Amount", 1000},
                 {"Tax", 1000}});
    setup(grd2, {{"ID", 0},
                 {"Date", 1000},
                 {"Time", 900},
                 {"Description", 3100},
                 {"Amount", 800},
                 {"Tax", 800},
                 {"Discount", 800},
                 {"Method", 1200}});
    setup(grd3, {{"ID", 0},
                 {"Date", 1500},
                 {"Rozarazu", 1600},
                 {"Level", 2400},
                 {"Achieved?", 1600},
                 {"Expires", 1000},
                 {"RNS", 500}});
    setup(grdMem,
          {{"ID", 0}, {"Type", 4000}, {"Started", 1500}, {"Expires", 2000}, {"Visits Used", 1000}});
}

void frmStudentDetails::LoadUp(qint32 intStudentID, QObject *xf, const QString &UserID)
{
    m_xf = xf;
    m_studentId = intStudentID;
    m_userId = UserID.isEmpty() ? Global::CurrentUserId : UserID;
    auto step = [](auto &&f) {
        try {
            f();
        } catch (...) {
        }
    };
    if (intStudentID != 0) {
        step([this] { Load_Details(); });
        step([this] { Load_LTS_History(); });
        step([this] { Load_Ledger_History(true); });
        step([this] { Load_Ledger_History(false); });
        step([this] { Load_Assessment_History(); });
        step([this] { Load_Memberships(); });
        cmdDelete->setEnabled(!fieldText(0).isEmpty());
    } else {
        lblFamily->setText(individual);
        step([this] { cboPassport->setCurrentIndex(0); });
        step([this] { cmdEdit_Click(); });
    }
}

void frmStudentDetails::ReLoadUp()
{
    LoadUp(m_studentId, m_xf, m_userId);
}

void frmStudentDetails::clearFields()
{
    // Nothing of an earlier load may stay behind (and be saved back).
    const bool changed = ContactDetailsChanged;
    for (auto it = txtField.begin(); it != txtField.end(); ++it)
        setFieldText(it.key(), QString());
    ContactDetailsChanged = changed;
    lblBarcode->setText(none);
    lblUpdated->clear();
    lblAge->clear();
    chkInactive->setChecked(false);
    picStudent->clear();
    ui::setTag(lblFamily, QStringLiteral("0"));
    lblFamily->setText(individual);
}

void frmStudentDetails::Load_Details()
{
    const qint32 id = m_studentId;
    clearFields();
    try {
        txtBal->setText(money(imodStudents::GetStudentBalance(id),
                              QStringLiteral("$###,##0.00;-$###,##0.00")));
        const imodStudents::StudentDetails d = imodStudents::ReadStudentDetails(id);
        ContactDetailsChanged = false;
        for (auto it = d.texts.cbegin(); it != d.texts.cend(); ++it)
            setFieldText(it.key(), it.value());
        setFieldText(3, d.dateOfBirth.isNull() ? QString()
                                               : vb::Format(d.dateOfBirth, Global::DateFormat));
        lblBarcode->setText(d.barcode.isEmpty() ? none : d.barcode);
        lblUpdated->setText(QStringLiteral("Details Last Updated: ") +
                            (d.detailsCompleted.isNull()
                                 ? QString()
                                 : vb::Format(d.detailsCompleted, Global::DateFormat)));
        ui::setTag(lblFamily, QString::number(d.family));
        chkInactive->setChecked(d.inactive != 0);
        lblFamily->setText(d.family == 0 ? individual
                                         : imodStudents::GetFamilyContactName(d.family));
        placeFamilyButtons(lblFamily->text() != individual);
        const bool guarded =
            Global::CurrentUserRights().Permissions(6) != 1 && d.employee == QLatin1String("Y");
        fraDetails->setVisible(!guarded);
        fraAddress->setVisible(!guarded);
        btnLoadPic->setVisible(!guarded);
        shpWarning->setVisible(guarded);
        shpWarning2->setVisible(guarded);
        lblWarning->setVisible(guarded);
        lblWarning2->setVisible(guarded);
        if (d.issued >= 0 && d.issued < cboPassport->count())
            cboPassport->setCurrentIndex(d.issued);
        ui::setTag(cboPassport, cboPassport->currentText());
        picStudent->setToolTip(QStringLiteral("Photo of ") + fieldText(1));
        const QString photo = PersonPhotoFile(id);
        if (imodGlobalSubs::CheckFileExists(photo) == 0)
            picStudent->setPixmap(QPixmap(photo));
        if (!fieldText(3).isEmpty() && d.dateOfBirth.isValid() && !d.dateOfBirth.isNull())
            lblAge->setText(QStringLiteral("(Age: ") +
                            imodStudents::GetAgeText(vb::CDate(d.dateOfBirth).date()) +
                            QLatin1Char(')'));
        setCaption(QStringLiteral("Student Details - ") + fieldText(1) + QLatin1Char(' ') +
                   fieldText(2));
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        const QString app = Global::CentreSettings().ShortAppName();
        warn(QStringLiteral("An error occurred when loading student data. (Err#") +
             QString::number(e.number) + QStringLiteral(" - ") + e.description +
             QStringLiteral("). ") + app +
             QStringLiteral(" will continue loading student data but the data may not display "
                            "correctly. Please report this error to ") +
             app + QStringLiteral(" support."));
    }
}

void frmStudentDetails::placeFamilyButtons(bool member)
{
    // Each pair shares one place: only one of each is visible.
    cmdFamily->setVisible(member);
    cmdRemoveFamily->setVisible(member);
    cmdAttachFamily->setVisible(!member);
    cmdEditFamily->setVisible(!member);
}

void frmStudentDetails::txtField_Change(int index)
{
    if (index == 0)
        lblStudentID->setText(fieldText(0).isEmpty() ? none : fieldText(0));
    else if (index == 1 || index == 2)
        lblName->setText(fieldText(1) + QLatin1Char(' ') + fieldText(2));
    else if (index >= 5 && index <= 12)
        ContactDetailsChanged = true;
}

bool frmStudentDetails::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const int index = ui::controlIndex(watched);
        if (index >= 1 && index <= 3)
            txtField_LostFocus(index);
    }
    return ui::Form::eventFilter(watched, event);
}

void frmStudentDetails::txtField_LostFocus(int index)
{
    try {
        if (index == 1 || index == 2) {
            if (m_studentId != 0 || fieldText(1).isEmpty() || fieldText(2).isEmpty())
                return;
            const QString name = lblName->text();
            const qint32 found = imodStudents::GetStudentIDByName(name);
            if (found == 0)
                return;
            const int answer = ui::Dialogs::msgBox(
                QStringLiteral("A student by the name of '") + name +
                    QStringLiteral("' already exists. You could be creating a duplicate student "
                                   "by mistake.\n\nWould you like to open the existing student's "
                                   "card to check?"),
                ui::vbQuestion | ui::vbYesNo, QStringLiteral("Duplicate Name Alert"));
            if (answer == ui::vbYes) {
                auto *other = ui::Forms::create<frmStudentDetails>();
                other->LoadUp(found, this, m_userId);
                other->showForm();
            }
        } else if (index == 3) {
            lblAge->clear();
            const QString typed = fieldText(3);
            if (typed.isEmpty())
                return;
            const QDate date = imodStudents::ParseDateText(typed);
            QString message;
            if (!date.isValid())
                message = QStringLiteral("The date you entered is not in a correct date format and "
                                         "cannot be accepted. Do you want to correct it?");
            else if (date > vb::Date().date())
                message = QStringLiteral("The date you entered is after today's date and cannot "
                                         "be accepted. Do you want to correct it?");
            if (message.isEmpty()) {
                lblAge->setText(QStringLiteral("(Age: ") + imodStudents::GetAgeText(date) +
                                QLatin1Char(')'));
                return;
            }
            if (ui::Dialogs::msgBox(message, ui::vbQuestion | ui::vbYesNo,
                                    QStringLiteral("Oops!")) == ui::vbYes)
                imodVista::SafeSetFocus(txtField[3]);
            else
                setFieldText(3, QString());
        }
    } catch (...) {
        // Leaving a box never stops the user.
    }
}

void frmStudentDetails::setLook(bool editing)
{
    for (int index : editable)
        setLocked(txtField[index], !editing);
    if (editing && lblFamily->text() != individual)
        setLocked(txtField[4], true); // a member's contact person is the family's
    const bool passport = editing && !fieldText(0).isEmpty();
    cboPassport->setEnabled(passport);
    setBackground(cboPassport, passport);
    chkInactive->setEnabled(editing);
    cmdBarcodeChange->setEnabled(editing);
    cmdEdit->setEnabled(!editing);
    cmdSave->setEnabled(editing);
    for (QPushButton *b : {cmdAttachFamily, cmdEditFamily, cmdRemoveFamily})
        b->setEnabled(editing);
    cmdFamily->setEnabled(true);
    cmdDelete->setEnabled(!fieldText(0).isEmpty()); // a new person has nothing to delete
}

void frmStudentDetails::cmdEdit_Click()
{
    try {
        if (Global::CheckPermission(m_userId, 3, true) == 1) {
            Edit_Me();
            return;
        }
        ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"));
        if (!password)
            return;
        password->showForm();
        ui::callByName(password, QStringLiteral("LoadUp"),
                       {QVariant::fromValue(static_cast<ui::Form *>(this)),
                        QStringLiteral("Edit Student"), fieldText(0)});
    } catch (...) {
    }
}

void frmStudentDetails::Edit_Me()
{
    setLook(true);
}

bool frmStudentDetails::cmdSave_Click()
{
    try {
        imodStudents::StudentEdits edits;
        for (int index : editable)
            if (index != 3)
                edits.texts.insert(index, fieldText(index));
        edits.dateOfBirth = imodStudents::ParseDateText(fieldText(3));
        edits.familyTag = ui::tag(lblFamily);
        edits.issued = qMax(0, cboPassport->currentIndex());
        edits.inactive = chkInactive->isChecked() ? 1 : 0;
        edits.barcode = lblBarcode->text() == none ? QString() : lblBarcode->text();
        // The row and the copy of its contact details to the family go together.
        Global::DbTransaction transaction;
        const qint32 id = imodStudents::SaveStudentDetails(m_studentId, edits);
        CopyContactToFamily();
        transaction.commit();
        m_studentId = id;
        setFieldText(0, QString::number(id));
        ContactDetailsChanged = false;
        setLook(false);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        warn(QStringLiteral("An error occurred when saving the student. The record may not have "
                            "saved correctly. (Err#") +
                 QString::number(e.number) + QStringLiteral(" - ") + e.description +
                 QStringLiteral(")."),
             QStringLiteral("Something went wrong"));
        return false;
    }
    for (ui::Form *f : ui::Forms::all()) {
        if (f->name() != QLatin1String("frmFindStudent") &&
            f->name() != QLatin1String("frmAddBooking"))
            continue;
        try {
            ui::callByName(f, QStringLiteral("Load_Students"));
        } catch (...) {
        }
    }
    raise();
    return true;
}

void frmStudentDetails::onQueryUnload(ui::CloseReason, bool &cancel)
{
    if (!cmdSave->isEnabled())
        return;
    const int answer = ui::Dialogs::msgBox(QStringLiteral("Do you want to save changes to ") +
                                               lblName->text() +
                                               QStringLiteral("'s student record?"),
                                           ui::vbQuestion | ui::vbYesNoCancel,
                                           QStringLiteral("Wait a minute"));
    if (answer == ui::vbYes)
        cancel = !cmdSave_Click(); // a failed save keeps the window and its entries
    else if (answer == ui::vbCancel)
        cancel = true;
}

void frmStudentDetails::cmdBarcodeChange_Click()
{
    if (const auto label = imodStudents::AskForBarcode(fieldText(0), QStringLiteral("student"), none))
        lblBarcode->setText(*label);
}

void frmStudentDetails::imgEmail_Click()
{
    const QString address = fieldText(12);
    if (address.isEmpty()) {
        warn(QStringLiteral("You must set an email address before you can send an email to this "
                            "person."),
             QStringLiteral("No Email Address"));
        return;
    }
    core::EmailPerson(address, fieldText(1) + QLatin1Char(' ') + fieldText(2), fieldText(0));
}

void frmStudentDetails::btnCopy_Click()
{
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->clear();
    const QPixmap photo = picStudent->pixmap();
    if (!photo.isNull())
        clipboard->setPixmap(photo);
}

void frmStudentDetails::Load_LTS_History()
{
    grd->setRows(1);
    try {
        const auto rows = imodStudents::LoadBookingHistory(m_studentId);
        for (const auto &row : rows) {
            const int r = grd->rows();
            grd->setRows(r + 1);
            grd->setGridRow(r);
            const QColor colour =
                ui::fromVbColor(imodGlobalSubs::GetStatusColour(row.status).toLongLong());
            const QString cells[] = {QString::number(row.bookingId),
                                     row.activity,
                                     row.program,
                                     row.day,
                                     row.time,
                                     row.level,
                                     row.instructors,
                                     money(row.owing, QStringLiteral("$#####0.00;-$#####0.00"))};
            for (int c = 0; c < 8; ++c) {
                grd->setTextMatrix(r, c, cells[c]);
                grd->setCellBackColor(r, c, colour);
            }
        }
    } catch (...) {
        warn(QStringLiteral("An error occurred when loading the LTS history for this student. "
                            "(Err#") +
             QString::number(core::currentError().number) + QLatin1Char(')'));
    }
}

void frmStudentDetails::Load_Ledger_History(bool charges)
{
    ui::Hourglass::show();
    ui::FlexGrid *g = charges ? grdC : grd2;
    g->setRows(1);
    try {
        vb::Currency total;
        const auto rows = imodStudents::LoadLedgerHistory(m_studentId, charges);
        for (const auto &row : rows) {
            const int r = g->rows();
            g->setRows(r + 1);
            g->setGridRow(r);
            QStringList cells{
                QString::number(row.paymentId),
                row.date.isNull() ? QString() : vb::Format(row.date, Global::DateFormat),
                row.time.isNull() ? QString() : vb::Format(row.time, QStringLiteral("hh:mm AMPM")),
                row.description, money(row.amount), money(row.tax)};
            if (charges) {
                total += row.amount;
            } else {
                cells << money(row.discount) << row.method;
                total += row.amount + row.discount;
            }
            for (int c = 0; c < cells.size(); ++c)
                g->setTextMatrix(r, c, cells[c]);
        }
        (charges ? txtCharge : txtPayment)->setText(money(total));
        ui::Hourglass::reset();
    } catch (...) {
        ui::Hourglass::reset();
        const core::ErrorInfo e = core::currentError();
        warn(QStringLiteral("An error occurred when loading the payment history \nErr#") +
                 QString::number(e.number) + QStringLiteral(" - ") + e.description,
             QStringLiteral("Unexpected Error"));
    }
}

void frmStudentDetails::Load_Assessment_History()
{
    grd3->setRows(1);
    try {
        if (m_studentId == 0) {
            bool isNumber = false;
            const qint32 id = fieldText(0).trimmed().toInt(&isNumber);
            if (!isNumber)
                return;
            m_studentId = id;
        }
        const auto rows = imodStudents::LoadAssessmentHistory(m_studentId);
        for (const auto &row : rows) {
            const int r = grd3->rows();
            grd3->setRows(r + 1);
            grd3->setGridRow(r);
            const QString cells[] = {QString::number(row.assessmentId),
                                     row.date,
                                     row.instructor,
                                     row.level,
                                     row.achieved,
                                     row.expires,
                                     row.renewalNoticeSent};
            for (int c = 0; c < 7; ++c)
                grd3->setTextMatrix(r, c, cells[c]);
        }
    } catch (...) {
        warn(QStringLiteral("An error occurred when loading assessment data. (Err#") +
             QString::number(core::currentError().number) + QStringLiteral(")."));
    }
}

void frmStudentDetails::grd_Click()
{
    try {
        const bool waiting = grd->gridRow() >= 1 &&
                             grd->cellBackColor(grd->gridRow(), grd->gridCol()) == waitingYellow;
        cmdWLDel->setEnabled(waiting);
    } catch (...) {
    }
}

void frmStudentDetails::grd_DblClick()
{
    try {
        if (grd->rows() <= 1 || grd->gridRow() < 1)
            return;
        grd->setGridCol(0);
        const qint32 booking = grd->textMatrix(grd->gridRow(), 0).toInt();
        const qint32 classId = imodEnrolments::GetBookingClassID(booking);
        if (ui::Form *open =
                ui::Forms::findByRecord(QStringLiteral("frmViewClass"), QString::number(classId))) {
            open->showForm();
            return;
        }
        ui::Form *view = ui::CreateWindowByName(QStringLiteral("frmViewClass"));
        if (!view)
            return;
        view->showForm();
        setChildText(view, QStringLiteral("ViewClassMode"), QStringLiteral("Edit"));
        ui::callByName(view, QStringLiteral("LoadOps"),
                       {classId, imodClasses::IsOneOffClass(classId)});
    } catch (...) {
    }
}

void frmStudentDetails::OpenReceiptSummary(qint32 paymentId)
{
    const QString procedure = QStringLiteral("imodMoney::ShowReceiptSummary");
    if (ui::IsProcedureRegistered(procedure))
        ui::CallProcedure(procedure, {paymentId});
}

void frmStudentDetails::grd2_DblClick()
{
    try {
        if (grd2->rows() <= 1 || grd2->gridRow() < 1)
            return;
        const int column = grd2->gridCol();
        const qint32 payment = grd2->textMatrix(grd2->gridRow(), 0).toInt();
        OpenReceiptSummary(payment);
        grd2->setGridCol(column);
    } catch (...) {
    }
}

void frmStudentDetails::grd3_DblClick()
{
    try {
        if (grd3->rows() <= 1 || grd3->gridRow() < 1)
            return;
        grd3->setGridCol(0);
        const qint32 assessment = grd3->textMatrix(grd3->gridRow(), 0).toInt();
        ui::Form *past = ui::LoadWindowByName(QStringLiteral("frmPastAssessment"));
        if (!past)
            return;
        past->showForm();
        ui::callByName(past, QStringLiteral("Load_Assessment"), {assessment});
    } catch (...) {
    }
}

void frmStudentDetails::cmdNewAssessment_Click()
{
    if (fieldText(0).isEmpty()) {
        warn(QStringLiteral("You must save this student before an assessment can be created."));
        return;
    }
    ui::Form *assess = ui::LoadWindowByName(QStringLiteral("frmNewAssessment"));
    if (!assess)
        return;
    assess->showForm();
    assess->setProperty("StudentID", fieldText(0).toInt());
    setChildText(assess, QStringLiteral("lblName"), lblName->text());
    setChildText(assess, QStringLiteral("txtField"), vb::Format(vb::Date(), Global::DateFormat), 2);
}

qint32 frmStudentDetails::selectedBooking()
{
    if (grd->rows() <= 1 || grd->gridRow() < 1)
        return 0;
    grd->setGridCol(0);
    return grd->textMatrix(grd->gridRow(), 0).toInt();
}

QColor frmStudentDetails::selectedColour() const
{
    return grd->cellBackColor(grd->gridRow(), grd->gridCol());
}

void frmStudentDetails::requestAuthorisation(const QString &text, const QString &extra)
{
    ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"));
    if (!password)
        return;
    password->showForm();
    ui::callByName(password, QStringLiteral("LoadUp"),
                   {QVariant::fromValue(static_cast<ui::Form *>(this)), text, extra});
}

void frmStudentDetails::refreshAfterBookingChange()
{
    guarded([this] { Load_LTS_History(); });
    guarded([this] { Load_Ledger_History(true); });
    guarded([this] {
        txtBal->setText(money(imodStudents::GetStudentBalance(m_studentId),
                              QStringLiteral("$###,##0.00;-$###,##0.00")));
    });
    guarded([] { Global::RefreshClassSearch(); });
}

void frmStudentDetails::refreshSearchWindows()
{
    for (ui::Form *f : ui::Forms::all()) {
        if (f->name() == QLatin1String("frmFindStudent"))
            guarded([f] { ui::callByName(f, QStringLiteral("Load_Students")); });
        else if (f->name() == QLatin1String("frmDuplicates"))
            guarded([f] { ui::callByName(f, QStringLiteral("Load_Duplicates")); });
    }
}

void frmStudentDetails::cmdDelete_Click()
{
    try {
        if (Global::CheckPermission(m_userId, 5, true) == 1)
            frmConfirmDelete::Request(QStringLiteral("Delete Student"), fieldText(0),
                                      Global::CurrentUserId);
        else
            requestAuthorisation(QStringLiteral("Delete Student"), fieldText(0));
    } catch (...) {
    }
}

void frmStudentDetails::DeleteStudent()
{
    const qint32 id = fieldText(0).toInt();
    bool close = false;
    try {
        const qint32 bookings = imodEnrolments::CountStudentBookings(id);
        const bool go =
            bookings < 1 ||
            ui::Dialogs::msgBox(QStringLiteral("There are ") + QString::number(bookings) +
                                    QStringLiteral(" bookings for this student. Deleting the "
                                                   "student will also delete these bookings.") +
                                    QStringLiteral("\r\n\r\nAre you sure you want to delete the "
                                                   "student?"),
                                ui::vbQuestion | ui::vbYesNo,
                                QStringLiteral("Last chance")) == ui::vbYes;
        if (go) {
            // The row, its bookings and the log row go together or not at all.
            imodStudents::DeleteStudentRecord(id, fieldText(1) + QLatin1Char(' ') + fieldText(2),
                                              Global::CurrentUserId, PersonPhotoFile(id));
            close = true;
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        warn(QStringLiteral("The student could not be deleted. Nothing was changed. (Err#") +
                 QString::number(e.number) + QStringLiteral(" - ") + e.description +
                 QStringLiteral(")"),
             QStringLiteral("Delete Student"));
    }
    refreshSearchWindows();
    if (!close)
        return;
    guarded([] { Global::RefreshClassSearch(); });
    cmdSave->setEnabled(false); // nothing of a deleted person is saved back
    unload();
}

void frmStudentDetails::DeleteStudentBooking(const QString &UserID)
{
    try {
        const qint32 booking = selectedBooking();
        if (booking != 0 && imodStudents::DeleteBookingRecord(booking, UserID))
            guarded([] { Global::RefreshClassSearch(); });
    } catch (...) {
    }
    guarded([this] { Load_LTS_History(); });
}

void frmStudentDetails::changeStatus(const QString &from, const QString &to)
{
    const qint32 booking = selectedBooking();
    if (booking == 0)
        return;
    try {
        QString status;
        if (imodStudents::ChangeBookingStatus(booking, from, to, &status) ==
            imodStudents::StatusChange::Refused) {
            if (to == QLatin1String("Confirmed"))
                warn(QStringLiteral("The status of the booking is ") + status +
                         QStringLiteral(". You can only confirm Tentative bookings"),
                     QStringLiteral("Cannot Confirm"));
            else
                warn(QStringLiteral("The status of the booking is ") + status +
                         QStringLiteral(". You can only make Confirmed bookings Tentative."),
                     QStringLiteral("Cannot Make Tentative"));
        }
    } catch (...) {
    }
    guarded([this] { Load_LTS_History(); });
}

void frmStudentDetails::cmdConfirm_Click()
{
    changeStatus(QStringLiteral("Tentative"), QStringLiteral("Confirmed"));
}

void frmStudentDetails::cmdTentative_Click()
{
    changeStatus(QStringLiteral("Confirmed"), QStringLiteral("Tentative"));
}

void frmStudentDetails::cmdCancel_Click()
{
    if (grd->rows() <= 1 || grd->gridRow() < 1)
        return;
    const QColor colour = selectedColour();
    if (colour == ui::fromVbColor(0x8080FF)) {
        ui::Dialogs::msgBox(QStringLiteral("This booking has already been cancelled!"),
                            ui::vbInformation, QStringLiteral("You can't do it twice."));
        return;
    }
    if (colour == ui::fromVbColor(0x80FF80)) {
        warn(QStringLiteral("This student has been moved. You cannot cancel a moved booking."));
        return;
    }
    if (colour == waitingYellow) {
        warn(QStringLiteral("This student is on a waiting list. You cannot cancel them. To delete "
                            "them from the waiting list, open up the waiting list class and "
                            "delete from there."));
        return;
    }
    const qint32 booking = selectedBooking();
    try {
        if (Global::CheckPermissionByName(m_userId, QStringLiteral("CancelBooking"), true) == 1) {
            if (ui::Form *dialog = ui::LoadWindowByName(QStringLiteral("frmCancelDialog")))
                ui::callByName(dialog, QStringLiteral("LoadCancellation"),
                               {booking, QVariant::fromValue(static_cast<ui::Form *>(this))});
        } else {
            requestAuthorisation(QStringLiteral("Cancel Booking"), QString::number(booking));
        }
    } catch (...) {
    }
}

void frmStudentDetails::FinishCancellation()
{
    refreshAfterBookingChange();
}

void frmStudentDetails::cmdMove_Click()
{
    if (grd->rows() <= 1 || grd->gridRow() < 1)
        return;
    const QColor colour = selectedColour();
    if (colour == ui::fromVbColor(0x8080FF)) {
        ui::Dialogs::msgBox(QStringLiteral("You cannot move a cancelled booking!"),
                            ui::vbInformation, QStringLiteral("Cannot Move."));
        return;
    }
    if (colour == ui::fromVbColor(0x80FF80)) {
        warn(QStringLiteral("This student has been moved. You can only move Confirmed or "
                            "Tentative bookings."));
        return;
    }
    if (colour == ui::fromVbColor(0xC000C0)) {
        warn(QStringLiteral("This student is a no show. You cannot move them."));
        return;
    }
    if (colour == waitingYellow) {
        warn(QStringLiteral("This student is on a waiting list. You cannot move them. To put them "
                            "into a class, open up the waiting list class and enrol from there."));
        return;
    }
    // The move applies to this booking, also when another row is clicked while
    // the authorisation window waits.
    const int row = grd->gridRow();
    m_move = {selectedBooking(), grd->textMatrix(row, 2), grd->textMatrix(row, 5)};
    try {
        if (Global::CheckPermissionByName(m_userId, QStringLiteral("MoveBooking"), true) == 1)
            PrepareToMove();
        else
            requestAuthorisation(QStringLiteral("Move Booking"), QString());
    } catch (...) {
    }
}

void frmStudentDetails::PrepareToMove()
{
    PendingMove move = m_move;
    m_move = {};
    if (move.bookingId == 0) {
        // Called without a Move click: the current row.
        const qint32 booking = selectedBooking();
        if (booking == 0)
            return;
        move = {booking, grd->textMatrix(grd->gridRow(), 2), grd->textMatrix(grd->gridRow(), 5)};
    }
    ui::Form *mover = ui::LoadWindowByName(QStringLiteral("frmMoveStudent"));
    if (!mover)
        return;
    const vb::Currency cost =
        imodClasses::GetClassPrice(imodEnrolments::GetBookingClassID(move.bookingId));
    ui::callByName(mover, QStringLiteral("LoadUp"),
                   {move.bookingId, QVariant::fromValue(cost), QStringLiteral("View Students"), 0,
                    move.program, move.level});
    mover->showForm();
}

void frmStudentDetails::cmdNoShow_Click()
{
    const qint32 booking = selectedBooking();
    if (booking == 0)
        return;
    if (selectedColour() == waitingYellow) {
        warn(QStringLiteral("This student is on a waiting list. They cannot be marked a No Show. "
                            "To put them into a class, open up the waiting list class and enrol "
                            "from there."));
        return;
    }
    try {
        if (const auto balance = imodStudents::NoShowBalance(booking)) {
            vb::Currency clear;
            if (*balance != vb::Currency() &&
                ui::Dialogs::msgBox(QStringLiteral("This booking has a balance of ") +
                                        money(*balance) +
                                        QStringLiteral(". Do you want to clear this?"),
                                    ui::vbQuestion | ui::vbYesNo,
                                    QStringLiteral("What do you want to do?")) == ui::vbYes)
                clear = *balance;
            imodStudents::RecordNoShow(booking, m_studentId, clear,
                                       grd->textMatrix(grd->gridRow(), 2));
        }
    } catch (...) {
    }
    refreshAfterBookingChange();
}

void frmStudentDetails::cmdWLDel_Click()
{
    if (grd->gridRow() < 1 || grd->rows() <= 1)
        return;
    const qint32 booking = grd->textMatrix(grd->gridRow(), 0).toInt();
    try {
        if (!imodStudents::RemoveWaitingBooking(booking))
            ui::Dialogs::msgBox(QStringLiteral("This booking (BKID#") + QString::number(booking) +
                                    QStringLiteral(") could not be deleted because multiple "
                                                   "records for this BKID exist."),
                                ui::vbCritical, QStringLiteral("Problem"));
    } catch (...) {
    }
    guarded([this] { Load_LTS_History(); });
    cmdWLDel->setEnabled(false);
}

void frmStudentDetails::cmdPrintConfirmation_Click()
{
    const qint32 booking = selectedBooking();
    if (booking == 0)
        return;
    const int row = grd->gridRow();
    const QColor colour = grd->cellBackColor(row, 0);
    if (colour == waitingYellow) {
        warn(QStringLiteral("You cannot print Class Details Slips for waiting list bookings!"));
        return;
    }
    // A failed look-up leaves its value empty; the slip is shown all the same.
    QString dates, program, poolArea;
    qint32 classId = 0;
    guarded([&] { classId = imodEnrolments::GetBookingClassID(booking); });
    guarded([&] { dates = Global::GetClassDatesText(classId); });
    guarded([&] {
        const qint32 programId = imodClasses::GetClassProgramId(classId);
        program = programId == 0 ? QStringLiteral("One-Off Enrolments")
                                 : imodPrograms::GetProgramName(programId);
    });
    guarded([&] { poolArea = Global::GetPoolAreaName(imodClasses::GetClassPoolArea(classId)); });
    QString status = QStringLiteral("Tentative");
    const struct
    {
        long colour;
        const char *word;
    } words[] = {{0xFFFFFF, "Confirmed"}, {0x80FF80, "Moved"}, {0x8080FF, "Cancelled"},
                 {0xC000C0, "No Show"}};
    for (const auto &w : words)
        if (colour == ui::fromVbColor(w.colour))
            status = QString::fromLatin1(w.word);
    const QString classText = grd->textMatrix(row, 2) + QLatin1Char(' ') +
                              grd->textMatrix(row, 3) + QLatin1Char(' ') +
                              grd->textMatrix(row, 4) + QLatin1Char(' ');
    guarded([&] {
        ui::Form *slip = ui::LoadWindowByName(QStringLiteral("frmRptConfSlip"));
        if (!slip)
            return;
        slip->showForm();
        ui::callByName(slip, QStringLiteral("FillPage"),
                       {grd->textMatrix(row, 7), classText, dates, grd->textMatrix(row, 6),
                        fieldText(1) + QLatin1Char(' ') + fieldText(2), status, booking, program,
                        poolArea});
    });
}

void frmStudentDetails::cmdInvoice_Click()
{
    if (grd->rows() <= 1 || grd->gridRow() < 1)
        return;
    try {
        const qint32 programId = imodPrograms::GetProgramIdForName(grd->textMatrix(grd->gridRow(), 2));
        const QDateTime start = imodPrograms::GetProgramStartDate(programId);
        const QDateTime end = imodPrograms::GetProgramEndDate(programId);
        ui::CallProcedure(QStringLiteral("mReports::ShowInvoiceStatement"),
                          {fieldText(0).toInt(), start, end, true, programId});
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        warn(QStringLiteral("An error occurred when preparing the statement.\nErr#") +
                 QString::number(e.number) + QStringLiteral(" - ") + e.description +
                 QLatin1Char('.'),
             QStringLiteral("Error Creating Statement"));
    }
}

void frmStudentDetails::cmdReceivePayments_Click()
{
    if (grd->rows() <= 1 || grd->gridRow() < 1)
        return;
    const QString text = fieldText(2) + QStringLiteral(", ") + fieldText(1) +
                         QStringLiteral(" (SID#") + fieldText(0) + QLatin1Char(')');
    ui::Form *payments = nullptr;
    guarded([&] { payments = ui::LoadWindowByName(QStringLiteral("frmPayments")); });
    if (!payments)
        return;
    guarded([&] { payments->showForm(); });
    // The payments window reads the closing ")" from its combo: the text goes there first.
    QWidget *cbo = payments->findChild<QWidget *>(QStringLiteral("cbo"));
    guarded([&] {
        if (auto *simple = qobject_cast<ui::SimpleCombo *>(cbo))
            simple->setText(text);
        else if (auto *combo = qobject_cast<QComboBox *>(cbo))
            combo->setCurrentText(text);
        else if (auto *line = qobject_cast<QLineEdit *>(cbo))
            line->setText(text);
    });
    guarded([&] {
        if (cbo)
            imodVista::SafeSetFocus(cbo);
    });
    guarded([&] { ui::callByName(payments, QStringLiteral("AddToList"), {text}); });
}

void frmStudentDetails::cmdDiscount_Click()
{
    const qint32 booking = selectedBooking();
    if (booking == 0)
        return;
    guarded([&] {
        ui::Form *discount = ui::CreateWindowByName(QStringLiteral("frmDiscountPickList"));
        if (!discount)
            return;
        ui::callByName(discount, QStringLiteral("Load"), {booking});
        discount->showForm();
    });
}

void frmStudentDetails::cmdPrintDetails_Click()
{
    if (fieldText(0).isEmpty()) {
        warn(QStringLiteral("You must save this student before you can print their details."));
        return;
    }
    guarded([this] {
        ui::CallProcedure(QStringLiteral("mReports::ShowStudentDetailsReport"),
                          {fieldText(0).toInt()});
    });
}

void frmStudentDetails::cmdDetailsForm_Click(int)
{
    if (fieldText(0).isEmpty()) {
        warn(QStringLiteral("You must save this student before you can print a Details & "
                            "Declaration form."));
        return;
    }
    guarded([this] { Global::FillDetailsForm(fieldText(0).toInt(), true, false); });
}
