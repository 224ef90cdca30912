#include "panel/PanelView.h"

#include "panel/PanelLayout.h"
#include "panel/PanelPainter.h"
#include "panel/PanelScale.h"
#include "widgets/PanelColours.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace qx::panel {

PanelView::PanelView(const PanelModel& model, QWidget* parent) : QWidget(parent), model_(model)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setScale(1.0);
}

void PanelView::setScale(qreal scale)
{
    preferred_ = std::clamp(scale, kMinPanelScale, kMaxPanelScale);
    resize(sizeHint());
    updateGeometry();
    update();
}

QSize PanelView::sizeHint() const { return panelSizeAt(preferred_); }
QSize PanelView::minimumSizeHint() const { return panelSizeAt(kMinPanelScale); }

qreal PanelView::scale() const
{
    // Sized for its preferred scale, pixel rounding aside: that scale exactly.
    if (size() == panelSizeAt(preferred_))
        return preferred_;
    return std::max<qreal>(std::min(qreal(width()) / kPanelWidth, qreal(height()) / kPanelHeight), 0.01);
}

QPointF PanelView::origin() const
{
    const qreal s = scale();
    return {(width() - kPanelWidth * s) / 2, (height() - kPanelHeight * s) / 2};
}

QPoint PanelView::toPanel(QPointF widgetPos) const
{
    const QPointF p = (widgetPos - origin()) / scale();
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

QPoint PanelView::fromPanel(QPoint panelPos) const
{
    // The centre of the panel pixel, so mapping back lands on the same pixel.
    const QPointF p = origin() + (QPointF(panelPos) + QPointF(0.5, 0.5)) * scale();
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

QRect PanelView::toWidget(const QRect& r) const
{
    const qreal s = scale();
    const QRectF w(origin() + QPointF(r.topLeft()) * s, QSizeF(r.size()) * s);
    return w.toAlignedRect().adjusted(-1, -1, 1, 1);
}

const QPixmap& PanelView::background(qreal pixelsPerPanelPixel) const
{
    if (background_.isNull() || backgroundScale_ != pixelsPerPanelPixel) {
        // Scaled by hand: a painter does not scale for a device pixel ratio below 1.
        background_ = QPixmap((QSizeF(kPanelWidth, kPanelHeight) * pixelsPerPanelPixel).toSize());
        backgroundScale_ = pixelsPerPanelPixel;
        QPainter p(&background_);
        p.scale(pixelsPerPanelPixel, pixelsPerPanelPixel);
        PanelPainter::paintBackground(p);
    }
    return background_;
}

void PanelView::refresh(unsigned regions)
{
    for (unsigned bit = 1; bit <= kAllRegions; bit <<= 1)
        if (regions & bit)
            update(toWidget(PanelPainter::regionRect(bit)));
}

void PanelView::paintArea(QPainter& p, const QRect& area, qreal pixelsPerPanelPixel) const
{
    if (pixelsPerPanelPixel <= 0)
        pixelsPerPanelPixel = p.device()->devicePixelRatioF();
    const QPixmap& bg = background(pixelsPerPanelPixel);
    p.drawPixmap(QRectF(area), bg, QRectF(QPointF(area.topLeft()) * pixelsPerPanelPixel,
                                          QSizeF(area.size()) * pixelsPerPanelPixel));
    PanelPainter::paintRegions(p, model_, PanelPainter::regionsIn(area), area);
}

void PanelView::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    const qreal s = scale();
    const QPointF o = origin();
    const QRectF panel(o, QSizeF(kPanelWidth, kPanelHeight) * s);
    // The margins around a panel that does not fill the widget.
    for (const QRect& r : e->region())
        if (!panel.contains(QRectF(r)))
            p.fillRect(r, colours::kBodyBottom);
    p.translate(o);
    p.scale(s, s);
    const qreal pixels = s * devicePixelRatioF();
    const QRect whole(0, 0, kPanelWidth, kPanelHeight);
    for (const QRect& r : e->region()) {
        const QRectF inPanel(QPointF(QPointF(r.topLeft()) - o) / s, QSizeF(r.size()) / s);
        const QRect area = inPanel.toAlignedRect().adjusted(-1, -1, 1, 1).intersected(whole);
        if (area.isEmpty())
            continue;
        p.save();
        p.setClipRect(area);
        paintArea(p, area, pixels);
        p.restore();
    }
}

QImage PanelView::render(qreal scale) const
{
    QImage img((QSizeF(kPanelWidth, kPanelHeight) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.scale(scale, scale);
    paintArea(p, QRect(0, 0, kPanelWidth, kPanelHeight), scale);
    return img;
}

void PanelView::setAreaToolTip(const QRect& area, const QString& text) { toolTips_.emplace_back(area, text); }

QString PanelView::toolTipAt(QPoint p) const
{
    for (const auto& [area, text] : toolTips_)
        if (area.contains(p))
            return text;
    return {};
}

bool PanelView::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(e);
}

void PanelView::mousePressEvent(QMouseEvent* e)
{
    if (input_.press && (e->button() == Qt::LeftButton || e->button() == Qt::RightButton))
        input_.press(toPanel(e->position()), e->button() == Qt::LeftButton);
}

void PanelView::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void PanelView::mouseReleaseEvent(QMouseEvent* e)
{
    if (input_.release && (e->button() == Qt::LeftButton || e->button() == Qt::RightButton))
        input_.release(toPanel(e->position()), e->button() == Qt::LeftButton);
}

void PanelView::mouseMoveEvent(QMouseEvent* e)
{
    if (input_.move)
        input_.move(toPanel(e->position()));
}

void PanelView::wheelEvent(QWheelEvent* e)
{
    if (input_.wheel)
        input_.wheel(toPanel(e->position()), e->angleDelta().y());
}

} // namespace qx::panel
