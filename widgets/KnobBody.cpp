#include "widgets/KnobBody.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace qx::panel {

void drawKnurledFace(QPainter& p, const QRectF& r, const QColor& base, int ridges)
{
    const QPointF centre = r.center();
    const double radius = r.width() / 2;
    QRadialGradient g(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.3);
    g.setColorAt(0, base.lighter(170));
    g.setColorAt(0.6, base);
    g.setColorAt(1, base.darker(200));
    p.setPen(QPen(QColor(10, 10, 12), 1.2));
    p.setBrush(g);
    p.drawEllipse(r);
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    for (int i = 0; i < ridges; ++i) {
        const double a = 2 * std::numbers::pi * i / ridges;
        const QPointF d(std::sin(a), -std::cos(a));
        p.drawLine(centre + d * (radius - 4), centre + d * (radius - 0.5));
    }
    QRadialGradient cap(centre - QPointF(radius * 0.2, radius * 0.2), radius * 0.75);
    cap.setColorAt(0, base.lighter(140));
    cap.setColorAt(1, base.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(cap);
    p.drawEllipse(centre, radius * 0.68, radius * 0.68);
}

} // namespace qx::panel
