#include "workingwindow.h"

#include "platform/ui/form.h"
#include "platform/ui/forms.h"
#include "platform/ui/mdihost.h"
#include "platform/ui/twips.h"

#include <QEvent>
#include <QLabel>
#include <QMdiArea>

namespace core {

namespace {

// Places a loaded window the first time it shows, then goes.
class PlaceWhenShown : public QObject
{
public:
    PlaceWhenShown(ui::Form *form, int raiseTwips)
        : QObject(form)
        , m_form(form)
        , m_raise(raiseTwips)
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_form && event->type() == QEvent::Show && m_form->frame() != m_form) {
            m_form->removeEventFilter(this);
            deleteLater();
            PlaceOnMainWindow(m_form, m_raise);
        }
        return false;
    }

private:
    ui::Form *m_form;
    int m_raise;
};

} // namespace

void PlaceOnMainWindow(ui::Form *form, int raiseTwips)
{
    QMdiArea *area = ui::MdiHost::area();
    if (!area || !form->isMdiChild())
        return;
    QWidget *frame = form->frame();
    if (frame == form) {
        // Loaded but not shown yet: its frame in the main window comes with the showing.
        form->installEventFilter(new PlaceWhenShown(form, raiseTwips));
        return;
    }
    frame->move(qMax(0, (area->width() - frame->width()) / 2),
                qMax(0, (area->height() - frame->height()) / 2 - ui::twipsToPixels(raiseTwips)));
}

QLabel *NewLogoLabel(QWidget *parent)
{
    auto *image = new QLabel(parent);
    image->setObjectName(QStringLiteral("Image1"));
    image->setFixedSize(95, 95);
    image->setAlignment(Qt::AlignCenter);
    return image;
}

void ShowClassSearchLogo(QLabel *image)
{
    const ui::Form *main = ui::Forms::find(QStringLiteral("Main"));
    const auto *logo = main ? main->findChild<QLabel *>(QStringLiteral("Image1")) : nullptr;
    const QPixmap picture = logo ? logo->pixmap() : QPixmap();
    if (!picture.isNull()) {
        image->setPixmap(
            picture.width() > image->width() || picture.height() > image->height()
                ? picture.scaled(image->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)
                : picture);
    }
    // A logo space without a logo would only push the window's heading aside.
    image->setVisible(!image->pixmap().isNull());
}

} // namespace core
