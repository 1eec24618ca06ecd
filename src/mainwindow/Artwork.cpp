#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace Artwork {

QPixmap rowMarker()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor(212, 208, 200));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0, 160, 0));
    painter.drawPolygon(QPolygonF({QPointF(4.5, 2.5), QPointF(12.5, 8), QPointF(4.5, 13.5)}));
    return pixmap;
}

QIcon windowIcon()
{
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(size / 2.0, size / 2.0);
        painter.rotate(-45);
        const double length = size * 0.9;
        const double thickness = size * 0.4;
        const QRectF capsule(-length / 2, -thickness / 2, length, thickness);
        QPainterPath outline;
        outline.addRoundedRect(capsule, thickness / 2, thickness / 2);
        painter.setClipPath(outline);
        painter.fillRect(QRectF(capsule.left(), capsule.top(), length / 2, thickness),
                         QColor(200, 40, 40));
        painter.fillRect(QRectF(0, capsule.top(), length / 2, thickness), QColor(245, 245, 245));
        painter.setClipping(false);
        painter.setPen(QPen(QColor(60, 60, 60), size / 16.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(outline);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace Artwork
