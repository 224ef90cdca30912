#include "panel/PanelScale.h"

#include "panel/PanelLayout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <charconv>
#include <string>

namespace qx::panel {

namespace {

constexpr std::array kSteps{0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 3.5, 4.0};
// Scales this close count as the same step.
constexpr double kSameStep = 0.005;

} // namespace

QSize panelSizeAt(double scale)
{
    return {static_cast<int>(std::lround(kPanelWidth * scale)), static_cast<int>(std::lround(kPanelHeight * scale))};
}

double stepPanelScale(double current, int direction)
{
    if (direction > 0) {
        for (double s : kSteps)
            if (s > current + kSameStep)
                return s;
    } else if (direction < 0) {
        for (auto it = kSteps.rbegin(); it != kSteps.rend(); ++it)
            if (*it < current - kSameStep)
                return *it;
    }
    return std::clamp(current, kMinPanelScale, kMaxPanelScale);
}

double fitPanelScale(double wanted, QSize available, QSize chrome)
{
    const double room = std::min(double(available.width() - chrome.width()) / kPanelWidth,
                                 double(available.height() - chrome.height()) / kPanelHeight);
    // Two decimals, rounded down, so the fitted window never overshoots by rounding.
    const double fits = std::floor(room * 100) / 100;
    return std::clamp(std::min(wanted, fits), kMinPanelScale, kMaxPanelScale);
}

std::string formatPanelScale(double scale)
{
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::round(scale * 100) / 100);
    return ec == std::errc() ? std::string(buf, end) : std::string("1");
}

double parsePanelScale(const std::string& text)
{
    // Not strtod: the program runs in the user's locale, the file does not.
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v) || v < kMinPanelScale ||
        v > kMaxPanelScale)
        return 1.0;
    return v;
}

} // namespace qx::panel
