#include "frmoinst.h"

#include "core/errorinfo.h"
#include "oneoffcentre.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "platform/ui/labels.h"
#include "platform/ui/twips.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

void placeInstructorListTwips(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(ui::twipsToPixels(left), ui::twipsToPixels(top), ui::twipsToPixels(width),
                   ui::twipsToPixels(height));
}

} // namespace

frmOInst::frmOInst()
{
    setObjectName(QStringLiteral("frmOInst"));
    setCaption(QStringLiteral("One-Off Enrolment Instructors"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(214, 223, 247));
    setPalette(p);
    Label2 = ui::headingLabel(QStringLiteral("Show/Hide Instructors"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    placeInstructorListTwips(Label2, 120, 120, 3855, 375);
    cmdSave = ui::namedButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), this);
    placeInstructorListTwips(cmdSave, 4440, 105, 1005, 375);
    QLabel *details = lblDetails.add(
        0, ui::wrappedLabel(QStringLiteral("Please select the instructors who will appear in the "
                                           "one-off enrolments screen."),
                            this));
    placeInstructorListTwips(details, 240, 600, 5055, 495);
    lstInstructors = new QListWidget(this);
    lstInstructors->setObjectName(QStringLiteral("lstInstructors"));
    placeInstructorListTwips(lstInstructors, 240, 1080, 5055, 2310);
    resize(ui::twipsToPixels(5535), ui::twipsToPixels(3600));
    connect(cmdSave, &QPushButton::clicked, this, &frmOInst::cmdSave_Click);
}

void frmOInst::onLoad()
{
    Load_Instructors();
}

void frmOInst::Load_Instructors()
{
    lstInstructors->clear();
    for (const oneoffcentre::CentreInstructor &i : oneoffcentre::AllInstructors()) {
        auto *item = new QListWidgetItem(i.name, lstInstructors);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(i.shown ? Qt::Checked : Qt::Unchecked);
        item->setData(Qt::UserRole, i.id);
    }
    if (lstInstructors->count() > 0)
        lstInstructors->setCurrentRow(0);
}

void frmOInst::cmdSave_Click()
{
    QList<oneoffcentre::CentreInstructor> ticks;
    for (int r = 0; r < lstInstructors->count(); ++r) {
        const QListWidgetItem *item = lstInstructors->item(r);
        oneoffcentre::CentreInstructor i;
        i.id = item->data(Qt::UserRole).toInt();
        i.name = item->text();
        i.shown = item->checkState() == Qt::Checked;
        ticks << i;
    }
    try {
        oneoffcentre::SaveShownInstructors(ticks);
    } catch (...) {
        const core::ErrorInfo e = core::currentError();
        ui::Dialogs::msgBox(QStringLiteral("Error #") + QString::number(e.number) +
                                QStringLiteral(" (") + e.description +
                                QStringLiteral(") occurred when saving the instructors."),
                            ui::vbExclamation, QStringLiteral("Oops!"));
        return;
    }
    unload();
    if (ui::Form *centre = ui::Forms::find(QStringLiteral("frmOOE")))
        ui::callByName(centre, QStringLiteral("Load_Instructors"));
}
