#include "pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace shell::pictures {

namespace {

const QColor Deep(0x0b, 0x4f, 0x8a);
const QColor Shallow(0x4f, 0xb3, 0xe0);
const QColor Foam(0xe8, 0xf6, 0xfc);

// Three waves across the lower part of the picture.
void drawWaves(QPainter &p, const QRectF &r, qreal phase)
{
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        const qreal y0 = r.top() + r.height() * (0.55 + 0.13 * i);
        wave.moveTo(r.left(), y0);
        for (qreal x = r.left(); x <= r.right(); x += 2)
            wave.lineTo(x, y0 + 5 * qSin((x - r.left()) / r.width() * 4 * M_PI + phase + i));
        wave.lineTo(r.right(), r.bottom());
        wave.lineTo(r.left(), r.bottom());
        wave.closeSubpath();
        QColor c = Shallow;
        c.setAlpha(90 + 50 * i);
        p.fillPath(wave, c);
    }
}

QPixmap blank(const QSize &size)
{
    QPixmap pm(size);
    pm.fill(Qt::white);
    return pm;
}

} // namespace

QPixmap Splash(const QString &productName, const QSize &size)
{
    QPixmap pm = blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, Foam);
    sky.setColorAt(1, Qt::white);
    p.fillRect(r, sky);
    drawWaves(p, r, 0);
    QFont title = p.font();
    title.setPixelSize(size.height() / 5);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Deep);
    p.drawText(QRectF(0, size.height() * 0.12, size.width(), size.height() * 0.3), Qt::AlignCenter,
               productName);
    QFont sub = p.font();
    sub.setPixelSize(size.height() / 16);
    sub.setBold(false);
    p.setFont(sub);
    p.drawText(QRectF(0, size.height() * 0.38, size.width(), size.height() * 0.1), Qt::AlignCenter,
               QStringLiteral("Swim school office"));
    return pm;
}

QPixmap Progress(const QSize &size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    p.setBrush(Foam);
    p.setPen(QPen(Deep, 2));
    p.drawEllipse(r.adjusted(2, 2, -2, -2));
    p.setClipRegion(QRegion(r.adjusted(3, 3, -3, -3).toRect(), QRegion::Ellipse));
    drawWaves(p, r, 1);
    return pm;
}

QPixmap Waiting(int index, const QSize &size)
{
    QPixmap pm = blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    p.fillRect(r, Foam);
    drawWaves(p, r, index * M_PI / 3);
    // A swimmer's head and arm, further along the water in each picture.
    const qreal x = r.width() * (0.2 + 0.12 * index);
    const qreal y = r.height() * 0.5;
    p.setPen(Qt::NoPen);
    p.setBrush(Deep);
    p.drawEllipse(QPointF(x, y), size.width() / 12.0, size.width() / 12.0);
    p.setPen(QPen(Deep, 3, Qt::SolidLine, Qt::RoundCap));
    const qreal a = index * M_PI / 3;
    p.drawLine(QPointF(x, y),
               QPointF(x + size.width() / 5.0 * qCos(a), y - size.width() / 5.0 * qAbs(qSin(a))));
    return pm;
}

QPixmap Welcome(const QSize &size)
{
    QPixmap pm = blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, Foam);
    g.setColorAt(1, Shallow);
    p.fillRect(r, g);
    drawWaves(p, r, 2);
    return pm;
}

} // namespace shell::pictures
