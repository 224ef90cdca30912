// The DNR window: noise reduction on/off and its level knob.
#pragma once
#include "panel/dsp/DspKnobDlg.h"

namespace qx {

class CDnrDlg final : public DspKnobDlg {
    Q_OBJECT
public:
    explicit CDnrDlg(WindowContext& ctx, QWidget* parent = nullptr);
    bool keyShowsOn() const override;

protected:
    bool carriesKnobValue(std::uint32_t id) const override { return id == UM_ANS_RL; }

private:
    void pressOnOff() override;
};

} // namespace qx
