#include "labels.h"

#include <QLabel>

namespace shell {

QLabel *WrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QLabel *HeadingLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont big = label->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    label->setFont(big);
    return label;
}

} // namespace shell
