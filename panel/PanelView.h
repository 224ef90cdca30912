// The panel picture as a widget, drawn at any size: the 843 x 320 panel keeps
// its proportions and is scaled to fit the widget (centred, the rest in the
// body colour). The static art is rendered once per scale and kept; a
// repaint blits the part of it that is exposed and draws the element states
// of the regions there. Mouse input is mapped back to panel coordinates here,
// and only here, then handed on through PanelInput.
#pragma once
#include "panel/PanelModel.h"

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

namespace qx::panel {

struct PanelInput {
    // Panel coordinates; `left` tells the button.
    std::function<void(QPoint, bool left)> press;
    std::function<void(QPoint, bool left)> release;
    std::function<void(QPoint, int delta)> wheel;
    // Pointer movement while a button is held.
    std::function<void(QPoint)> move;
};

class PanelView : public QWidget {
    Q_OBJECT
public:
    explicit PanelView(const PanelModel& model, QWidget* parent = nullptr);

    // Schedules a repaint of the regions' rectangles; nothing when none changed.
    void refresh(unsigned regions);
    void setInput(PanelInput input) { input_ = std::move(input); }

    // The size the view asks for: the panel at `scale`; it is resized to it.
    void setScale(qreal scale);
    qreal preferredScale() const { return preferred_; }
    // The scale the panel is drawn at now, in the widget's current size.
    qreal scale() const;
    // Widget position to panel position, and back (the top-left of a panel pixel).
    QPoint toPanel(QPointF widgetPos) const;
    QPoint fromPanel(QPoint panelPos) const;

    // The whole panel, drawn now, `scale` image pixels per panel pixel.
    QImage render(qreal scale = 1.0) const;
    // Draws `area` of the panel into `p`, whose transform maps panel
    // coordinates; the art is rendered at `pixelsPerPanelPixel` (0: the
    // painter's device pixel ratio).
    void paintArea(QPainter& p, const QRect& area, qreal pixelsPerPanelPixel = 0) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // A tooltip for the pointer resting on `area` (panel coordinates).
    void setAreaToolTip(const QRect& area, const QString& text);
    // The tooltip for a panel point; empty where there is none.
    QString toolTipAt(QPoint p) const;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    const QPixmap& background(qreal pixelsPerPanelPixel) const;
    QPointF origin() const;
    QRect toWidget(const QRect& panelRect) const;

    const PanelModel& model_;
    PanelInput input_;
    qreal preferred_ = 1.0;
    mutable QPixmap background_;
    std::vector<std::pair<QRect, QString>> toolTips_;
    mutable qreal backgroundScale_ = 0;
};

} // namespace qx::panel
