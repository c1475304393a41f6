#include "ui/app/housepicture.h"

#include <QPainter>
#include <QPainterPath>

QPixmap housePicture(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = side;
    QPainterPath house;
    house.moveTo(0.12 * s, 0.48 * s);
    house.lineTo(0.5 * s, 0.12 * s);
    house.lineTo(0.88 * s, 0.48 * s);
    house.lineTo(0.8 * s, 0.48 * s);
    house.lineTo(0.8 * s, 0.9 * s);
    house.lineTo(0.2 * s, 0.9 * s);
    house.lineTo(0.2 * s, 0.48 * s);
    house.closeSubpath();
    p.setPen(QPen(QColor(40, 60, 110), s / 40));
    p.setBrush(QColor(225, 232, 245));
    p.drawPath(house);
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(0.38 * s, 0.56 * s, 0.24 * s, 0.34 * s));
    p.setBrush(QColor(40, 60, 110));
    p.drawEllipse(QPointF(0.5 * s, 0.7 * s), 0.08 * s, 0.08 * s);
    return pixmap;
}
