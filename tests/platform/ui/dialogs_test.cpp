#include "platform/ui/dialogs.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/filefilter.h"

#include <gtest/gtest.h>

using namespace ui;

TEST(DialogScript, AnswersMessageBoxesAndRecordsWhatTheyShowed)
{
    DialogScript script;
    script.answer(vbNo).answer(vbOK);

    EXPECT_EQ(Dialogs::msgBox("Do you still want to load the data file?",
                              vbYesNo + vbCritical + vbDefaultButton2, "Backup May Be In Progress"),
              vbNo);
    EXPECT_EQ(Dialogs::msgBox("Done"), vbOK);

    ASSERT_EQ(script.shown().size(), 2);
    const ShownDialog &box = script.shown().first();
    EXPECT_EQ(box.kind, DialogKind::MessageBox);
    EXPECT_EQ(box.title, "Backup May Be In Progress");
    EXPECT_EQ(box.text, "Do you still want to load the data file?");
    EXPECT_EQ(box.buttons, vbYesNo);
    EXPECT_EQ(box.icon, vbCritical);
    EXPECT_EQ(box.defaultButton, 2);
    EXPECT_EQ(box.answer.toInt(), vbNo);
    // Without a title the box is titled with the application's name.
    EXPECT_EQ(script.shown().at(1).title, QCoreApplication::applicationName());
    EXPECT_EQ(script.shown().at(1).icon, 0);
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(script.failures().isEmpty());
}

TEST(DialogScript, UnexpectedBoxesFailInsteadOfBlocking)
{
    DialogScript script;
    // Nothing queued.
    EXPECT_THROW(Dialogs::msgBox("Oops", vbExclamation, "Oops!"), UnexpectedDialog);
    // An answer the buttons do not offer.
    script.answer(vbYes);
    EXPECT_THROW(Dialogs::msgBox("Saved", vbOKOnly, "Yay!"), UnexpectedDialog);
    // An answer queued for another kind of box.
    script.openFile("/tmp/x.mdb");
    EXPECT_THROW(Dialogs::inputBox("Name?"), UnexpectedDialog);

    ASSERT_EQ(script.failures().size(), 3);
    EXPECT_TRUE(script.failures().at(0).contains("Oops!"));
    EXPECT_EQ(script.shown().size(), 3);
    EXPECT_FALSE(script.shown().at(1).answer.isValid());
}

TEST(DialogScript, RecordModeAnswersUnexpectedBoxesAsCancelled)
{
    DialogScript script(DialogScript::Mode::Record);
    EXPECT_EQ(Dialogs::msgBox("Save?", vbYesNoCancel), vbCancel);
    EXPECT_EQ(Dialogs::msgBox("Sure?", vbYesNo), vbNo);
    EXPECT_EQ(Dialogs::msgBox("Retry?", vbAbortRetryIgnore), vbIgnore);
    EXPECT_EQ(Dialogs::msgBox("Note"), vbOK);
    EXPECT_EQ(Dialogs::openFile("Open", "All|*.*"), "");
    EXPECT_EQ(script.failures().size(), 5);
    EXPECT_EQ(script.shown().size(), 5);
}

TEST(DialogScript, WithoutAScriptTheOffscreenPlatformRefusesToShowABox)
{
    ASSERT_EQ(DialogScript::active(), nullptr);
    EXPECT_THROW(Dialogs::msgBox("Hello"), UnexpectedDialog);
    EXPECT_THROW(Dialogs::openFile("Open", "All|*.*"), UnexpectedDialog);
}

TEST(DialogScript, ScriptsNest)
{
    DialogScript outer;
    outer.answer(vbOK);
    {
        DialogScript inner;
        inner.answer(vbCancel);
        EXPECT_EQ(Dialogs::msgBox("inner", vbOKCancel), vbCancel);
    }
    EXPECT_EQ(DialogScript::active(), &outer);
    EXPECT_EQ(Dialogs::msgBox("outer"), vbOK);
}

TEST(DialogScript, FileFolderInputAndPrinterDialogsTakeTheirAnswers)
{
    DialogScript script;
    script.openFile("/data/swim.mdb")
        .saveFile("")
        .folder("/backups")
        .input("Smith")
        .input(QString())
        .printer("Office Laser");

    EXPECT_EQ(Dialogs::openFile("Locate Data File", "Ovix Data Files (*.MDB)|*.mdb", "/data"),
              "/data/swim.mdb");
    EXPECT_EQ(Dialogs::saveFile("Save As", "CSV|*.csv"), ""); // cancelled
    EXPECT_EQ(Dialogs::chooseFolder("Backup folder"), "/backups");
    EXPECT_EQ(Dialogs::inputBox("Last name?", "Find", "S"), "Smith");
    EXPECT_EQ(Dialogs::inputBox("Last name?"), "");
    EXPECT_EQ(Dialogs::choosePrinter("Print"), "Office Laser");

    const ShownDialog &open = script.shown().at(0);
    EXPECT_EQ(open.kind, DialogKind::OpenFile);
    EXPECT_EQ(open.title, "Locate Data File");
    EXPECT_EQ(open.filter, "Ovix Data Files (*.MDB)|*.mdb");
    EXPECT_EQ(open.initial, "/data");
    EXPECT_EQ(script.shown().at(3).initial, "S");
    EXPECT_EQ(script.shown().at(5).kind, DialogKind::Printer);
    EXPECT_TRUE(script.failures().isEmpty());
}

TEST(FileFilter, ParsesPairsAndMatchesWithoutRegardToCase)
{
    const auto filters =
        FileFilter::parse("Ovix Data Files (*.MDB)|*.mdb|Pictures|*.jpg;*.JPEG; *.bmp|All|*.*|Odd");
    ASSERT_EQ(filters.size(), 3);
    EXPECT_EQ(filters[0].description, "Ovix Data Files (*.MDB)");
    EXPECT_EQ(filters[1].patterns, (QStringList{"*.jpg", "*.JPEG", "*.bmp"}));

    const struct
    {
        int filter;
        const char *file;
        bool matches;
    } cases[] = {
        {0, "swim.mdb", true},      {0, "/home/x/SWIM.MDB", true}, {0, "swim.Mdb", true},
        {0, "swim.mdb.bak", false}, {0, "swimmdb", false},         {1, "photo.jpeg", true},
        {1, "photo.BMP", true},     {1, "photo.gif", false},       {2, "README", true},
        {2, "a.b", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(filters[c.filter].matches(c.file), c.matches) << c.file;

    EXPECT_EQ(filters[0].toQtFilter(), "Ovix Data Files (*.MDB) (*.[mM][dD][bB])");
    EXPECT_EQ(filters[2].toQtFilter(), "All (*)");
}
