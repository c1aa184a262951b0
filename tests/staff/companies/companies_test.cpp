#include "access/authorisation.h"
#include "access/permissions.h"
#include "access/signin.h"
#include "core/frmconfirmdelete.h"
#include "core/globaldata.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/windowregistry.h"
#include "staff/companies.h"
#include "staff/companies/frmcompanydetails.h"
#include "staff/companies/frmfindcompany.h"
#include "staff/companies/register.h"
#include "support/screenshot.h"
#include "timetable/fixture/timetablefixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

// Stands in for the e-mail and browser windows: boxes the company window writes.
class CompanyStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit CompanyStandIn(const QString &name)
    {
        setObjectName(name);
        setMdiChild(false);
        for (const char *box : {"txtCc", "txtCcName"})
            (new QLineEdit(this))->setObjectName(QLatin1String(box));
        auto *address = new QComboBox(this);
        address->setEditable(true);
        address->setObjectName(QStringLiteral("cboAddress"));
    }
    Q_INVOKABLE void Navigate(const QString &address) { navigated << address; }
    QString box(const char *name) const
    {
        return findChild<QLineEdit *>(QLatin1String(name))->text();
    }
    QStringList navigated;
};

namespace {

// The words a box must keep as typed, whatever SQL would make of them.
const QString companyAwkward = QStringLiteral("O'Brien \"#1\"; <b>&");

class CompaniesTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        script = std::make_unique<ui::DialogScript>(ui::DialogScript::Mode::Record);
        for (const char *user : {"viewer", "boss"})
            exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], Admin) VALUES "
                                "('%1', '%1', '', 0)")
                     .arg(QLatin1String(user)));
        exec(QStringLiteral("UPDATE Users SET ViewCompanies = 1 WHERE UserID = 'viewer'"));
        exec(QStringLiteral("UPDATE Users SET ViewCompanies = 1, AddEditCompanies = 1, "
                            "DeleteCompanies = 1 WHERE UserID = 'boss'"));
        Global::CurrentUserId = QStringLiteral("viewer");
        Global::AuthorisedUserId.clear();
        Global::CompanyEditMode.clear();
        Global::SelectedCompanyId = 0;
        staff::RegisterCompanyWindows();
        acme = addCompany(QStringLiteral("Acme Pools"), QStringLiteral("9555 0001"));
        addCompany(QStringLiteral("Blue Water"), QStringLiteral("9555 0002"));
    }
    void TearDown() override
    {
        if (auto *w = qobject_cast<frmCompanyDetails *>(ui::Forms::find(QStringLiteral("frmCompanyDetails"))))
            w->cmdSave->setEnabled(false);
        for (const char *name : {"frmCompanyDetails", "frmFindCompany", "frmConfirmDelete",
                                 "frmEmail", "frmBrowser"})
            ui::Forms::unloadByName(QString::fromLatin1(name));
        for (const char *name : {"frmEmail", "frmBrowser", "frmFindCompany", "frmCompanyDetails"})
            ui::RegisterWindow(QString::fromLatin1(name), {});
        useraccess::UnregisterAuthorisedOperation(QStringLiteral("Companies"));
        EXPECT_EQ(script->failures(), QStringList())
            << "a box nobody answered: " << script->failures().join(QLatin1Char('|')).toStdString();
        script.reset();
        Global::CurrentUserId = QStringLiteral("i");
        Global::AuthorisedUserId.clear();
        Global::CompanyEditMode.clear();
        TimetableTest::TearDown();
    }
    qint32 addCompany(const QString &name, const QString &phone)
    {
        exec(QStringLiteral("INSERT INTO Companies (CompanyName, Phone) VALUES ('%1', '%2')")
                 .arg(name, phone));
        return value(QStringLiteral("SELECT Max(CompanyID) FROM Companies")).toInt();
    }
    QString column(const QString &col, qint32 id)
    {
        const QVariant v = value(
            QStringLiteral("SELECT [%1] FROM Companies WHERE CompanyID = %2").arg(col).arg(id));
        return v.isNull() ? QStringLiteral("<null>") : v.toString();
    }
    frmFindCompany *search()
    {
        auto *f = ui::Forms::shared<frmFindCompany>();
        f->showForm();
        return f;
    }
    static frmCompanyDetails *details()
    {
        return qobject_cast<frmCompanyDetails *>(
            ui::Forms::find(QStringLiteral("frmCompanyDetails")));
    }
    frmCompanyDetails *openCompany(const QString &text)
    {
        frmFindCompany *f = search();
        f->cbo->setText(text);
        f->cmdNext_Click();
        return details();
    }
    QStringList titles() const
    {
        QStringList t;
        for (const auto &box : script->shown())
            t << box.title;
        return t;
    }
    CompanyStandIn *standIn(const QString &name)
    {
        auto holder = std::make_shared<QPointer<CompanyStandIn>>();
        ui::RegisterWindow(name, [name, holder]() -> ui::Form * {
            if (!*holder)
                *holder = new CompanyStandIn(name);
            return holder->data();
        });
        return static_cast<CompanyStandIn *>(ui::LoadWindowByName(name));
    }

    std::unique_ptr<ui::DialogScript> script;
    qint32 acme = 0;
};

} // namespace

TEST_F(CompaniesTest, SearchListsCompaniesAndKeepsTheTypedText)
{
    exec(QStringLiteral("INSERT INTO Companies (Phone) VALUES ('no name')"));
    const qint32 nameless = value(QStringLiteral("SELECT Max(CompanyID) FROM Companies")).toInt();
    frmFindCompany *f = search();
    EXPECT_EQ(f->caption(), QStringLiteral("Lookup Companies"));
    EXPECT_EQ(f->Label2->text(), QStringLiteral("Lookup Company Details"));
    EXPECT_EQ(f->Label5->text(), QStringLiteral("Choose a Company from the list"));
    EXPECT_EQ(f->cmdNext->text(), QStringLiteral("Open"));
    EXPECT_EQ(f->cmdAddEmployee->text(), QStringLiteral("New Company"));
    EXPECT_EQ(f->cmdClose->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("3 companies on file"));
    EXPECT_EQ(f->cbo->list(0), QStringLiteral(" (CID#%1)").arg(nameless));
    EXPECT_EQ(f->cbo->list(1), QStringLiteral("Acme Pools (CID#%1)").arg(acme));

    f->cbo->setText(QStringLiteral("Blu"));
    addCompany(QStringLiteral("Cove Swim"), QString());
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(f, &activate);
    EXPECT_EQ(f->cbo->text(), QStringLiteral("Blu"));
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("4 companies on file"));

    // No entry matches: Open does nothing.
    f->cmdNext_Click();
    EXPECT_EQ(details(), nullptr);

    exec(QStringLiteral("DELETE FROM Companies"));
    f->Load_Companies();
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("0 companies on file"));
}

TEST_F(CompaniesTest, OpenShowsTheChosenCompanyAlsoWhenTheWindowIsOpen)
{
    frmCompanyDetails *w = openCompany(QStringLiteral("acme pools (cid#%1)").arg(acme));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Global::SelectedCompanyId, acme);
    EXPECT_EQ(w->caption(), QStringLiteral("Company Details"));
    EXPECT_EQ(w->fieldText(0), QString::number(acme));
    EXPECT_EQ(w->fieldText(6), QStringLiteral("9555 0001"));
    EXPECT_EQ(w->lblName->text(), QStringLiteral("Acme Pools"));
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(w->cmdEdit->isEnabled());
    QStringList labels;
    for (int i : {0, 1, 2, 3, 4, 12, 6, 7, 8, 9})
        labels << w->lblField[i]->text();
    EXPECT_EQ(labels, (QStringList{"Company ID:", "Name:", "Address:", "City:", "State:",
                                   "Postcode:", "Phone:", "Web Address:", "Email Address:",
                                   "Notes:"}));
    EXPECT_EQ(static_cast<QLineEdit *>(w->txtField[4])->maxLength(), 4);
    EXPECT_EQ(static_cast<QLineEdit *>(w->txtField[5])->maxLength(), 4);
    ovix::test::saveScreenshot(w, QStringLiteral("frmCompanyDetails"));

    // Another company while the first is being edited: the question comes first.
    Global::CurrentUserId = QStringLiteral("boss");
    w->cmdEdit_Click();
    ASSERT_TRUE(w->cmdSave->isEnabled());
    script->answer(ui::vbCancel);
    openCompany(QStringLiteral("Blue Water (CID#%1)").arg(acme + 1));
    EXPECT_EQ(w->fieldText(1), QStringLiteral("Acme Pools")) << "Cancel keeps the company";
    script->answer(ui::vbNo);
    openCompany(QStringLiteral("Blue Water (CID#%1)").arg(acme + 1));
    EXPECT_EQ(w->fieldText(1), QStringLiteral("Blue Water"));
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_EQ(titles(), (QStringList{"Wait a minute", "Wait a minute"}));
}

TEST_F(CompaniesTest, NewCompanyNeedsRight31OrTheAuthorisingUser)
{
    frmFindCompany *f = search();
    script->answer(ui::vbOK);
    f->cmdAddEmployee_Click();
    EXPECT_EQ(details(), nullptr);
    EXPECT_EQ(titles(), QStringList{"Access Denied"});

    // Authorised through the authorisation window: the operation remembers "boss".
    useraccess::AuthorisationRequest request;
    request.strMode = QStringLiteral("Companies");
    request.userId = QStringLiteral("boss");
    ASSERT_TRUE(useraccess::RunAuthorisedOperation(request));
    EXPECT_EQ(Global::AuthorisedUserId, QStringLiteral("boss"));
    f->cmdAddEmployee_Click();
    ASSERT_NE(details(), nullptr);
    EXPECT_TRUE(details()->cmdSave->isEnabled());
    details()->cmdSave->setEnabled(false);
    details()->unload();

    f->cmdClose_Click();
    EXPECT_EQ(Global::AuthorisedUserId, QString());
    script->answer(ui::vbOK);
    search()->cmdAddEmployee_Click();
    EXPECT_EQ(details(), nullptr);
    EXPECT_EQ(titles(), (QStringList{"Access Denied", "Access Denied"}))
        << titles().join(QLatin1Char('|')).toStdString();

    Global::AuthorisedUserId = QStringLiteral("boss");
    useraccess::SignOut();
    EXPECT_EQ(Global::AuthorisedUserId, QString()) << "a sign-out forgets the authorisation";
    ui::Forms::unloadByName(QStringLiteral("frmLogin"));
}

TEST_F(CompaniesTest, SavingANewCompanyStoresNullsAndTheTextAsTyped)
{
    Global::CurrentUserId = QStringLiteral("boss");
    // Showing Acme first: the new company must not copy it.
    openCompany(QStringLiteral("Acme Pools (CID#%1)").arg(acme));
    search()->cmdAddEmployee_Click();
    frmCompanyDetails *w = details();
    EXPECT_EQ(w->fieldText(6), QString());
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_EQ(script->shown().last().text, QStringLiteral("You must enter a company name"));
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops"));
    EXPECT_TRUE(w->cmdSave->isEnabled());

    w->setFieldText(1, QStringLiteral("Only Name"));
    ASSERT_TRUE(w->cmdSave_Click());
    const qint32 id = w->fieldText(0).toInt();
    EXPECT_GT(id, acme + 1);
    EXPECT_EQ(Global::CompanyEditMode, QString());
    for (const char *col : {"Address", "City", "State", "Postcode", "Phone", "Web", "Email", "Notes"})
        EXPECT_EQ(column(QLatin1String(col), id), QStringLiteral("<null>")) << col;
    EXPECT_EQ(search()->cbo->text(), QStringLiteral("Only Name (CID#%1)").arg(id));
    EXPECT_EQ(search()->lblStatus->text(), QStringLiteral("3 companies on file"));

    // Every box as typed.
    w->cmdEdit_Click();
    const char *cols[] = {"", "CompanyName", "Address", "City", "State", "Postcode",
                          "Phone", "Web", "Email", "Notes"};
    for (int i = 1; i <= 9; ++i)
        w->setFieldText(i, (i == 4 || i == 5) ? QStringLiteral("#;'&") : companyAwkward);
    ASSERT_TRUE(w->cmdSave_Click());
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(column(QLatin1String(cols[i]), id),
                  (i == 4 || i == 5) ? QStringLiteral("#;'&") : companyAwkward)
            << cols[i];
}

TEST_F(CompaniesTest, AnEmptiedBoxKeepsItsValueAndCloseAsksToSave)
{
    Global::CurrentUserId = QStringLiteral("boss");
    frmCompanyDetails *w = openCompany(QStringLiteral("Acme Pools (CID#%1)").arg(acme));
    w->cmdEdit_Click();
    w->setFieldText(6, QString());
    w->setFieldText(3, QStringLiteral("Townsville"));
    script->answer(ui::vbYes);
    EXPECT_FALSE(w->unload(ui::CloseReason::ControlMenu)) << "Yes saves and keeps the window";
    EXPECT_EQ(column(QStringLiteral("Phone"), acme), QStringLiteral("9555 0001"));
    EXPECT_EQ(column(QStringLiteral("City"), acme), QStringLiteral("Townsville"));
    EXPECT_FALSE(w->cmdSave->isEnabled());
    EXPECT_TRUE(w->unload(ui::CloseReason::ControlMenu)) << "no second question";
    EXPECT_EQ(titles(), QStringList{"Wait a minute"});
}

TEST_F(CompaniesTest, AFailedSaveSaysSoAndKeepsTheEdits)
{
    Global::CurrentUserId = QStringLiteral("boss");
    frmCompanyDetails *w = openCompany(QStringLiteral("Acme Pools (CID#%1)").arg(acme));
    w->cmdEdit_Click();
    w->setFieldText(3, QStringLiteral("Townsville"));
    block(QStringLiteral("Companies"), QStringLiteral("UPDATE"));
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdSave_Click());
    EXPECT_TRUE(w->cmdSave->isEnabled());
    EXPECT_EQ(w->fieldText(3), QStringLiteral("Townsville"));
    EXPECT_TRUE(script->shown().last().text.startsWith(
        QStringLiteral("The company could not be saved (Err#")))
        << script->shown().last().text.toStdString();
}

TEST_F(CompaniesTest, DeleteAfterYesAndRight32)
{
    frmCompanyDetails *w = openCompany(QStringLiteral("Acme Pools (CID#%1)").arg(acme));
    script->answer(ui::vbOK);
    w->cmdDelete_Click();
    EXPECT_EQ(titles(), QStringList{"Access Denied"});
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmConfirmDelete")), nullptr);

    Global::AuthorisedUserId = QStringLiteral("boss");
    w->cmdDelete_Click();
    auto *confirm = qobject_cast<frmConfirmDelete *>(ui::Forms::find(QStringLiteral("frmConfirmDelete")));
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(confirm->txtUserID->text(), QStringLiteral("boss"));
    confirm->txtField->setText(QStringLiteral("YeS"));
    confirm->cmdOK_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Companies WHERE CompanyID = %1").arg(acme)), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Companies")), 1);
    EXPECT_EQ(details(), nullptr);
    EXPECT_EQ(search()->lblStatus->text(), QStringLiteral("1 companies on file"));
}

TEST_F(CompaniesTest, EmailAndWebAddress)
{
    frmCompanyDetails *w = openCompany(QStringLiteral("Acme Pools (CID#%1)").arg(acme));
    script->answer(ui::vbOK);
    w->imgEmail_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("No Email Address"));
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("You must set an email address before you can send an email to "
                             "this company."));

    exec(QStringLiteral("UPDATE Companies SET Email = 'pools@acme.test', Web = 'acme.test' "
                        "WHERE CompanyID = %1").arg(acme));
    w = openCompany(QStringLiteral("Acme Pools (CID#%1)").arg(acme));
    script->answer(ui::vbOK);
    w->imgEmail_Click();
    EXPECT_EQ(script->shown().last().text, QStringLiteral("Sending email is not available yet."));

    CompanyStandIn *mail = standIn(QStringLiteral("frmEmail"));
    w->imgEmail_Click();
    EXPECT_EQ(mail->box("txtCc"), QStringLiteral("pools@acme.test"));
    EXPECT_EQ(mail->box("txtCcName"), QStringLiteral("Acme Pools"));

    CompanyStandIn *browser = standIn(QStringLiteral("frmBrowser"));
    w->imgWeb_Click();
    EXPECT_EQ(browser->findChild<QComboBox *>(QStringLiteral("cboAddress"))->currentText(),
              QStringLiteral("acme.test"));
    EXPECT_EQ(browser->navigated, QStringList{"acme.test"});
}

TEST_F(CompaniesTest, ModuleReadsAndWritesByPosition)
{
    const auto row = imodCompanies::ReadCompany(acme);
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->size(), 10);
    EXPECT_EQ(row->value(1), QStringLiteral("Acme Pools"));
    EXPECT_FALSE(imodCompanies::ReadCompany(acme + 100).has_value());
    EXPECT_FALSE(imodCompanies::UpdateCompany(acme + 100, {QString(), QStringLiteral("X")}));
    EXPECT_FALSE(imodCompanies::DeleteCompany(acme + 100));
    EXPECT_EQ(imodCompanies::FindCompanyByListText(QStringLiteral("BLUE WATER (CID#%1)").arg(acme + 1)),
              acme + 1);
    EXPECT_FALSE(imodCompanies::FindCompanyByListText(QStringLiteral("Blue Water")).has_value());
}

#include "companies_test.moc"
