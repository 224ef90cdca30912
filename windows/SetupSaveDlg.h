// File > "Save radio set-up...": writes the radio's set-up to a file. The
// menu and the keyer memories come from what the link-up read; the memory
// channels, when asked for, are read one by one with a progress bar and
// can be cancelled (nothing is written then).
#pragma once
#include "windows/SetupJobWindow.h"

class QCheckBox;

namespace qx {

class CSetupSaveDlg : public SetupJobWindow {
    Q_OBJECT
public:
    explicit CSetupSaveDlg(WindowContext& ctx, QWidget* parent = nullptr);

    QCheckBox* channelsBox() const { return channels_; }
    QPushButton* saveButton() const { return save_; }

private:
    void startSave();

    QCheckBox* channels_ = nullptr;
    QPushButton* save_ = nullptr;
};

} // namespace qx
