// Drawing of the knob windows' parts in the panel's look: dark body, knurled
// knob faces with a red dot, small caption plates that light up when
// selected, and the lamp-lit on/off key.
#pragma once
#include "widgets/KnobGeometry.h"

#include <QPainter>
#include <QString>

namespace qx::knobart {

void body(QPainter& p, const QRect& r);
void face(QPainter& p, KnobPoint topLeft, int dotAngle);
// Scale marks around a knob at the given dot angles.
void scale(QPainter& p, KnobPoint topLeft, int fromAngle, int toAngle, int marks);
void label(QPainter& p, const KnobRect& r, const QString& text, bool lit);
// Whether the text fits the plate label() draws for `r`, lit or not.
bool labelFits(const KnobRect& r, const QString& text);
void onOffKey(QPainter& p, const KnobRect& r, bool on, bool pressed);
void caption(QPainter& p, const QRect& r, const QString& text);

} // namespace qx::knobart
