#include "widgets/KeyBody.h"

#include "widgets/PanelColours.h"

#include <QLinearGradient>
#include <QPainter>

namespace qx::panel {

QRectF drawKeyBody(QPainter& p, QRectF r, bool pressed, qreal radius, QColor edge)
{
    if (pressed)
        r.translate(0, 1);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, pressed ? colours::kKeyBottom : colours::kKeyTop);
    g.setColorAt(1, pressed ? colours::kKeyBottom.darker(120) : colours::kKeyBottom);
    p.setPen(QPen(edge, 1));
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    return r;
}

} // namespace qx::panel
