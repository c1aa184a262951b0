#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/lookups.h"
#include "datafile.h"
#include "platform/jet/connection.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/datetime.h"
#include "platform/vb/format.h"
#include "reports/frmrptdetailsform.h"
#include "support/screenshot.h"

#include <QCoreApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

// Stands in for the payments window, which finishes a payment when its form closes.
class frmPayments : public ui::Form
{
    Q_OBJECT
public:
    int finished = 0;
    Q_INVOKABLE void FinishPayment() { ++finished; }
};

class DetailsForm : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        createCentreInfo();
        Global::CentreSettings().LoadSettingsFromDb();
        Global::DateFormat = "dd/mm/yyyy";
        frmRptDetailsForm::Register();
        Global::DbConnection().execute(
            "CREATE TABLE Students (StudentID INT PRIMARY KEY, [First Name] NVARCHAR(50), [Last "
            "Name] NVARCHAR(50), [Date of Birth] DATE, [Parents Name] NVARCHAR(50), Address "
            "NVARCHAR(50), City NVARCHAR(50), State NVARCHAR(50), Postcode NVARCHAR(5), [Home "
            "Phone] NVARCHAR(50), [Work Phone] NVARCHAR(50), [Mobile Phone] NVARCHAR(50), [Email "
            "Address] NVARCHAR(50), Notes NVARCHAR(255), Gender NVARCHAR(10))");
    }
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all())
            f->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Global::SetDetailsFormMaker({});
        Global::DateFormat.clear();
        DataFileTest::TearDown();
    }
    static frmRptDetailsForm *shownForm()
    {
        return static_cast<frmRptDetailsForm *>(ui::Forms::find("frmRptDetailsForm"));
    }
};

TEST_F(DetailsForm, FillsTheBoxesFromTheStudentsRow)
{
    QFile declaration(dir.file("DetailsDeclaration.txt"));
    ASSERT_TRUE(declaration.open(QIODevice::WriteOnly));
    declaration.write("I declare that the details above are correct.");
    declaration.close();
    Global::DbConnection().execute(
        "INSERT INTO Students VALUES (40123, 'Mia', 'o''brien', #2003-02-01#, 'Jo O''Brien', "
        "'12 Beach Rd', 'Seaview', 'vic', '3999', '03 9555 0000', Null, '0400 000 000', "
        "'Mia.OBrien@Example.com', 'Asthma; carries a puffer', 'f')");

    Global::FillDetailsForm(40123, false, false);
    frmRptDetailsForm *form = shownForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->caption(), "Student Details / Declaration Form");
    EXPECT_EQ(form->Label1->text(), "Centre 1");
    EXPECT_EQ(form->Label2->text(), "I declare that the details above are correct.");
    EXPECT_EQ(form->txtID->text(), "*40123*");
    EXPECT_EQ(form->txtGivenName->text(), "MIA");
    EXPECT_EQ(form->txtFamilyName->text(), "O'BRIEN");
    EXPECT_EQ(form->txtDOB->text(), "1/02/2003");
    EXPECT_EQ(form->txtParentName->text(), "JO O'BRIEN");
    EXPECT_EQ(form->txtAddress->toPlainText(), "12 BEACH RD  SEAVIEW  VIC 3999");
    EXPECT_EQ(form->txtHomePh->text(), "03 9555 0000");
    EXPECT_EQ(form->txtWorkPh->text(), "");
    EXPECT_EQ(form->txtEmail->text(), "Mia.OBrien@Example.com");
    EXPECT_EQ(form->txtMedicalNotes->toPlainText(), "Asthma; carries a puffer");
    EXPECT_EQ(form->Text1->text(), "F");
    EXPECT_EQ(form->txtDate->text(), vb::Format(vb::Date(), "dd/mm/yyyy"));
    EXPECT_FALSE(form->cmdUpdate->isVisibleTo(form));
    ovix::test::saveScreenshot(form, "frmRptDetailsForm");
}

TEST_F(DetailsForm, AddressPartsEachAfterTheirSeparator)
{
    auto &db = Global::DbConnection();
    db.execute("INSERT INTO Students (StudentID, Address) VALUES (1, '1 Main St')");
    db.execute("INSERT INTO Students (StudentID, City) VALUES (2, 'Seaview')");
    db.execute("INSERT INTO Students (StudentID, State, Postcode) VALUES (3, 'Vic', '3999')");
    const char *expected[] = {"1 MAIN ST", "  SEAVIEW", "  VIC 3999"};
    for (int id = 1; id <= 3; ++id) {
        Global::FillDetailsForm(id, false, false);
        ASSERT_NE(shownForm(), nullptr);
        EXPECT_EQ(shownForm()->txtAddress->toPlainText(), expected[id - 1]);
        EXPECT_EQ(shownForm()->txtID->text(), QStringLiteral("*%1*").arg(id));
        shownForm()->unload();
    }
    Global::FillDetailsForm(4, true, false); // no such student: no form
    EXPECT_EQ(ui::Forms::count(), 0);
}

TEST_F(DetailsForm, PrintingNowReportsAPrinterThatCannotBeReachedAndUnloads)
{
    Global::DbConnection().execute("INSERT INTO Students (StudentID) VALUES (1)");
    ui::DialogScript script;
    script.answer(ui::vbOK);
    Global::FillDetailsForm(1, true, false); // the test machine has no printer
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].title, "Oops!");
    EXPECT_TRUE(script.shown()[0].text.endsWith(")"));
    EXPECT_TRUE(script.shown()[0].text.contains(" (Err#48"));
    EXPECT_EQ(shownForm(), nullptr); // unloaded after printing
}

TEST_F(DetailsForm, PaymentModeFinishesThePaymentWhenTheFormCloses)
{
    Global::DbConnection().execute("INSERT INTO Students (StudentID) VALUES (1)");
    auto *payments = ui::Forms::create<frmPayments>();
    Global::FillDetailsForm(1, false, true);
    frmRptDetailsForm *form = shownForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isPaymentMode());
    EXPECT_TRUE(form->cmdUpdate->isVisibleTo(form));

    // Printing hides the buttons only while it prints.
    ui::DialogScript script;
    script.answer(ui::vbOK);
    form->Command1_Click();
    EXPECT_TRUE(form->fraButtons->isVisibleTo(form));
    EXPECT_EQ(payments->finished, 0);
    form->close();
    EXPECT_EQ(payments->finished, 1);
}

#include "frmrptdetailsform_test.moc"
