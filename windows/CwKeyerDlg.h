// The "CW" window: plays, stops and edits the radio's three CW keyer
// memories and switches the spot tone. At opening it reads the three texts
// (timer 26 ends a read that gets no answer); a write is followed by a
// read-back that shows what the radio stored.
#pragma once
#include "windows/AuxWindow.h"

#include <array>

class QPushButton;
class QTimer;

namespace qx {

class FilteredEdit;

class CCwKeyerDlg : public AuxWindow {
    Q_OBJECT
public:
    static constexpr int kMemories = 3;
    static constexpr int kTextLength = 40;
    static constexpr int kTimeoutMs = 5000;

    // 0 idle, 1..3 reading memory n, 4..6 writing memory n - 3.
    enum State { Idle = 0 };

    explicit CCwKeyerDlg(WindowContext& ctx, QWidget* parent = nullptr);

    void onNotification(const Message& m) override;
    // Timer 26 fired (read or write got no answer in time).
    void onTimeout();

    int state() const { return state_; }
    bool timerRunning() const;
    FilteredEdit* textField(int memory) const { return fields_[static_cast<std::size_t>(memory - 1)]; }
    QPushButton* playButton(int memory) const { return play_[static_cast<std::size_t>(memory - 1)]; }
    QPushButton* writeButton(int memory) const { return write_[static_cast<std::size_t>(memory - 1)]; }
    QPushButton* stopButton() const { return stop_; }
    QPushButton* spotOnButton() const { return spotOn_; }
    QPushButton* spotOffButton() const { return spotOff_; }

protected:
    bool macroKeysAllowed() const override { return state_ == Idle; }
    void closeEvent(QCloseEvent* e) override;

private:
    void buildControls();
    void showMemory(int memory);
    void updateWriteButton(int memory);
    void finishRead();
    void writeMemory(int memory);
    void startTimeout();
    void stopTimeout();

    std::array<FilteredEdit*, kMemories> fields_{};
    std::array<QPushButton*, kMemories> play_{};
    std::array<QPushButton*, kMemories> write_{};
    QPushButton* stop_ = nullptr;
    QPushButton* spotOn_ = nullptr;
    QPushButton* spotOff_ = nullptr;
    QTimer* timer_ = nullptr;
    int state_ = Idle;
};

} // namespace qx
