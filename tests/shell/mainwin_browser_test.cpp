// The web browser window, the user guide, the program's own web addresses and the
// About window.
#include "mainwin_fixture.h"

#include "core/centresettings.h"
#include "platform/ui/forms.h"
#include "platform/ui/htmlview.h"
#include "shell/frmabout.h"
#include "shell/frmbrowser.h"
#include "shell/frmparent.h"
#include "shell/frmreportviewer.h"
#include "shell/makerpages.h"
#include "support/screenshot.h"

#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using ui::Forms;

// The centre name is URL-encoded: blanks, "&" and quotes cannot break the query.
TEST(MainWindowBrowser, MakersPagesEncodeTheCentreName)
{
    const QString home = shell::MakerHomePage();
    EXPECT_EQ(
        shell::BugReportAddress(QStringLiteral("6.6.9"), QStringLiteral("Tom & Jerry's Pool")),
        home +
            QStringLiteral(
                "support/bug_report_form.php?version=6.6.9&poolname=Tom%20%26%20Jerry%27s%20Pool"));
    EXPECT_EQ(
        shell::FeatureRequestAddress(QStringLiteral("1.0.0"), QStringLiteral("A=B#C")),
        home + QStringLiteral("support/feature_request_form.php?version=1.0.0&poolname=A%3DB%23C"));
    EXPECT_TRUE(QUrl(shell::BugReportAddress("1.0.0", "x")).isValid());
    EXPECT_EQ(shell::ProgramVersionText(), QStringLiteral("1.0.0"));
}

// Each browser window opens 150 twips right and 350 down of the one before.
TEST_F(MainWindowTest, BrowserWindowsCascade)
{
    frmParent *main = showMain();
    main->resize(1000, 700);
    auto *first = Forms::create<frmBrowser>();
    auto *second = Forms::create<frmBrowser>();
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->frame()->pos(), QPoint(0, 0));
    EXPECT_EQ(second->frame()->pos(), QPoint(10, 23));
    EXPECT_EQ(Global::NextBrowserLeft, 300);
    EXPECT_EQ(Global::NextBrowserTop, 700);
    EXPECT_EQ(first->caption(), QStringLiteral("Ovixian Web Browser"));
    EXPECT_EQ(first->Label1->text(),
              QStringLiteral("Ovixian is loading the page... Please Wait..."));

    Global::NextBrowserLeft = 32700;
    Forms::create<frmBrowser>();
    EXPECT_EQ(Global::NextBrowserLeft, 32700);
}

// Pages typed into the address box arrive, the caption follows the page title, and
// the address list holds each address once, the most recent first.
TEST_F(MainWindowTest, BrowserAddressListAndTitle)
{
    showMain();
    const QString a = dir.write(QStringLiteral("a.html"),
                                "<html><head><title>Page A</title></head><body>A</body></html>");
    const QString b = dir.write(QStringLiteral("b.html"),
                                "<html><head><title>Page B</title></head><body>B</body></html>");
    auto *browser = Forms::shared<frmBrowser>();
    QSignalSpy loaded(browser->brwWebBrowser, &ui::HtmlView::loadFinished);
    auto visit = [&](const QString &path) {
        const int before = int(loaded.count());
        browser->cboAddress->setEditText(path);
        QTest::keyClick(browser->cboAddress->lineEdit(), Qt::Key_Return);
        ASSERT_TRUE(loaded.count() > before || loaded.wait(20000)) << qPrintable(path);
        QTRY_VERIFY_WITH_TIMEOUT(!browser->timTimer->isActive(), 5000);
    };
    visit(a);
    visit(b);
    visit(a);
    QStringList list;
    for (int i = 0; i < browser->cboAddress->count(); ++i)
        list << QUrl(browser->cboAddress->itemText(i)).toLocalFile();
    EXPECT_EQ(list, QStringList({a, b}));
    EXPECT_EQ(browser->caption(), QStringLiteral("Page A - Ovix Browser"));
    EXPECT_EQ(browser->lblTitle->text(), QStringLiteral("Page A"));
    EXPECT_FALSE(browser->BusyBox->isVisible());
}

// The Help menu's guide is installed in the application data folder and shown in
// the browser window.
TEST_F(MainWindowTest, UserGuideIsInstalledAndShown)
{
    frmParent *main = showMain();
    main->menuAction(QStringLiteral("mnuHelpOVIXUserGuide"))->trigger();
    const QString guide = dir.path() + QStringLiteral("/home/Ovix_Manual.pdf");
    QFile f(guide);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
    EXPECT_GT(f.size(), 4000);
    auto *browser = qobject_cast<frmBrowser *>(Forms::find(QStringLiteral("frmBrowser")));
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(browser->brwWebBrowser->isShowingPdf(), 20000);
    browser->frame()->resize(700, 560);
    QTest::qWait(200);
    ovix::test::saveScreenshot(browser->frame(), QStringLiteral("frmBrowser-guide"));
}

TEST_F(MainWindowTest, AboutShowsNameAndVersion)
{
    EXPECT_EQ(frmAbout::HeadingFor(QStringLiteral("Swimx")), QStringLiteral("About Swimx"));
    EXPECT_EQ(frmAbout::HeadingFor(QStringLiteral("Swimmy")), QStringLiteral("Swimmy"));
    frmParent *main = showMain();
    main->menuAction(QStringLiteral("mnuHelpAbout"))->trigger();
    auto *about = qobject_cast<frmAbout *>(Forms::find(QStringLiteral("frmAbout")));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->caption(), QStringLiteral("About Ovixian"));
    EXPECT_EQ(about->HeadingLabel->text(), QStringLiteral("About Ovix"));
    EXPECT_EQ(about->lblVersion->text(), QStringLiteral("Version 1.0.0"));
    EXPECT_FALSE(about->Image1->pixmap().isNull());
    about->cmdOK->click();
    EXPECT_FALSE(about->isLoaded());
}

// The report viewer asks for a saved report; cancelled, it goes away.
TEST_F(MainWindowTest, ReportViewerOpensASavedReport)
{
    frmParent *main = showMain();
    const QString saved = dir.write(QStringLiteral("saved.htm"), "<html><body>Saved</body></html>");
    script->openFile(QString());
    main->menuAction(QStringLiteral("mnuReportView"))->trigger();
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Select the Report to Open..."));
    EXPECT_EQ(Forms::find(QStringLiteral("frmReportViewer")), nullptr);

    script->openFile(saved);
    main->menuAction(QStringLiteral("mnuReportView"))->trigger();
    auto *viewer = qobject_cast<frmReportViewer *>(Forms::find(QStringLiteral("frmReportViewer")));
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->ShownFile(), saved);
    EXPECT_TRUE(viewer->TempFile().isEmpty());
    viewer->unload();
    EXPECT_TRUE(QFile::exists(saved));
}
