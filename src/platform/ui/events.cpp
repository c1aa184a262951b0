#include "events.h"

#include <QCoreApplication>

namespace ui {

void doEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace ui
