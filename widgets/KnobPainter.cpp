#include "widgets/KnobPainter.h"

#include "widgets/KeyBody.h"
#include "widgets/KnobBody.h"
#include "widgets/PanelColours.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace qx::knobart {
namespace c = panel::colours;
namespace {

constexpr int kFaceSize = 56;
constexpr int kDotSize = 12;

QRectF toQ(const KnobRect& r)
{
    return QRectF(r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1);
}

QPointF along(QPointF centre, double angle, double radius)
{
    const double a = angle * std::numbers::pi / 180.0;
    return centre + QPointF(std::sin(a), -std::cos(a)) * radius;
}

QFont smallFont(int pixels, bool bold = true)
{
    QFont f;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace

void body(QPainter& p, const QRect& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, c::kBodyTop);
    g.setColorAt(1, c::kBodyBottom);
    p.fillRect(r, g);
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.drawLine(QPointF(r.left() + 1, r.top() + 1.5), QPointF(r.right() - 1, r.top() + 1.5));
}

void face(QPainter& p, KnobPoint topLeft, int dotAngle)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(topLeft.x, topLeft.y, kFaceSize, kFaceSize);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(r.translated(1.5, 2));
    panel::drawKnurledFace(p, r.adjusted(0.5, 0.5, -0.5, -0.5), QColor(70, 72, 76), 40);
    if (dotAngle != kKnobAtRest) {
        const KnobPoint d = dotPosition(topLeft, dotAngle);
        const QRectF dot(d.x, d.y, kDotSize, kDotSize);
        QRadialGradient red(dot.center() - QPointF(2, 2), kDotSize * 0.7);
        red.setColorAt(0, QColor(255, 120, 110));
        red.setColorAt(1, c::kPointer.darker(140));
        p.setPen(QPen(QColor(60, 0, 0), 1));
        p.setBrush(red);
        p.drawEllipse(dot.adjusted(2, 2, -2, -2));
    }
    p.restore();
}

void scale(QPainter& p, KnobPoint topLeft, int fromAngle, int toAngle, int marks)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(topLeft.x + kFaceSize / 2.0, topLeft.y + kFaceSize / 2.0);
    int span = toAngle - fromAngle;
    if (span <= 0)
        span += 360;
    p.setPen(QPen(c::kCaption, 1.2));
    for (int i = 0; i < marks; ++i) {
        const double a = fromAngle + span * static_cast<double>(i) / std::max(marks - 1, 1);
        p.drawLine(along(centre, a, 30), along(centre, a, 33));
    }
    p.restore();
}

namespace {
QRectF labelPlate(const KnobRect& r) { return toQ(r).adjusted(-2, -2, 2, 2); }
} // namespace

bool labelFits(const KnobRect& r, const QString& text)
{
    // A pixel of room either side, so the text never touches the plate's edge.
    return QFontMetricsF(smallFont(8)).horizontalAdvance(text) + 2 <= labelPlate(r).width();
}

void label(QPainter& p, const KnobRect& r, const QString& text, bool lit)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = labelPlate(r);
    p.setPen(QPen(QColor(0, 0, 0, 180), 1));
    p.setBrush(lit ? c::kLabelLit : QColor(22, 23, 26));
    p.drawRoundedRect(box, 2, 2);
    p.setFont(smallFont(8));
    p.setPen(lit ? QColor(20, 12, 0) : c::kCaption);
    p.drawText(box, Qt::AlignCenter, text);
    p.restore();
}

void onOffKey(QPainter& p, const KnobRect& r, bool on, bool pressed)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF k = panel::drawKeyBody(p, toQ(r).adjusted(0.5, 0.5, -0.5, -0.5), pressed, 4, QColor(8, 8, 10));
    const QRectF lamp(k.center().x() - 7, k.top() + 5, 14, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(on ? c::kLampOn : c::kLampOff);
    p.drawRoundedRect(lamp, 2, 2);
    p.setFont(smallFont(9));
    p.setPen(c::kCaption);
    p.drawText(k.adjusted(0, 10, 0, 0), Qt::AlignCenter, QStringLiteral("ON/OFF"));
    p.restore();
}

void caption(QPainter& p, const QRect& r, const QString& text)
{
    p.save();
    p.setFont(smallFont(10));
    p.setPen(c::kCaption);
    p.drawText(r, Qt::AlignCenter, text);
    p.restore();
}

} // namespace qx::knobart
