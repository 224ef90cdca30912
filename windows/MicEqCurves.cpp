#include "windows/MicEqCurves.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace qx {
namespace {

// Each preset as gains (dB) at six points from 100 Hz to 4 kHz.
constexpr std::array<std::array<double, 6>, 10> kPresets{{
    {0, 0, 0, 0, 0, 0},        // flat
    {-6, -3, 0, 2, 4, 5},      // rising treble
    {-10, -6, -1, 3, 6, 8},    // strong treble
    {4, 3, 1, 0, -2, -4},      // bass lift
    {-4, 0, 4, 4, 0, -4},      // mid hump
    {-8, -2, 3, 6, 3, -2},     // presence
    {2, -2, -4, -2, 2, 4},     // scoop
    {-12, -8, -2, 2, 4, 2},    // DX
    {6, 4, 0, -3, -6, -8},     // warm
    {-3, 1, -1, 3, 1, 6},      // contest
}};

} // namespace

MicEqCurves::MicEqCurves(int firstPreset, QWidget* parent) : QWidget(parent), firstPreset_(firstPreset)
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_TranslucentBackground);
}

double MicEqCurves::response(int preset, double x)
{
    const auto& g = kPresets[static_cast<std::size_t>(std::clamp(preset, 0, 9))];
    const double pos = std::clamp(x, 0.0, 1.0) * 5.0;
    const int i = std::min(static_cast<int>(pos), 4);
    const double t = pos - i;
    // Cosine blend between points keeps the curve smooth.
    const double w = (1 - std::cos(t * 3.14159265358979)) / 2;
    return g[static_cast<std::size_t>(i)] * (1 - w) + g[static_cast<std::size_t>(i + 1)] * w;
}

void MicEqCurves::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int cellH = kHeight / kPresetsPerPicture;
    QFont small = font();
    small.setPixelSize(9);
    p.setFont(small);
    for (int k = 0; k < kPresetsPerPicture; ++k) {
        const QRectF cell(0.5, k * cellH + 4.5, kWidth - 1.0, cellH - 9.0);
        p.setPen(QColor(90, 90, 90));
        p.setBrush(QColor(18, 24, 30));
        p.drawRoundedRect(cell, 3, 3);
        const QRectF plot = cell.adjusted(6, 12, -6, -5);
        p.setPen(QPen(QColor(60, 80, 90), 1, Qt::DotLine));
        p.drawLine(QPointF(plot.left(), plot.center().y()), QPointF(plot.right(), plot.center().y()));
        for (int v = 1; v < 5; ++v) {
            const double x = plot.left() + plot.width() * v / 5;
            p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        }
        const int preset = firstPreset_ + k;
        QPainterPath curve;
        for (int i = 0; i <= 40; ++i) {
            const double x = i / 40.0;
            const double db = response(preset, x);
            const QPointF pt(plot.left() + x * plot.width(), plot.center().y() - db / 12.0 * plot.height() / 2);
            i == 0 ? curve.moveTo(pt) : curve.lineTo(pt);
        }
        p.setPen(QPen(QColor(120, 230, 140), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(curve);
        p.setPen(QColor(200, 200, 200));
        p.drawText(cell.adjusted(5, 1, -4, 0), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("EQ %1").arg(preset));
    }
}

} // namespace qx
