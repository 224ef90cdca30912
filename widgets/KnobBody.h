// The face of a knob or dial: a lit metal disc with a knurled rim and a
// raised cap. The main panel's knobs and dials and the DSP windows' knobs share it.
#pragma once
#include <QColor>
#include <QRectF>

class QPainter;

namespace qx::panel {

void drawKnurledFace(QPainter& p, const QRectF& r, const QColor& base, int ridges);

} // namespace qx::panel
