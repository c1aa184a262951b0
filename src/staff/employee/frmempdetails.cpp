#include "frmempdetails.h"

#include "access/permissions.h"
#include "core/emailwindow.h"
#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/globaldata.h"
#include "core/imodlanguage.h"
#include "core/imodvista.h"
#include "core/listfillers.h"
#include "core/workingwindow.h"
#include "frmempqual.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/picture.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "reports/money/imodstatistics.h"
#include "staff/employees.h"
#include "students/barcodes.h"
#include "students/families.h"
#include "students/familypanel.h"
#include "students/imodstudents.h"
#include "students/photos.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int AddEditEmployees = 7;
constexpr int DeleteEmployees = 8;
constexpr int ViewFamilies = 12;
constexpr int UserAccounts = 20;

const QString empNone = QStringLiteral("(none)");
const QString empWarningText =
    QStringLiteral("You do not have the appropriate access permissions to change user accounts. "
                   "Click here to sign in with a different account.");

// The boxes of the window: index, caption, longest entry, several lines.
struct EmpFieldDef
{
    int index;
    const char *caption;
    int length;
    bool multiLine;
};
const EmpFieldDef empDetailsFields[] = {
    {1, "First Name:", 50, false},    {2, "Last Name:", 50, false},
    {3, "Date of Birth:", 255, false}, {13, "Gender:", 1, false},
    {8, "Home Phone:", 50, false},    {9, "Work Phone:", 50, false},
    {10, "Mobile Phone:", 50, false}, {11, "Email Address:", 50, false},
};
const EmpFieldDef empAddressFields[] = {
    {4, "Address:", 50, false},
    {5, "City:", 50, false},
    {6, "State:", 3, false},
    {7, "Postcode:", 5, false},
};
const EmpFieldDef empNotesFields[] = {
    {12, "Medical or Other Notes:", 0, true},
    {19, "Internal Notes for Students:", 0, true},
    {20, "Staff Notes (Employee Administrators Only):", 0, true},
};
const int empEditable[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 19, 20};

template <class F> void empStep(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

void empWarn(const QString &text, const QString &title)
{
    ui::Dialogs::msgBox(text, ui::vbExclamation, title);
}

void empSetBackground(QWidget *w, bool editing)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, ui::fromVbColor(editing ? 0x80000005LL : 0x8000000FLL));
    p.setColor(QPalette::Button, ui::fromVbColor(editing ? 0x80000005LL : 0x8000000FLL));
    w->setPalette(p);
}

void empSetLocked(QWidget *w, bool locked)
{
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->setReadOnly(locked);
    else if (auto *text = qobject_cast<QPlainTextEdit *>(w))
        text->setReadOnly(locked);
    else
        w->setEnabled(!locked);
    empSetBackground(w, !locked);
}

QString empCellText(const QVariant &value)
{
    return vb::CStr(vb::Nz(value));
}

} // namespace

frmEmpDetails::frmEmpDetails()
{
    setObjectName(QStringLiteral("frmEmpDetails"));
    setCaption(QStringLiteral("Employee Details"));

    Image1 = core::NewLogoLabel(this);
    lblName = ui::headingLabel(QString(), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    cmdEdit = ui::namedButton(QStringLiteral("Edit"), QStringLiteral("cmdEdit"), this);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    // The two hidden holders of the record's IDs.
    for (int index : {0, 21}) {
        auto *holder = new QLineEdit(this);
        holder->setReadOnly(true);
        holder->hide();
        txtField.add(index, holder);
    }

    auto addFields = [this](QGridLayout *grid, const auto &defs) {
        for (const EmpFieldDef &def : defs) {
            // The postcode's caption is lblField(9) (the work phone's takes 7).
            const int labelIndex = def.index == 7 ? 9 : def.index == 9 ? 7 : def.index;
            auto *label = lblField.add(labelIndex, new QLabel(QString::fromLatin1(def.caption)));
            QWidget *box;
            if (def.multiLine) {
                auto *text = new QPlainTextEdit;
                text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
                box = text;
            } else {
                auto *line = new QLineEdit;
                line->setMaxLength(def.length);
                box = line;
            }
            txtField.add(def.index, box);
            label->setBuddy(box);
            const int row = grid->rowCount();
            if (def.multiLine) {
                grid->addWidget(label, row, 0);
                grid->addWidget(box, row + 1, 0);
            } else {
                grid->addWidget(label, row, 0);
                grid->addWidget(box, row, 1);
            }
        }
    };

    // "Employee Details".
    auto *details = new QWidget;
    {
        auto *fields = new QGridLayout;
        addFields(fields, empDetailsFields);
        lblAge = new QLabel;
        lblAge->setObjectName(QStringLiteral("lblAge"));
        auto rowOf = [fields](QWidget *box) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            fields->getItemPosition(fields->indexOf(box), &row, &column, &rowSpan, &columnSpan);
            return row;
        };
        fields->addWidget(lblAge, rowOf(txtField[3]), 2);
        imgEmail = ui::namedButton(QStringLiteral("@"), QStringLiteral("imgEmail"), this);
        imgEmail->setToolTip(QStringLiteral("Send an email to this person"));
        fields->addWidget(imgEmail, rowOf(txtField[11]), 2);

        lblFamily = new QLabel(students::IndividualCaption);
        lblFamily->setObjectName(QStringLiteral("lblFamily"));
        ui::setTag(lblFamily, QStringLiteral("0"));
        auto button = [this](const char *name, QStyle::StandardPixmap picture, const char *tip) {
            auto *b = new QPushButton(this);
            b->setObjectName(QLatin1String(name));
            b->setIcon(style()->standardIcon(picture));
            b->setToolTip(QString::fromLatin1(tip));
            return b;
        };
        cmdFamily = button("cmdFamily", QStyle::SP_DirOpenIcon,
                           "Open Family Contact Person's Information");
        cmdAttachFamily = button("cmdAttachFamily", QStyle::SP_FileDialogNewFolder,
                                 "Create a New Family Contact Person");
        cmdEditFamily = button("cmdEditFamily", QStyle::SP_FileDialogListView,
                               "Pick a new Family from the List");
        cmdRemoveFamily = button("cmdRemoveFamily", QStyle::SP_DialogDiscardButton,
                                 "Remove Student From Family");
        auto *familyButtons = new QGridLayout;
        familyButtons->addWidget(cmdFamily, 0, 0);
        familyButtons->addWidget(cmdAttachFamily, 0, 0);
        familyButtons->addWidget(cmdRemoveFamily, 0, 1);
        familyButtons->addWidget(cmdEditFamily, 0, 1);
        familyButtons->setColumnStretch(2, 1);
        int row = fields->rowCount();
        fields->addWidget(new QLabel(QStringLiteral("Family:")), row, 0);
        fields->addWidget(lblFamily, row, 1);
        fields->addLayout(familyButtons, row + 1, 1, 1, 2);
        chkInactive = new QCheckBox(QStringLiteral("This person is inactive"));
        chkInactive->setObjectName(QStringLiteral("chkInactive"));
        fields->addWidget(chkInactive, row + 2, 1, 1, 2);
        fields->setRowStretch(row + 3, 1);

        lblEmpID = new QLabel;
        lblEmpID->setObjectName(QStringLiteral("lblEmpID"));
        lblPersonID = new QLabel;
        lblPersonID->setObjectName(QStringLiteral("lblPersonID"));
        lblBarcode = new QLabel(empNone);
        lblBarcode->setObjectName(QStringLiteral("lblBarcode"));
        cmdBarcodeChange = ui::namedButton(QStringLiteral("Change..."),
                                           QStringLiteral("cmdBarcodeChange"), this);
        cmdBarcodeChange->setFlat(true);
        cmdBarcodeChange->setCursor(Qt::PointingHandCursor);
        picStudent = new QLabel;
        picStudent->setObjectName(QStringLiteral("picStudent"));
        picStudent->setFixedSize(140, 160);
        picStudent->setFrameShape(QFrame::Box);
        picStudent->setAlignment(Qt::AlignCenter);
        picStudent->installEventFilter(this);
        btnLoadPic = ui::namedButton(QStringLiteral("Import Image from File"),
                                     QStringLiteral("btnLoadPic"), this);
        btnCopy = ui::namedButton(QStringLiteral("Copy Image to Clipboard"),
                                  QStringLiteral("btnCopy"), this);
        btnDelPic = ui::namedButton(QStringLiteral("Delete Employee Image"),
                                    QStringLiteral("btnDelPic"), this);
        lblUpdated = new QLabel;
        lblUpdated->setObjectName(QStringLiteral("lblUpdated"));

        auto *side = new QGridLayout;
        side->addWidget(new QLabel(QStringLiteral("Employee ID:")), 0, 0);
        side->addWidget(lblEmpID, 0, 1);
        side->addWidget(new QLabel(QStringLiteral("Person ID:")), 1, 0);
        side->addWidget(lblPersonID, 1, 1);
        side->addWidget(new QLabel(QStringLiteral("Barcode:")), 2, 0);
        side->addWidget(lblBarcode, 2, 1);
        side->addWidget(cmdBarcodeChange, 2, 2);
        side->addWidget(picStudent, 3, 0, 1, 3, Qt::AlignCenter);
        row = 4;
        for (QPushButton *b : {btnLoadPic, btnCopy, btnDelPic})
            side->addWidget(b, row++, 0, 1, 3);
        side->setRowStretch(row, 1);

        auto *layout = new QGridLayout(details);
        layout->addLayout(fields, 0, 0);
        layout->addLayout(side, 0, 1);
        layout->addWidget(lblUpdated, 1, 0, 1, 2);
        layout->setRowStretch(0, 1);
    }
    SSTab1->addTab(details, QStringLiteral("Employee Details"));

    // "Address Details".
    auto *address = new QWidget;
    {
        auto *grid = new QGridLayout(address);
        addFields(grid, empAddressFields);
        grid->setRowStretch(grid->rowCount(), 1);
        grid->setColumnStretch(2, 1);
    }
    SSTab1->addTab(address, QStringLiteral("Address Details"));

    // "Notes and Alerts".
    auto *notes = new QWidget;
    {
        auto *grid = new QGridLayout(notes);
        addFields(grid, empNotesFields);
    }
    SSTab1->addTab(notes, QStringLiteral("Notes and Alerts"));

    // "Qualifications".
    auto *qualifications = new QWidget;
    {
        grd3 = new ui::FlexGrid(qualifications);
        grd3->setObjectName(QStringLiteral("grd3"));
        cmdNewQualification = ui::namedButton(QStringLiteral("New Qualification"),
                                              QStringLiteral("cmdNewQualification"), this);
        auto *layout = new QVBoxLayout(qualifications);
        layout->addWidget(grd3, 1);
        auto *buttons = new QHBoxLayout;
        buttons->addStretch(1);
        buttons->addWidget(cmdNewQualification);
        layout->addLayout(buttons);
    }
    SSTab1->addTab(qualifications, QStringLiteral("Qualifications"));

    SSTab1->addTab(buildUserAccountTab(), QStringLiteral("User Account"));

    // "Statistics".
    auto *statistics = new QWidget;
    {
        lblStatTotal = new QLabel(QStringLiteral("Total Students taught (in all programs)"));
        lblStatTotal->setObjectName(QStringLiteral("lblStatTotal"));
        lblStatFillRate = new QLabel(QStringLiteral("Class Fill Rate %"));
        lblStatFillRate->setObjectName(QStringLiteral("lblStatFillRate"));
        lblPassRate = new QLabel(QStringLiteral("Student Pass Rate %"));
        lblPassRate->setObjectName(QStringLiteral("lblPassRate"));
        cboProgram = new QComboBox(statistics);
        cboProgram->setObjectName(QStringLiteral("cboProgram"));
        grdStats = new ui::FlexGrid(statistics);
        grdStats->setObjectName(QStringLiteral("grdStats"));
        auto *layout = new QVBoxLayout(statistics);
        layout->addWidget(ui::sectionLabel(QStringLiteral("Instructor Statistics"), statistics));
        for (QLabel *line : {lblStatTotal, lblStatFillRate, lblPassRate})
            layout->addWidget(line);
        layout->addWidget(ui::sectionLabel(QStringLiteral("Program Statistics"), statistics));
        auto *choice = new QHBoxLayout;
        choice->addWidget(new QLabel(QStringLiteral("Select Program:")));
        choice->addWidget(cboProgram, 1);
        layout->addLayout(choice);
        layout->addWidget(grdStats, 1);
    }
    SSTab1->addTab(statistics, QStringLiteral("Statistics"));

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
    resize(720, 540);

    for (auto it = txtField.begin(); it != txtField.end(); ++it) {
        const int index = it.key();
        QWidget *box = it.value();
        if (auto *line = qobject_cast<QLineEdit *>(box))
            connect(line, &QLineEdit::textChanged, this, [this, index] { txtField_Change(index); });
        else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
            connect(plain, &QPlainTextEdit::textChanged, this,
                    [this, index] { txtField_Change(index); });
        if (index == 3)
            box->installEventFilter(this);
    }
    connect(cmdEdit, &QPushButton::clicked, this, &frmEmpDetails::cmdEdit_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmEmpDetails::cmdDelete_Click);
    connect(cmdBarcodeChange, &QPushButton::clicked, this, &frmEmpDetails::cmdBarcodeChange_Click);
    connect(btnLoadPic, &QPushButton::clicked, this, &frmEmpDetails::btnLoadPic_Click);
    connect(btnDelPic, &QPushButton::clicked, this, &frmEmpDetails::btnDelPic_Click);
    connect(btnCopy, &QPushButton::clicked, this, &frmEmpDetails::btnCopy_Click);
    connect(cmdFamily, &QPushButton::clicked, this, &frmEmpDetails::cmdFamily_Click);
    connect(cmdAttachFamily, &QPushButton::clicked, this, &frmEmpDetails::cmdAttachFamily_Click);
    connect(cmdEditFamily, &QPushButton::clicked, this, &frmEmpDetails::cmdEditFamily_Click);
    connect(cmdRemoveFamily, &QPushButton::clicked, this, &frmEmpDetails::cmdRemoveFamily_Click);
    connect(cmdUserEdit, &QPushButton::clicked, this, &frmEmpDetails::cmdUserEdit_Click);
    connect(cmdUserPermissions, &QPushButton::clicked, this,
            &frmEmpDetails::cmdUserPermissions_Click);
    connect(cboUserID[14], &QComboBox::currentIndexChanged, this, &frmEmpDetails::cboUserID_Click);
    connect(imgEmail, &QPushButton::clicked, this, &frmEmpDetails::imgEmail_Click);
    connect(cmdNewQualification, &QPushButton::clicked, this,
            &frmEmpDetails::cmdNewQualification_Click);
    connect(grd3, &ui::FlexGrid::dblClick, this, &frmEmpDetails::grd3_DblClick);
    connect(cboProgram, &QComboBox::currentIndexChanged, this, &frmEmpDetails::cboProgram_Click);

    students::ShowFamilyButtons(this);
    setViewState();
}

QWidget *frmEmpDetails::buildUserAccountTab()
{
    auto *tab = new QWidget;
    auto *combo = cboUserID.add(14, new QComboBox);
    cmdUserEdit = ui::namedButton(QStringLiteral("Create New User Account"),
                                  QStringLiteral("cmdUserEdit"), this);
    cmdUserPermissions = ui::namedButton(QStringLiteral("Edit Permissions..."),
                                         QStringLiteral("cmdUserPermissions"), this);
    auto *layout = new QGridLayout(tab);
    layout->addWidget(ui::wrappedLabel(QStringLiteral("If you wish for this employee to have "
                                                      "access to assessments or receiving "
                                                      "payments, then they must have a user "
                                                      "account."),
                                       tab),
                      0, 0, 1, 3);
    layout->addWidget(ui::sectionLabel(QStringLiteral("Use an Existing Account"), tab), 1, 0, 1, 3);
    layout->addWidget(ui::wrappedLabel(QStringLiteral("If you have already set up a user account "
                                                      "for this employee, select their account "
                                                      "from the list."),
                                       tab),
                      2, 0, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Select a user account:")), 3, 0);
    layout->addWidget(combo, 3, 1);
    layout->addWidget(cmdUserPermissions, 3, 2);
    layout->addWidget(ui::sectionLabel(QStringLiteral("Create a New Account"), tab), 4, 0, 1, 3);
    layout->addWidget(ui::wrappedLabel(QStringLiteral("If you haven't already created an account "
                                                      "for this employee, click the button to "
                                                      "create an account."),
                                       tab),
                      5, 0, 1, 3);
    layout->addWidget(cmdUserEdit, 6, 0, 1, 2, Qt::AlignLeft);
    shpWarning = new QFrame(tab);
    shpWarning->setObjectName(QStringLiteral("shpWarning"));
    shpWarning->setFrameShape(QFrame::Box);
    shpWarning->setStyleSheet(QStringLiteral("QFrame#shpWarning { background-color: #ffffc0; }"));
    lblWarning = ui::wrappedLabel(empWarningText, shpWarning);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    lblWarning->setCursor(Qt::PointingHandCursor);
    lblWarning->installEventFilter(this);
    (new QVBoxLayout(shpWarning))->addWidget(lblWarning);
    layout->addWidget(shpWarning, 7, 0, 1, 3);
    layout->setRowStretch(8, 1);
    layout->setColumnStretch(1, 1);
    return tab;
}

QString frmEmpDetails::fieldText(int index) const
{
    QWidget *w = txtField[index];
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return line->text();
    return static_cast<QPlainTextEdit *>(w)->toPlainText();
}

void frmEmpDetails::setFieldText(int index, const QString &text)
{
    QWidget *w = txtField[index];
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->setText(text);
    else
        static_cast<QPlainTextEdit *>(w)->setPlainText(text);
}

QString frmEmpDetails::chosenUserId() const
{
    const QComboBox *combo = cboUserID[14];
    const int entry = combo->currentIndex() < 0 ? 0 : combo->currentData().toInt();
    return strUserIDs.value(entry);
}

void frmEmpDetails::onLoad()
{
    empStep([this] { core::PlaceOnMainWindow(this, 500); });
    empStep([this] { core::ShowClassSearchLogo(Image1); });
    empStep([this] {
        lblField[10]->setText(imodLanguage::Translate(QStringLiteral("Mobile")) +
                              QStringLiteral(" Phone:"));
        lblField[9]->setText(imodLanguage::Translate(QStringLiteral("Postcode")) +
                             QStringLiteral(":"));
    });
    btnLoadPic->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmPhoto")));
}

void frmEmpDetails::LoadUp(qint32 intInstructorID, const QString &strMode, const QString &UserID)
{
    m_instructorId = intInstructorID;
    m_mode = strMode;
    m_userId = UserID.isEmpty() ? Global::CurrentUserId : UserID;
    // The load step's quiet check of the account right runs once, with the
    // window's user.
    if (!m_rightsChecked) {
        m_rightsChecked = true;
        empStep([this] {
            if (Global::CheckPermission(m_userId, UserAccounts, true) == 1)
                LoadTheUser();
        });
    }
    empStep([this] { Load_User_List(); });
    empStep([this] { FormatStatisticsGrid(); });
    empStep([this] { FormatQualificationsGrid(); });
    empStep([this] { LoadProgramsTaught(); });
    if (m_mode == QLatin1String("Add")) {
        lblFamily->setText(students::IndividualCaption);
        empStep([this] { cmdEdit_Click(); });
    } else {
        empStep([this] { LoadEmployee(); });
        empStep([this] { Load_Qualifications(); });
        if (m_mode == QLatin1String("Edit"))
            LoadInstructorStatistics();
    }
    boolContactChanged = false;
}

void frmEmpDetails::FormatStatisticsGrid()
{
    grdStats->setFixedRows(0);
    grdStats->setFixedCols(0);
    grdStats->setRows(0);
    grdStats->setCols(2);
    grdStats->setColWidth(0, 4000);
    grdStats->setColWidth(1, 2000);
}

void frmEmpDetails::LoadProgramsTaught()
{
    cboProgram->clear();
    // Filling selects nothing: the program table stays empty until a choice.
    const QSignalBlocker quiet(cboProgram);
    imodStaff::ForEachProgramTaught(m_instructorId, [this](qint32 programId, const QString &name) {
        cboProgram->addItem(name, programId);
        cboProgram->setCurrentIndex(-1);
    });
}

void frmEmpDetails::LoadInstructorStatistics()
{
    const qint32 instructor = m_instructorId;
    empStep([&] {
        lblStatTotal->setText(fieldText(1) + QStringLiteral(" has taught ") +
                              QString::number(imodStatistics::CountStudentsTaught(instructor, 0)) +
                              QStringLiteral(" students in total."));
    });
    empStep([&] {
        lblStatFillRate->setText(QStringLiteral("Overall, ") + fieldText(1) +
                                 QStringLiteral("'s classes are ") +
                                 QString::number(imodStatistics::GetPercentFull(instructor, 0)) +
                                 QStringLiteral("% full."));
    });
    empStep([&] {
        lblPassRate->setText(fieldText(1) + QStringLiteral(" has a student pass rate of ") +
                             imodStatistics::GetOverallPassRate(instructor, false));
    });
}

void frmEmpDetails::cboProgram_Click()
{
    qint32 programId = 0;
    empStep([&] {
        if (cboProgram->currentIndex() >= 0)
            programId = vb::CLng(cboProgram->currentData());
    });
    if (programId < 1)
        empStep([this] { grdStats->setRows(0); });
    else
        empStep([&] { imodStatistics::FillInstructorStats(programId, fieldText(0), grdStats); });
}

void frmEmpDetails::FormatQualificationsGrid()
{
    const struct
    {
        const char *head;
        int width;
    } columns[] = {{"ID", 500},     {"Qualification", 3350}, {"Number", 1000},
                   {"Expires", 1000}, {"Authorised By", 1600}, {"Notes", 1400}};
    grd3->setFixedCols(0);
    grd3->setCols(6);
    grd3->setRows(1);
    grd3->setFixedRows(1);
    for (int c = 0; c < 6; ++c) {
        grd3->setTextMatrix(0, c, QString::fromLatin1(columns[c].head));
        grd3->setColWidth(c, columns[c].width);
        grd3->setCellAlignment(0, c, ui::flexAlignCenterCenter);
    }
}

void frmEmpDetails::LoadEmployee()
{
    const auto found = imodStaff::ReadEmployee(m_instructorId);
    if (!found)
        return;
    const QVariantList &row = *found;
    using namespace imodStaff;
    for (int i = 0; i <= 13; ++i)
        empStep([&] {
            if (i == 3 && !row[3].isNull())
                setFieldText(3, vb::Format(row[3], Global::DateFormat));
            else
                setFieldText(i, empCellText(row[i]));
        });
    empStep([&] {
        const QString barcode = empCellText(row[EmpBarcode]);
        lblBarcode->setText(barcode.isEmpty() ? empNone : barcode);
    });
    empStep([&] { cboUserID[14]->setCurrentIndex(FindUserIndex(empCellText(row[EmpUserID]))); });
    empStep([&] {
        lblUpdated->setText(QStringLiteral("Details Last Updated: ") +
                            (row[EmpDetailsFormCompleted].isNull()
                                 ? QString()
                                 : vb::Format(row[EmpDetailsFormCompleted], Global::DateFormat)));
    });
    for (int i : {19, 20, 21})
        empStep([&] { setFieldText(i, empCellText(row[i])); });
    const qint32 family = vb::CLng(vb::Nz(row[EmpFamily], 0));
    empStep([&] { chkInactive->setChecked(vb::CLng(vb::Nz(row[EmpInactive], 0)) != 0); });
    empStep([&] {
        students::SetFamilyLine(this,
                                family == 0 ? students::IndividualCaption
                                            : imodStudents::GetFamilyContactName(family),
                                QString::number(family));
    });
    empStep([&] {
        const QString photo = imodStudents::PersonPhotoFile(fieldText(21).toInt());
        if (imodGlobalSubs::CheckFileExists(photo) == 0)
            ui::LoadPicture(picStudent, photo);
    });
    empStep([&] { picStudent->setToolTip(QStringLiteral("Photo of ") + fieldText(1)); });
    empStep([&] {
        const QDate born = imodStudents::ReadDateText(fieldText(3));
        if (born.isValid())
            lblAge->setText(QStringLiteral("Age: ") + imodStudents::GetAgeText(born));
    });
}

void frmEmpDetails::Load_User_List()
{
    // The account shown stays chosen: a refill never unlinks the employee's account.
    const QString kept = strUserIDs.isEmpty() ? QString() : chosenUserId();
    QComboBox *combo = cboUserID[14];
    const QSignalBlocker quiet(combo);
    combo->clear();
    strUserIDs.clear();
    combo->addItem(empNone, 0);
    strUserIDs << QString();
    try {
        const auto accounts = imodStaff::ReadUserAccounts();
        int i = 1;
        for (const auto &account : accounts) {
            combo->addItem(account.userId + QStringLiteral(" - ") + account.name, i++);
            strUserIDs << account.userId;
        }
    } catch (...) {
    }
    strUserIDs << QString();
    combo->setCurrentIndex(kept.isEmpty() ? 0 : FindUserIndex(kept));
    cboUserID_Click();
}

int frmEmpDetails::FindUserIndex(const QString &userId) const
{
    return imodStaff::FindUserIndex(strUserIDs, userId);
}

void frmEmpDetails::cboUserID_Click()
{
    if (cboUserID[14]->currentIndex() <= 0)
        cmdUserPermissions->setEnabled(false);
    else if (cmdSave->isEnabled())
        cmdUserPermissions->setEnabled(true);
}

void frmEmpDetails::LoadTheUser()
{
    lblWarning->hide();
    shpWarning->hide();
    const bool editing = cmdSave->isEnabled();
    empSetLocked(cboUserID[14], !editing);
    cmdUserEdit->setEnabled(editing);
    cmdUserPermissions->setEnabled(editing && cboUserID[14]->currentIndex() > 0);
}

void frmEmpDetails::txtField_Change(int index)
{
    if (index == 0 || index == 21) {
        lblEmpID->setText(fieldText(0));
        lblPersonID->setText(fieldText(21));
    } else if (index == 1 || index == 2) {
        lblName->setText(fieldText(1) + QLatin1Char(' ') + fieldText(2));
    } else if (index >= 4 && index <= 11) {
        boolContactChanged = true;
    }
}

bool frmEmpDetails::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && ui::controlIndex(watched) == 3 &&
        watched->objectName() == QLatin1String("txtField"))
        txtField_LostFocus(3);
    else if (event->type() == QEvent::MouseButtonDblClick && watched == picStudent)
        picStudent_DblClick();
    else if (event->type() == QEvent::MouseButtonRelease && watched == lblWarning)
        lblWarning_Click();
    return ui::Form::eventFilter(watched, event);
}

void frmEmpDetails::txtField_LostFocus(int index)
{
    if (index != 3)
        return;
    const QString typed = fieldText(3);
    const QDate date = imodStudents::ReadDateText(typed);
    if (typed.trimmed().isEmpty() || date.isValid()) {
        lblAge->clear();
        if (date.isValid())
            empStep([&] {
                lblAge->setText(QStringLiteral("(Age: ") + imodStudents::GetAgeText(date) +
                                QLatin1Char(')'));
            });
        return;
    }
    if (ui::Dialogs::msgBox(QStringLiteral("The date you entered is not in a correct date format "
                                           "and cannot be accepted. Do you want to correct it?"),
                            ui::vbQuestion | ui::vbYesNo, QStringLiteral("Oops!")) == ui::vbYes)
        imodVista::SafeSetFocus(txtField[3]);
    else
        setFieldText(3, QString());
}

void frmEmpDetails::setViewState()
{
    for (int index : empEditable)
        empSetLocked(txtField[index], true);
    empSetLocked(cboUserID[14], true);
    for (QWidget *w : std::initializer_list<QWidget *>{
             cmdUserEdit, cmdUserPermissions, chkInactive, cmdAttachFamily, cmdEditFamily,
             cmdRemoveFamily, cmdBarcodeChange, cmdSave})
        w->setEnabled(false);
    for (QPushButton *b : {cmdFamily, cmdEdit, cmdDelete})
        b->setEnabled(true);
}

void frmEmpDetails::cmdEdit_Click()
{
    if (Global::CheckPermission(m_userId, AddEditEmployees, false) == 1)
        Edit_Me();
}

void frmEmpDetails::Edit_Me()
{
    for (int index : empEditable)
        empSetLocked(txtField[index], false);
    for (QWidget *w : std::initializer_list<QWidget *>{cmdAttachFamily, chkInactive,
                                                      cmdBarcodeChange, cmdEditFamily,
                                                      cmdRemoveFamily, cmdFamily})
        w->setEnabled(true);
    cmdEdit->setEnabled(false);
    cmdDelete->setEnabled(false);
    cmdSave->setEnabled(true);
    if (shpWarning->isHidden()) {
        empSetLocked(cboUserID[14], false);
        cmdUserEdit->setEnabled(true);
        cmdUserPermissions->setEnabled(cboUserID[14]->currentIndex() > 0);
    }
}

bool frmEmpDetails::cmdSave_Click()
{
    if (fieldText(1).isEmpty() || fieldText(2).isEmpty()) {
        ui::Dialogs::msgBox(
            QStringLiteral("You must enter a first name and a last name for your employee"),
            ui::vbExclamation | ui::vbOKOnly, QStringLiteral("Forgetting something"));
        return false;
    }
    imodStaff::EmployeeEdits edits;
    for (int index : empEditable)
        edits.fields.insert(index, fieldText(index));
    edits.inactive = chkInactive->isChecked() ? 1 : 0;
    edits.barcode = lblBarcode->text() == empNone ? QString() : lblBarcode->text();
    edits.familyTag = ui::tag(lblFamily);
    edits.userId = chosenUserId();
    edits.copyContactToFamily =
        lblFamily->text() != students::IndividualCaption && boolContactChanged;
    const bool adding = m_mode == QLatin1String("Add");
    imodStaff::EmployeeIds ids;
    if (!adding)
        ids = {fieldText(0).trimmed().toInt(), fieldText(21).trimmed().toInt()};
    try {
        ids = imodStaff::SaveEmployee(ids, edits);
    } catch (...) {
        // Nothing was written: the window keeps its entries and its edit state.
        const core::ErrorInfo e = core::currentError();
        empWarn(QStringLiteral("An error occurred when saving the employee, so nothing was "
                               "saved. (Err#") +
                    QString::number(e.number) + QStringLiteral(" - ") + e.description +
                    QStringLiteral(")."),
                QStringLiteral("Something went wrong"));
        return false;
    }
    boolContactChanged = false;
    if (adding) {
        m_mode.clear();
        setFieldText(21, QString::number(ids.studentId));
        setFieldText(0, QString::number(ids.instructorId));
    }
    setViewState();
    refreshSearchWindow();
    raise();
    return true;
}

void frmEmpDetails::refreshSearchWindow()
{
    for (ui::Form *f : ui::Forms::all())
        if (f->name() == QLatin1String("frmFindStudent"))
            empStep([f] { ui::callByName(f, QStringLiteral("Load_Students")); });
}

void frmEmpDetails::onQueryUnload(ui::CloseReason, bool &cancel)
{
    if (!cmdSave->isEnabled())
        return;
    const int answer = ui::Dialogs::msgBox(
        QStringLiteral("Do you want to save changes to this employee information?"),
        ui::vbQuestion | ui::vbYesNoCancel, QStringLiteral("Wait a minute"));
    if (answer == ui::vbYes) {
        cmdSave_Click();
        cancel = true; // the window stays, showing what was saved
    } else if (answer == ui::vbCancel) {
        cancel = true;
    }
}

void frmEmpDetails::onUnload(ui::CloseReason, bool &)
{
    m_mode.clear();
}

void frmEmpDetails::cmdDelete_Click()
{
    if (Global::CheckPermission(m_userId, DeleteEmployees, false) == 1)
        DemoteInstructor();
}

void frmEmpDetails::DemoteInstructor()
{
    const qint32 instructor = fieldText(0).trimmed().toInt();
    const qint32 person = fieldText(21).trimmed().toInt();
    if (instructor == 0)
        return; // nothing saved, nothing to remove
    const QString title = QStringLiteral("Sorry, can't delete now");
    try {
        if (const qint32 n = imodStaff::CountClassLinks(instructor)) {
            empWarn(QStringLiteral("This employee has ") + QString::number(n) +
                        QStringLiteral(" classes assigned to them. You cannot remove the "
                                       "employee or the instructor information for the class "
                                       "will be lost."),
                    title);
            return;
        }
        if (const qint32 n = imodStaff::CountAssessments(instructor)) {
            empWarn(QStringLiteral("This employee has ") + QString::number(n) +
                        QStringLiteral(" assessments linked to them. You cannot remove the "
                                       "employee or the instructor information for the class "
                                       "will be lost."),
                    title);
            return;
        }
        const qint32 bookings = imodStaff::CountBookings(person);
        if (bookings == 0) {
            if (ui::Dialogs::msgBox(QStringLiteral("Are you sure you want to delete this "
                                                   "employee? \n\nThis operation cannot be "
                                                   "undone."),
                                    ui::vbExclamation | ui::vbYesNo,
                                    QStringLiteral("Are You Sure?")) != ui::vbYes)
                return;
            imodStaff::DeleteEmployee(instructor, person);
        } else {
            empWarn(QStringLiteral("This employee has ") + QString::number(bookings) +
                        QStringLiteral(" bookings linked to them and so cannot be deleted. "
                                       "Instead, they will be changed to a Student."),
                    QStringLiteral("Cannot Delete Employee"));
            imodStaff::TurnEmployeeIntoStudent(instructor, person);
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        empWarn(QStringLiteral("The employee could not be removed, so nothing was changed. "
                               "(Err#") +
                    QString::number(e.number) + QStringLiteral(" - ") + e.description +
                    QStringLiteral(")."),
                QStringLiteral("Oops!"));
        return;
    }
    unload();
    refreshSearchWindow();
}

void frmEmpDetails::cmdBarcodeChange_Click()
{
    if (const auto label = imodStudents::AskForBarcode(fieldText(21), QStringLiteral("employee"), empNone))
        lblBarcode->setText(*label);
}

void frmEmpDetails::picStudent_DblClick()
{
    empStep([this] {
        ui::Form *photo = ui::LoadWindowByName(QStringLiteral("frmPhoto"));
        if (!photo)
            return;
        photo->showForm();
        ui::setTag(photo, QStringLiteral("frmEmpDetails"));
        if (auto *id = photo->findChild<QLineEdit *>(QStringLiteral("txtID")))
            id->setText(fieldText(21));
    });
}

void frmEmpDetails::btnLoadPic_Click()
{
    picStudent_DblClick();
}

void frmEmpDetails::btnDelPic_Click()
{
    try {
        const qint32 person = fieldText(21).trimmed().toInt();
        imodStudents::DeletePersonPhoto(person);
        const QString photo = imodStudents::PersonPhotoFile(person);
        if (imodGlobalSubs::CheckFileExists(photo) == 0)
            ui::LoadPicture(picStudent, photo);
        else
            picStudent->clear();
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        empWarn(e.description + QStringLiteral("(#") + QString::number(e.number) +
                    QLatin1Char(')'),
                QStringLiteral("Oops! Error Deleting Image"));
    }
}

void frmEmpDetails::btnCopy_Click()
{
    empStep([this] {
        QClipboard *clipboard = QApplication::clipboard();
        clipboard->clear();
        const QPixmap photo = picStudent->pixmap();
        if (!photo.isNull())
            clipboard->setPixmap(photo);
    });
}

void frmEmpDetails::requestAuthorisation(const QString &text, const QString &extra)
{
    ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"));
    if (!password)
        return;
    password->showForm();
    ui::callByName(password, QStringLiteral("LoadUp"),
                   {QVariant::fromValue(static_cast<ui::Form *>(this)), text, extra});
}

void frmEmpDetails::cmdAttachFamily_Click()
{
    empStep([this] {
        if (Global::CheckPermission(m_userId, ViewFamilies, false) != 1) {
            requestAuthorisation(QStringLiteral("New Family for Student"), fieldText(21));
            return;
        }
        ui::Form *family = ui::LoadWindowByName(QStringLiteral("frmFamily"));
        if (!family)
            return;
        ui::callByName(family, QStringLiteral("LoadUp"),
                       {QVariant::fromValue(static_cast<QObject *>(this))});
        if (auto *sid = family->findChild<QLineEdit *>(QStringLiteral("txtSID")))
            sid->setText(fieldText(21));
        family->showForm();
        ui::setTag(lblFamily, QStringLiteral("NEWFAM"));
    });
}

void frmEmpDetails::cmdEditFamily_Click()
{
    empStep([this] {
        ui::Form *change = ui::LoadWindowByName(QStringLiteral("frmChangeFamily"));
        if (!change)
            return;
        change->showForm();
        ui::callByName(change, QStringLiteral("Load_Up"),
                       {QVariant::fromValue(static_cast<QObject *>(this))});
    });
}

void frmEmpDetails::ChangeFamily(const QString &strFamily)
{
    const QString tag =
        imodStudents::FamilyNumberText(strFamily).value_or(ui::tag(lblFamily));
    students::SetFamilyLine(this, strFamily, tag);
    // The family's pair of buttons stands whatever the text.
    cmdFamily->show();
    cmdRemoveFamily->show();
    cmdAttachFamily->hide();
    cmdEditFamily->hide();
    if (ui::Dialogs::msgBox(
            QStringLiteral("Would you like to load contact information for this family?"),
            ui::vbQuestion | ui::vbYesNo, QStringLiteral("Load Data?")) != ui::vbYes)
        return;
    bool isNumber = false;
    const qint32 family = tag.trimmed().toInt(&isNumber);
    if (isNumber)
        empStep([&] { LoadFamilyContact(family); });
}

void frmEmpDetails::LoadFamilyContact(qint32 familyId)
{
    if (familyId == 0)
        return;
    const auto contact = imodStudents::ReadContactDetails(familyId);
    if (!contact)
        return;
    // Students positions 5 (Address) to 12 (Email Address) go to boxes 4 to 11.
    for (int position = 5; position <= imodStudents::LastContactColumn; ++position) {
        const QString value = contact->value(position - imodStudents::FirstContactColumn);
        if (!value.isEmpty())
            setFieldText(position - 1, value);
    }
}

void frmEmpDetails::cmdFamily_Click()
{
    empStep([this] {
        if (Global::CheckPermission(m_userId, ViewFamilies, false) != 1) {
            requestAuthorisation(QStringLiteral("Family from Students"), ui::tag(lblFamily));
            return;
        }
        ui::Form *family = ui::CreateWindowByName(QStringLiteral("frmFamDetails"));
        if (!family)
            return;
        ui::callByName(family, QStringLiteral("LoadUp"),
                       {ui::tag(lblFamily).trimmed().toInt(),
                        QVariant::fromValue(static_cast<QObject *>(this)), QString()});
        family->showForm();
    });
}

void frmEmpDetails::cmdRemoveFamily_Click()
{
    students::SetFamilyLine(this, students::IndividualCaption, QStringLiteral("0"));
}

void frmEmpDetails::lblWarning_Click()
{
    empStep([this] {
        if (Global::CheckPermission(m_userId, UserAccounts, false) == 1)
            LoadTheUser();
        else
            requestAuthorisation(QStringLiteral("Edit Employee User Account"), QString());
    });
}

void frmEmpDetails::cmdUserEdit_Click()
{
    empStep([] {
        ui::Form *users = ui::LoadWindowByName(QStringLiteral("frmUsers"));
        if (!users)
            return;
        users->showForm();
        ui::callByName(users, QStringLiteral("LoadUp"), {true, true, QString()});
    });
}

void frmEmpDetails::cmdUserPermissions_Click()
{
    const QString chosen = chosenUserId();
    if (cboUserID[14]->currentIndex() <= 0 || chosen.isEmpty()) {
        empWarn(QStringLiteral("You must assign a user account to this employee before you can "
                               "edit the permissions."),
                QStringLiteral("No User"));
        return;
    }
    empStep([&] {
        ui::Form *users = ui::LoadWindowByName(QStringLiteral("frmUsers"));
        if (!users)
            return;
        users->showForm();
        ui::callByName(users, QStringLiteral("LoadUp"), {false, true, chosen});
    });
}

void frmEmpDetails::imgEmail_Click()
{
    const QString address = fieldText(11);
    if (address.isEmpty()) {
        empWarn(QStringLiteral("You must set an email address before you can send an email to "
                               "this person."),
                QStringLiteral("No Email Address"));
        return;
    }
    core::EmailPerson(address, fieldText(1) + QLatin1Char(' ') + fieldText(2), fieldText(21));
}

void frmEmpDetails::Load_Qualifications()
{
    grd3->setRows(1);
    const QString instructor = fieldText(0).trimmed();
    if (instructor.isEmpty())
        return;
    try {
        const auto rows = imodStaff::ReadQualifications(instructor.toInt());
        for (const auto &row : rows) {
            const int r = grd3->rows();
            grd3->setRows(r + 1);
            grd3->setGridRow(r);
            grd3->setTextMatrix(r, 0, empCellText(row.value(0)));
            grd3->setCellAlignment(r, 0, ui::flexAlignCenterCenter);
            for (int field = 2; field <= 6; ++field) {
                const QString text = empCellText(row.value(field));
                if (!text.isEmpty())
                    grd3->setTextMatrix(r, field - 1, text);
                if (field != 2)
                    grd3->setCellAlignment(r, field - 1, ui::flexAlignCenterCenter);
            }
        }
    } catch (...) {
        // The rows read so far stay.
    }
    empStep([this] {
        grd3->setGridCol(0);
        grd3->setColSel(5);
        if (grd3->rows() > 1)
            grd3->setGridRow(0);
    });
}

void frmEmpDetails::openQualification(const QString &qualRecId)
{
    frmEmpQual *qual = ui::Forms::shared<frmEmpQual>();
    qual->showForm();
    qual->setFieldText(0, qualRecId);
    qual->setFieldText(1, fieldText(0));
    qual->lblName->setText(lblName->text());
}

void frmEmpDetails::cmdNewQualification_Click()
{
    if (fieldText(0).trimmed().isEmpty()) {
        ui::Dialogs::msgBox(
            QStringLiteral("You must save this employee before qualifications can be entered."),
            ui::vbInformation | ui::vbOKOnly, QStringLiteral("Save first please"));
        return;
    }
    openQualification(QString());
}

void frmEmpDetails::grd3_DblClick()
{
    // The head row names no qualification.
    if (grd3->gridRow() < 1 || grd3->gridRow() >= grd3->rows())
        return;
    grd3->setGridCol(0);
    const QString id = grd3->textMatrix(grd3->gridRow(), 0).trimmed();
    if (id.isEmpty())
        return;
    openQualification(id);
}
