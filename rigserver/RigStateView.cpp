#include "rigserver/RigStateView.h"

#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "state/CommandState.h"

#include <cmath>

namespace qx::rig {

using R = RadioState::Int;

namespace {

// The key of the clarifier offset, a real entry, beside the integer entries.
constexpr int kRitKey = -1;

} // namespace

std::optional<int> RigStateView::expected(int key, int reported) const
{
    const auto it = expected_.find(key);
    if (it == expected_.end())
        return std::nullopt;
    if (reported != it->second.before || now_() >= it->second.until) {
        expected_.erase(it);
        return std::nullopt;
    }
    return it->second.value;
}

int RigStateView::value(R entry) const
{
    const int reported = radio_.get(entry);
    return expected(static_cast<int>(entry), reported).value_or(reported);
}

void RigStateView::expect(R entry, int v)
{
    expected_[static_cast<int>(entry)] = {v, radio_.get(entry), now_() + kExpectFor};
}

void RigStateView::forget(R entry) { expected_.erase(static_cast<int>(entry)); }

void RigStateView::expectRitOffset(int hz)
{
    const int reported = static_cast<int>(std::lround(radio_.get(RadioState::Real::IF_OFFSET)));
    expected_[kRitKey] = {hz, reported, now_() + kExpectFor};
}

bool RigStateView::linked() const { return radio_.get(R::AI) == 1; }
bool RigStateView::poweredOn() const { return radio_.get(R::PS) == 1; }

Status RigStateView::linkStatus() const
{
    if (!linked())
        return kIoError;
    return poweredOn() ? kOk : kNotPowered;
}

bool RigStateView::memoryMode() const { return value(R::IF21) != 0; }

int RigStateView::activeVfo() const { return value(R::VS) == 1 ? 1 : 0; }

int RigStateView::frequency(int vfo) const { return value(vfo == 1 ? R::FB : R::FA); }

std::optional<int> RigStateView::radioMode(int vfo) const
{
    auto known = [](int m) { return m >= 1 && m <= 12; };
    if (vfo == activeVfo())
        return known(value(R::MD0)) ? std::optional<int>(value(R::MD0)) : std::nullopt;
    // The other VFO's mode comes with "MD1" answers or, failing those, with
    // the other VFO's status read at link-up.
    for (R entry : {R::MD1, R::OI_MODE})
        if (known(value(entry)))
            return value(entry);
    return std::nullopt;
}

int RigStateView::dataType() const
{
    const auto entry = menu_.entryByKind(MenuKind::DataType);
    return entry ? static_cast<int>(std::lround(entry->value)) : 0;
}

// The radio reports no split flag: split is a transmit VFO other than the
// receive VFO.
bool RigStateView::split() const { return txVfo() != activeVfo(); }
int RigStateView::txVfo() const { return value(R::FT) == 1 ? 1 : 0; }

bool RigStateView::transmitting() const { return value(R::TX) != 0; }

int RigStateView::ritOffset() const
{
    const int reported = static_cast<int>(std::lround(radio_.get(RadioState::Real::IF_OFFSET)));
    return expected(kRitKey, reported).value_or(reported);
}

} // namespace qx::rig
