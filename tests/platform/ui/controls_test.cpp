#include "platform/ui/color.h"
#include "platform/ui/comboitemdata.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/timer.h"
#include "platform/ui/tree.h"
#include "platform/ui/twips.h"
#include "platform/vb/error.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(Colors, ColourNumbersAreBgrAndSystemColoursComeFromThePalette)
{
    const struct
    {
        long long number;
        QColor color;
    } cases[] = {
        {16777215, QColor(255, 255, 255)}, {8454016, QColor(128, 255, 128)},
        {8421631, QColor(255, 128, 128)},  {12583104, QColor(192, 0, 192)},
        {65535, QColor(255, 255, 0)},      {16777088, QColor(128, 255, 255)},
        {192, QColor(192, 0, 0)},          {0, QColor(0, 0, 0)},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ui::fromVbColor(c.number), c.color) << c.number;
        EXPECT_EQ(ui::toVbColor(c.color), c.number);
    }
    const QPalette p = QApplication::palette();
    EXPECT_EQ(ui::fromVbColor(0x80000005), p.color(QPalette::Base));
    EXPECT_EQ(ui::fromVbColor(0x8000000F), p.color(QPalette::Button));
    EXPECT_EQ(ui::fromVbColor(0x80000008), p.color(QPalette::Text));
    // The runtime writes system colours as negative 32-bit numbers too.
    EXPECT_EQ(ui::fromVbColor(-2147483643), p.color(QPalette::Base));
}

TEST(Twips, FifteenToAPixel)
{
    EXPECT_EQ(ui::twipsToPixels(1500), 100);
    EXPECT_EQ(ui::twipsToPixels(375), 25);
    EXPECT_EQ(ui::twipsToPixels(7), 0);
    EXPECT_EQ(ui::twipsToPixels(8), 1);
    EXPECT_EQ(ui::pixelsToTwips(25), 375);
}

TEST(Hourglass, ShowsUntilResetHoweverOftenShown)
{
    ui::Hourglass::show();
    ui::Hourglass::show();
    EXPECT_TRUE(ui::Hourglass::isShown());
    ui::Hourglass::reset();
    EXPECT_FALSE(ui::Hourglass::isShown());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    {
        ui::Hourglass busy;
        EXPECT_TRUE(ui::Hourglass::isShown());
    }
    EXPECT_FALSE(ui::Hourglass::isShown());
}

TEST(SimpleCombo, SortedListFollowsTheTypedTextWhichStaysAsTyped)
{
    ui::SimpleCombo combo;
    for (const char *name :
         {"Smith, Ann (SID#3)", "adams, Bo (SID#9)", "Brown, Cy (SID#4)", "Smithers, Di (SID#5)"})
        combo.addItem(name, QString(name).section('#', 1).chopped(1).toLong());
    EXPECT_EQ(combo.list(0), "adams, Bo (SID#9)");
    EXPECT_EQ(combo.list(3), "Smithers, Di (SID#5)");
    EXPECT_EQ(combo.itemData(1), 4);

    const struct
    {
        const char *typed;
        int marked; // the list's current row
        int listIndex;
    } cases[] = {
        {"smi", 2, -1},
        {"Smithe", 3, -1},
        {"B", 1, -1},
        {"Zed", -1, -1}, // no match: nothing marked, the text is kept
        {"brown, cy (sid#4)", 1, 1},
    };
    combo.show();
    for (const auto &c : cases) {
        combo.lineEdit()->clear();
        QTest::keyClicks(combo.lineEdit(), c.typed);
        EXPECT_EQ(combo.text(), c.typed);
        EXPECT_EQ(combo.listWidget()->currentRow(), c.marked) << c.typed;
        EXPECT_EQ(combo.listIndex(), c.listIndex) << c.typed;
    }

    QSignalSpy clicks(&combo, &ui::SimpleCombo::click);
    QListWidget *list = combo.listWidget();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(3)).center());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(combo.text(), "Smithers, Di (SID#5)");
    EXPECT_EQ(combo.listIndex(), 3);
    combo.setListIndex(-1);
    EXPECT_EQ(combo.text(), "");
}

TEST(SimpleCombo, ManyItemsTakeOneSortAndAnAddedItemTellsWhereItWent)
{
    ui::SimpleCombo combo;
    combo.addItems({{"smith, Bo", 2}, {"Adams, Al", 1}, {"Smith, Bo", 3}, {"brown, Cy", 4}});
    ASSERT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.list(0), "Adams, Al");
    EXPECT_EQ(combo.list(1), "brown, Cy");
    // Equal texts (without regard to case) keep the order they came in.
    EXPECT_EQ(combo.itemData(2), 2);
    EXPECT_EQ(combo.itemData(3), 3);
    EXPECT_EQ(combo.addItem("Baker, Di", 5), 1);
    EXPECT_EQ(combo.addItem("Zane, Ed", 6), 5);
    EXPECT_EQ(combo.itemData(1), 5);
    // A batch added to a filled list sorts in with it.
    combo.addItems({{"Able, Fi", 7}, {"Cole, Gus", 8}});
    EXPECT_EQ(combo.list(0), "Able, Fi");
    EXPECT_EQ(combo.list(4), "Cole, Gus");
}

TEST(ComboItemData, NumbersKeptBesideItems)
{
    QComboBox combo;
    ui::addComboItem(&combo, "Cash", 3);
    ui::addComboItem(&combo, "Cheque", 7);
    combo.addItem("Other");
    EXPECT_EQ(ui::comboItemData(&combo, 1), 7);
    EXPECT_EQ(ui::comboItemData(&combo, 2), 0);
    ui::setComboItemData(&combo, 2, 11);
    EXPECT_EQ(ui::findComboItemData(&combo, 11), 2);
    EXPECT_EQ(ui::findComboItemData(&combo, 99), -1);
    try {
        ui::comboItemData(&combo, 3);
        ADD_FAILURE() << "no error";
    } catch (const vb::Error &e) {
        EXPECT_EQ(e.number(), 381);
    }
}

TEST(DatePicker, CustomFormatsAndTheEmptyState)
{
    const struct
    {
        const char *custom;
        const char *qt;
        const char *shown;
    } cases[] = {
        {"dd-MMM-yyyy", "dd-MMM-yyyy", "05-Mar-2024"},
        {"dddd, d MMMM yyyy", "dddd, d MMMM yyyy", "Tuesday, 5 March 2024"},
        {"d/MM/yy", "d/MM/yy", "5/03/24"},
        {"h:mm tt", "h:mm AP", "9:30 AM"},
        {"'Week of' d MMM", "'Week of' d MMM", "Week of 5 Mar"},
    };
    QLocale::setDefault(QLocale(QLocale::English, QLocale::Australia));
    for (const auto &c : cases) {
        ui::DatePicker picker;
        picker.dateEdit()->setLocale(QLocale(QLocale::English, QLocale::Australia));
        picker.setCustomFormat(c.custom);
        EXPECT_EQ(ui::DatePicker::toQtFormat(c.custom), c.qt);
        picker.setValue(QDateTime(QDate(2024, 3, 5), QTime(9, 30)));
        EXPECT_EQ(picker.dateEdit()->text(), c.shown) << c.custom;
    }

    ui::DatePicker clock;
    clock.setCustomFormat("hh:mm");
    clock.setValue(QTime(17, 45));
    EXPECT_EQ(clock.value(), QVariant(QDateTime(QDate(1899, 12, 30), QTime(17, 45))));

    ui::DatePicker picker;
    picker.setDate(QDate(2024, 3, 5));
    picker.setValue(QVariant()); // no check box: no empty state
    EXPECT_EQ(picker.value(), QVariant(QDate(2024, 3, 5)));
    picker.setCheckBox(true);
    picker.setValue(QVariant());
    EXPECT_TRUE(picker.isEmpty());
    EXPECT_FALSE(picker.value().isValid());
    picker.setDate(QDate(2025, 1, 2));
    EXPECT_FALSE(picker.isEmpty());
    EXPECT_EQ(picker.value(), QVariant(QDate(2025, 1, 2)));
}

TEST(Tree, NodesByKey)
{
    ui::Tree tree;
    tree.addNode("", "lists", "Lists");
    tree.addNode("lists", "rpt:12", "Class list");
    auto *money = tree.addNode("", "money", "Money");
    EXPECT_EQ(tree.node("rpt:12")->parent(), tree.node("lists"));
    EXPECT_EQ(ui::Tree::key(money), "money");
    tree.setCurrentItem(tree.node("rpt:12"));
    EXPECT_EQ(tree.selectedKey(), "rpt:12");
    EXPECT_THROW(tree.addNode("", "money", "again"), vb::Error);
    EXPECT_THROW(tree.addNode("nowhere", "x", "x"), vb::Error);
    delete tree.node("lists");
    EXPECT_EQ(tree.node("rpt:12"), nullptr);
    tree.clear();
    EXPECT_EQ(tree.node("money"), nullptr);
}

TEST(Timer, FiresWhileEnabledWithAnInterval)
{
    ui::Timer timer(nullptr, 5);
    QSignalSpy fired(&timer, &ui::Timer::timer);
    EXPECT_FALSE(timer.isEnabled());
    timer.setEnabled(true);
    EXPECT_TRUE(fired.wait(2000));
    timer.setEnabled(false);
    const int n = fired.count();
    QCoreApplication::processEvents();
    EXPECT_EQ(fired.count(), n);
}
