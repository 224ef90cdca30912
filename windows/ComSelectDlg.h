// "COM Select": COM1 to COM20, each with the device behind it; a new port
// is tried first and refused with a message when it cannot be opened.
#pragma once
#include "windows/PortChoiceDlg.h"

namespace qx {

class OperatorPrompt;

class CComSelectDlg : public PortChoiceDlg {
    Q_OBJECT
public:
    CComSelectDlg(WindowContext& ctx, PortSettings& ports, QWidget* parent = nullptr, OperatorPrompt* prompt = nullptr);

protected:
    bool choiceUsable(int value) override;
    void store(int value) override;

private:
    OperatorPrompt& prompt_;
};

// "COM3  (/dev/ttyUSB0)"; "(none)" when no device stands behind the number.
std::vector<PortChoice> comPortChoices(const PortSettings& ports);

} // namespace qx
