#include "tag.h"

#include <QObject>
#include <QVariant>

namespace ui {

QString tag(const QObject *control)
{
    return control ? control->property("Tag").toString() : QString();
}

void setTag(QObject *control, const QString &text)
{
    if (control)
        control->setProperty("Tag", text);
}

} // namespace ui
