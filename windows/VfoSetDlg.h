// "VFO SET": the operator types a frequency in Hz (at most 8 digits), or
// the panel appends digits. Ends with the number, 0 when nothing was entered;
// the range is checked further on.
#pragma once
#include "windows/AuxWindow.h"

class QLineEdit;

namespace qx {

class CVfoSetDlg : public AuxWindow {
    Q_OBJECT
public:
    static constexpr int kMaxDigits = 8;

    explicit CVfoSetDlg(WindowContext& ctx, QWidget* parent = nullptr);

    // One digit from the panel, added at the end while there is room.
    void appendDigit(int digit);
    QLineEdit* field() const { return field_; }

    void accept() override;

private:
    QLineEdit* field_ = nullptr;
};

} // namespace qx
