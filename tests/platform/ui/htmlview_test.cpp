#include "platform/ui/htmlview.h"
#include "platform/ui/printers.h"
#include "platform/vb/error.h"
#include "support/screenshot.h"
#include "support/tempdir.h"

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QPrinter>
#include <QSignalSpy>
#include <QWebEngineView>
#include <gtest/gtest.h>

namespace {

bool loadAndWait(ui::HtmlView &view, const QString &path)
{
    QSignalSpy finished(&view, &ui::HtmlView::loadFinished);
    view.navigate(path);
    if (finished.isEmpty() && !finished.wait(30000))
        return false;
    return finished.first().first().toBool();
}

} // namespace

// One WebEngine test: local documents show with JavaScript off, history works, a
// PDF file shows in the PDF pane.
TEST(HtmlView, ShowsLocalDocumentsWithoutScriptsAndPdfFiles)
{
    ovix::test::TempDir dir;
    const QString first = dir.write(
        "first.htm", "<html><head><title>Class List</title></head><body>"
                     "<script>document.title = 'scripted';</script><p>Hi</p></body></html>");
    const QString second =
        dir.write("second.htm", "<html><head><title>Second</title></head><body></body></html>");
    const QString pdf = dir.file("manual.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setTitle("User Guide");
        QPainter p(&writer);
        p.drawText(100, 100, "Manual");
    }

    ui::HtmlView view;
    view.resize(400, 300);
    view.show();
    QSignalSpy busy(&view, &ui::HtmlView::busyChanged);
    ASSERT_TRUE(loadAndWait(view, first));
    EXPECT_EQ(view.title(), "Class List"); // the script did not run
    EXPECT_EQ(view.url(), QUrl::fromLocalFile(first));
    EXPECT_FALSE(view.isBusy());
    EXPECT_GE(busy.count(), 2);
    ovix::test::saveScreenshot(&view, "ui-htmlview");

    ASSERT_TRUE(loadAndWait(view, second));
    EXPECT_EQ(view.title(), "Second");
    EXPECT_TRUE(view.canGoBack());
    {
        const QString savedPage = dir.file("saved.htm");
        QSignalSpy saved(&view, &ui::HtmlView::saveFinished);
        view.save(savedPage);
        ASSERT_TRUE(saved.wait(30000));
        EXPECT_TRUE(saved.first().first().toBool());
        QFile f(savedPage);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.readAll().contains("<title>Second</title>"));
    }

    ASSERT_TRUE(loadAndWait(view, pdf));
    EXPECT_TRUE(view.isShowingPdf());
    EXPECT_EQ(view.pdfDocument()->pageCount(), 1);
    EXPECT_EQ(view.title(), "User Guide");
    EXPECT_EQ(view.url(), QUrl::fromLocalFile(pdf));
    const QString copy = dir.file("copy.pdf");
    QSignalSpy saved(&view, &ui::HtmlView::saveFinished);
    view.save(copy);
    ASSERT_EQ(saved.count(), 1);
    EXPECT_TRUE(saved.first().first().toBool());
    EXPECT_TRUE(QFile::exists(copy));

    view.goBack(); // from the PDF back to the page before it
    EXPECT_FALSE(view.isShowingPdf());
    EXPECT_EQ(view.title(), "Second");

    QSignalSpy back(&view, &ui::HtmlView::loadFinished);
    view.goBack();
    ASSERT_TRUE(back.wait(30000));
    EXPECT_EQ(view.title(), "Class List");
    EXPECT_TRUE(view.canGoForward());
}

TEST(Printers, WithoutPrintersPrintingRaisesError484)
{
    if (!ui::Printers::names().isEmpty())
        GTEST_SKIP() << "this machine has printers";
    EXPECT_EQ(ui::Printers::currentName(), "");
    EXPECT_FALSE(ui::Printers::setCurrent("Office Laser"));
    QLabel label("Print me");
    for (const QString &name : {QString(), QStringLiteral("Office Laser")}) {
        try {
            ui::Printers::printWidget(&label, name);
            ADD_FAILURE() << "no error";
        } catch (const vb::Error &e) {
            EXPECT_EQ(e.number(), 484);
        }
    }
    ui::HtmlView view;
    try {
        view.print();
        ADD_FAILURE() << "no error";
    } catch (const vb::Error &e) {
        EXPECT_EQ(e.number(), 484);
    }
}

TEST(Printers, PrintsAWindowAsItStands)
{
    ovix::test::TempDir dir;
    QLabel label("Print me");
    label.resize(200, 50);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.file("window.pdf"));
    ui::Printers::printWidget(&label, printer);
    QPdfDocument doc;
    ASSERT_EQ(doc.load(dir.file("window.pdf")), QPdfDocument::Error::None);
    EXPECT_EQ(doc.pageCount(), 1);
}
