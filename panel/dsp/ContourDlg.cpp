#include "panel/dsp/ContourDlg.h"

#include "core/PostRequest.h"
#include "core/RequestTable.h"
#include "panel/dsp/DspKnobRules.h"

namespace qx {
namespace {

using Int = RadioState::Int;

constexpr DspKnobRule kFrequency{Int::CO1, UM_REQ_CO_SET_1, "CO01;", dsp::contourFrequencyAfterSteps,
                                 dsp::contourFrequencyAfterLabelStep, dsp::contourFrequencyDotAngle};
constexpr DspKnobRule kLevel{Int::CO0, UM_REQ_CO_SET_0, "CO00;", dsp::contourLevelAfterSteps, nullptr,
                             dsp::contourLevelDotAngle};
constexpr KnobMotion kMotion{60, 60, 299, 60};

} // namespace

CContourDlg::CContourDlg(WindowContext& ctx, QWidget* parent) : DspKnobDlg(AuxKind::Contour, ctx, "CONTOUR", 320, parent)
{
    addKnob({{166, 67}, {138, 39}, kMotion, {135, 14, 198, 21}, nullptr},
            std::make_unique<DspKnobBinding>(kFrequency, ctx.outbox, ctx.radio), "FREQ",
            dsp::contourFrequencyDotAngle(dsp::kContourFrequencyMin),
            dsp::contourFrequencyDotAngle(dsp::kContourFrequencyMax), 5);
    addKnob({{276, 67}, {248, 39}, kMotion, {262, 14, 290, 21}, nullptr},
            std::make_unique<DspKnobBinding>(kLevel, ctx.outbox, ctx.radio), "LEVEL",
            dsp::contourLevelDotAngle(dsp::kContourLevelMin), dsp::contourLevelDotAngle(dsp::kContourLevelMax), 5);
}

bool CContourDlg::keyShowsOn() const
{
    return ctx_.radio.get(RadioState::Int::CO0) != 0;
}

void CContourDlg::pressOnOff()
{
    // Switching back on restores the level the contour had before it went off.
    int value = 0;
    if (ctx_.radio.get(Int::CO0) == 0) {
        const int saved = ctx_.radio.get(Int::CO_SAVED);
        value = saved != 0 ? saved : -2;
    }
    PostRequest(ctx_.outbox, requestRowOf(UM_REQ_CO_SET_0), 0, 0, 0, value);
}

} // namespace qx
