#pragma once

#include <QColor>
#include <QWidget>

namespace ui {

// A small square filled with one colour, with a thin dark border: the squares of
// a colour key. Windows find a key's colours by the squares' names.
class ColorSquare : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor fillColor READ fillColor WRITE setFillColor)
public:
    explicit ColorSquare(const QColor &fill = Qt::white, QWidget *parent = nullptr);

    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor &color);

    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
};

// The fill colour of the window's colour square of that name; vb::Error 424
// (Object required) when the window has none.
QColor squareFillColor(const QWidget *window, const QString &name);

} // namespace ui
