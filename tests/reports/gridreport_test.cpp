#include "core/centresettings.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/forms.h"
#include "platform/vb/error.h"
#include "reports/gridreport.h"
#include "shell/frmreportviewer.h"
#include "support/tempdir.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class GridReport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Global::CentreSettings().setDataFilesDirectory(dir.path());
        Global::CentreSettings().setApplicationName(QStringLiteral("Ovixian"));
        // Level | Secret (hidden) | Mon | Total, one level row and a totals row.
        grid.setFixedCols(0);
        grid.setCols(4);
        grid.setRows(1);
        const QStringList headings = {"Level", "Secret", "Mon", "Total"};
        for (int c = 0; c < headings.size(); ++c)
            grid.setTextMatrix(0, c, headings[c]);
        grid.setColWidth(1, 0);
        grid.addItem(QStringLiteral("<b>Tom</b> & Co\thidden value\t3\t3"));
        grid.addItem(QStringLiteral("\t\t3\t3"));
    }
    void TearDown() override
    {
        ui::Forms::unloadAll(ui::CloseReason::Code);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Global::CentreSettings().setDataFilesDirectory({});
        Global::CentreSettings().setApplicationName({});
    }

    static frmReportViewer *viewer()
    {
        return qobject_cast<frmReportViewer *>(ui::Forms::find(QStringLiteral("frmReportViewer")));
    }

    ovix::test::TempDir dir;
    ui::FlexGrid grid;
};

TEST_F(GridReport, WritesThePageAndTheViewerDeletesItWhenItCloses)
{
    Global::ShowGridAsHtmlReport(&grid, QStringLiteral("Number Enrolled"),
                                 QStringLiteral("<b>Program: </b>Term &amp; 1"));
    frmReportViewer *shown = viewer();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    const QString path = shown->TempFile();
    EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    file.close();

    EXPECT_TRUE(html.contains(QStringLiteral("<title>Number Enrolled</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<b>Number Enrolled</b>")));
    // The sub-heading is HTML already and goes in as it stands.
    EXPECT_TRUE(html.contains(QStringLiteral("\r\n<b>Program: </b>Term &amp; 1\r\n")));
    // The visible columns in grid order, cell text escaped; the hidden column nowhere.
    const qsizetype level = html.indexOf(QStringLiteral("Level"));
    const qsizetype mon = html.indexOf(QStringLiteral("Mon"));
    const qsizetype total = html.indexOf(QStringLiteral("Total"));
    EXPECT_TRUE(level >= 0 && level < mon && mon < total);
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;b&gt;Tom&lt;/b&gt; &amp; Co")));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>Tom</b>")));
    EXPECT_FALSE(html.contains(QStringLiteral("Secret")));
    EXPECT_FALSE(html.contains(QStringLiteral("hidden value")));
    EXPECT_EQ(html.count(QStringLiteral("<tr>")), 3);
    EXPECT_TRUE(html.contains(QStringLiteral("width: 100%")));
    EXPECT_TRUE(html.contains(QStringLiteral("#C0C0C0")));
    EXPECT_TRUE(html.contains(QStringLiteral("Printed by Ovixian at ")));

    ASSERT_TRUE(shown->unload());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(GridReport, AFolderThatCannotBeWrittenRaisesAndShowsNothing)
{
    Global::CentreSettings().setDataFilesDirectory(dir.file(QStringLiteral("missing")));
    try {
        Global::ShowGridAsHtmlReport(&grid, QStringLiteral("Number Enrolled"), QString());
        FAIL() << "no error raised";
    } catch (const vb::Error &e) {
        EXPECT_EQ(e.number(), 75);
    }
    EXPECT_EQ(viewer(), nullptr);
}

} // namespace
