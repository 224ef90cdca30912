// "COM Select": COM1 to COM20, each with the device behind it; a new port
// is tried first and refused with a message when it cannot be opened.
#pragma once
#include "windows/PortChoiceDlg.h"

namespace qx {

class CComSelectDlg : public PortChoiceDlg {
    Q_OBJECT
public:
    CComSelectDlg(WindowContext& ctx, PortSettings& ports, QWidget* parent = nullptr, OperatorPrompt* prompt = nullptr);

protected:
    bool choiceUsable(int value) override;
    void store(int value) override;
};

// "COM3  (/dev/ttyUSB0)", with the adapter's by-id name when it has one:
// "COM1  (/dev/ttyUSB0  usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0)";
// "(none)" when no device stands behind the number.
std::vector<PortChoice> comPortChoices(const PortSettings& ports);

} // namespace qx
