// The panel picture as a widget: the static art is rendered once per device
// pixel ratio and kept; a repaint blits the part of it that is exposed and
// draws the element states of the regions there. Mouse input is handed on
// through PanelInput to whoever operates the panel.
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

    // The whole panel, drawn now, at `scale` device pixels per panel pixel.
    QImage render(qreal scale = 1.0) const;
    // Draws `area` of the panel into `p` (background and elements).
    void paintArea(QPainter& p, const QRect& area) const;

    QSize sizeHint() const override;

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
    const QPixmap& background(qreal dpr) const;

    const PanelModel& model_;
    PanelInput input_;
    mutable QPixmap background_;
    std::vector<std::pair<QRect, QString>> toolTips_;
};

} // namespace qx::panel
