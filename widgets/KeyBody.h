// The body of a panel key: a rounded, top-lit face that sinks one pixel
// when pressed. The main panel's keys and the DSP windows' on/off keys share it.
#pragma once
#include <QColor>
#include <QRectF>

class QPainter;

namespace qx::panel {

// Draws the body and returns the rectangle it was drawn in (moved down when pressed).
QRectF drawKeyBody(QPainter& p, QRectF r, bool pressed, qreal radius, QColor edge);

} // namespace qx::panel
