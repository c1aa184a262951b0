#include "mdihost.h"

#include "form.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace ui {

namespace {
QPointer<QMdiArea> &current()
{
    static QPointer<QMdiArea> area;
    return area;
}

QMetaObject::Connection &activation()
{
    static QMetaObject::Connection connection;
    return connection;
}
} // namespace

void MdiHost::setArea(QMdiArea *area)
{
    QPointer<QMdiArea> &c = current();
    if (c == area)
        return;
    QObject::disconnect(activation());
    c = area;
    if (area) {
        activation() =
            QObject::connect(area, &QMdiArea::subWindowActivated, area, [](QMdiSubWindow *w) {
                if (auto *form = w ? qobject_cast<Form *>(w->widget()) : nullptr)
                    form->activated();
            });
    }
}

QMdiArea *MdiHost::area()
{
    return current();
}

QMdiSubWindow *MdiHost::attach(Form *form)
{
    QMdiSubWindow *sub = current()->addSubWindow(form);
    sub->setWindowTitle(form->windowTitle());
    QObject::connect(form, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    return sub;
}

} // namespace ui
