#include "app/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace app {

QImage application_icon_image(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    painter.fillPath(tile, QColor(28, 94, 168));

    // Three rising bars along the bottom.
    const QColor bar(255, 196, 64);
    painter.fillRect(QRectF(6, 22, 5, 5), bar);
    painter.fillRect(QRectF(13.5, 18, 5, 9), bar);
    painter.fillRect(QRectF(21, 13, 5, 14), bar);

    // The percent sign above them.
    QPen pen(Qt::white, 2.2);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(9.5, 8), 2.6, 2.6);
    painter.drawEllipse(QPointF(22.5, 8), 2.6, 2.6);
    painter.drawLine(QPointF(23, 4), QPointF(9, 12.5));
    painter.end();
    return image;
}

QIcon application_icon() {
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addPixmap(QPixmap::fromImage(application_icon_image(size)));
    return icon;
}

}  // namespace app
