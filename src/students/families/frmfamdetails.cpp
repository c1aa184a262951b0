#include "frmfamdetails.h"

#include "access/permissions.h"
#include "core/emailwindow.h"
#include "core/centresettings.h"
#include "core/errorinfo.h"
#include "core/frmconfirmdelete.h"
#include "core/globaldata.h"
#include "core/imodglobalsubs.h"
#include "core/listfillers.h"
#include "core/imodlanguage.h"
#include "core/lookups.h"
#include "core/listcontrol.h"
#include "core/workingwindow.h"
#include "enrolments/imodenrolments.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/format.h"
#include "students/barcodes.h"
#include "students/details/frmstudentdetails.h"
#include "students/families.h"
#include "students/imodstudents.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString none = QStringLiteral("(none)");
constexpr int AddEditFamilies = 13;
constexpr int DeleteFamilies = 46;

template <class F> void guarded(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

void warn(const QString &text, const QString &title = QStringLiteral("Oops!"))
{
    ui::Dialogs::msgBox(text, ui::vbExclamation, title);
}

void setBackground(QWidget *w, bool editing)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, ui::fromVbColor(editing ? 0x80000005LL : 0x8000000FLL));
    w->setPalette(p);
}

// The boxes by Students position: caption, longest entry and tab (-1 hidden).
struct FieldDef
{
    int index;
    const char *caption;
    int length;
    int tab;
};
const FieldDef fieldDefs[] = {
    {1, "First Name:", 50, 0},      {2, "Last Name:", 50, 0},   {4, "Contact Person:", 50, 0},
    {9, "Home Phone:", 50, 0},      {10, "Work Phone:", 50, 0}, {11, "Mobile Phone:", 50, 0},
    {12, "Email Address:", 50, 0},  {5, "Address:", 50, 1},     {6, "City:", 50, 1},
    {7, "State:", 3, 1},            {8, "Postcode:", 5, 1},     {0, nullptr, 0, -1},
    {3, nullptr, 0, -1},            {14, nullptr, 1, -1},
};
const int editable[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14};

// A text box of another window, reached by its name.
void setChildText(QObject *window, const QString &name, const QString &text)
{
    if (auto *line = window->findChild<QLineEdit *>(name))
        line->setText(text);
    else if (auto *label = window->findChild<QLabel *>(name))
        label->setText(text);
    else
        window->setProperty(name.toUtf8().constData(), text);
}

} // namespace

frmFamDetails::frmFamDetails()
{
    setObjectName(QStringLiteral("frmFamDetails"));
    setCaption(QStringLiteral("Family Details"));

    Image1 = core::NewLogoLabel(this);
    Label1 = ui::headingLabel(QStringLiteral("Family Details"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    lblName = ui::headingLabel(QString(), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    cmdEdit = ui::namedButton(QStringLiteral("Edit"), QStringLiteral("cmdEdit"), this);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    // "Contact Person".
    auto *contact = new QWidget;
    fraDetails = new QGroupBox(contact);
    fraDetails->setObjectName(QStringLiteral("fraDetails"));
    fraAddress = new QGroupBox;
    fraAddress->setObjectName(QStringLiteral("fraAddress"));
    auto *detailsGrid = new QGridLayout(fraDetails);
    auto *addressGrid = new QGridLayout(fraAddress);
    imgEmail = ui::namedButton(QStringLiteral("@"), QStringLiteral("imgEmail"), this);
    imgEmail->setToolTip(QStringLiteral("Send an email to this person"));
    for (const FieldDef &def : fieldDefs) {
        auto *box = new QLineEdit(this);
        if (def.length > 0)
            box->setMaxLength(def.length);
        txtField.add(def.index, box);
        if (def.tab < 0) {
            box->hide();
            continue;
        }
        QGridLayout *grid = def.tab == 0 ? detailsGrid : addressGrid;
        auto *label = lblField.add(def.index, new QLabel(QString::fromLatin1(def.caption)));
        label->setBuddy(box);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        if (def.index == 12)
            grid->addWidget(imgEmail, row, 2);
    }
    chkStudent = new QCheckBox(QStringLiteral("Student"));
    chkStudent->setObjectName(QStringLiteral("chkStudent"));
    chkEmployee = new QCheckBox(QStringLiteral("Employee"));
    chkEmployee->setObjectName(QStringLiteral("chkEmployee"));
    {
        const int row = detailsGrid->rowCount();
        detailsGrid->addWidget(new QLabel(QStringLiteral("Family Contact Person is also a:")), row,
                               0, 1, 2);
        auto *flags = new QHBoxLayout;
        flags->addWidget(chkStudent);
        flags->addWidget(chkEmployee);
        flags->addStretch(1);
        detailsGrid->addLayout(flags, row + 1, 0, 1, 3);
        detailsGrid->setRowStretch(row + 2, 1);
    }
    lblFamilyID = new QLabel(none);
    lblFamilyID->setObjectName(QStringLiteral("lblFamilyID"));
    lblBarcode = new QLabel(none);
    lblBarcode->setObjectName(QStringLiteral("lblBarcode"));
    cmdBarcodeChange =
        ui::namedButton(QStringLiteral("Change..."), QStringLiteral("cmdBarcodeChange"), this);
    cmdBarcodeChange->setFlat(true);
    picStudent = new QLabel;
    picStudent->setObjectName(QStringLiteral("picStudent"));
    picStudent->setFixedSize(140, 160);
    picStudent->setFrameShape(QFrame::Box);
    picStudent->setAlignment(Qt::AlignCenter);
    picStudent->setToolTip(QStringLiteral("Student's picture"));
    picStudent->installEventFilter(this);
    btnLoadPic = ui::namedButton(QStringLiteral("Import Image from File"),
                                 QStringLiteral("btnLoadPic"), this);
    btnCopy = ui::namedButton(QStringLiteral("Copy Image to Clipboard"), QStringLiteral("btnCopy"),
                              this);
    btnDelPic =
        ui::namedButton(QStringLiteral("Delete Student Image"), QStringLiteral("btnDelPic"), this);
    cmdDetailsForm = ui::namedButton(QStringLiteral("Details + Declaration Form"),
                                     QStringLiteral("cmdDetailsForm"), this);
    cmdDetailsForm->setProperty("Index", 1);
    {
        auto *side = new QGridLayout;
        side->addWidget(new QLabel(QStringLiteral("Family ID:")), 0, 0);
        side->addWidget(lblFamilyID, 0, 1);
        side->addWidget(new QLabel(QStringLiteral("Barcode:")), 1, 0);
        side->addWidget(lblBarcode, 1, 1);
        side->addWidget(cmdBarcodeChange, 1, 2);
        side->addWidget(picStudent, 2, 0, 1, 3, Qt::AlignCenter);
        int row = 3;
        for (QPushButton *b : {btnLoadPic, btnCopy, btnDelPic, cmdDetailsForm})
            side->addWidget(b, row++, 0, 1, 3);
        side->setRowStretch(row, 1);
        auto *layout = new QHBoxLayout(contact);
        layout->addWidget(fraDetails, 1);
        layout->addLayout(side);
    }
    SSTab1->addTab(contact, QStringLiteral("Contact Person"));

    // "Contact Address".
    auto *address = new QWidget;
    {
        auto *layout = new QVBoxLayout(address);
        layout->addWidget(fraAddress);
        layout->addStretch(1);
    }
    SSTab1->addTab(address, QStringLiteral("Contact Address"));

    // "Family Members".
    auto *members = new QWidget;
    lstFamily = new QListWidget;
    lstFamily->setObjectName(QStringLiteral("lstFamily"));
    core::setListSorted(lstFamily, true);
    cmdAdd = ui::namedButton(QStringLiteral("Add Student to Family"), QStringLiteral("cmdAdd"),
                             this);
    cmdRemoveStudent = ui::namedButton(QStringLiteral("Remove from Family"),
                                       QStringLiteral("cmdRemoveStudent"), this);
    cmdEditStudent = ui::namedButton(QStringLiteral("View/Edit Student"),
                                     QStringLiteral("cmdEditStudent"), this);
    {
        auto *layout = new QVBoxLayout(members);
        layout->addWidget(
            new QLabel(QStringLiteral("The following students are members of this family:")));
        layout->addWidget(lstFamily, 1);
        auto *buttons = new QHBoxLayout;
        for (QPushButton *b : {cmdAdd, cmdRemoveStudent, cmdEditStudent})
            buttons->addWidget(b);
        buttons->addStretch(1);
        layout->addLayout(buttons);
    }
    SSTab1->addTab(members, QStringLiteral("Family Members"));

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    auto *titles = new QVBoxLayout;
    titles->addWidget(Label1);
    titles->addWidget(lblName);
    header->addLayout(titles, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {cmdEdit, cmdSave, cmdDelete})
        buttons->addWidget(b);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addWidget(SSTab1, 1);
    all->addLayout(buttons);
    resize(640, 480);

    for (auto it = txtField.begin(); it != txtField.end(); ++it) {
        const int index = it.key();
        connect(it.value(), &QLineEdit::textChanged, this, [this, index] { txtField_Change(index); });
        if (index == 4)
            it.value()->installEventFilter(this);
    }
    connect(cmdEdit, &QPushButton::clicked, this, &frmFamDetails::cmdEdit_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmFamDetails::cmdDelete_Click);
    connect(cmdBarcodeChange, &QPushButton::clicked, this, &frmFamDetails::cmdBarcodeChange_Click);
    connect(cmdEditStudent, &QPushButton::clicked, this, &frmFamDetails::cmdEditStudent_Click);
    connect(lstFamily, &QListWidget::itemDoubleClicked, this, &frmFamDetails::cmdEditStudent_Click);
    connect(cmdRemoveStudent, &QPushButton::clicked, this,
            &frmFamDetails::cmdRemoveStudent_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &frmFamDetails::cmdAdd_Click);
    connect(btnLoadPic, &QPushButton::clicked, this, &frmFamDetails::btnLoadPic_Click);
    connect(btnDelPic, &QPushButton::clicked, this, &frmFamDetails::btnDelPic_Click);
    connect(btnCopy, &QPushButton::clicked, this, &frmFamDetails::btnCopy_Click);
    connect(imgEmail, &QPushButton::clicked, this, &frmFamDetails::imgEmail_Click);
    connect(cmdDetailsForm, &QPushButton::clicked, this, [this] { cmdDetailsForm_Click(1); });

    setLook(false);
}

QString frmFamDetails::fieldText(int index) const
{
    return txtField[index]->text();
}

void frmFamDetails::setFieldText(int index, const QString &text)
{
    txtField[index]->setText(text);
}

QString frmFamDetails::photoFile() const
{
    return frmStudentDetails::PersonPhotoFile(fieldText(0).toInt());
}

void frmFamDetails::onLoad()
{
    guarded([this] { core::PlaceOnMainWindow(this, 500); });
    guarded([this] { core::ShowClassSearchLogo(Image1); });
    ContactDetailsChanged = false;
    guarded([this] {
        lblField[11]->setText(imodLanguage::Translate(QStringLiteral("Mobile")) +
                              QStringLiteral(" Phone:"));
    });
    guarded([this] {
        lblField[8]->setText(imodLanguage::Translate(QStringLiteral("Postcode")) +
                             QStringLiteral(":"));
    });
    // The photograph window comes with its own subsystem.
    btnLoadPic->setEnabled(ui::IsWindowRegistered(QStringLiteral("frmPhoto")));
    cmdDetailsForm->setEnabled(ui::IsWindowRegistered(Global::DetailsFormName));
}

void frmFamDetails::LoadUp(qint32 intStudentID, QObject *xf, const QString &UserID)
{
    m_familyId = intStudentID;
    m_xf = xf;
    m_userId = UserID.isEmpty() ? Global::CurrentUserId : UserID;
    if (intStudentID != 0) {
        LoadFamilyRecord();
        Load_Family_Members();
    } else {
        cmdEdit_Click();
    }
}

void frmFamDetails::LoadFamilyRecord()
{
    std::optional<imodStudents::FamilyRow> row;
    guarded([&] { row = imodStudents::ReadFamilyRow(m_familyId); });
    if (row) {
        for (auto it = row->texts.cbegin(); it != row->texts.cend(); ++it)
            guarded([&] { setFieldText(it.key(), it.value()); });
        guarded([&] {
            setFieldText(3, row->dateOfBirth.isValid()
                                ? vb::Format(QVariant(row->dateOfBirth.startOfDay()),
                                             Global::DateFormat)
                                : QString());
        });
        chkStudent->setChecked(row->student);
        chkEmployee->setChecked(row->employee);
        lblBarcode->setText(row->barcode.isEmpty() ? none : row->barcode);
    }
    picStudent->setToolTip(QStringLiteral("Photo of ") + fieldText(1));
    guarded([this] { showPhoto(); });
    setCaption(QStringLiteral("Family Details - ") + fieldText(1) + QLatin1Char(' ') +
               fieldText(2));
}

void frmFamDetails::showPhoto()
{
    const QString file = photoFile();
    if (imodGlobalSubs::CheckFileExists(file) == 0)
        picStudent->setPixmap(QPixmap(file));
    else
        picStudent->clear();
}

void frmFamDetails::LoadFamily(qint32 FamID)
{
    const auto contact = imodStudents::ReadContactDetails(FamID);
    if (!contact)
        return;
    for (int i = imodStudents::FirstContactColumn; i <= imodStudents::LastContactColumn; ++i)
        setFieldText(i, contact->value(i - imodStudents::FirstContactColumn));
}

void frmFamDetails::Load_Family_Members()
{
    lstFamily->clear();
    try {
        for (const auto &m : imodStudents::ReadFamilyMembers(m_familyId))
            core::listAddItem(lstFamily, imodStudents::PersonListText(m.studentId, m.first, m.last),
                              m.studentId);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        warn(QStringLiteral("An error occurred when loading family members.\r\nErr#") +
             QString::number(e.number) + QStringLiteral(" - ") + e.description +
             QStringLiteral(".\r\nThe list of individuals that are part of this family may not "
                            "load correctly."));
    }
}

void frmFamDetails::txtField_Change(int index)
{
    if (index == 0)
        lblFamilyID->setText(fieldText(0));
    else if (index == 1 || index == 2)
        lblName->setText(fieldText(1) + QLatin1Char(' ') + fieldText(2));
    else if (index >= 4 && index <= 12)
        ContactDetailsChanged = true;
}

bool frmFamDetails::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && watched == txtField[4])
        txtField_GotFocus(4);
    else if (event->type() == QEvent::MouseButtonDblClick && watched == picStudent &&
             btnLoadPic->isEnabled())
        btnLoadPic_Click();
    return ui::Form::eventFilter(watched, event);
}

void frmFamDetails::txtField_GotFocus(int index)
{
    if (index == 4 && fieldText(4).isEmpty())
        setFieldText(4, fieldText(1) + QLatin1Char(' ') + fieldText(2));
}

void frmFamDetails::setLook(bool editing)
{
    for (int index : editable) {
        txtField[index]->setReadOnly(!editing);
        setBackground(txtField[index], editing);
    }
    chkStudent->setEnabled(editing);
    chkEmployee->setEnabled(false);
    cmdEdit->setEnabled(!editing);
    cmdDelete->setEnabled(!editing);
    cmdSave->setEnabled(editing);
    cmdBarcodeChange->setEnabled(editing);
}

void frmFamDetails::requestAuthorisation(const QString &text, const QString &extra)
{
    ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"));
    if (!password)
        return;
    password->showForm();
    ui::callByName(password, QStringLiteral("LoadUp"),
                   {QVariant::fromValue(static_cast<ui::Form *>(this)), text, extra});
}

void frmFamDetails::cmdEdit_Click()
{
    try {
        if (Global::CurrentUserRights().Permissions(AddEditFamilies) == 1 ||
            Global::CheckPermission(m_userId, AddEditFamilies, true) == 1)
            Edit_Me();
        else
            requestAuthorisation(QStringLiteral("Edit Family"), QString::number(m_familyId));
    } catch (...) {
    }
}

void frmFamDetails::Edit_Me()
{
    setLook(true);
}

bool frmFamDetails::cmdSave_Click()
{
    imodStudents::FamilyEdits edits;
    for (int index : editable)
        if (index != 3)
            edits.texts.insert(index, fieldText(index));
    if (!fieldText(3).isEmpty())
        edits.dateOfBirth = imodStudents::ParseDateText(fieldText(3));
    edits.barcode = lblBarcode->text() == none ? QString() : lblBarcode->text();
    edits.student = chkStudent->isChecked();
    edits.employee = chkEmployee->isChecked();
    try {
        m_familyId = imodStudents::SaveFamily(m_familyId, edits, ContactDetailsChanged);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        warn(QStringLiteral("An error occurred when saving the family. Nothing was saved. (Err#") +
                 QString::number(e.number) + QStringLiteral(" - ") + e.description +
                 QStringLiteral(")."),
             QStringLiteral("Something went wrong"));
        return false;
    }
    setFieldText(0, QString::number(m_familyId));
    ContactDetailsChanged = false;
    setLook(false);
    for (ui::Form *f : ui::Forms::all())
        if (f->name() == QLatin1String("frmStudentDetails"))
            guarded([f] { ui::callByName(f, QStringLiteral("ReLoadUp")); });
    raise();
    return true;
}

void frmFamDetails::onQueryUnload(ui::CloseReason, bool &cancel)
{
    if (!cmdSave->isEnabled())
        return;
    const int answer = ui::Dialogs::msgBox(QStringLiteral("Do you want to save changes to ") +
                                               lblName->text() +
                                               QStringLiteral("'s family record?"),
                                           ui::vbQuestion | ui::vbYesNoCancel,
                                           QStringLiteral("Wait a minute"));
    if (answer == ui::vbYes)
        cancel = !cmdSave_Click(); // a failed save keeps the window and its entries
    else if (answer == ui::vbCancel)
        cancel = true;
}

void frmFamDetails::cmdDelete_Click()
{
    try {
        if (Global::CurrentUserRights().Permissions(DeleteFamilies) == 1 ||
            Global::CheckPermission(m_userId, DeleteFamilies, true) == 1)
            frmConfirmDelete::Request(QStringLiteral("Delete Family"), fieldText(0), QString());
        else
            requestAuthorisation(QStringLiteral("Delete Family"), fieldText(0));
    } catch (...) {
    }
}

void frmFamDetails::DeleteFamily()
{
    const qint32 id = m_familyId;
    bool deleted = false;
    try {
        const qint32 bookings = imodEnrolments::CountStudentBookings(id);
        const bool go =
            bookings < 1 ||
            ui::Dialogs::msgBox(
                QStringLiteral("There are ") + QString::number(bookings) +
                    QStringLiteral(" bookings for this family contact person. Deleting the family "
                                   "contact person will also delete these bookings.") +
                    QStringLiteral("\r\n\r\nAre you sure you want to delete the family contact "
                                   "person?"),
                ui::vbQuestion | ui::vbYesNo, QStringLiteral("Last chance")) == ui::vbYes;
        if (go) {
            imodStudents::DeleteFamily(id, frmStudentDetails::PersonPhotoFile(id));
            deleted = true;
        }
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        warn(QStringLiteral("The family could not be deleted. Nothing was changed. (Err#") +
                 QString::number(e.number) + QStringLiteral(" - ") + e.description +
                 QStringLiteral(")"),
             QStringLiteral("Delete Family"));
    }
    QPointer<frmFamDetails> self = this;
    if (deleted) {
        cmdSave->setEnabled(false); // nothing of a deleted family is saved back
        unload();
    }
    for (ui::Form *f : ui::Forms::all()) {
        if (f->name() == QLatin1String("frmFindStudent"))
            guarded([f] { ui::callByName(f, QStringLiteral("Load_Students")); });
        else if (f->name() == QLatin1String("frmDuplicates"))
            guarded([f] { ui::callByName(f, QStringLiteral("Load_Duplicates")); });
    }
}

void frmFamDetails::cmdBarcodeChange_Click()
{
    if (const auto label = imodStudents::AskForBarcode(fieldText(0), QStringLiteral("person"), none))
        lblBarcode->setText(*label);
}

qint32 frmFamDetails::chosenMember()
{
    const QListWidgetItem *item = lstFamily->currentItem();
    if (!item || !item->isSelected())
        return 0;
    const qint32 id = imodStudents::FindPersonByListText(item->text(), false);
    if (id == 0)
        warn(QStringLiteral("This student could not be found. It may have been deleted or renamed "
                            "since the list was filled."));
    return id;
}

void frmFamDetails::cmdEditStudent_Click()
{
    try {
        const qint32 id = chosenMember();
        if (id == 0)
            return;
        ui::Form *record = ui::CreateWindowByName(QStringLiteral("frmStudentDetails"));
        if (!record)
            return;
        ui::callByName(record, QStringLiteral("LoadUp"),
                       {id, QVariant::fromValue(static_cast<QObject *>(this)), QString()});
        record->showForm();
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        warn(QStringLiteral("The student record could not be opened. (Err#") +
             QString::number(e.number) + QStringLiteral(" - ") + e.description +
             QStringLiteral(")"));
    }
}

void frmFamDetails::cmdRemoveStudent_Click()
{
    try {
        const qint32 id = chosenMember();
        if (id == 0)
            return;
        imodStudents::SetFamilyOfPerson(id, 0);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        warn(QStringLiteral("The student could not be removed from the family. (Err#") +
             QString::number(e.number) + QStringLiteral(" - ") + e.description +
             QStringLiteral(")"));
    }
    Load_Family_Members();
}

void frmFamDetails::cmdAdd_Click()
{
    if (fieldText(0).isEmpty())
        return;
    ui::Form *add = ui::LoadWindowByName(QStringLiteral("frmAddToFamily"));
    if (!add)
        return;
    add->showForm();
    guarded([&] { ui::callByName(add, QStringLiteral("LoadUp"), {m_familyId}); });
}

void frmFamDetails::btnLoadPic_Click()
{
    if (fieldText(0).isEmpty()) {
        warn(QStringLiteral("You must save the new student before importing an image file."),
             QStringLiteral("Sorry, not just now"));
        return;
    }
    ui::Form *photo = ui::LoadWindowByName(QStringLiteral("frmPhoto"));
    if (!photo)
        return;
    photo->showForm();
    ui::setTag(photo, QStringLiteral("frmFamDetails"));
    setChildText(photo, QStringLiteral("txtID"), fieldText(0));
}

void frmFamDetails::btnDelPic_Click()
{
    const QString file = photoFile();
    if (!QFile::exists(file)) {
        warn(QStringLiteral("File not found(#53)"), QStringLiteral("Oops! Delete Image Error"));
        return;
    }
    if (!QFile::remove(file))
        warn(QStringLiteral("Path/File access error(#75)"),
             QStringLiteral("Oops! Delete Image Error"));
    guarded([this] { showPhoto(); });
}

void frmFamDetails::btnCopy_Click()
{
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->clear();
    const QPixmap photo = picStudent->pixmap();
    if (!photo.isNull())
        clipboard->setPixmap(photo);
}

void frmFamDetails::imgEmail_Click()
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

void frmFamDetails::cmdDetailsForm_Click(int)
{
    if (fieldText(0).isEmpty()) {
        warn(QStringLiteral("You must save this family before you can print a Details & "
                            "Declaration form."));
        return;
    }
    guarded([this] { Global::FillDetailsForm(fieldText(0).toInt(), true, false); });
}
