// "VFO SET": the operator types a frequency by the rule of
// state/TypedFrequency.h (digits alone are Hz, 7.074 / 7,074 MHz, 7074.5
// kHz), or the panel appends digits. The line above the field shows what
// the text reads as; OK ends with the frequency in Hz (0 when nothing was
// typed), or, for a text that cannot be read or lies outside the radio's
// range, stays open and says why.
#pragma once
#include "windows/AuxWindow.h"

class QLabel;
class QLineEdit;

namespace qx {

class CVfoSetDlg : public AuxWindow {
    Q_OBJECT
public:
    // Digits the panel may append (it types Hz).
    static constexpr int kMaxDigits = 8;
    static constexpr int kMaxLength = 16;

    explicit CVfoSetDlg(WindowContext& ctx, QWidget* parent = nullptr);

    // One digit from the panel, added at the end while there is room.
    void appendDigit(int digit);
    QLineEdit* field() const { return field_; }
    // What the text reads as, or why it was refused.
    QLabel* reading() const { return reading_; }

    void accept() override;

private:
    void showReading();

    QLineEdit* field_ = nullptr;
    QLabel* reading_ = nullptr;
};

} // namespace qx
