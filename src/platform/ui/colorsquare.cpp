#include "colorsquare.h"

#include "platform/vb/error.h"

#include <QPainter>

namespace ui {

ColorSquare::ColorSquare(const QColor &fill, QWidget *parent)
    : QWidget(parent)
    , m_fill(fill)
{
    setFixedSize(sizeHint());
}

void ColorSquare::setFillColor(const QColor &color)
{
    m_fill = color;
    update();
}

void ColorSquare::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().windowText().color());
    painter.setBrush(m_fill);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QColor squareFillColor(const QWidget *window, const QString &name)
{
    const auto *square = window ? window->findChild<const ColorSquare *>(name) : nullptr;
    if (!square)
        throw vb::Error(424, QStringLiteral("Object required"));
    return square->fillColor();
}

} // namespace ui
