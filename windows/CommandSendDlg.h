// "Command Send": the operator types a raw CAT text (shown in upper case,
// at most 500 characters); OK sends it as typed, with the closing ";" added
// when it was left off (see cat/RawCommandText.h).
#pragma once
#include "windows/AuxWindow.h"

class QLabel;
class QLineEdit;

namespace qx {

class CCommandSendDlg : public AuxWindow {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 500;

    explicit CCommandSendDlg(WindowContext& ctx, QWidget* parent = nullptr);

    QLineEdit* field() const { return field_; }
    void accept() override;

private:
    QLineEdit* field_ = nullptr;
    QLabel* refusal_ = nullptr;
};

} // namespace qx
