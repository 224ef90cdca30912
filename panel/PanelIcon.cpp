#include "panel/PanelIcon.h"

#include <QPainter>
#include <QPixmap>

namespace qx::panel {

QPixmap panelIconPixmap(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(QPen(QColor(15, 15, 17), 2));
    p.setBrush(QColor(48, 50, 54));
    p.drawRoundedRect(QRectF(3, 12, 58, 40), 6, 6);
    p.setBrush(QColor(14, 22, 30));
    p.drawRoundedRect(QRectF(8, 17, 30, 14), 2, 2);
    p.setPen(QPen(QColor(255, 176, 64), 2.2));
    p.drawLine(QPointF(11, 27), QPointF(34, 27));
    p.drawLine(QPointF(11, 21), QPointF(22, 21));
    p.setPen(QPen(QColor(15, 15, 17), 1.5));
    p.setBrush(QColor(80, 82, 88));
    p.drawEllipse(QPointF(49, 32), 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QPointF(49, 26), 1.8, 1.8);
    p.setBrush(QColor(90, 255, 120));
    p.drawRoundedRect(QRectF(10, 40, 8, 4), 1, 1);
    return pm;
}

QIcon panelIcon()
{
    QIcon icon;
    for (int s : {16, 32, 48, 64, 128})
        icon.addPixmap(panelIconPixmap(s));
    return icon;
}

} // namespace qx::panel
