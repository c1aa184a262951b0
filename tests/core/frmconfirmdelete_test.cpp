#include "core/frmconfirmdelete.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "support/screenshot.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Every deletion the windows below were asked for, in order.
QStringList deleted;

} // namespace

// A record window of the kind the dialog deletes through: its record ID in
// txtField[0] and the deleting members, called by name.
class frmRecordStandIn : public ui::Form
{
    Q_OBJECT
public:
    frmRecordStandIn(const char *name, const QString &recordId)
        : txtField(QStringLiteral("txtField"))
    {
        setObjectName(QLatin1String(name));
        txtField.add(0, new QLineEdit(recordId, this));
    }
    ui::ControlArray<QLineEdit> txtField;

    Q_INVOKABLE void DeleteStudent() { note(QStringLiteral("DeleteStudent")); }
    Q_INVOKABLE void DeleteFamily() { note(QStringLiteral("DeleteFamily")); }
    Q_INVOKABLE void DeleteTest() { note(QStringLiteral("DeleteTest")); }
    Q_INVOKABLE void DeleteCompany() { note(QStringLiteral("DeleteCompany")); }

private:
    void note(const QString &member)
    {
        deleted << name() + QLatin1Char('.') + member + QLatin1Char(' ') + recordId();
    }
};

class ConfirmDelete : public ::testing::Test
{
protected:
    void SetUp() override { deleted.clear(); }
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all())
            f->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const char *action : {"Delete Class", "Delete Program", "Delete Booking"})
            frmConfirmDelete::RegisterDeletion(action, {});
    }

    static frmConfirmDelete *dialog()
    {
        return static_cast<frmConfirmDelete *>(ui::Forms::find("frmConfirmDelete"));
    }
    static frmRecordStandIn *open(const char *name, const QString &recordId)
    {
        auto *f = new frmRecordStandIn(name, recordId);
        f->load();
        return f;
    }
    // Types into the box and clicks "Delete Now".
    static void confirm(const QString &typed)
    {
        dialog()->txtField->clear();
        QTest::keyClicks(dialog()->txtField, typed);
        QTest::mouseClick(dialog()->cmdOK, Qt::LeftButton);
    }
};

TEST_F(ConfirmDelete, OnlyYesInAnyCaseConfirms)
{
    open("frmStudentDetails", "12");
    for (const char *refused : {" yes", "yes ", "yes.", "y", ""}) {
        ASSERT_TRUE(frmConfirmDelete::Request("Delete Student", "12", "PAT"));
        ui::DialogScript script;
        script.answer(ui::vbOK);
        confirm(refused);
        ASSERT_EQ(script.shown().size(), 1) << refused;
        EXPECT_EQ(script.shown()[0].title, "Oops!");
        EXPECT_EQ(script.shown()[0].text, "Please enter 'yes' in the box or click Cancel");
        EXPECT_EQ(script.shown()[0].icon, ui::vbExclamation);
        ASSERT_NE(dialog(), nullptr); // still open
        EXPECT_TRUE(deleted.isEmpty());
    }
    for (const char *accepted : {"YES", "Yes"}) {
        ASSERT_TRUE(frmConfirmDelete::Request("Delete Student", "12", "PAT"));
        confirm(accepted);
        EXPECT_EQ(dialog(), nullptr) << accepted; // closed
    }
    EXPECT_EQ(deleted, QStringList({"frmStudentDetails.DeleteStudent 12",
                                    "frmStudentDetails.DeleteStudent 12"}));
}

TEST_F(ConfirmDelete, DeletesThroughTheWindowShowingTheRecord)
{
    open("frmStudentDetails", "7");
    open("frmFamDetails", "12");
    open("frmStudentDetails", "12");
    // The class search window's logo is shown beside the question.
    auto *main = open("Main", "");
    auto *logo = new QLabel(main);
    logo->setObjectName("Image1");
    QPixmap picture(120, 60);
    picture.fill(QColor(0, 90, 160));
    logo->setPixmap(picture);
    ASSERT_TRUE(frmConfirmDelete::Request("Delete Student", "12", "PAT"));
    EXPECT_FALSE(dialog()->Image1->pixmap().isNull());
    ovix::test::saveScreenshot(dialog()->frame(), "frmConfirmDelete-student");
    EXPECT_EQ(dialog()->caption(), "Confirm Delete");
    EXPECT_EQ(dialog()->cmdOK->text(), "Delete Now");
    EXPECT_EQ(dialog()->cmdCancel->text(), "Don't Delete");
    confirm("yes");
    EXPECT_EQ(deleted, QStringList({"frmStudentDetails.DeleteStudent 12"}));

    deleted.clear();
    ASSERT_TRUE(frmConfirmDelete::Request("Delete Family", "12", "PAT"));
    confirm("yes");
    ASSERT_TRUE(frmConfirmDelete::Request("Delete Family", "7", "PAT")); // no family window 7
    confirm("yes");
    EXPECT_EQ(deleted, QStringList({"frmFamDetails.DeleteFamily 12"}));
    EXPECT_EQ(dialog(), nullptr);
}

TEST_F(ConfirmDelete, ARecordWindowClosedMeanwhileDeletesNothing)
{
    auto *student = open("frmStudentDetails", "12");
    ASSERT_TRUE(frmConfirmDelete::Request("Delete Student", "12", "PAT"));
    student->unload();
    confirm("yes");
    EXPECT_TRUE(deleted.isEmpty());
    EXPECT_EQ(dialog(), nullptr);
}

TEST_F(ConfirmDelete, WaterTestAndCompanyWindows)
{
    open("frmWaterTesting", "");
    open("frmCompanyDetails", "3");
    ASSERT_TRUE(frmConfirmDelete::Request("Delete Water Test", "", "PAT"));
    confirm("yes");
    ASSERT_TRUE(frmConfirmDelete::Request("Delete Company", "", "BOSS"));
    confirm("yes");
    EXPECT_EQ(deleted,
              QStringList({"frmWaterTesting.DeleteTest ", "frmCompanyDetails.DeleteCompany 3"}));
}

TEST_F(ConfirmDelete, InstructionNamesWhatIsDeleted)
{
    const struct
    {
        const char *action;
        const char *what;
    } cases[] = {
        {"Delete Class", "this class"},
        {"Delete Program", "this program"},
        {"Delete Booking", "this student's booking"},
        {"Delete Student", "this student"},
        {"Delete Family", "this family"},
        {"Delete Water Test", "this water test record"},
        {"Delete Company", "this company"},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(frmConfirmDelete::Request(c.action, "1", "PAT"));
        EXPECT_EQ(dialog()->Label1->text(),
                  QStringLiteral("Please enter 'yes' in the box below to confirm that you want "
                                 "to delete %1 and click OK.")
                      .arg(QLatin1String(c.what)));
        EXPECT_EQ(dialog()->txtReason->text(), c.action);
        if (QLatin1String(c.action) == QLatin1String("Delete Program"))
            ovix::test::saveScreenshot(dialog()->frame(), "frmConfirmDelete-program");
        QTest::mouseClick(dialog()->cmdCancel, Qt::LeftButton);
        EXPECT_EQ(dialog(), nullptr);
    }
    EXPECT_TRUE(deleted.isEmpty());
}

TEST_F(ConfirmDelete, ProceduresOfOtherSubsystemsRunOnlyWhenRegistered)
{
    QStringList calls;
    frmConfirmDelete::RegisterDeletion("Delete Booking", [&](const QString &user, qint32 id) {
        calls << QStringLiteral("booking %1 by %2").arg(id).arg(user);
    });
    ASSERT_TRUE(frmConfirmDelete::Request("Delete Booking", "70000", "PAT"));
    EXPECT_EQ(dialog()->txtUserID->text(), "PAT");
    EXPECT_EQ(dialog()->txtInfoLine->text(), "70000");
    confirm("yes");
    EXPECT_EQ(calls, QStringList({"booking 70000 by PAT"}));

    ui::DialogScript script;
    script.answer(ui::vbOK).answer(ui::vbOK);
    ASSERT_TRUE(frmConfirmDelete::Request("Delete Class", "5", "PAT"));
    confirm("yes");
    ASSERT_TRUE(frmConfirmDelete::Request("Delete Booking", "five", "PAT"));
    confirm("yes");
    ASSERT_EQ(script.shown().size(), 2);
    EXPECT_EQ(script.shown()[0].text, "Nothing was deleted: deleting classes is not available.");
    EXPECT_EQ(script.shown()[1].text, "Nothing was deleted: \"five\" is not a record number.");
    EXPECT_EQ(calls.size(), 1);
    EXPECT_EQ(dialog(), nullptr);
}

TEST_F(ConfirmDelete, ASecondRequestCannotRedirectTheDeletion)
{
    open("frmStudentDetails", "12");
    open("frmStudentDetails", "13");
    ASSERT_TRUE(frmConfirmDelete::Request("Delete Student", "12", "PAT"));
    QTest::keyClicks(dialog()->txtField, "yes");
    {
        ui::DialogScript script;
        script.answer(ui::vbOK);
        EXPECT_FALSE(frmConfirmDelete::Request("Delete Student", "13", "PAT"));
        ASSERT_EQ(script.shown().size(), 1);
        EXPECT_TRUE(script.shown()[0].text.startsWith("Another deletion is waiting"));
    }
    EXPECT_EQ(dialog()->txtInfoLine->text(), "12");
    EXPECT_TRUE(frmConfirmDelete::Request("Delete Student", "12", "PAT")); // the same again
    QTest::mouseClick(dialog()->cmdOK, Qt::LeftButton);
    EXPECT_EQ(deleted, QStringList({"frmStudentDetails.DeleteStudent 12"}));

    // Closed, the dialog takes the next request afresh.
    ASSERT_TRUE(frmConfirmDelete::Request("Delete Student", "13", "PAT"));
    EXPECT_TRUE(dialog()->txtField->text().isEmpty());
    QTest::mouseClick(dialog()->cmdCancel, Qt::LeftButton);
    EXPECT_EQ(deleted.size(), 1);
}

#include "frmconfirmdelete_test.moc"
