// The "Playback" window: one button per voice-memory and audio-recorder
// command, and the REC and PLAY lamps that follow the radio's "RI" answer.
#pragma once
#include "windows/AuxWindow.h"

#include <cstdint>
#include <vector>

class QPushButton;

namespace qx {

class ColouredStatic;

class CPlaybackDlg : public AuxWindow {
    Q_OBJECT
public:
    explicit CPlaybackDlg(WindowContext& ctx, QWidget* parent = nullptr);

    void onNotification(const Message& m) override;
    void refreshIndicators();

    ColouredStatic* recIndicator() const { return rec_; }
    ColouredStatic* playIndicator() const { return play_; }
    // In the order of the control ids (1026, 1027, 1031, 1034, ...).
    const std::vector<std::pair<QPushButton*, std::uint32_t>>& buttons() const { return buttons_; }

private:
    QPushButton* addButton(const QString& caption, std::uint32_t request);

    ColouredStatic* rec_ = nullptr;
    ColouredStatic* play_ = nullptr;
    std::vector<std::pair<QPushButton*, std::uint32_t>> buttons_;
};

} // namespace qx
