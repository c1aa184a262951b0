#include "access/permissions.h"
#include "core/centresettings.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/forms.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "students/details/frmstudentdetails.h"
#include "students/photo/frmphoto.h"
#include "students/photo/register.h"
#include "students/photos.h"
#include "support/screenshot.h"
#include "timetable/fixture/timetablefixture.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Stands in for the family and employee windows: the person's field and picture box.
class PersonWindow : public ui::Form
{
    Q_OBJECT
public:
    PersonWindow(const QString &name, int field, const QString &id)
    {
        setObjectName(name);
        setMdiChild(false);
        // The employee window keeps its InstructorID in box 0 and the person in box 21.
        txtField.add(0, new QLineEdit(field == 0 ? id : QStringLiteral("900"), this));
        if (field != 0)
            txtField.add(field, new QLineEdit(id, this));
        picStudent = new QLabel(this);
        picStudent->setObjectName(QStringLiteral("picStudent"));
    }
    ui::ControlArray<QLineEdit> txtField{QStringLiteral("txtField")};
    QLabel *picStudent;
};

namespace {

class PhotoWindowTest : public TimetableTest
{
protected:
    void SetUp() override
    {
        TimetableTest::SetUp();
        Global::DateFormat = QStringLiteral("dd/mm/yyyy");
        Global::LoadCurrentUserRights();
        students::RegisterPhotoWindow();
        exec(QStringLiteral("INSERT INTO Students (StudentID, [First Name], [Last Name], Student) "
                            "VALUES (40000, 'Ann', 'Lee', 'Y')"));
        ann = 40000;
        bob = addStudent(QStringLiteral("Bob"), QStringLiteral("Ray"));
    }
    void TearDown() override
    {
        for (ui::Form *f : ui::Forms::all())
            if (auto *w = qobject_cast<frmStudentDetails *>(f))
                w->cmdSave->setEnabled(false);
        ui::RegisterWindow(QStringLiteral("frmPhoto"), {});
        TimetableTest::TearDown();
    }
    frmStudentDetails *open(qint32 id)
    {
        auto *w = ui::Forms::create<frmStudentDetails>();
        w->LoadUp(id);
        return w;
    }
    QString picture(const QString &name, int width, int height, const char *format = "JPEG")
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString path = dir.path() + QLatin1Char('/') + name;
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    static frmPhoto *photoWindow()
    {
        return qobject_cast<frmPhoto *>(ui::Forms::find(QStringLiteral("frmPhoto")));
    }
    QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    qint32 ann = 0, bob = 0;
};

TEST_F(PhotoWindowTest, AnImportShowsInThePersonsOpenWindowsOnly)
{
    frmStudentDetails *annRecord = open(ann);
    frmStudentDetails *annAgain = open(ann);
    frmStudentDetails *bobRecord = open(bob);
    auto *annFamily = new PersonWindow(QStringLiteral("frmFamDetails"), 0, QString::number(ann));
    annFamily->load();
    auto *bobFamily = new PersonWindow(QStringLiteral("frmFamDetails"), 0, QString::number(bob));
    bobFamily->load();
    auto *annEmployee = new PersonWindow(QStringLiteral("frmEmpDetails"), 21, QString::number(ann));
    annEmployee->load();

    ASSERT_TRUE(annRecord->btnLoadPic->isEnabled());
    QTest::mouseDClick(annRecord->picStudent, Qt::LeftButton);
    frmPhoto *w = photoWindow();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->caption(), QStringLiteral("Import Student/Employee Photo"));
    EXPECT_EQ(w->Label2->text(), QStringLiteral("Import Photo"));
    EXPECT_EQ(w->txtID->text(), QStringLiteral("40000"));
    EXPECT_EQ(w->lblCurrent->text(), QStringLiteral("Ann Lee"));
    EXPECT_FALSE(w->cmdCapture->isEnabled());
    EXPECT_EQ(w->cmdChange->text(), QStringLiteral("Change"));
    EXPECT_EQ(w->cmdCapture->text(), QStringLiteral("Save"));
    EXPECT_EQ(w->cmdClose->text(), QStringLiteral("Cancel"));
    QStringList labels;
    for (QLabel *l : w->findChildren<QLabel *>())
        labels << l->text();
    EXPECT_TRUE(labels.contains(QStringLiteral("From:")));
    EXPECT_TRUE(labels.contains(QStringLiteral("Student:")));

    // Nothing chosen yet: Save does nothing.
    EXPECT_FALSE(w->cmdCapture_Click());
    const QString source = picture(QStringLiteral("ann.jpg"), 300, 400);
    script->openFile(source);
    w->cmdChange_Click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Locate Photo File"));
    EXPECT_EQ(w->txtFrom->text(), source);
    EXPECT_FALSE(w->Picture1->pixmap().isNull());
    EXPECT_TRUE(w->cmdCapture->isEnabled());
    ovix::test::saveScreenshot(w, QStringLiteral("frmPhoto"));

    w->cmdCapture->click();
    EXPECT_EQ(photoWindow(), nullptr);
    EXPECT_EQ(script->shown().size(), 1) << "no message";
    const QString photo = imodStudents::PersonPhotoFile(ann);
    EXPECT_TRUE(photo.endsWith(QStringLiteral("/jpegs/40000.jpg")));
    for (QLabel *shown : {annRecord->picStudent, annAgain->picStudent, annFamily->picStudent,
                          annEmployee->picStudent})
        EXPECT_EQ(shown->pixmap().size(), QSize(140, 187));
    EXPECT_TRUE(bobRecord->picStudent->pixmap().isNull());
    EXPECT_TRUE(bobFamily->picStudent->pixmap().isNull());
    annFamily->unload();
    bobFamily->unload();
    annEmployee->unload();
}

TEST_F(PhotoWindowTest, FilesThatCannotBeImported)
{
    frmStudentDetails *record = open(ann);
    picture(QStringLiteral("old.jpg"), 100, 100);
    imodStudents::ImportPersonPhoto(dir.path() + QStringLiteral("/old.jpg"), ann);
    const QByteArray old = bytes(imodStudents::PersonPhotoFile(ann));
    record->btnLoadPic->click();
    frmPhoto *w = photoWindow();
    ASSERT_TRUE(w);

    // Not a picture at all, and a file that is not there.
    const QString text = dir.path() + QStringLiteral("/notes.jpg");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    script->openFile(text).answer(ui::vbOK);
    w->cmdChange_Click();
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("This file is not a valid picture file. Please try again."));
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops!"));
    EXPECT_FALSE(w->cmdCapture->isEnabled());
    script->openFile(dir.path() + QStringLiteral("/gone.jpg")).answer(ui::vbOK);
    w->cmdChange_Click();
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("The following error occurred when loading the picture - File not "
                             "found (Err #53)"));

    // A picture the preview shows that is no JPEG: refused, the old photograph stays.
    const QString png = picture(QStringLiteral("drawing.jpg"), 200, 200, "PNG");
    script->openFile(png).answer(ui::vbOK);
    w->cmdChange_Click();
    ASSERT_TRUE(w->cmdCapture->isEnabled());
    EXPECT_FALSE(w->cmdCapture_Click());
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("The file you specified is not a JPEG picture that can be read. "
                             "Please choose a JPEG file."));
    EXPECT_EQ(photoWindow(), w);
    EXPECT_EQ(bytes(imodStudents::PersonPhotoFile(ann)), old);

    // The chosen file disappears before Save.
    const QString jpeg = picture(QStringLiteral("new.jpg"), 50, 50);
    script->openFile(jpeg);
    w->cmdChange_Click();
    QFile::remove(jpeg);
    script->answer(ui::vbOK);
    EXPECT_FALSE(w->cmdCapture_Click());
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("The file you specified could not be found"));
    EXPECT_EQ(photoWindow(), w);

    // A write that fails: the import's own message, the old photograph stays.
    const QString held = imodStudents::PersonPhotoFile(ann) + QStringLiteral(".part/held");
    ASSERT_TRUE(QDir().mkpath(held));
    script->openFile(picture(QStringLiteral("new.jpg"), 50, 50)).answer(ui::vbOK);
    w->cmdChange_Click();
    EXPECT_FALSE(w->cmdCapture_Click());
    EXPECT_TRUE(script->shown().last().text.startsWith(
        QStringLiteral("An error occurred when saving the image to disk. (Err#75 - ")));
    EXPECT_TRUE(script->shown().last().text.endsWith(
        QStringLiteral("). The image may not have saved correctly. ")));
    EXPECT_EQ(bytes(imodStudents::PersonPhotoFile(ann)), old);
    EXPECT_EQ(photoWindow(), w);
    w->cmdClose->click();
    EXPECT_EQ(photoWindow(), nullptr);
}

TEST_F(PhotoWindowTest, TheRecordWindowsPhotographActions)
{
    // An unsaved student: refused, nothing opens.
    frmStudentDetails *fresh = open(0);
    script->answer(ui::vbOK);
    QTest::mouseDClick(fresh->picStudent, Qt::LeftButton);
    ASSERT_EQ(script->shown().size(), 1);
    EXPECT_EQ(script->shown()[0].title, QStringLiteral("Sorry, not just now"));
    EXPECT_EQ(script->shown()[0].text,
              QStringLiteral("You must save the new student before importing an image file."));
    EXPECT_EQ(photoWindow(), nullptr);

    imodStudents::ImportPersonPhoto(picture(QStringLiteral("a.jpg"), 80, 60), ann);
    frmStudentDetails *record = open(ann);
    ASSERT_FALSE(record->picStudent->pixmap().isNull());
    EXPECT_EQ(record->btnDelPic->text(), QStringLiteral("Delete Student Image"));
    EXPECT_EQ(record->btnLoadPic->text(), QStringLiteral("Import Image from File"));

    // Read-only: the file and the picture stay.
    const QString photo = imodStudents::PersonPhotoFile(ann);
    QFile::setPermissions(photo, QFileDevice::ReadOwner);
    script->answer(ui::vbOK);
    record->btnDelPic->click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Oops! Delete Image Error"));
    EXPECT_EQ(script->shown().last().text, QStringLiteral("Permission denied(#70)"));
    EXPECT_TRUE(QFileInfo::exists(photo));
    EXPECT_FALSE(record->picStudent->pixmap().isNull());
    QFile::setPermissions(photo, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    const int boxes = int(script->shown().size());
    record->btnDelPic->click();
    EXPECT_EQ(script->shown().size(), boxes);
    EXPECT_FALSE(QFileInfo::exists(photo));
    EXPECT_TRUE(record->picStudent->pixmap().isNull());
    script->answer(ui::vbOK);
    record->btnDelPic->click();
    EXPECT_EQ(script->shown().last().title, QStringLiteral("Problem"));
    EXPECT_EQ(script->shown().last().text,
              QStringLiteral("The student's image file could not be found. The file may have "
                             "been moved or removed."));
}

} // namespace

#include "photo_test.moc"
