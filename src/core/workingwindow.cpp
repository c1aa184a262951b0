#include "workingwindow.h"

#include "platform/ui/form.h"
#include "platform/ui/forms.h"
#include "platform/ui/mdihost.h"

#include <QLabel>
#include <QMdiArea>

namespace core {

void PlaceOnMainWindow(ui::Form *form)
{
    QMdiArea *area = ui::MdiHost::area();
    QWidget *frame = form->frame();
    if (!area || frame == form)
        return;
    frame->move(qMax(0, (area->width() - frame->width()) / 2),
                qMax(0, (area->height() - frame->height()) / 2));
}

void ShowClassSearchLogo(QLabel *image)
{
    ui::Form *main = ui::Forms::find(QStringLiteral("Main"));
    if (!main)
        return;
    auto *logo = main->findChild<QLabel *>(QStringLiteral("Image1"));
    if (!logo)
        return;
    const QPixmap picture = logo->pixmap();
    if (picture.isNull())
        return;
    image->setPixmap(
        picture.size().width() > image->width() || picture.height() > image->height()
            ? picture.scaled(image->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : picture);
}

} // namespace core
