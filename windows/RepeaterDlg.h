// The "Repeater" window: shows and sets the CTCSS tone mode, the tone and
// the repeater shift. Every request is for VFO 0; the displays change only
// when the radio answers.
#pragma once
#include "windows/AuxWindow.h"

#include <functional>

class QLabel;
class QPushButton;

namespace qx {

class ColouredStatic;

class CRepeaterDlg : public AuxWindow {
    Q_OBJECT
public:
    // Runs the tone list modally with the current tone; tests replace it.
    using ToneListRunner = std::function<void(int currentTone)>;

    explicit CRepeaterDlg(WindowContext& ctx, QWidget* parent = nullptr);

    void onNotification(const Message& m) override;
    void setToneListRunner(ToneListRunner r) { runToneList_ = std::move(r); }

    QLabel* vfoCaption() const { return vfo_; }
    ColouredStatic* modeDisplay() const { return mode_; }
    ColouredStatic* toneDisplay() const { return tone_; }
    ColouredStatic* shiftDisplay() const { return shift_; }
    QPushButton* button(const QString& caption) const;

private:
    void refreshMode();
    void refreshTone();
    void refreshShift();
    void setToneMode(std::uint32_t request);

    QLabel* vfo_ = nullptr;
    ColouredStatic* mode_ = nullptr;
    ColouredStatic* tone_ = nullptr;
    ColouredStatic* shift_ = nullptr;
    ToneListRunner runToneList_;
};

} // namespace qx
