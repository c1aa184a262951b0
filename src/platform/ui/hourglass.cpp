#include "hourglass.h"

#include <QApplication>
#include <QCursor>

namespace ui {

void Hourglass::show()
{
    if (!isShown())
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void Hourglass::reset()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

bool Hourglass::isShown()
{
    const QCursor *c = QApplication::overrideCursor();
    return c && c->shape() == Qt::WaitCursor;
}

} // namespace ui
