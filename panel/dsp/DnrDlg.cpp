#include "panel/dsp/DnrDlg.h"

#include "core/PostRequest.h"
#include "core/RequestTable.h"
#include "panel/dsp/DspKnobRules.h"

namespace qx {
namespace {

constexpr DspKnobRule kLevel{RadioState::Int::RL, UM_REQ_RL_SET, "RL0;", dsp::dnrLevelAfterSteps, nullptr,
                             dsp::dnrLevelDotAngle};

} // namespace

CDnrDlg::CDnrDlg(WindowContext& ctx, QWidget* parent) : DspKnobDlg(AuxKind::Dnr, ctx, "DNR", 230, parent)
{
    // The level only matters to the radio while noise reduction is on.
    auto binding = std::make_unique<DspKnobBinding>(kLevel, ctx.outbox, ctx.radio,
                                                    [this] { return keyShowsOn(); });
    // Wide enough for "LEVEL" on its plate.
    addKnob({{166, 67}, {138, 39}, {18, 18, 341, 18}, {152, 14, 180, 21}, nullptr}, std::move(binding), "LEVEL",
            dsp::dnrLevelDotAngle(dsp::kDnrLevelMin), dsp::dnrLevelDotAngle(dsp::kDnrLevelMax), 11);
}

bool CDnrDlg::keyShowsOn() const
{
    return ctx_.radio.get(RadioState::Int::NR0) == 1;
}

void CDnrDlg::pressOnOff()
{
    PostRequest(ctx_.outbox, requestRowOf(UM_REQ_NR_TOGGLE), 0, 0, 0, 0);
}

} // namespace qx
