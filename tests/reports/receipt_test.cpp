#include "core/centresettings.h"
#include "platform/ui/forms.h"
#include "platform/ui/tag.h"
#include "platform/ui/windowregistry.h"
#include "reports/frmrptreceipt.h"
#include "reports/receipt.h"
#include "shell/frmreportviewer.h"
#include "support/screenshot.h"
#include "support/tempdir.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class Receipt : public ::testing::Test
{
protected:
    void SetUp() override { Global::CentreSettings().setDataFilesDirectory(dir.path()); }
    void TearDown() override
    {
        ui::Forms::unloadAll(ui::CloseReason::Code);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Global::CentreSettings().setDataFilesDirectory({});
        ui::RegisterProcedure(QStringLiteral("mReports::ShowReceiptPage"), {});
        ui::RegisterWindow(QStringLiteral("frmRptReceipt"), {});
    }
    ovix::test::TempDir dir;
};

const QString Typed = QStringLiteral("7'; #<b>A&B</b>");

TEST_F(Receipt, ThePageEscapesEveryTextAndCarriesTheOfficeCopyOnlyWhenAsked)
{
    for (bool office : {false, true}) {
        const QString html = mReports::ReceiptPageHtml(
            Typed, QDateTime(QDate(2026, 3, 9), QTime(10, 5)), QStringLiteral("Jo <Lee>"),
            QStringLiteral("Cash"), vb::Currency(77), vb::Currency(7.7), QStringLiteral("Pat Kerr"),
            office, QStringLiteral("Swim & Co"));
        EXPECT_TRUE(html.contains(QStringLiteral("7'; #&lt;b&gt;A&amp;B&lt;/b&gt;")));
        EXPECT_FALSE(html.contains(QStringLiteral("<b>A&B</b>")));
        EXPECT_TRUE(html.contains(QStringLiteral("Jo &lt;Lee&gt;")));
        EXPECT_TRUE(html.contains(QStringLiteral("$77.00")));
        EXPECT_TRUE(html.contains(QStringLiteral("$7.70")));
        EXPECT_TRUE(html.contains(QStringLiteral("Swim &amp; Co")));
        EXPECT_EQ(html.contains(QStringLiteral("Receipt (Office Copy)")), office);
    }
}

TEST_F(Receipt, TheRegisteredProcedureShowsThePageInTheViewer)
{
    mReports::RegisterReceiptForms();
    ui::CallProcedure(QStringLiteral("mReports::ShowReceiptPage"),
                      {Typed, QDateTime::currentDateTime(), QStringLiteral("Jo Lee"),
                       QStringLiteral("Cash"), QVariant::fromValue(vb::Currency(77)),
                       QVariant::fromValue(vb::Currency(7.7)), QStringLiteral("Pat Kerr"), true});
    auto *viewer = qobject_cast<frmReportViewer *>(ui::Forms::find(QStringLiteral("frmReportViewer")));
    ASSERT_NE(viewer, nullptr);
    QFile file(viewer->TempFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("Receipt (Office Copy)")));
    EXPECT_TRUE(html.contains(QStringLiteral("7'; #&lt;b&gt;A&amp;B&lt;/b&gt;")));
}

TEST_F(Receipt, TheWindowCopiesPayerEmployeeAndNumberIntoItsStub)
{
    mReports::RegisterReceiptForms();
    auto *receipt = qobject_cast<frmRptReceipt *>(ui::LoadWindowByName(QStringLiteral("frmRptReceipt")));
    ASSERT_NE(receipt, nullptr);
    receipt->txtReceivedFrom->setProperty("text", QStringLiteral("Anna Lee and Tom Lee"));
    receipt->txtStaffName->setProperty("text", QStringLiteral("Pat Kerr"));
    receipt->lblReceiptNo->setProperty("text", QStringLiteral("Receipt #41"));
    EXPECT_EQ(receipt->lblOfficeReceivedFrom->text(), QStringLiteral("Anna Lee and Tom Lee"));
    EXPECT_EQ(receipt->lblOfficeAuthBy->text(), QStringLiteral("Pat Kerr"));
    EXPECT_EQ(receipt->lblOfficeReceiptNo->text(), QStringLiteral("Receipt #41"));
    EXPECT_FALSE(receipt->imgDuplicate->isVisibleTo(receipt));
    EXPECT_FALSE(receipt->imgOfficeDuplicate->isVisibleTo(receipt));
    for (const char *name : {"lblHeading", "lblFor", "lblDate", "lblAmount", "lblMethod", "lblGST",
                             "lblGST2", "lblBalance", "lblOfficeDate", "lblOfficeFor",
                             "lblOfficeAmount", "cmdPrint", "cmdClose"})
        EXPECT_NE(receipt->findChild<QWidget *>(QLatin1String(name)), nullptr) << name;
    receipt->cmdClose->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ui::Forms::find(QStringLiteral("frmRptReceipt")), nullptr);
}

} // namespace
