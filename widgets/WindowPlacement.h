// Where a window opens so that it is whole on its screen: a new window
// opens centred over its parent (or over the screen when it has none), a
// window already placed stays where it was; then it is shrunk to the
// screen's available area (never below its minimum size) and moved inside.
#pragma once
#include <QMargins>
#include <QRect>

#include <optional>

namespace qx {

struct WindowToPlace {
    QRect geometry;              // the client area, as QWidget::geometry()
    QMargins frame;              // the decorations around it
    QSize minimum;               // the smallest client size it takes
    std::optional<QRect> parent; // the parent window's frame, for a new window
    bool placed = false;         // positioned before (by the program or the operator)
};

// The new client geometry.
QRect placeWindow(const WindowToPlace& w, const QRect& available);

// Where a window of frame size `outer` opens beside what it works on
// without covering `keepClear` (a part of the parent the operator watches):
// just below that part, centred on the parent; else below the parent, else
// above it; when none of these fits the screen, the first, moved inside it.
// The frame's top-left corner.
QPoint placeClearOf(QSize outer, const QRect& parentFrame, const QRect& keepClear, const QRect& available);

} // namespace qx
