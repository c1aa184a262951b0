#include "access/authorisation.h"
#include "access/permissions.h"
#include "core/centresettings.h"
#include "core/frmconfirmdelete.h"
#include "core/globaldata.h"
#include "enrolments/imodenrolments.h"
#include "core/globalsettings.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/currency.h"
#include "students/details/bookingactions.h"
#include "students/details/frmstudentdetails.h"
#include "students/details/register.h"
#include "support/screenshot.h"
#include "timetable/fixture/timetablefixture.h"

#include <QDir>
#include <QFileInfo>
#include "core/irecobjectcode.h"
#include "platform/jet/recordset.h"
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

// Stands in for the windows the booking actions open by name: records each call.
class ActionStandIn : public ui::Form
{
    Q_OBJECT
public:
    explicit ActionStandIn(const QString &name)
    {
        setObjectName(name);
        setMdiChild(false);
    }
    Q_INVOKABLE void LoadUp(ui::Form *, const QString &mode, const QString &extra)
    {
        calls << QStringLiteral("LoadUp %1 %2").arg(mode, extra);
    }
    Q_INVOKABLE void LoadUp(int booking, const QVariant &cost, const QString &caller, int classId,
                            const QString &program, const QString &level)
    {
        calls << QStringLiteral("Move %1 %2 %3 %4 %5 %6")
                     .arg(booking)
                     .arg(cost.value<vb::Currency>().toDouble())
                     .arg(caller)
                     .arg(classId)
                     .arg(program, level);
    }
    Q_INVOKABLE void LoadCancellation(int booking, ui::Form *xf)
    {
        calls << QStringLiteral("Cancel %1 %2").arg(booking).arg(xf ? xf->objectName() : QString());
    }
    Q_INVOKABLE void Load_Students() { calls << QStringLiteral("Load_Students"); }
    Q_INVOKABLE void FillPage(const QString &owing, const QString &cls, const QString &dates,
                              const QString &instructor, const QString &name,
                              const QString &status, int booking, const QString &program,
                              const QString &pool)
    {
        calls << QStringList{owing, cls, dates, instructor, name, status, QString::number(booking),
                             program, pool}
                     .join(QLatin1Char('|'));
    }
    Q_INVOKABLE void Load(int booking) { calls << QStringLiteral("Load %1").arg(booking); }
    Q_INVOKABLE void AddToList(const QString &text)
    {
        calls << QStringLiteral("AddToList %1 / %2").arg(text, cbo->text());
    }
    ui::SimpleCombo *cbo = [this] {
        auto *c = new ui::SimpleCombo(this);
        c->setObjectName(QStringLiteral("cbo"));
        return c;
    }();
    Q_INVOKABLE void Load_Duplicates() { calls << QStringLiteral("Load_Duplicates"); }
    QStringList calls;
};

namespace {

class BookingActionsTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        exec(QStringLiteral("INSERT INTO Users (UserID, [Name], [Password], Admin) VALUES "
                            "('nobody', 'No Rights', '', 0)"));
        Global::LoadCurrentUserRights();
        students::RegisterStudentDetailsWindow();
        addIncomeAccount();
        program = addProgram(QStringLiteral("Summer"));
        classId = addClass(program);
        student = addStudent(QStringLiteral("Ann"), QStringLiteral("Lee"));
    }
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all())
            if (auto *w = qobject_cast<frmStudentDetails *>(f))
                w->cmdSave->setEnabled(false);
        for (const char *name : {"frmPassword", "frmCancelDialog", "frmMoveStudent",
                                 "frmFindStudent", "frmDuplicates", "frmRptConfSlip",
                                 "frmPayments", "frmDiscountPickList"})
            ui::RegisterWindow(QString::fromLatin1(name), {});
        ui::RegisterProcedure(QStringLiteral("mReports::ShowInvoiceStatement"), {});
        TimetableTest::TearDown();
    }
    ActionStandIn *standIn(const QString &name)
    {
        auto holder = std::make_shared<QPointer<ActionStandIn>>();
        ui::RegisterWindow(name, [name, holder]() -> ui::Form * {
            if (!*holder) {
                *holder = new ActionStandIn(name);
                (*holder)->load();
            }
            return holder->data();
        });
        return static_cast<ActionStandIn *>(ui::LoadWindowByName(name));
    }
    frmStudentDetails *open(qint32 id, const QString &user = {})
    {
        auto *w = ui::Forms::create<frmStudentDetails>();
        w->LoadUp(id, nullptr, user);
        return w;
    }
    // Makes the grid row of the booking the current one, as a click does.
    void pick(frmStudentDetails *w, qint32 booking)
    {
        for (int r = 1; r < w->grd->rows(); ++r)
            if (w->grd->textMatrix(r, 0) == QString::number(booking)) {
                w->grd->setGridRow(r);
                w->grd->setGridCol(3);
                return;
            }
        ADD_FAILURE() << "no row of booking " << booking;
    }
    void charge(qint32 booking, const QString &amount)
    {
        exec(QStringLiteral("INSERT INTO Payments (BookingID, Amount, ChargeAmount, ChargeGST, "
                            "DiscountAmount, DiscountGST, Type, SID) VALUES (%1, 0, %2, 0, 0, 0, "
                            "'C', %3)")
                 .arg(booking)
                 .arg(amount)
                 .arg(student));
    }
    QString status(qint32 booking)
    {
        return value(QStringLiteral("SELECT Status FROM Bookings WHERE BookingID = %1").arg(booking))
            .toString();
    }
    QString lastTitle() const
    {
        return script->shown().isEmpty() ? QString() : script->shown().last().title;
    }
    qint32 program = 0, classId = 0, student = 0;
};

} // namespace

TEST_F(BookingActionsTest, LegendClicksByStatus)
{
    ActionStandIn *cancel = standIn(QStringLiteral("frmCancelDialog"));
    ActionStandIn *mover = standIn(QStringLiteral("frmMoveStudent"));
    const char *cannotConfirm = "Cannot Confirm";
    const char *cannotTentative = "Cannot Make Tentative";
    const struct
    {
        const char *status;
        const char *confirm;   // title shown, or the status stored afterwards
        const char *tentative; // the same
        const char *cancel;    // title shown, or "dialog"
        const char *move;      // title shown, or "move"
    } cases[] = {
        {"Tentative", "=Confirmed", "=Tentative", "dialog", "move"},
        {"Confirmed", "=Confirmed", "=Tentative", "dialog", "move"},
        {"Moved", cannotConfirm, cannotTentative, "Oops!", "Oops!"},
        {"Cancelled", cannotConfirm, cannotTentative, "You can't do it twice.", "Cannot Move."},
        {"No Show", cannotConfirm, cannotTentative, "dialog", "Oops!"},
        {"Waiting", cannotConfirm, cannotTentative, "Oops!", "Oops!"},
        {"Odd", cannotConfirm, cannotTentative, "dialog", "move"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status);
        const QString word = QString::fromLatin1(c.status);
        auto run = [&](const char *expected, auto click, ActionStandIn *target,
                       const QString &action) {
            const qint32 booking = addBooking(classId, student, word);
            frmStudentDetails *w = open(student);
            pick(w, booking);
            const qsizetype shown = script->shown().size();
            const QString text(QString::fromLatin1(expected));
            if (!text.startsWith(QLatin1Char('=')) && text != QLatin1String("dialog") &&
                text != QLatin1String("move"))
                script->answer(ui::vbOK);
            if (target)
                target->calls.clear();
            (w->*click)();
            if (text.startsWith(QLatin1Char('='))) {
                EXPECT_EQ(status(booking), text.mid(1));
                EXPECT_EQ(script->shown().size(), shown);
            } else if (target && text == action) {
                ASSERT_EQ(target->calls.size(), 1);
                EXPECT_TRUE(target->calls.first().startsWith(
                    (action == QLatin1String("dialog") ? QStringLiteral("Cancel %1 frmStudentDetails")
                                                       : QStringLiteral("Move %1"))
                        .arg(booking)));
            } else {
                EXPECT_EQ(lastTitle(), text);
                EXPECT_EQ(status(booking), word) << "a refusal changes nothing";
                if (target)
                    EXPECT_TRUE(target->calls.isEmpty());
            }
            w->unload();
        };
        run(c.confirm, &frmStudentDetails::cmdConfirm_Click, nullptr, {});
        run(c.tentative, &frmStudentDetails::cmdTentative_Click, nullptr, {});
        run(c.cancel, &frmStudentDetails::cmdCancel_Click, cancel, QStringLiteral("dialog"));
        run(c.move, &frmStudentDetails::cmdMove_Click, mover, QStringLiteral("move"));
    }
    // The refusal texts, word for word.
    const QStringList texts = [&] {
        QStringList all;
        for (const auto &d : script->shown())
            all << d.text;
        return all;
    }();
    EXPECT_TRUE(texts.contains(QStringLiteral(
        "The status of the booking is No Show. You can only confirm Tentative bookings")));
    EXPECT_TRUE(texts.contains(QStringLiteral(
        "The status of the booking is Odd. You can only make Confirmed bookings Tentative.")));
    EXPECT_TRUE(texts.contains(QStringLiteral("This student is a no show. You cannot move them.")));
    EXPECT_TRUE(texts.contains(
        QStringLiteral("This student has been moved. You cannot cancel a moved booking.")));
}

TEST_F(BookingActionsTest, EmptyGridAndAGoneStudentChangeNothing)
{
    standIn(QStringLiteral("frmCancelDialog"));
    standIn(QStringLiteral("frmMoveStudent"));
    frmStudentDetails *w = open(student);
    for (auto click : {&frmStudentDetails::cmdConfirm_Click, &frmStudentDetails::cmdTentative_Click,
                       &frmStudentDetails::cmdCancel_Click, &frmStudentDetails::cmdMove_Click,
                       &frmStudentDetails::cmdNoShow_Click, &frmStudentDetails::cmdWLDel_Click})
        (w->*click)();
    EXPECT_TRUE(script->shown().isEmpty());

    const qint32 booking = addBooking(classId, student, QStringLiteral("Tentative"));
    w->Load_LTS_History();
    pick(w, booking);
    exec(QStringLiteral("DELETE FROM Students WHERE StudentID = %1").arg(student));
    w->cmdConfirm_Click();
    EXPECT_EQ(status(booking), QStringLiteral("Tentative"));
    EXPECT_TRUE(script->shown().isEmpty());
}

TEST_F(BookingActionsTest, CancelAndMoveAskForAuthorisationWithoutTheRight)
{
    ActionStandIn *password = standIn(QStringLiteral("frmPassword"));
    standIn(QStringLiteral("frmCancelDialog"));
    ActionStandIn *mover = standIn(QStringLiteral("frmMoveStudent"));
    const qint32 first = addBooking(classId, student, QStringLiteral("Confirmed"));
    const qint32 other = addClass(program, QStringLiteral("Level 2"), QStringLiteral("Tuesday"));
    const qint32 second = addBooking(other, student, QStringLiteral("Confirmed"));
    frmStudentDetails *w = open(student, QStringLiteral("nobody"));
    pick(w, first);
    w->cmdCancel_Click();
    w->cmdMove_Click();
    EXPECT_EQ(password->calls, (QStringList{QStringLiteral("LoadUp Cancel Booking %1").arg(first),
                                            QStringLiteral("LoadUp Move Booking ")}));
    // Another row is clicked while the authorisation window waits; the approval
    // moves the booking that was asked for.
    pick(w, second);
    useraccess::RegisterAccessOperations();
    useraccess::AuthorisationRequest request;
    request.xf = w;
    request.strMode = QStringLiteral("Move Booking");
    request.userId = QStringLiteral("i");
    useraccess::FindAuthorisedOperation(request.strMode)->action(request);
    ASSERT_EQ(mover->calls.size(), 1);
    EXPECT_EQ(mover->calls.first(),
              QStringLiteral("Move %1 100 View Students 0 Summer Level 1").arg(first));
    EXPECT_FALSE(w->cmdWLDel->isEnabled());
}

TEST_F(BookingActionsTest, FinishCancellationRefreshesBalanceAndClassSearch)
{
    TimetableFakeWindow *search = loadClassSearch();
    const qint32 booking = addBooking(classId, student);
    frmStudentDetails *w = open(student);
    charge(booking, QStringLiteral("55"));
    search->searched();
    ui::callByName(w, QStringLiteral("FinishCancellation"));
    EXPECT_EQ(w->txtBal->text(), QStringLiteral("$55.00"));
    EXPECT_EQ(w->grdC->rows(), 2);
    EXPECT_TRUE(search->searched());
}

TEST_F(BookingActionsTest, WaitingListRemoval)
{
    const qint32 booking = addBooking(classId, student, QStringLiteral("Waiting"));
    frmStudentDetails *w = open(student);
    pick(w, booking);
    w->grd_Click();
    EXPECT_TRUE(w->cmdWLDel->isEnabled());
    exec(QStringLiteral("DELETE FROM Bookings WHERE BookingID = %1").arg(booking));
    script->answer(ui::vbOK);
    w->cmdWLDel_Click();
    EXPECT_EQ(lastTitle(), QStringLiteral("Problem"));
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("This booking (BKID#%1) could not be deleted because multiple "
                             "records for this BKID exist.")
                  .arg(booking));
    EXPECT_FALSE(w->cmdWLDel->isEnabled());

    const qint32 again = addBooking(classId, student, QStringLiteral("Waiting"));
    w->Load_LTS_History();
    pick(w, again);
    w->cmdWLDel_Click();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings")), 0);
    EXPECT_EQ(w->grd->rows(), 1);
}

TEST_F(BookingActionsTest, NoShowClearsTheBalanceWhenAsked)
{
    TimetableFakeWindow *search = loadClassSearch();
    const struct
    {
        const char *charge; // "" for none
        int answer;         // 0: no question expected
        const char *asked;
        double chargeAmount, chargeGst; // of the clearing row; 0 0 for none
    } cases[] = {
        {"40", ui::vbYes, "$40.00", -40.00, -4.00},
        {"-12.5", ui::vbYes, "-$12.50", 12.50, 1.25},
        {"40", ui::vbNo, "$40.00", 0, 0},
        {"", 0, "", 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.asked);
        exec(QStringLiteral("DELETE FROM Payments"));
        const qint32 booking = addBooking(classId, student);
        if (*c.charge)
            charge(booking, QString::fromLatin1(c.charge));
        frmStudentDetails *w = open(student);
        pick(w, booking);
        const qsizetype before = script->shown().size();
        if (c.answer)
            script->answer(c.answer);
        search->searched();
        w->cmdNoShow_Click();
        EXPECT_EQ(status(booking), QStringLiteral("No Show"));
        if (c.answer) {
            ASSERT_EQ(script->shown().size(), before + 1);
            EXPECT_EQ(script->shown().last().title, QStringLiteral("What do you want to do?"));
            EXPECT_EQ(script->shown().last().text,
                      QStringLiteral("This booking has a balance of %1. Do you want to clear this?")
                          .arg(QString::fromLatin1(c.asked)));
        } else {
            EXPECT_EQ(script->shown().size(), before);
        }
        const int rows = count(QStringLiteral("SELECT * FROM Payments WHERE ReceiptNo = 'Moved'"));
        if (c.chargeAmount == 0) {
            EXPECT_EQ(rows, 0);
        } else {
            ASSERT_EQ(rows, 1);
            auto rs = irecObjectCode::OpenRecordset(
                QStringLiteral("SELECT ChargeAmount, ChargeGST, Type, AuthorisedBy, Amount, SID, "
                               "RevenueAccount, TaxCode, PassportFee, SessionNo, ReceivedFrom "
                               "FROM Payments WHERE ReceiptNo = 'Moved'"));
            EXPECT_DOUBLE_EQ(rs->value(0).value<vb::Currency>().toDouble(), c.chargeAmount);
            EXPECT_DOUBLE_EQ(rs->value(1).value<vb::Currency>().toDouble(), c.chargeGst);
            EXPECT_EQ(rs->value(2).toString(), QStringLiteral("C"));
            EXPECT_EQ(rs->value(3).toString(), QStringLiteral("Ovix"));
            EXPECT_DOUBLE_EQ(rs->value(4).value<vb::Currency>().toDouble(), 0);
            EXPECT_EQ(rs->value(5).toInt(), student);
            EXPECT_EQ(rs->value(6).toString(), QStringLiteral("4-1000"));
            EXPECT_EQ(rs->value(7).toString(), QStringLiteral("GST"));
            EXPECT_EQ(rs->value(8).toInt(), 0);
            EXPECT_EQ(rs->value(9).toInt(), 0);
            EXPECT_EQ(rs->value(10).toString(), QStringLiteral("Ann Lee"));
            EXPECT_EQ(imodEnrolments::GetBookingOwing(booking), vb::Currency());
        }
        EXPECT_EQ(w->txtBal->text(),
                  QStringLiteral("$%1.00").arg(c.answer == ui::vbNo ? 40 : 0));
        EXPECT_EQ(w->grd->cellBackColor(w->grd->gridRow(), 1), QColor(0xC0, 0x00, 0xC0));
        EXPECT_TRUE(search->searched());
        w->unload();
        exec(QStringLiteral("DELETE FROM Bookings"));
    }
}

TEST_F(BookingActionsTest, NoShowOfOddRows)
{
    // A program whose name needs quoting, and a one-off class of no program.
    const qint32 quoted = addProgram(QStringLiteral("O'Brien's"));
    const qint32 quotedClass = addClass(quoted);
    const qint32 oneOff = addClass(0);
    const qint32 a = addBooking(quotedClass, student);
    const qint32 b = addBooking(oneOff, student);
    charge(a, QStringLiteral("30"));
    charge(b, QStringLiteral("10"));
    frmStudentDetails *w = open(student);
    for (const qint32 booking : {a, b}) {
        pick(w, booking);
        script->answer(ui::vbYes);
        w->cmdNoShow_Click();
        EXPECT_EQ(status(booking), QStringLiteral("No Show"));
        EXPECT_EQ(imodEnrolments::GetBookingOwing(booking), vb::Currency());
    }
    EXPECT_EQ(value(QStringLiteral("SELECT ChargeGST FROM Payments WHERE ReceiptNo = 'Moved' AND "
                                   "BookingID = %1").arg(a)).value<vb::Currency>(),
              vb::Currency(-3));
    EXPECT_EQ(value(QStringLiteral("SELECT ChargeGST FROM Payments WHERE ReceiptNo = 'Moved' AND "
                                   "BookingID = %1").arg(b)).value<vb::Currency>(),
              vb::Currency()) << "no program: no tax";

    // A blocked ledger write leaves the status as it was too.
    const qint32 c = addBooking(classId, student);
    charge(c, QStringLiteral("15"));
    block(QStringLiteral("Payments"), QStringLiteral("INSERT"));
    w->Load_LTS_History();
    pick(w, c);
    script->answer(ui::vbYes);
    w->cmdNoShow_Click();
    EXPECT_EQ(status(c), QStringLiteral("Confirmed"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE BookingID = %1").arg(c)), 1);

    // A waiting-list row is refused.
    const qint32 waiting = addBooking(classId, student, QStringLiteral("Waiting"));
    w->Load_LTS_History();
    pick(w, waiting);
    script->answer(ui::vbOK);
    w->cmdNoShow_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops!"));
    EXPECT_EQ(status(waiting), QStringLiteral("Waiting"));
}

TEST_F(BookingActionsTest, ClassDetailsSlipValues)
{
    ActionStandIn *slip = standIn(QStringLiteral("frmRptConfSlip"));
    const qint32 oneOff = addClass(0, QStringLiteral("Level 1"), QStringLiteral("Friday"));
    const qint32 a = addBooking(oneOff, student, QStringLiteral("Confirmed"));
    const qint32 b = addBooking(classId, student, QStringLiteral("No Show"));
    const qint32 c = addBooking(classId, student, QStringLiteral("Odd"));
    const qint32 waiting = addBooking(classId, student, QStringLiteral("Waiting"));
    charge(b, QStringLiteral("12.5"));
    frmStudentDetails *w = open(student);
    EXPECT_TRUE(w->cmdPrintConfirmation->isEnabled());
    EXPECT_FALSE(w->cmdReceivePayments->isEnabled()) << "no payments window yet";
    w->SSTab1->setCurrentIndex(3);
    ovix::test::saveScreenshot(w, QStringLiteral("frmStudentDetails-history"));
    w->setFieldText(1, QStringLiteral("Annie")); // the slip takes the name as shown
    const struct
    {
        qint32 booking;
        const char *status;
        const char *program;
    } cases[] = {{a, "Confirmed", "One-Off Enrolments"}, {b, "No Show", "Summer"},
                 {c, "Tentative", "Summer"}};
    for (const auto &k : cases) {
        pick(w, k.booking);
        const int r = w->grd->gridRow();
        slip->calls.clear();
        w->cmdPrintConfirmation_Click();
        ASSERT_EQ(slip->calls.size(), 1);
        const QStringList v = slip->calls.first().split(QLatin1Char('|'));
        ASSERT_EQ(v.size(), 9);
        EXPECT_EQ(v[0], w->grd->textMatrix(r, 7));
        EXPECT_EQ(v[1], w->grd->textMatrix(r, 2) + QLatin1Char(' ') + w->grd->textMatrix(r, 3) +
                            QLatin1Char(' ') + w->grd->textMatrix(r, 4) + QLatin1Char(' '));
        EXPECT_TRUE(v[2].contains(QStringLiteral(" to "))) << v[2].toStdString();
        EXPECT_EQ(v[4], QStringLiteral("Annie Lee"));
        EXPECT_EQ(v[5], QString::fromLatin1(k.status));
        EXPECT_EQ(v[6], QString::number(k.booking));
        EXPECT_EQ(v[7], QString::fromLatin1(k.program));
    }
    EXPECT_EQ(slip->calls.first().section(QLatin1Char('|'), 0, 0), QStringLiteral("$0.00"));
    pick(w, b);
    slip->calls.clear();
    w->cmdPrintConfirmation_Click();
    EXPECT_EQ(slip->calls.first().section(QLatin1Char('|'), 0, 0), QStringLiteral("$12.50"));

    pick(w, waiting);
    slip->calls.clear();
    script->answer(ui::vbOK);
    w->cmdPrintConfirmation_Click();
    EXPECT_TRUE(slip->calls.isEmpty());
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("You cannot print Class Details Slips for waiting list bookings!"));
}

TEST_F(BookingActionsTest, InvoicePaymentDiscountAndTheUnsavedPerson)
{
    QVariantList invoice;
    ui::RegisterProcedure(QStringLiteral("mReports::ShowInvoiceStatement"),
                          [&](const QVariantList &args) {
                              invoice = args;
                              return QVariant();
                          });
    ActionStandIn *payments = standIn(QStringLiteral("frmPayments"));
    QList<ActionStandIn *> discounts;
    ui::RegisterWindow(QStringLiteral("frmDiscountPickList"), [&discounts]() -> ui::Form * {
        discounts << new ActionStandIn(QStringLiteral("frmDiscountPickList"));
        return discounts.last();
    });
    const qint32 oneOff = addClass(0);
    const qint32 a = addBooking(oneOff, student);
    const qint32 b = addBooking(classId, student);
    frmStudentDetails *w = open(student);

    pick(w, a);
    w->cmdInvoice_Click();
    ASSERT_EQ(invoice.size(), 5);
    EXPECT_EQ(invoice[0].toInt(), student);
    EXPECT_EQ(invoice[4].toInt(), 0) << "a one-off row names no program";
    pick(w, b);
    w->cmdInvoice_Click();
    EXPECT_EQ(invoice[4].toInt(), program);
    EXPECT_TRUE(invoice[3].toBool());

    w->cmdReceivePayments_Click();
    const QString text = QStringLiteral("Lee, Ann (SID#%1)").arg(student);
    EXPECT_EQ(payments->calls, QStringList{QStringLiteral("AddToList %1 / %1").arg(text)});

    w->cmdDiscount_Click();
    w->cmdDiscount_Click();
    ASSERT_EQ(discounts.size(), 2) << "a new window per click";
    EXPECT_EQ(discounts[1]->calls, QStringList{QStringLiteral("Load %1").arg(b)});

    frmStudentDetails *fresh = open(0);
    script->answer(ui::vbOK).answer(ui::vbOK);
    fresh->cmdPrintDetails_Click();
    fresh->cmdDetailsForm_Click(1);
    ASSERT_EQ(script->shown().size(), 2);
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("You must save this student before you can print their details."));
    EXPECT_EQ(script->shown()[1].text, QStringLiteral("You must save this student before you can "
                                                      "print a Details & Declaration form."));
    EXPECT_EQ(script->shown()[1].title, QStringLiteral("Oops!"));
}

namespace {

class StudentDeletionTest : public BookingActionsTest
{
protected:
    // Asks for the deletion in the window and types yes in the confirmation window.
    void confirm(frmStudentDetails *w, const QString &expectedUser = QStringLiteral("i"))
    {
        w->cmdDelete_Click();
        confirmRequest(expectedUser);
    }
    void confirmRequest(const QString &expectedUser)
    {
        auto *dialog =
            static_cast<frmConfirmDelete *>(ui::Forms::find(QStringLiteral("frmConfirmDelete")));
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->txtReason->text(), QStringLiteral("Delete Student"));
        EXPECT_EQ(dialog->txtUserID->text(), expectedUser);
        dialog->txtField->setText(QStringLiteral("yes"));
        dialog->cmdOK_Click();
        flush();
    }
    QStringList logRows()
    {
        QStringList rows;
        auto rs = irecObjectCode::OpenRecordset(
            QStringLiteral("SELECT Record, Action, UserID FROM DeleteLog ORDER BY DeleteLogID"));
        for (; !rs->eof(); rs->moveNext())
            rows << rs->value(0).toString() + QLatin1Char('|') + rs->value(1).toString() +
                        QLatin1Char('|') + rs->value(2).toString();
        return rows;
    }
    bool isOpen(QPointer<frmStudentDetails> w) { return w && ui::Forms::all().contains(w.data()); }
    int students() { return count(QStringLiteral("SELECT * FROM Students")); }
};

} // namespace

TEST_F(StudentDeletionTest, WithoutBookingsTheConfirmationDeletesAtOnce)
{
    ActionStandIn *find = standIn(QStringLiteral("frmFindStudent"));
    ActionStandIn *duplicates = standIn(QStringLiteral("frmDuplicates"));
    TimetableFakeWindow *search = loadClassSearch();
    search->searched();
    QPointer<frmStudentDetails> w = open(student);
    EXPECT_TRUE(w->cmdDelete->isEnabled());
    EXPECT_FALSE(open(0)->cmdDelete->isEnabled()) << "a new person has nothing to delete";
    confirm(w);
    EXPECT_TRUE(script->shown().isEmpty()) << "no last-chance question";
    EXPECT_EQ(students(), 0);
    EXPECT_EQ(logRows(), QStringList{QStringLiteral("Ann Lee|Delete Student|I")});
    EXPECT_EQ(value(QStringLiteral("SELECT LogTime FROM DeleteLog")).toString().size(),
              QStringLiteral("2026/01/01 10:00:00 AM").size());
    EXPECT_FALSE(isOpen(w));
    EXPECT_EQ(find->calls, QStringList{QStringLiteral("Load_Students")});
    EXPECT_EQ(duplicates->calls, QStringList{QStringLiteral("Load_Duplicates")});
    EXPECT_TRUE(search->searched());
}

TEST_F(StudentDeletionTest, BookingsGoAfterTheLastChanceAndPaymentsStay)
{
    const qint32 booking = addBooking(classId, student, QStringLiteral("Cancelled"));
    charge(booking, QStringLiteral("20"));
    const QString photo = frmStudentDetails::PersonPhotoFile(student);
    QDir().mkpath(QFileInfo(photo).path());
    QFile file(photo);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const qint32 other = addStudent(QStringLiteral("Bo"), QStringLiteral("Kim"));
    addBooking(classId, other);

    QPointer<frmStudentDetails> w = open(student);
    script->answer(ui::vbYes);
    confirm(w);
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown().first().title, QStringLiteral("Last chance"));
    EXPECT_EQ(script->shown().first().text,
              QStringLiteral("There are 1 bookings for this student. Deleting the student will "
                             "also delete these bookings.\r\n\r\nAre you sure you want to delete "
                             "the student?"));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings WHERE StudentID = %1").arg(student)), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings WHERE StudentID = %1").arg(other)), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Payments WHERE SID = %1").arg(student)), 1);
    EXPECT_FALSE(QFile::exists(photo));
    EXPECT_EQ(students(), 1);
    EXPECT_FALSE(isOpen(w));
}

TEST_F(StudentDeletionTest, AnsweringNoKeepsEverythingAndStillRefreshesTheSearch)
{
    ActionStandIn *find = standIn(QStringLiteral("frmFindStudent"));
    addBooking(classId, student);
    QPointer<frmStudentDetails> w = open(student);
    script->answer(ui::vbNo);
    confirm(w);
    EXPECT_EQ(students(), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings")), 1);
    EXPECT_TRUE(logRows().isEmpty());
    EXPECT_TRUE(isOpen(w));
    EXPECT_EQ(find->calls, QStringList{QStringLiteral("Load_Students")});
}

TEST_F(StudentDeletionTest, ABlockedWriteDeletesNothingAndSaysSo)
{
    addBooking(classId, student);
    block(QStringLiteral("Students"), QStringLiteral("DELETE"));
    QPointer<frmStudentDetails> w = open(student);
    script->answer(ui::vbYes).answer(ui::vbOK);
    confirm(w);
    ASSERT_EQ(script->shown().size(), 2);
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Delete Student"));
    EXPECT_TRUE(script->shown().last().text.startsWith(
        QStringLiteral("The student could not be deleted. Nothing was changed. (Err#")));
    EXPECT_EQ(students(), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Bookings")), 1) << "rolled back";
    EXPECT_TRUE(logRows().isEmpty());
    EXPECT_TRUE(isOpen(w));
}

TEST_F(StudentDeletionTest, AuthorisedByAnotherUserTheSignedInUserIsLogged)
{
    ActionStandIn *password = standIn(QStringLiteral("frmPassword"));
    Global::CurrentUserId = QStringLiteral("nobody");
    Global::LoadCurrentUserRights();
    QPointer<frmStudentDetails> first = open(student);
    QPointer<frmStudentDetails> second = open(student);
    first->cmdDelete_Click();
    EXPECT_EQ(password->calls,
              QStringList{QStringLiteral("LoadUp Delete Student %1").arg(student)});
    useraccess::RegisterAccessOperations();
    useraccess::AuthorisationRequest request;
    request.xf = first.data();
    request.strMode = QStringLiteral("Delete Student");
    request.strExtraInfo = QString::number(student);
    request.userId = QStringLiteral("i");
    useraccess::FindAuthorisedOperation(request.strMode)->action(request);
    confirmRequest(QStringLiteral("i"));
    Global::CurrentUserId = QStringLiteral("i");
    EXPECT_EQ(logRows(), QStringList{QStringLiteral("Ann Lee|Delete Student|NOBODY")});
    EXPECT_FALSE(isOpen(first));
    EXPECT_TRUE(isOpen(second)) << "the other window stays on the deleted student";
}

TEST_F(StudentDeletionTest, NamesAreLoggedAsTyped)
{
    const QString name = QStringLiteral("O'Brien \"Bo\" #1; <b>&amp;");
    EXPECT_TRUE(imodStudents::DeleteStudentRecord(student, name, QStringLiteral("ann"), {}));
    EXPECT_EQ(logRows(), QStringList{name + QStringLiteral("|Delete Student|ANN")});
    EXPECT_FALSE(imodStudents::DeleteStudentRecord(student, name, QStringLiteral("ann"), {}))
        << "gone already: nothing is logged";
    EXPECT_EQ(logRows().size(), 1);
}

TEST_F(StudentDeletionTest, DeletingTheSelectedBookingLogsItsClass)
{
    const qint32 booking = addBooking(classId, student);
    frmStudentDetails *w = open(student);
    pick(w, booking);
    w->DeleteStudentBooking(QStringLiteral("kim"));
    EXPECT_EQ(logRows(),
              QStringList{QStringLiteral("Ann Lee from Class #%1|Delete|KIM").arg(classId)});
    EXPECT_EQ(w->grd->rows(), 1);
    w->DeleteStudentBooking(QStringLiteral("kim")); // an empty grid: nothing written
    EXPECT_EQ(logRows().size(), 1);
}

#include "bookingactions_test.moc"
