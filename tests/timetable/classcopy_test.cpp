#include "fixture/timetablefixture.h"

#include "core/frmconfirmdelete.h"
#include "platform/jet/recordset.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "timetable/classes.h"
#include "timetable/deletions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>

#include "core/globaldata.h"

using namespace imodClasses;

namespace {

// A class view standing in for the real one: its txtField(0) holds the ClassID.
TimetableFakeWindow *openClassView(qint32 classId)
{
    auto *view = new TimetableFakeWindow(QStringLiteral("frmViewClass"));
    auto *id = new QLineEdit(view);
    id->setObjectName(QStringLiteral("txtField"));
    id->setProperty("Index", 0);
    id->setText(QString::number(classId));
    view->load();
    return view;
}

} // namespace

using ClassDeletion = TimetableTest;

TEST_F(ClassDeletion, DeletesTheClassAndItsLinksLogsItAndClosesItsWindow)
{
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 c = addClass(p);
    const qint32 other = addClass(p);
    const qint32 s = addStudent(QStringLiteral("Amy"), QStringLiteral("Ng"));
    addBooking(c, s, QStringLiteral("Waiting"));
    addBooking(c, s, QStringLiteral("Cancelled"));
    linkInstructor(c, addInstructor(QStringLiteral("Tom"), QStringLiteral("Fin")));
    linkInstructor(other, addInstructor(QStringLiteral("Sue"), QStringLiteral("Hall")));
    TimetableFakeWindow *main = loadClassSearch();
    QPointer<ui::Form> view = openClassView(c);
    QPointer<ui::Form> otherView = openClassView(other);
    ASSERT_EQ(ui::Forms::findByRecord(QStringLiteral("frmViewClass"), QString::number(c)), view);

    DeleteClassRecord(c);
    flush();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings")), 2);
    EXPECT_TRUE(view.isNull());
    EXPECT_FALSE(otherView.isNull());
    EXPECT_TRUE(main->searched());

    jet::Recordset log(Global::DbConnection(), QStringLiteral("SELECT * FROM DeleteLog"));
    ASSERT_FALSE(log.eof());
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\d{4}/\d\d/\d\d \d\d:\d\d:\d\d [AP]M$)"))
                    .match(log.value(1).toString())
                    .hasMatch())
        << log.value(1).toString().toStdString();
    EXPECT_EQ(log.value(2).toString(), QStringLiteral("Class #%1").arg(c));
    EXPECT_EQ(log.value(3).toString(), QStringLiteral("Delete Class"));
    EXPECT_TRUE(log.value(4).isNull() || log.value(4).toString().isEmpty());
}

TEST_F(ClassDeletion, AMissingClassWritesNoLogButStillRefreshes)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")));
    linkInstructor(4242, addInstructor(QStringLiteral("Tom"), QStringLiteral("Fin")));
    TimetableFakeWindow *main = loadClassSearch();
    DeleteClassRecord(4242);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM DeleteLog")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes WHERE ClassID = %1").arg(c)), 1);
    EXPECT_TRUE(main->searched());
}

// The class search has no program chosen, so its refresh fails: the deletion is done
// and is not reported as failed.
TEST_F(ClassDeletion, AFailedClassSearchRefreshIsNoFailureOfTheDeletion)
{
    const qint32 c = addClass(addProgram(QStringLiteral("Term 1")));
    linkInstructor(c, addInstructor(QStringLiteral("Tom"), QStringLiteral("Fin")));
    TimetableFakeWindow *main = loadClassSearch();
    main->cboProgram->clear();
    EXPECT_NO_THROW(DeleteClassRecord(c));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM InstructorLink")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM DeleteLog")), 1);
    EXPECT_FALSE(main->searched());
}

TEST_F(ClassDeletion, TheConfirmationWindowRunsTheRegisteredDeletions)
{
    timetable::RegisterDeletions();
    const qint32 p = addProgram(QStringLiteral("Term 1"));
    const qint32 c = addClass(p);
    ASSERT_TRUE(frmConfirmDelete::Request(QStringLiteral("Delete Class"), QString::number(c),
                                          QStringLiteral("i")));
    auto *dialog = ui::Forms::shared<frmConfirmDelete>();
    dialog->txtField->setText(QStringLiteral("YES"));
    dialog->cmdOK_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Classes")), 0);

    flush();
    ASSERT_TRUE(frmConfirmDelete::Request(QStringLiteral("Delete Program"), QString::number(p),
                                          QStringLiteral("i")));
    dialog = ui::Forms::shared<frmConfirmDelete>();
    dialog->txtField->setText(QStringLiteral("yes"));
    dialog->cmdOK_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Programs")), 0);
    frmConfirmDelete::RegisterDeletion(QStringLiteral("Delete Class"), {});
    frmConfirmDelete::RegisterDeletion(QStringLiteral("Delete Program"), {});
}

class ClassCopy : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        addIncomeAccount();
        const qint32 p = addProgram(QStringLiteral("Term 1"));
        source = addClass(p);
        const qint32 q = addProgram(QStringLiteral("Term 2"));
        target = addClass(q, QStringLiteral("Level 1"), QStringLiteral("Monday"), 16, 30,
                          vb::Currency(120));
        for (const char *status :
             {"Waiting", "Confirmed", "Tentative", "Cancelled", "Confirmed", "Waiting", "Moved"}) {
            const qint32 s = addStudent(QString::fromLatin1(status), QStringLiteral("Kid"));
            addBooking(source, s, QString::fromLatin1(status));
        }
    }

    QStringList copiedStatuses()
    {
        jet::Recordset rs(Global::DbConnection(),
                          QStringLiteral("SELECT Status, Owing, SessionNo FROM Bookings WHERE "
                                         "ClassID = %1 ORDER BY BookingID")
                              .arg(target));
        QStringList list;
        for (; !rs.eof(); rs.moveNext()) {
            EXPECT_EQ(rs.value(1).value<vb::Currency>(), vb::Currency());
            EXPECT_EQ(rs.value(2).toInt(), 0);
            list << rs.value(0).toString();
        }
        return list;
    }

    qint32 source = 0;
    qint32 target = 0;
};

TEST_F(ClassCopy, CopiesEnrolledBookingsInOrderAndChargesEach)
{
    CopyClassBookings(source, target, false);
    EXPECT_EQ(copiedStatuses(), (QStringList{"Confirmed", "Tentative", "Confirmed"}));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE ChargeAmount = 120 AND "
                                   "ChargeGST = 12")),
              3);
}

TEST_F(ClassCopy, WithTheWaitingListCopiesItUncharged)
{
    CopyClassBookings(source, target, true);
    EXPECT_EQ(copiedStatuses(),
              (QStringList{"Waiting", "Confirmed", "Tentative", "Confirmed", "Waiting"}));
    // A waiting place is charged when it becomes a place in the class, not before.
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments")), 3);
}

TEST_F(ClassCopy, AChargeThatFailsUndoesTheWholeCopy)
{
    block(QStringLiteral("Payments"), QStringLiteral("INSERT"));
    script->answer(ui::vbOK);
    EXPECT_THROW(CopyClassBookings(source, target, false), std::exception);
    EXPECT_EQ(copiedStatuses(), QStringList());
}

TEST_F(ClassCopy, CopiesEveryInstructorLink)
{
    const qint32 tom = addInstructor(QStringLiteral("Tom"), QStringLiteral("Fin"));
    const qint32 tba = addInstructor(QStringLiteral("Instructor"), QStringLiteral("TBA"));
    linkInstructor(source, tom);
    linkInstructor(source, tba);
    CopyClassInstructors(source, target);
    EXPECT_EQ(GetClassInstructorIds(target), (QList<qint32>{tom, tba}));
    EXPECT_EQ(GetClassInstructorIds(source).size(), 2);
    CopyClassInstructors(9999, target); // no links: nothing added
    EXPECT_EQ(GetClassInstructorIds(target).size(), 2);
}
