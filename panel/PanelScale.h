// The sizes the panel is drawn at: the steps of Ctrl++ and Ctrl+-, and the
// largest scale at which the main window still fits a screen.
#pragma once
#include <QSize>

#include <string>

namespace qx::panel {

inline constexpr double kMinPanelScale = 0.5;
inline constexpr double kMaxPanelScale = 4.0;

// The panel's size in logical pixels at `scale`.
QSize panelSizeAt(double scale);
// The next step up (direction > 0) or down from `current`; `current` itself
// at either end.
double stepPanelScale(double current, int direction);
// `wanted`, made smaller when the panel plus `chrome` (window frame, menu
// bar, status line) would not fit `available`; never below kMinPanelScale.
double fitPanelScale(double wanted, QSize available, QSize chrome);
// A scale as the settings file keeps it ("1.25"), and read back from it;
// text that is no scale in range gives 1.
std::string formatPanelScale(double scale);
double parsePanelScale(const std::string& text);

} // namespace qx::panel
