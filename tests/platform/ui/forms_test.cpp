#include "platform/ui/callbyname.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/forms.h"
#include "platform/ui/mdihost.h"
#include "platform/ui/tag.h"
#include "platform/vb/error.h"
#include "support/screenshot.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

// A small record window: a hidden record ID in txtField[0], members reached by name.
class frmRecord : public ui::Form
{
    Q_OBJECT
public:
    frmRecord()
        : txtField("txtField")
        , chkField("chkField")
    {
        auto *layout = new QVBoxLayout(this);
        for (int i : {0, 1, 3}) {
            auto *edit = txtField.add(i, new QLineEdit(this));
            layout->addWidget(edit);
        }
        txtField[0]->setVisible(false);
        layout->addWidget(chkField.add(2, new QCheckBox(QStringLiteral("Active"), this)));
        setCaption(QStringLiteral("Student Record"));
    }

    ui::ControlArray<QLineEdit> txtField;
    ui::ControlArray<QCheckBox> chkField;

    QStringList steps;
    bool refuseQueryUnload = false;
    bool refuseUnload = false;
    QList<ui::CloseReason> reasons;

    Q_INVOKABLE void Load_Students() { steps << QStringLiteral("Load_Students"); }
    Q_INVOKABLE int AddUp(int a, int b) { return a + b; }
    Q_INVOKABLE QString Describe(const QString &what, double amount)
    {
        return what + QLatin1Char('=') + QString::number(amount);
    }
    Q_INVOKABLE QVariant Echo(const QVariant &v) { return v; }
    Q_INVOKABLE void Fail() { throw vb::Error(616); }
    Q_INVOKABLE QString CallerName(ui::Form *xf) { return xf ? xf->name() : QString(); }

protected:
    void onLoad() override { steps << QStringLiteral("load"); }
    void onActivate() override { steps << QStringLiteral("activate"); }
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override
    {
        steps << QStringLiteral("queryunload");
        reasons << reason;
        cancel = refuseQueryUnload;
    }
    void onUnload(ui::CloseReason reason, bool &cancel) override
    {
        steps << QStringLiteral("unload");
        reasons << reason;
        cancel = refuseUnload;
    }
};

class frmOther : public ui::Form
{
    Q_OBJECT
};

namespace {

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class FormsTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        ui::Forms::unloadAll(ui::CloseReason::Code);
        flushDeletes();
        ui::MdiHost::setArea(nullptr);
    }
};

frmRecord *openRecord(const QString &id)
{
    auto *f = ui::Forms::create<frmRecord>();
    f->txtField[0]->setText(id);
    return f;
}

} // namespace

TEST_F(FormsTest, RegistryFindsWindowsByNameAndRecordIdInLoadOrder)
{
    auto *a = openRecord("12");
    auto *other = ui::Forms::create<frmOther>();
    auto *b = openRecord("34");
    other->setObjectName("frmRenamed");

    EXPECT_EQ(ui::Forms::all(), (QList<ui::Form *>{a, other, b}));
    EXPECT_EQ(a->name(), "frmRecord");
    EXPECT_EQ(ui::Forms::find("frmRecord"), a);
    EXPECT_EQ(ui::Forms::find("frmRenamed"), other);
    EXPECT_EQ(ui::Forms::find("frmOther"), nullptr);
    EXPECT_EQ(ui::Forms::find("FRMRECORD"), nullptr); // names match exactly
    EXPECT_EQ(ui::Forms::findByRecord("frmRecord", "34"), b);
    EXPECT_EQ(ui::Forms::findByRecord("frmRecord", "12"), a);
    EXPECT_EQ(ui::Forms::findByRecord("frmRecord", "99"), nullptr);
    EXPECT_EQ(ui::Forms::findByRecord("frmRenamed", ""), other); // no txtField: empty ID
}

TEST_F(FormsTest, ShowsOffscreenAndUnloadsOutOfTheRegistry)
{
    auto *f = openRecord("7");
    f->txtField[1]->setText("Jane");
    f->showForm();
    EXPECT_TRUE(f->isVisible());
    ovix::test::saveScreenshot(f, "ui-form-record");
    QPointer<frmRecord> watch(f);

    EXPECT_TRUE(f->unload());
    EXPECT_EQ(f->steps, (QStringList{"load", "queryunload", "unload"}));
    EXPECT_EQ(f->reasons, (QList<ui::CloseReason>{ui::CloseReason::Code, ui::CloseReason::Code}));
    EXPECT_EQ(ui::Forms::findByRecord("frmRecord", "7"), nullptr);
    EXPECT_EQ(ui::Forms::count(), 0);
    flushDeletes();
    EXPECT_TRUE(watch.isNull());
}

TEST_F(FormsTest, EitherStepCanRefuseTheUnload)
{
    auto *f = openRecord("1");
    f->refuseQueryUnload = true;
    EXPECT_FALSE(f->unload(ui::CloseReason::Code));
    f->refuseQueryUnload = false;
    f->refuseUnload = true;
    EXPECT_FALSE(f->unload(ui::CloseReason::Code));
    EXPECT_EQ(ui::Forms::find("frmRecord"), f);
    flushDeletes();
    EXPECT_EQ(f->steps, (QStringList{"load", "queryunload", "queryunload", "unload"}));
    f->refuseUnload = false;
}

TEST_F(FormsTest, TheCloseBoxUnloadsWithItsReasonUnlessRefused)
{
    auto *f = openRecord("5");
    f->showForm();
    f->refuseQueryUnload = true;
    EXPECT_FALSE(f->close());
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->reasons.last(), ui::CloseReason::ControlMenu);
    f->refuseQueryUnload = false;
    QPointer<frmRecord> watch(f);
    EXPECT_TRUE(f->close());
    EXPECT_EQ(ui::Forms::count(), 0);
    flushDeletes();
    EXPECT_TRUE(watch.isNull());
}

TEST_F(FormsTest, SharedInstanceIsMadeOnFirstUseAndAgainAfterUnload)
{
    auto *first = ui::Forms::shared<frmRecord>();
    EXPECT_EQ(ui::Forms::shared<frmRecord>(), first);
    auto *extra = ui::Forms::create<frmRecord>(); // a new instance beside the shared one
    EXPECT_NE(extra, first);
    EXPECT_EQ(ui::Forms::shared<frmRecord>(), first);
    EXPECT_EQ(first->steps, QStringList{"load"});

    QPointer<frmRecord> old(first);
    ASSERT_TRUE(first->unload());
    flushDeletes();
    EXPECT_TRUE(old.isNull());
    auto *second = ui::Forms::shared<frmRecord>();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->steps, QStringList{"load"});
    EXPECT_EQ(ui::Forms::all(), (QList<ui::Form *>{extra, second}));
}

TEST_F(FormsTest, UnloadByNameCountsTheWindowsThatWent)
{
    auto *a = openRecord("1");
    openRecord("2");
    auto *other = ui::Forms::create<frmOther>();
    a->refuseUnload = true;
    EXPECT_EQ(ui::Forms::unloadByName("frmRecord"), 1);
    EXPECT_EQ(ui::Forms::all(), (QList<ui::Form *>{a, other}));
    a->refuseUnload = false;
    EXPECT_EQ(ui::Forms::unloadByName("frmrecord"), 0);
    EXPECT_EQ(ui::Forms::unloadByName("frmRecord"), 1);
    EXPECT_EQ(ui::Forms::all(), QList<ui::Form *>{other});
}

TEST_F(FormsTest, UnloadAllGivesEveryWindowTheReasonAndStopsAtARefusal)
{
    auto *a = openRecord("1");
    auto *b = openRecord("2");
    auto *c = openRecord("3");
    b->refuseQueryUnload = true;
    EXPECT_FALSE(ui::Forms::unloadAll(ui::CloseReason::MdiForm));
    EXPECT_EQ(ui::Forms::all(), (QList<ui::Form *>{a, b})); // the last loaded went first
    EXPECT_EQ(c->reasons.first(), ui::CloseReason::MdiForm);
    EXPECT_TRUE(a->steps.endsWith("load")); // not asked
    b->refuseQueryUnload = false;
    EXPECT_TRUE(ui::Forms::unloadAll(ui::CloseReason::MdiForm));
    EXPECT_EQ(ui::Forms::count(), 0);
}

TEST_F(FormsTest, MdiChildrenShowInTheAreaOthersOnTheirOwn)
{
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    ui::MdiHost::setArea(&area);

    auto *child = openRecord("1");
    child->showForm();
    ASSERT_EQ(area.subWindowList().size(), 1);
    EXPECT_EQ(area.subWindowList().first()->widget(), child);
    EXPECT_EQ(child->frame(), area.subWindowList().first());
    EXPECT_EQ(area.subWindowList().first()->windowTitle(), "Student Record");
    EXPECT_TRUE(child->steps.contains("activate"));
    child->showForm(); // shown again: the same subwindow
    EXPECT_EQ(area.subWindowList().size(), 1);

    auto *own = ui::Forms::create<frmOther>();
    own->setMdiChild(false);
    own->showForm();
    EXPECT_TRUE(own->isWindow());
    EXPECT_EQ(area.subWindowList().size(), 1);

    // Closing the subwindow by its close box unloads the window inside.
    area.subWindowList().first()->close();
    EXPECT_EQ(ui::Forms::find("frmRecord"), nullptr);
    EXPECT_EQ(child->reasons.first(), ui::CloseReason::ControlMenu);
    flushDeletes();
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(FormsTest, CallsMembersByNameWithConvertedArguments)
{
    auto *f = openRecord("1");
    EXPECT_FALSE(ui::callByName(f, "Load_Students").isValid());
    EXPECT_TRUE(f->steps.contains("Load_Students"));
    EXPECT_EQ(ui::callByName(f, "load_students", {}).isValid(), false); // any case
    EXPECT_EQ(ui::callByName(f, "AddUp", {2, QString("40")}).toInt(), 42);
    EXPECT_EQ(ui::callByName(f, "Describe", {"fee", QString("12.5")}).toString(), "fee=12.5");
    EXPECT_EQ(ui::callByName(f, "Echo", {QVariant()}), QVariant());
    EXPECT_EQ(ui::callByName(f, "Echo", {7}), QVariant(7));
    // The calling window is handed over as an object.
    auto *caller = ui::Forms::create<frmOther>();
    EXPECT_EQ(ui::callByName(f, "CallerName", {QVariant::fromValue<QObject *>(caller)}).toString(),
              "frmOther");
}

TEST_F(FormsTest, CallByNameRaisesTheRuntimeErrors)
{
    auto *f = openRecord("1");
    const struct
    {
        QObject *target;
        const char *member;
        QVariantList args;
        long error;
    } cases[] = {
        {f, "NoSuchMember", {}, 438},   {f, "steps", {}, 438}, // a data member is not reachable
        {f, "AddUp", {1}, 450},                                // wrong number of arguments
        {f, "AddUp", {1, "x"}, 13},                            // not a number
        {f, "Fail", {}, 616}, // the member's own error passes through
        {nullptr, "AddUp", {1, 2}, 91},
    };
    for (const auto &c : cases) {
        try {
            ui::callByName(c.target, c.member, c.args);
            ADD_FAILURE() << c.member << ": no error";
        } catch (const vb::Error &e) {
            EXPECT_EQ(e.number(), c.error) << c.member;
        }
    }
}

TEST_F(FormsTest, ControlArraysAllowGapsAndCarryTags)
{
    frmRecord f;
    EXPECT_EQ(f.txtField.indexes(), (QList<int>{0, 1, 3}));
    EXPECT_EQ(f.txtField.count(), 3);
    EXPECT_EQ(f.txtField.lbound(), 0);
    EXPECT_EQ(f.txtField.ubound(), 3);
    EXPECT_FALSE(f.txtField.contains(2));
    try {
        f.txtField[2];
        ADD_FAILURE() << "no error for a gap";
    } catch (const vb::Error &e) {
        EXPECT_EQ(e.number(), 340);
    }
    // Walking the window's children finds the members of the array by name and index.
    QList<int> found;
    for (QLineEdit *e : f.findChildren<QLineEdit *>("txtField"))
        found << ui::controlIndex(e);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (QList<int>{0, 1, 3}));
    EXPECT_EQ(ui::controlIndex(&f), -1);

    ui::setTag(f.txtField[1], "AreaName/E");
    EXPECT_EQ(ui::tag(f.txtField[1]), "AreaName/E");
    EXPECT_EQ(ui::tag(f.txtField[3]), "");
    f.txtField[0]->setText("44");
    EXPECT_EQ(f.recordId(), "44");
}

#include "forms_test.moc"
