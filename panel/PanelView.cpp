#include "panel/PanelView.h"

#include "panel/PanelLayout.h"
#include "panel/PanelPainter.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

namespace qx::panel {

PanelView::PanelView(const PanelModel& model, QWidget* parent) : QWidget(parent), model_(model)
{
    setFixedSize(kPanelWidth, kPanelHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

QSize PanelView::sizeHint() const { return {kPanelWidth, kPanelHeight}; }

const QPixmap& PanelView::background(qreal dpr) const
{
    if (background_.isNull() || background_.devicePixelRatio() != dpr) {
        background_ = QPixmap(QSize(kPanelWidth, kPanelHeight) * dpr);
        background_.setDevicePixelRatio(dpr);
        QPainter p(&background_);
        PanelPainter::paintBackground(p);
    }
    return background_;
}

void PanelView::refresh(unsigned regions)
{
    for (unsigned bit = 1; bit <= kAllRegions; bit <<= 1)
        if (regions & bit)
            update(PanelPainter::regionRect(bit));
}

void PanelView::paintArea(QPainter& p, const QRect& area) const
{
    const QPixmap& bg = background(p.device()->devicePixelRatioF());
    const qreal dpr = bg.devicePixelRatio();
    p.drawPixmap(area, bg, QRectF(area.topLeft() * dpr, area.size() * dpr).toRect());
    PanelPainter::paintRegions(p, model_, PanelPainter::regionsIn(area), area);
}

void PanelView::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    for (const QRect& r : e->region())
        paintArea(p, r);
}

QImage PanelView::render(qreal scale) const
{
    QImage img(QSize(kPanelWidth, kPanelHeight) * scale, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(scale);
    QPainter p(&img);
    paintArea(p, QRect(0, 0, kPanelWidth, kPanelHeight));
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
        input_.press(e->position().toPoint(), e->button() == Qt::LeftButton);
}

void PanelView::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void PanelView::mouseReleaseEvent(QMouseEvent* e)
{
    if (input_.release && (e->button() == Qt::LeftButton || e->button() == Qt::RightButton))
        input_.release(e->position().toPoint(), e->button() == Qt::LeftButton);
}

void PanelView::mouseMoveEvent(QMouseEvent* e)
{
    if (input_.move)
        input_.move(e->position().toPoint());
}

void PanelView::wheelEvent(QWheelEvent* e)
{
    if (input_.wheel)
        input_.wheel(e->position().toPoint(), e->angleDelta().y());
}

} // namespace qx::panel
