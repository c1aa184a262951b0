#include "core/centresettings.h"
#include "core/globaldata.h"
#include "core/lookups.h"
#include "platform/ui/windowregistry.h"
#include "datafile.h"
#include "platform/jet/connection.h"
#include "platform/os/computer.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/form.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/datetime.h"
#include "platform/vb/error.h"

class Lookups : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        auto &db = Global::DbConnection();
        db.execute("CREATE TABLE TaxCode (TaxCode NVARCHAR(10) PRIMARY KEY, Description "
                   "NVARCHAR(50), Rate DOUBLE)");
        db.execute("INSERT INTO TaxCode VALUES ('GST', 'Goods and Services Tax', 10)");
        db.execute("INSERT INTO TaxCode VALUES ('HALF', 'Half rate', 12.5)");
        db.execute("INSERT INTO TaxCode VALUES ('O''S', 'Overseas', 0)");
        db.execute("INSERT INTO TaxCode VALUES ('NUL', Null, Null)");
        db.execute("CREATE TABLE BankLink (BankLinkID INT, PaymentType NVARCHAR(50), Account "
                   "NVARCHAR(20), Exclude INT)");
        db.execute("INSERT INTO BankLink VALUES (1, 'cash', '1-1000', 0)");
        db.execute("INSERT INTO BankLink VALUES (2, 'Cash', '1-1100', 0)");
        db.execute("INSERT INTO BankLink VALUES (3, 'Cheque', '', 0)");
        db.execute("INSERT INTO BankLink VALUES (4, 'Cheque', '1-1200', 0)");
        db.execute("INSERT INTO BankLink VALUES (5, 'Smith''s Card', '1-1300', 0)");
        db.execute("CREATE TABLE Users (UserID NVARCHAR(20), Name NVARCHAR(50), Password "
                   "NVARCHAR(50))");
        db.execute("INSERT INTO Users VALUES ('PAT', 'Pat', 'Secret')");
        db.execute("INSERT INTO Users VALUES ('O''BRIEN', 'Kel', 'it''s me')");
        db.execute("INSERT INTO Users VALUES ('NOPASS', 'None', Null)");
    }
};

TEST_F(Lookups, TaxRatesKeepTheirFractionAndMatchExactly)
{
    EXPECT_DOUBLE_EQ(Global::GetTaxRate("GST"), 0.1);
    EXPECT_DOUBLE_EQ(Global::GetTaxRate("HALF"), 0.125);
    EXPECT_DOUBLE_EQ(Global::GetTaxRate("gst"), 0); // the database finds it; the code differs
    EXPECT_DOUBLE_EQ(Global::GetTaxRate("FRE"), 0);
    EXPECT_EQ(Global::GetTaxCodeText("O'S"), "Overseas");
    EXPECT_EQ(Global::GetTaxCodeText("gst"), "");
    EXPECT_THROW(Global::GetTaxRate("NUL"), vb::Error);
    EXPECT_THROW(Global::GetTaxCodeText("NUL"), vb::Error);
}

TEST_F(Lookups, BankLinkTakesTheFirstExactMatch)
{
    EXPECT_EQ(Global::GetBankLinkValue("Cash"), "1-1100");
    EXPECT_EQ(Global::GetBankLinkValue("Cheque"), ""); // the first match has no account
    EXPECT_EQ(Global::GetBankLinkValue("Smith's Card"), "1-1300");
    EXPECT_EQ(Global::GetBankLinkValue("EFT"), "");
}

TEST_F(Lookups, CheckUserPassword)
{
    ui::DialogScript script;
    EXPECT_TRUE(Global::CheckUserPassword("pat", "Secret", true));
    EXPECT_TRUE(Global::CheckUserPassword("o'brien", "it's me", true));
    EXPECT_FALSE(Global::CheckUserPassword("nobody", "x", true)); // silently
    EXPECT_FALSE(Global::CheckUserPassword("nopass", "", false));
    EXPECT_FALSE(Global::CheckUserPassword("PAT", "secret", false));
    EXPECT_TRUE(script.shown().isEmpty());

    script.answer(ui::vbOK);
    EXPECT_FALSE(Global::CheckUserPassword("PAT", "SECRET", true));
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].title, "Oops!");
    EXPECT_EQ(script.shown()[0].text, "The password that you entered was incorrect.");
    EXPECT_EQ(script.shown()[0].icon, ui::vbExclamation);
}

class PeopleLookups : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        auto &db = Global::DbConnection();
        db.execute("CREATE TABLE Students (StudentID INT PRIMARY KEY, [First Name] NVARCHAR(50), "
                   "[Last Name] NVARCHAR(50), [Date of Birth] DATE, [Parents Name] NVARCHAR(50), "
                   "Address NVARCHAR(50), City NVARCHAR(50), State NVARCHAR(50), Postcode "
                   "NVARCHAR(5), [Home Phone] NVARCHAR(50), [Work Phone] NVARCHAR(50), [Mobile "
                   "Phone] NVARCHAR(50), [Email Address] NVARCHAR(50), Notes NVARCHAR(255), Gender "
                   "NVARCHAR(10), Student NVARCHAR(1), DetailsFormCompleted DATE, Barcode "
                   "NVARCHAR(50))");
        db.execute("INSERT INTO Students (StudentID, [First Name], DetailsFormCompleted, Barcode) "
                   "VALUES (5, 'Ann', #2009-07-14#, 'AB''12')");
        db.execute("INSERT INTO Students (StudentID, [First Name], Barcode) VALUES (40000, 'Bo', "
                   "'B1')");
        db.execute("CREATE TABLE Instructors (InstructorID INT, StudentID INT, UserID "
                   "NVARCHAR(20))");
        db.execute("INSERT INTO Instructors VALUES (1, 5, 'ANN')");
        db.execute("CREATE TABLE Attend (AttendanceID INT, BKID INT, [Session] INT, StudentID "
                   "INT, Status NVARCHAR(20))");
        db.execute("INSERT INTO Attend VALUES (70000, 50000, 3, 5, 'Attended')");
        db.execute("CREATE TABLE Payments (PaymentID INT, BookingID INT, AttendanceID INT)");
        db.execute("INSERT INTO Payments VALUES (90000, 50000, 70000)");
    }
};

TEST_F(PeopleLookups, BarcodesAndDetailsFormDates)
{
    EXPECT_EQ(Global::GetUserIdForBarcode("AB'12"), "ANN");
    EXPECT_EQ(Global::GetUserIdForBarcode("B1"), ""); // not an instructor
    EXPECT_EQ(Global::GetDetailsFormDate(5), vb::makeDateTime(2009, 7, 14));
    EXPECT_EQ(Global::GetDetailsFormDate(40000), std::nullopt);
    EXPECT_EQ(Global::GetDetailsFormDate(6), vb::zeroDate());
}

TEST_F(PeopleLookups, SessionRowsKeepWideIdsAndIgnoreFailures)
{
    EXPECT_EQ(Global::SessionPaymentExists(50000, 3), 90000);
    EXPECT_EQ(Global::SessionPaymentExists(50000, 4), 0);
    EXPECT_EQ(Global::GetAttendanceId(50000, 3), 70000);
    EXPECT_EQ(Global::GetAttendanceId(50001, 3), 0);
    Global::DbConnection().execute("DROP TABLE Payments");
    EXPECT_EQ(Global::SessionPaymentExists(50000, 3), 0);
}

TEST_F(PeopleLookups, DetailsFormOfAStudentThatDoesNotExistMakesNoForm)
{
    int made = 0;
    Global::SetDetailsFormMaker([&]() -> ui::Form * {
        ++made;
        return nullptr;
    });
    Global::FillDetailsForm(6, true, false);
    EXPECT_EQ(made, 0);
    Global::SetDetailsFormMaker({});

    // Without the report subsystem's form the user is told, not left guessing.
    ui::DialogScript script;
    script.answer(ui::vbOK);
    Global::FillDetailsForm(5, false, false);
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].text, "The student details form is not available.");

    // The maker is the window name registry's entry: one mechanism for both.
    Global::SetDetailsFormMaker([]() -> ui::Form * { return nullptr; });
    EXPECT_TRUE(ui::IsWindowRegistered(Global::DetailsFormName));
    Global::SetDetailsFormMaker({});
    EXPECT_FALSE(ui::IsWindowRegistered(Global::DetailsFormName));
    made = 0;
    ui::RegisterWindow(Global::DetailsFormName, [&]() -> ui::Form * {
        ++made;
        return nullptr;
    });
    Global::FillDetailsForm(5, false, false);
    EXPECT_EQ(made, 1);
    ui::RegisterWindow(Global::DetailsFormName, {});
}

class ConnectedUsers : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        Global::DbConnection().execute(
            "CREATE TABLE Computers (ComputerID COUNTER, Name NVARCHAR(50), InUse NVARCHAR(1))");
    }
    void addComputer(const QString &name, const char *inUse)
    {
        Global::DbConnection().execute(
            QStringLiteral("INSERT INTO Computers (Name, InUse) VALUES ('%1', '%2')")
                .arg(name, QLatin1String(inUse)));
    }
};

TEST_F(ConnectedUsers, CountsTheWorkstationsMarkedInUseWithThisOne)
{
    EXPECT_EQ(Global::GetWorkstationName(), os::computerName());
    EXPECT_EQ(Global::CountConnectedUsers(), 1); // this computer, marked or not
    addComputer(os::computerName().toUpper(), "1");
    EXPECT_EQ(Global::CountConnectedUsers(), 1);
    addComputer("FRONT-DESK", "0");
    EXPECT_EQ(Global::CountConnectedUsers(), 1);
    addComputer("OFFICE", "1");
    EXPECT_EQ(Global::CountConnectedUsers(), 2);

    // A closed connection is opened again first.
    Global::DbConnection().close();
    EXPECT_EQ(Global::CountConnectedUsers(), 2);
    EXPECT_TRUE(Global::DbConnection().isOpen());
}

TEST_F(ConnectedUsers, AFailureIsReportedAndCountsNothing)
{
    Global::DbConnection().execute("DROP TABLE Computers");
    Global::CentreSettings().setShortAppName("Ovixian");
    ui::DialogScript script;
    script.answer(ui::vbOK);
    EXPECT_EQ(Global::CountConnectedUsers(), 0);
    ASSERT_EQ(script.shown().size(), 1);
    EXPECT_EQ(script.shown()[0].title, "Unable to Determine User List");
    EXPECT_TRUE(script.shown()[0].text.startsWith(
        "An error occurred when processing the list of users currently connected to the "
        "database.\r\nErr#-2147217865 - "));
    EXPECT_TRUE(script.shown()[0].text.contains(
        ".\r\nAs a result of this error, Ovixian is unable to determine whether there are any "
        "other computers connected to the data file."));
    Global::CentreSettings().setShortAppName({});
}
