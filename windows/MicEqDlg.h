// The "MIC EQ" window: ten preset buttons beside pictures of the curves. A
// click writes the setup-menu entry "MIC EQ" (kind 45) through the command
// builder; the window keeps no value of its own.
#pragma once
#include "windows/AuxWindow.h"

#include <array>

class QButtonGroup;
class QRadioButton;

namespace qx {

class CMicEqDlg : public AuxWindow {
    Q_OBJECT
public:
    static constexpr int kPresets = 10;

    explicit CMicEqDlg(WindowContext& ctx, QWidget* parent = nullptr);

    QRadioButton* presetButton(int preset) const { return buttons_[static_cast<std::size_t>(preset)]; }
    // The checked preset, -1 when none.
    int checkedPreset() const;
    void writePreset(int preset);

private:
    std::array<QRadioButton*, kPresets> buttons_{};
    QButtonGroup* group_ = nullptr;
};

} // namespace qx
