#include "access/permissions.h"
#include "core/centresettings.h"
#include "core/globalsettings.h"
#include "platform/office/csv.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/simplecombo.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmreportviewer.h"
#include "shell/startupwindows.h"
#include "students/details/frmstudentdetails.h"
#include "students/dropouts.h"
#include "students/utilities/frmdropouts.h"
#include "students/utilities/register.h"
#include "support/screenshot.h"
#include "timetable/fixture/timetablefixture.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include <zip.h>

// Catches what the program hands the desktop to open.
class OpenedUrls : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

namespace {

class DropoutsTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::LoadCurrentUserRights();
        students::RegisterStudentUtilityWindows();
        ui::RegisterWindow(QStringLiteral("frmReportViewer"),
                           [] { return ui::Forms::shared<frmReportViewer>(); });
        term1 = addProgram(QStringLiteral("Term, 1"));
        term2 = addProgram(QStringLiteral("Term 2"));
        addProgram(QStringLiteral("Old Term"), QStringLiteral("Enrolment"), vb::Currency(100), 1);
        const qint32 a1 = addClass(term1, QStringLiteral("L1"));
        const qint32 b1 = addClass(term1, QStringLiteral("L2"));
        const qint32 a2 = addClass(term2, QStringLiteral("L1"));
        back = addStudent(QStringLiteral("Ann"), QStringLiteral("Back"));
        addBooking(a1, back);
        addBooking(a2, back, QStringLiteral("Tentative"));
        waiting = addStudent(QStringLiteral("Wes"), QStringLiteral("Wait"));
        addBooking(a1, waiting, QStringLiteral("Tentative"));
        addBooking(a2, waiting, QStringLiteral("Waiting"));
        twice = addStudent(QStringLiteral("Tom"), QStringLiteral("Two"));
        addBooking(a1, twice);
        addBooking(b1, twice);
        gone = addStudent(QStringLiteral("Cy"), QStringLiteral("Cancelled"));
        addBooking(a1, gone, QStringLiteral("Cancelled"));
        odd = addStudent(QStringLiteral("&amp;"), QStringLiteral("<b>"));
        exec(QStringLiteral("UPDATE Students SET Address = '1 Bay Rd, Cove', City = 'Say \"Hi\"', "
                            "[Parents Name] = 'Zoë' WHERE StudentID = %1").arg(odd));
        addBooking(b1, odd);
        Global::CentreSettings().setSettings(int(CentreSettingIds::CentreName),
                                             QStringLiteral("Bay Swim"));
    }
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all())
            if (auto *w = qobject_cast<frmStudentDetails *>(f))
                w->cmdSave->setEnabled(false);
        TimetableTest::TearDown();
    }
    QString item(qint32 id, const char *first, const char *last)
    {
        return imodStudents::DropoutItemText(QString::fromUtf8(last), QString::fromUtf8(first), id);
    }
    frmDropouts *open()
    {
        return qobject_cast<frmDropouts *>(ui::LoadWindowByName(QStringLiteral("frmDropouts")));
    }
    static QStringList listed(frmDropouts *w)
    {
        QStringList out;
        for (int i = 0; i < w->lstDropouts->count(); ++i)
            out << w->lstDropouts->list(i);
        return out;
    }
    QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    qint32 term1 = 0, term2 = 0, back = 0, waiting = 0, twice = 0, gone = 0, odd = 0;
};

TEST_F(DropoutsTest, TheRuleCountsConfirmedAndTentativeOnly)
{
    auto sorted = [](QStringList l) {
        l.sort(Qt::CaseInsensitive);
        return l;
    };
    const QString t1 = QStringLiteral("Term, 1"), t2 = QStringLiteral("Term 2");
    EXPECT_EQ(sorted(imodStudents::ListDropouts(t1, t2)),
              (QStringList{item(odd, "&amp;", "<b>"), item(twice, "Tom", "Two"),
                           item(twice, "Tom", "Two"), item(waiting, "Wes", "Wait")}));
    EXPECT_TRUE(imodStudents::ListDropouts(t1, t1).isEmpty());
    EXPECT_TRUE(imodStudents::ListDropouts(QString(), t2).isEmpty());
    EXPECT_EQ(imodStudents::ListDropouts(t1, QString()).size(), 5);
    EXPECT_EQ(item(123, "Ann", "Smith"), QStringLiteral("Smith, Ann (SID123)"));
}

TEST_F(DropoutsTest, TheWindowListsPrintsAndOpens)
{
    frmDropouts *w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->caption(), QStringLiteral("Dropouts"));
    QStringList labels;
    for (QLabel *l : w->findChildren<QLabel *>())
        labels << l->text();
    for (const char *t : {"Dropouts", "Select programs", "Dropouts for Program 1 to Program 2",
                          "Program 1:", "Program 2:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(t))) << t;
    EXPECT_EQ(w->cboProgram1->count(), 2); // the inactive program is left out
    EXPECT_EQ(w->cboProgram2->findText(QStringLiteral("Old Term")), -1);
    EXPECT_GE(w->cboProgram2->findText(QStringLiteral("Term 2")), 0);
    EXPECT_EQ(w->cboProgram1->currentIndex(), -1);
    EXPECT_FALSE(w->Command1->isEnabled());
    EXPECT_FALSE(w->cmdPrint->isEnabled());
    EXPECT_TRUE(w->fraList->isHidden());

    // Nothing chosen: an empty list, and the window expands.
    w->cmdCalculate_Click();
    EXPECT_EQ(w->lblStatus->text(), QStringLiteral("0 dropouts in total"));
    EXPECT_FALSE(w->fraList->isHidden());
    EXPECT_TRUE(w->Command1->isEnabled() && w->cmdPrint->isEnabled());
    w->cmdPrint_Click();
    auto *viewer = qobject_cast<frmReportViewer *>(ui::Forms::find(QStringLiteral("frmReportViewer")));
    ASSERT_TRUE(viewer);
    const QString empty = QString::fromUtf8(read(viewer->TempFile()));
    EXPECT_TRUE(empty.contains(QStringLiteral("<font size='5'>Dropouts List</font>")));
    EXPECT_TRUE(empty.contains(QStringLiteral("<b> to </b>\r\n<br><br><br>\r\n<br>\r\n</font><font size='1'>Printed by ")));

    w->cboProgram1->setCurrentText(QStringLiteral("Term, 1"));
    w->cboProgram2->setCurrentText(QStringLiteral("Term 2"));
    w->cmdCalculate_Click();
    EXPECT_EQ(w->lblStatus->text(), QStringLiteral("4 dropouts in total"));
    EXPECT_EQ(listed(w).first(), item(odd, "&amp;", "<b>"));
    w->cmdPrint_Click();
    const QString doc = QString::fromUtf8(read(viewer->TempFile()));
    EXPECT_TRUE(doc.startsWith(QStringLiteral("<html>\r\n<head>\r\n<title>Dropouts from Term, 1 to Term 2</title>")));
    EXPECT_TRUE(doc.contains(QStringLiteral("&lt;b&gt;, &amp;amp; (SID%1)<br>").arg(odd)));
    EXPECT_EQ(doc.count(QStringLiteral("Two, Tom (SID")), 2);
    ovix::test::saveScreenshot(w, QStringLiteral("frmDropouts"));

    // A double click opens the student's record.
    w->lstDropouts->setListIndex(3);
    w->lstDropouts_DblClick();
    auto *record = qobject_cast<frmStudentDetails *>(ui::Forms::find(QStringLiteral("frmStudentDetails")));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->fieldText(0), QString::number(waiting));
}

TEST_F(DropoutsTest, TheExportWritesTheDataFileAndMergesTheLetters)
{
    frmDropouts *w = open();
    w->cboProgram1->setCurrentText(QStringLiteral("Term, 1"));
    w->cboProgram2->setCurrentText(QStringLiteral("Term 2"));
    w->cmdCalculate_Click();
    // Renamed after the calculation: an empty line.
    exec(QStringLiteral("UPDATE Students SET [First Name] = 'Wesley' WHERE StudentID = %1").arg(waiting));

    // A small letter template with one merge field.
    const QString tmpl = dir.path() + "/letter.docx";
    {
        const std::string types =
            R"(<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>)";
        const std::string body =
            R"(<?xml version="1.0"?><w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body><w:p><w:fldSimple w:instr=" MERGEFIELD Address "><w:r><w:t>x</w:t></w:r></w:fldSimple></w:p></w:body></w:document>)";
        int error = 0;
        zip_t *zip = zip_open(QFile::encodeName(tmpl).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        ASSERT_TRUE(zip);
        zip_file_add(zip, "[Content_Types].xml", zip_source_buffer(zip, types.data(), types.size(), 0), 0);
        zip_file_add(zip, "word/document.xml", zip_source_buffer(zip, body.data(), body.size(), 0), 0);
        ASSERT_EQ(zip_close(zip), 0);
    }
    OpenedUrls opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
    script->saveFile(dir.path() + "/dropouts").openFile(tmpl);
    w->Command1_Click();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(script->shown().size(), 2);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Save Export Data"));
    EXPECT_EQ(script->shown()[0].filter, QStringLiteral("Comma-separated values (*.csv)|*.csv"));
    EXPECT_EQ(script->shown()[1].title, QStringLiteral("Locate Letter Template"));

    const QString csv = QString::fromUtf8(read(dir.path() + "/dropouts.csv"));
    const QStringList lines = csv.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 6); // header, four items, the end
    EXPECT_EQ(lines[0], imodStudents::DropoutCsvHeader());
    EXPECT_EQ(lines[0].split(',').size(), 19);
    EXPECT_EQ(lines[1], QStringLiteral("&amp;,<b>,Zoë,\"1 Bay Rd, Cove\",\"Say \"\"Hi\"\"\",,,Term 2,\"Term, 1\",,,,,Bay Swim,,,,,"));
    EXPECT_EQ(lines[2], lines[3]);
    EXPECT_TRUE(lines[4].isEmpty());
    const office::MergeData data = office::ParseCsv(csv.toUtf8());
    EXPECT_EQ(data.value(0, QStringLiteral("Address")), QStringLiteral("1 Bay Rd, Cove"));

    ASSERT_EQ(opened.urls.size(), 1);
    const QString letters = opened.urls.first().toLocalFile();
    EXPECT_EQ(letters, dir.path() + "/dropouts Letters.docx");
    EXPECT_EQ(w->lstDropouts->text(), listed(w).first());
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(letters).constData(), ZIP_RDONLY, &error);
    ASSERT_TRUE(zip);
    zip_stat_t st;
    ASSERT_EQ(zip_stat(zip, "word/document.xml", 0, &st), 0);
    std::string doc(st.size, '\0');
    zip_file_t *f = zip_fopen(zip, "word/document.xml", 0);
    zip_fread(f, doc.data(), st.size);
    zip_fclose(f);
    zip_close(zip);
    EXPECT_EQ(QString::fromStdString(doc).count(QStringLiteral("<w:p>")), 4 + 3); // letters and page breaks
    EXPECT_NE(doc.find("1 Bay Rd, Cove"), std::string::npos);
}

TEST_F(DropoutsTest, TheExportSaysWhatWentWrong)
{
    frmDropouts *w = open();
    w->cmdCalculate_Click();
    // A file that cannot be written to.
    const QString locked = dir.path() + "/locked.csv";
    QFile file(locked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    file.setPermissions(QFile::ReadOwner);
    // A binary template.
    const QString binary = dir.path() + "/letter.doc";
    QFile b(binary);
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.write(QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(100, '\0'));
    b.close();

    script->saveFile(dir.path() + "/ok.csv").openFile(binary).answer(ui::vbOK);
    w->Command1_Click();
    EXPECT_TRUE(script->shown().last().text.contains(QStringLiteral("binary .doc")));
    EXPECT_EQ(read(dir.path() + "/ok.csv"), imodStudents::DropoutCsvHeader().toUtf8() + "\r\n");

    // Cancelling the template keeps the data file and merges nothing.
    script->saveFile(dir.path() + "/two.csv").openFile(QString());
    w->Command1_Click();
    EXPECT_TRUE(QFile::exists(dir.path() + "/two.csv"));
    EXPECT_EQ(script->pending(), 0);
    // A file that cannot be written (not so for a user who may write any file).
    if (QFileInfo(locked).isWritable())
        return;
    script->saveFile(locked).answer(ui::vbOK);
    w->Command1_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops!"));
    EXPECT_EQ(script->shown().last().text, QStringLiteral("This file is currently in use."));
}

} // namespace

#include "dropouts_test.moc"
