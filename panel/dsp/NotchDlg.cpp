#include "panel/dsp/NotchDlg.h"

#include "core/PostRequest.h"
#include "core/RequestTable.h"
#include "panel/dsp/DspKnobRules.h"

namespace qx {
namespace {

using Int = RadioState::Int;

constexpr DspKnobRule kFrequency{Int::BP_LEVEL, UM_REQ_BP_SET_1, "BP01;", dsp::notchAfterSteps, nullptr,
                                 dsp::notchDotAngle};
// The radio's mode in which the notch does not act.
constexpr int kNoNotchMode = 11;

} // namespace

CNotchDlg::CNotchDlg(WindowContext& ctx, QWidget* parent) : DspKnobDlg(AuxKind::Notch, ctx, "NOTCH", 230, parent)
{
    addKnob({{166, 67}, {138, 39}, {1, 1, 358, 1}, {135, 14, 198, 21}, nullptr},
            std::make_unique<DspKnobBinding>(kFrequency, ctx.outbox, ctx.radio), "FREQ",
            dsp::notchDotAngle(dsp::kNotchMin), dsp::notchDotAngle(dsp::kNotchMax), 9);
}

bool CNotchDlg::keyShowsOn() const
{
    return ctx_.radio.get(Int::MD0) != kNoNotchMode && ctx_.radio.get(Int::BP_SW) == 1;
}

void CNotchDlg::pressOnOff()
{
    PostRequest(ctx_.outbox, requestRowOf(UM_REQ_BP_SET_0), 0, 0, 0, 0);
}

} // namespace qx
