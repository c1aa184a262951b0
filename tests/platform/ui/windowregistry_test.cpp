#include "platform/ui/form.h"
#include "platform/ui/forms.h"
#include "platform/ui/windowregistry.h"

#include <gtest/gtest.h>

namespace {

class frmNamed : public ui::Form
{
};

TEST(WindowRegistry, LoadsOnceCreatesEachTimeAndForgetsAnEmptyMaker)
{
    int made = 0;
    ui::RegisterWindow("frmNamed", [&]() -> ui::Form * {
        ++made;
        auto *f = new frmNamed;
        f->setObjectName("frmNamed");
        return f;
    });
    EXPECT_TRUE(shell::IsWindowRegistered("frmNamed"));
    ui::Form *a = ui::LoadWindowByName("frmNamed");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(ui::LoadWindowByName("frmNamed"), a) << "a loaded window is reused";
    ui::Form *b = ui::CreateWindowByName("frmNamed");
    EXPECT_NE(b, a);
    EXPECT_EQ(made, 2);
    b->unload();
    a->unload();

    ui::RegisterWindow("frmNamed", {});
    EXPECT_FALSE(ui::IsWindowRegistered("frmNamed"));
    EXPECT_EQ(ui::LoadWindowByName("frmNamed"), nullptr);
    EXPECT_EQ(ui::CreateWindowByName("frmNamed"), nullptr);
}

TEST(WindowRegistry, ProceduresRunByNameWithTheirArguments)
{
    EXPECT_FALSE(ui::IsProcedureRegistered("ShowThing"));
    EXPECT_FALSE(ui::CallProcedure("ShowThing", {1}).isValid()) << "nothing runs without an owner";

    ui::RegisterProcedure("ShowThing", [](const QVariantList &args) {
        return QVariant(args.value(0).toInt() + args.value(1).toInt());
    });
    EXPECT_TRUE(ui::IsProcedureRegistered("ShowThing"));
    EXPECT_EQ(ui::CallProcedure("ShowThing", {40, 2}).toInt(), 42);

    // A procedure that removes itself while it runs still finishes.
    ui::RegisterProcedure("Once", [](const QVariantList &) {
        ui::RegisterProcedure("Once", {});
        return QVariant(QStringLiteral("done"));
    });
    EXPECT_EQ(ui::CallProcedure("Once").toString(), "done");
    EXPECT_FALSE(ui::IsProcedureRegistered("Once"));

    ui::RegisterProcedure("ShowThing", {});
    EXPECT_FALSE(ui::IsProcedureRegistered("ShowThing"));
}

} // namespace
