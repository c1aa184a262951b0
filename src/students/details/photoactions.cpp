// The record window's photograph: importing one through the photograph window and
// deleting the person's file.
#include "frmstudentdetails.h"

#include "core/errorinfo.h"
#include "core/listfillers.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/picture.h"
#include "platform/ui/windowregistry.h"
#include "students/photos.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Runs an action when the watched widget is double-clicked.
class DoubleClick : public QObject
{
public:
    DoubleClick(QObject *parent, std::function<void()> action)
        : QObject(parent)
        , m_action(std::move(action))
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick)
            m_action();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

} // namespace

void frmStudentDetails::connectPhotoActions()
{
    picStudent->installEventFilter(new DoubleClick(this, [this] { picStudent_DblClick(); }));
    connect(btnLoadPic, &QPushButton::clicked, this, &frmStudentDetails::btnLoadPic_Click);
    connect(btnDelPic, &QPushButton::clicked, this, &frmStudentDetails::btnDelPic_Click);
}

void frmStudentDetails::picStudent_DblClick()
{
    try {
        if (refuseUnsaved(
                QStringLiteral("You must save the new student before importing an image file.")))
            return;
        ui::Form *photo = ui::LoadWindowByName(QStringLiteral("frmPhoto"));
        if (!photo)
            return;
        photo->showForm();
        if (auto *id = photo->findChild<QLineEdit *>(QStringLiteral("txtID")))
            id->setText(fieldText(0));
    } catch (...) {
    }
}

void frmStudentDetails::btnLoadPic_Click()
{
    picStudent_DblClick();
}

void frmStudentDetails::btnDelPic_Click()
{
    try {
        const qint32 id = fieldText(0).trimmed().toInt();
        imodStudents::DeletePersonPhoto(id);
        const QString photo = imodStudents::PersonPhotoFile(id);
        if (imodGlobalSubs::CheckFileExists(photo) == 0)
            ui::LoadPicture(picStudent, photo);
        else
            picStudent->clear();
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        if (e.number == 53)
            ui::Dialogs::msgBox(QStringLiteral("The student's image file could not be found. The "
                                               "file may have been moved or removed."),
                                ui::vbExclamation, QStringLiteral("Problem"));
        else
            ui::Dialogs::msgBox(e.description + QStringLiteral("(#") + QString::number(e.number) +
                                    QLatin1Char(')'),
                                ui::vbExclamation, QStringLiteral("Oops! Delete Image Error"));
    }
}
