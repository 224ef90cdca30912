// The box shown while the radio's menu is read (dialog 901): it stays up
// while a read sequence runs, closes on UM_WAIT_BOX_CLOSE or after ten
// seconds, and cannot be dismissed from the keyboard.
#pragma once
#include <QDialog>

class QLabel;
class QTimer;

namespace qx {

struct LinkFlags;

class CWaitBoxDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLimitMs = 10000;
    static constexpr int kCloseDelayMs = 100;

    explicit CWaitBoxDlg(LinkFlags& flags, QWidget* parent = nullptr);
    ~CWaitBoxDlg() override;

    // UM_WAIT_BOX_CLOSE: the read sequence has ended.
    void sequenceEnded();
    // The ten-second limit ran out.
    void limitReached();
    bool closing() const { return closing_; }
    QLabel* text() const { return text_; }

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;

private:
    void closeSoon();

    LinkFlags& flags_;
    QLabel* text_;
    QTimer* limit_;
    bool closing_ = false;
};

} // namespace qx
