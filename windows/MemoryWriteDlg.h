// "MEMORY WRITE": stores the current settings in channel 1..504. Before
// writing it asks the radio for the channel; an answer within 500 ms means
// the channel is in use and the operator is asked before it is overwritten,
// silence means it is free.
#pragma once
#include "windows/AuxWindow.h"

class QLineEdit;
class QPushButton;
class QTimer;

namespace qx {

class OperatorPrompt;

class CMemoryWriteDlg : public AuxWindow {
    Q_OBJECT
public:
    static constexpr int kFirstChannel = 1;
    static constexpr int kLastChannel = 504;
    static constexpr int kProbeMs = 500;

    explicit CMemoryWriteDlg(WindowContext& ctx, QWidget* parent = nullptr, OperatorPrompt* prompt = nullptr);

    void onNotification(const Message& m) override;
    // Timer 35 fired: no answer, the channel is free.
    void onProbeTimeout();

    bool waiting() const { return channel_ != 0; }
    bool probeRunning() const;
    QLineEdit* field() const { return field_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    void accept() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void setEditing(bool editing);
    void write();

    OperatorPrompt& prompt_;
    QLineEdit* field_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* probe_ = nullptr;
    int channel_ = 0; // the channel asked for; 0 while editing
};

} // namespace qx
