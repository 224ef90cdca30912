// Draws the panel with QPainter on the 843 x 320 logical canvas: the
// static art once (body, LCD glass, captions, dial skirts) and the element
// states of a PanelModel region by region on top of it.
#pragma once
#include "panel/PanelModel.h"
#include "panel/PanelRegions.h"

#include <QRect>

class QPainter;

namespace qx::panel {

class PanelPainter {
public:
    // Everything that never changes with the radio state.
    static void paintBackground(QPainter& p);
    // The elements of `regions` that meet `area`.
    static void paintRegions(QPainter& p, const PanelModel& m, unsigned regions,
                             const QRect& area = QRect(0, 0, 843, 320));
    // The panel rectangle a region covers.
    static QRect regionRect(unsigned region);
    // The regions that meet `r`.
    static unsigned regionsIn(const QRect& r);
};

} // namespace qx::panel
