#include "panel/dsp/DspKnobDlg.h"

#include "widgets/KnobPainter.h"
#include "state/RadioState.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace qx {

namespace {
constexpr int kHeight = 108;
}

DspKnobDlg::DspKnobDlg(AuxKind kind, WindowContext& ctx, const QString& caption, int width, QWidget* parent)
    : AuxWindow(kind, ctx, parent),
      timers_(this, [this](KnobTimer t) { panel_.tick(t); }),
      panel_(*this, timers_, kOnOffKey)
{
    setWindowTitle(caption);
    setFixedSize(width, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

DspKnobDlg::~DspKnobDlg() = default;

void DspKnobDlg::addKnob(const KnobSetup& setup, std::unique_ptr<DspKnobBinding> binding, const QString& labelText,
                         int scaleFrom, int scaleTo, int marks)
{
    KnobSetup s = setup;
    s.binding = binding.get();
    bindings_.push_back(std::move(binding));
    decor_.push_back({labelText, scaleFrom, scaleTo, marks});
    panel_.addKnob(s);
}

void DspKnobDlg::onNotification(const Message& m)
{
    if (carriesKnobValue(m.id))
        panel_.answerArrived();
    update();
}

bool DspKnobDlg::autoInformation() const
{
    return ctx_.radio.get(RadioState::Int::AI) != 0;
}

void DspKnobDlg::readBack(const std::string& text)
{
    if (ctx_.sendRaw)
        ctx_.sendRaw(text);
}

void DspKnobDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    knobart::body(p, rect());
    knobart::caption(p, QRect(kOnOffKey.left - 10, 10, kOnOffKey.right - kOnOffKey.left + 21, 14), windowTitle());
    knobart::onOffKey(p, kOnOffKey, keyShowsOn(), panel_.buttonHeld());
    for (int i = 0; i < panel_.knobCount(); ++i) {
        const KnobSetup& k = panel_.knob(i);
        const KnobDecor& d = decor_[static_cast<std::size_t>(i)];
        knobart::label(p, k.label, d.label, panel_.selectedLabel() == i);
        knobart::scale(p, k.face, d.scaleFrom, d.scaleTo, d.marks);
        knobart::face(p, k.face, panel_.dotAngle(i));
    }
}

void DspKnobDlg::track(const QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    pointer_.pos = {p.x(), p.y()};
    pointer_.left = e->buttons().testFlag(Qt::LeftButton);
    pointer_.right = e->buttons().testFlag(Qt::RightButton);
}

void DspKnobDlg::mousePressEvent(QMouseEvent* e)
{
    track(e);
    if (e->button() == Qt::LeftButton)
        panel_.leftPress(pointer_.pos);
    else if (e->button() == Qt::RightButton)
        panel_.rightPress(pointer_.pos);
}

void DspKnobDlg::mouseDoubleClickEvent(QMouseEvent* e)
{
    // The second click of a double-click is a press like any other.
    mousePressEvent(e);
}

void DspKnobDlg::mouseReleaseEvent(QMouseEvent* e)
{
    track(e);
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton)
        panel_.release(e->button() == Qt::LeftButton);
}

void DspKnobDlg::mouseMoveEvent(QMouseEvent* e)
{
    track(e);
}

void DspKnobDlg::wheelEvent(QWheelEvent* e)
{
    const QPoint p = e->position().toPoint();
    pointer_.pos = {p.x(), p.y()};
    panel_.wheel(pointer_.pos, e->angleDelta().y());
    e->accept();
}

void DspKnobDlg::hideEvent(QHideEvent* e)
{
    // A hidden window takes no releases: let go of whatever was held.
    pointer_.left = false;
    pointer_.right = false;
    panel_.letGo();
    AuxWindow::hideEvent(e);
}

} // namespace qx
