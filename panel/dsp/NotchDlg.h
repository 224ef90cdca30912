// The NOTCH window: the notch's on/off key and its frequency knob.
#pragma once
#include "panel/dsp/DspKnobDlg.h"

namespace qx {

class CNotchDlg final : public DspKnobDlg {
    Q_OBJECT
public:
    explicit CNotchDlg(WindowContext& ctx, QWidget* parent = nullptr);
    bool keyShowsOn() const override;

private:
    void pressOnOff() override;
};

} // namespace qx
