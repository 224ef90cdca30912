#include "windows/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

namespace qx {

QIcon programIcon()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(QColor(52, 54, 58));
    p.drawRoundedRect(QRectF(1.5, 7.5, 29, 18), 3, 3);
    p.setBrush(QColor(255, 170, 40));
    p.drawRect(QRectF(4.5, 10.5, 13, 6));
    p.setBrush(QColor(150, 150, 155));
    p.drawEllipse(QPointF(24, 17), 5, 5);
    p.setBrush(QColor(70, 70, 75));
    p.drawEllipse(QPointF(24, 17), 2, 2);
    return QIcon(pm);
}

} // namespace qx
