#include "frmcompanydetails.h"

#include "companyrights.h"
#include "frmfindcompany.h"

#include "access/signin.h"
#include "core/emailwindow.h"
#include "core/frmconfirmdelete.h"
#include "core/imodlanguage.h"
#include "core/workingwindow.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/color.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/windowregistry.h"
#include "staff/companies.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The boxes: index, label index, caption and longest entry (0: no limit).
struct CompanyBoxDef
{
    int index;
    int label;
    const char *caption;
    int length;
};
const CompanyBoxDef companyBoxes[] = {
    {0, 0, "Company ID:", 0}, {1, 1, "Name:", 50},          {2, 2, "Address:", 50},
    {3, 3, "City:", 50},      {4, 4, "State:", 4},          {5, 12, "Postcode:", 4},
    {6, 6, "Phone:", 50},     {7, 7, "Web Address:", 50},   {8, 8, "Email Address:", 50},
    {9, 9, "Notes:", 0},
};

void companySetLook(QWidget *box, bool editing)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setReadOnly(!editing);
    else if (auto *text = qobject_cast<QPlainTextEdit *>(box))
        text->setReadOnly(!editing);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, ui::fromVbColor(editing ? 0x80000005LL : 0x8000000FLL));
    box->setPalette(p);
}

void companyWarn(const QString &text, const QString &title)
{
    ui::Dialogs::msgBox(text, ui::vbExclamation, title);
}

} // namespace

frmCompanyDetails::frmCompanyDetails()
{
    setObjectName(QStringLiteral("frmCompanyDetails"));
    setCaption(QStringLiteral("Company Details"));
    Image1 = core::NewLogoLabel(this);
    lblName = ui::headingLabel(QString(), this);
    lblName->setObjectName(QStringLiteral("lblName"));

    QGridLayout *grids[3];
    QWidget *sections[3];
    const char *headings[] = {"Address Details", "Other Contact Details", "Other Information"};
    auto *body = new QVBoxLayout;
    for (int s = 0; s < 3; ++s) {
        sections[s] = new QWidget(this);
        grids[s] = new QGridLayout(sections[s]);
        grids[s]->setColumnStretch(1, 1);
        body->addWidget(ui::sectionLabel(QString::fromLatin1(headings[s]), this));
        body->addWidget(sections[s]);
    }
    for (const CompanyBoxDef &def : companyBoxes) {
        QWidget *box;
        if (def.index == 9) {
            auto *notes = new QPlainTextEdit(this);
            notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            box = notes;
        } else {
            auto *line = new QLineEdit(this);
            if (def.length > 0)
                line->setMaxLength(def.length);
            if (def.index == 1)
                connect(line, &QLineEdit::textChanged, lblName, &QLabel::setText);
            box = line;
        }
        txtField.add(def.index, box);
        QLabel *label = lblField.add(def.label, new QLabel(QString::fromLatin1(def.caption), this));
        QGridLayout *grid = grids[def.index <= 5 ? 0 : def.index <= 8 ? 1 : 2];
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0, Qt::AlignTop);
        grid->addWidget(box, row, 1);
        if (def.index == 7 || def.index == 8) {
            QPushButton *picture =
                ui::namedButton(def.index == 7 ? QStringLiteral("Web") : QStringLiteral("Email"),
                                def.index == 7 ? QStringLiteral("imgWeb")
                                               : QStringLiteral("imgEmail"),
                                this);
            (def.index == 7 ? imgWeb : imgEmail) = picture;
            grid->addWidget(picture, row, 2);
        }
    }
    companySetLook(txtField[0], false);
    cmdEdit = ui::namedButton(QStringLiteral("Edit"), QStringLiteral("cmdEdit"), this);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);
    cmdDelete = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelete"), this);

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(lblName, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {cmdEdit, cmdSave, cmdDelete})
        buttons->addWidget(b);
    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(body, 1);
    all->addLayout(buttons);
    resize(520, 600);

    connect(cmdEdit, &QPushButton::clicked, this, &frmCompanyDetails::cmdEdit_Click);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmCompanyDetails::cmdDelete_Click);
    connect(imgEmail, &QPushButton::clicked, this, &frmCompanyDetails::imgEmail_Click);
    connect(imgWeb, &QPushButton::clicked, this, &frmCompanyDetails::imgWeb_Click);
    setViewLook();
}

QString frmCompanyDetails::fieldText(int index) const
{
    QWidget *w = txtField[index];
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return line->text();
    return static_cast<QPlainTextEdit *>(w)->toPlainText();
}

void frmCompanyDetails::setFieldText(int index, const QString &text)
{
    QWidget *w = txtField[index];
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->setText(text);
    else
        static_cast<QPlainTextEdit *>(w)->setPlainText(text);
}

void frmCompanyDetails::onLoad()
{
    try {
        core::PlaceOnMainWindow(this);
    } catch (...) {
    }
    try {
        core::ShowClassSearchLogo(Image1);
    } catch (...) {
    }
    m_justLoaded = true;
    if (Global::CompanyEditMode == QLatin1String("Add")) {
        m_adding = true;
        cmdEdit_Click();
    } else {
        LoadCompany();
    }
    try {
        lblField[12]->setText(imodLanguage::Translate(QStringLiteral("Postcode")) +
                              QStringLiteral(":"));
    } catch (...) {
    }
}

void frmCompanyDetails::ShowCompany()
{
    if (!isLoaded() || m_justLoaded) {
        // The load step has shown the chosen company already.
        showForm();
        m_justLoaded = false;
        return;
    }
    if (cmdSave->isEnabled()) {
        const int answer = askToSave();
        if (answer == ui::vbCancel || (answer == ui::vbYes && !cmdSave_Click())) {
            // The window keeps what it shows, and the edit mode follows it.
            Global::CompanyEditMode = m_adding ? QStringLiteral("Add") : QString();
            showForm();
            return;
        }
    }
    clearBoxes();
    setViewLook();
    m_adding = Global::CompanyEditMode == QLatin1String("Add");
    if (m_adding)
        cmdEdit_Click();
    else
        LoadCompany();
    showForm();
}

void frmCompanyDetails::clearBoxes()
{
    for (int i = 0; i <= 9; ++i)
        setFieldText(i, QString());
}

void frmCompanyDetails::LoadCompany()
{
    try {
        if (const auto row = imodCompanies::ReadCompany(Global::SelectedCompanyId))
            for (int i = 0; i <= 9; ++i)
                setFieldText(i, row->value(i));
    } catch (...) {
    }
}

void frmCompanyDetails::setViewLook()
{
    for (int i = 1; i <= 9; ++i)
        companySetLook(txtField[i], false);
    cmdEdit->setEnabled(true);
    cmdDelete->setEnabled(true);
    cmdSave->setEnabled(false);
}

void frmCompanyDetails::Edit_Me()
{
    for (int i = 1; i <= 9; ++i)
        companySetLook(txtField[i], true);
    cmdEdit->setEnabled(false);
    cmdDelete->setEnabled(false);
    cmdSave->setEnabled(true);
}

void frmCompanyDetails::cmdEdit_Click()
{
    if (staffcompanies::CompanyRightGranted(staffcompanies::AddEditCompaniesRight))
        Edit_Me();
}

bool frmCompanyDetails::cmdSave_Click()
{
    if (fieldText(1).isEmpty()) {
        companyWarn(QStringLiteral("You must enter a company name"), QStringLiteral("Oops"));
        return false;
    }
    QStringList boxes;
    for (int i = 0; i <= 9; ++i)
        boxes << fieldText(i);
    try {
        if (m_adding) {
            const qint32 id = imodCompanies::AddCompany(boxes);
            Global::CompanyEditMode.clear();
            m_adding = false;
            setFieldText(0, QString::number(id));
        } else {
            imodCompanies::UpdateCompany(fieldText(0).trimmed().toInt(), boxes);
        }
    } catch (...) {
        // Nothing was written: the window keeps its entries and its edit look.
        companyWarn(staffcompanies::CompanyErrorText(
                        QStringLiteral("The company could not be saved")),
                    QStringLiteral("Oops"));
        return false;
    }
    setViewLook();
    refreshSearch();
    ui::Form *search = ui::Forms::find(QStringLiteral("frmFindCompany"));
    if (auto *find = qobject_cast<frmFindCompany *>(search))
        find->cbo->setText(imodCompanies::CompanyListItem(fieldText(1), fieldText(0).toInt()));
    showForm();
    return true;
}

void frmCompanyDetails::refreshSearch()
{
    if (auto *find = qobject_cast<frmFindCompany *>(ui::Forms::find(QStringLiteral("frmFindCompany"))))
        find->Load_Companies();
}

void frmCompanyDetails::cmdDelete_Click()
{
    if (!staffcompanies::CompanyRightGranted(staffcompanies::DeleteCompaniesRight))
        return;
    frmConfirmDelete::Request(QStringLiteral("Delete Company"), fieldText(0),
                              Global::AuthorisedUserId);
}

void frmCompanyDetails::DeleteCompany()
{
    try {
        imodCompanies::DeleteCompany(fieldText(0).trimmed().toInt());
    } catch (...) {
        companyWarn(staffcompanies::CompanyErrorText(
                        QStringLiteral("The company could not be deleted")),
                    QStringLiteral("Oops"));
        return;
    }
    // Nothing is left to save.
    cmdSave->setEnabled(false);
    unload(ui::CloseReason::Code);
    refreshSearch();
}

void frmCompanyDetails::imgEmail_Click()
{
    const QString address = fieldText(8);
    if (address.isEmpty()) {
        companyWarn(QStringLiteral("You must set an email address before you can send an email "
                                   "to this company."),
                    QStringLiteral("No Email Address"));
        return;
    }
    ui::Form *mail = core::OpenEmailWindow();
    if (!mail)
        return;
    if (auto *cc = mail->findChild<QLineEdit *>(QStringLiteral("txtCc")))
        cc->setText(address);
    if (auto *ccName = mail->findChild<QLineEdit *>(QStringLiteral("txtCcName")))
        ccName->setText(fieldText(1));
}

void frmCompanyDetails::imgWeb_Click()
{
    ui::Form *browser = ui::LoadWindowByName(QStringLiteral("frmBrowser"));
    if (!browser)
        return;
    browser->showForm();
    const QString address = fieldText(7);
    if (auto *box = browser->findChild<QComboBox *>(QStringLiteral("cboAddress")))
        box->setEditText(address);
    ui::callByName(browser, QStringLiteral("Navigate"), {address});
}

void frmCompanyDetails::onQueryUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onQueryUnload(reason, cancel);
    if (cancel || !cmdSave->isEnabled())
        return;
    switch (askToSave()) {
    case ui::vbYes:
        cmdSave_Click();
        cancel = true;
        break;
    case ui::vbCancel:
        cancel = true;
        break;
    default:
        break;
    }
}

int frmCompanyDetails::askToSave()
{
    return ui::Dialogs::msgBox(
        QStringLiteral("Do you want to save changes to this company information?"),
        ui::vbYesNoCancel | ui::vbQuestion, QStringLiteral("Wait a minute"));
}

void frmCompanyDetails::onUnload(ui::CloseReason reason, bool &cancel)
{
    ui::Form::onUnload(reason, cancel);
    if (!cancel)
        Global::CompanyEditMode.clear();
}
