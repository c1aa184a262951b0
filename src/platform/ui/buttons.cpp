#include "buttons.h"

#include <QPushButton>

namespace ui {

QPushButton *namedButton(const QString &caption, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace ui
