// Base of the CONTOUR, DNR and NOTCH windows: an on/off key and one or two
// knobs with their labels, run by KnobPanel on QTimers. Subclasses give the
// knobs, the on/off request and when the key shows on.
#pragma once
#include "widgets/KnobPanel.h"
#include "widgets/QtKnobTimers.h"
#include "panel/dsp/DspKnobBinding.h"
#include "windows/AuxWindow.h"

#include <QString>

#include <memory>
#include <vector>

namespace qx {

class DspKnobDlg : public AuxWindow, private KnobPanelHost {
    Q_OBJECT
public:
    static constexpr KnobRect kOnOffKey{34, 33, 75, 64};

    DspKnobDlg(AuxKind kind, WindowContext& ctx, const QString& caption, int width, QWidget* parent);
    ~DspKnobDlg() override;

    void onNotification(const Message& m) override;
    virtual bool keyShowsOn() const = 0;

    const KnobPanel& knobs() const { return panel_; }
    QString labelText(int knob) const { return decor_.at(static_cast<std::size_t>(knob)).label; }
    const QtKnobTimers& timers() const { return timers_; }
    // Runs one tick of a knob timer now, as if it had fired.
    void fireTimer(KnobTimer t) { panel_.tick(t); }

protected:
    // The label's text is painted on its plate; `scale` gives the dot angles
    // of the lowest and highest value for the marks around the knob.
    void addKnob(const KnobSetup& setup, std::unique_ptr<DspKnobBinding> binding, const QString& labelText,
                 int scaleFrom, int scaleTo, int marks);
    // Which forwarded answers carry a knob's value (the rest only redraw).
    virtual bool carriesKnobValue(std::uint32_t id) const { return id != 0; }

    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    struct KnobDecor {
        QString label;
        int scaleFrom;
        int scaleTo;
        int marks;
    };

    PointerState pointer() const override { return pointer_; }
    bool autoInformation() const override;
    void readBack(const std::string& text) override;
    void redraw() override { update(); }
    void track(const QMouseEvent* e);

    QtKnobTimers timers_;
    KnobPanel panel_;
    std::vector<std::unique_ptr<DspKnobBinding>> bindings_;
    std::vector<KnobDecor> decor_;
    PointerState pointer_;
};

} // namespace qx
