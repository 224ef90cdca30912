// The CONTOUR window: the contour's on/off key, frequency knob and level knob.
#pragma once
#include "panel/dsp/DspKnobDlg.h"

namespace qx {

class CContourDlg final : public DspKnobDlg {
    Q_OBJECT
public:
    explicit CContourDlg(WindowContext& ctx, QWidget* parent = nullptr);
    bool keyShowsOn() const override;

private:
    void pressOnOff() override;
};

} // namespace qx
