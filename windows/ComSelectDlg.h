// "COM Select": COM1 to COM20, each with the device behind it; a new port
// is tried first and refused with a message when it cannot be opened.
// Beside the list, a field names a radio on the network instead
// ("host:port", "rfc2217://host:port"); it is tried on a thread of its own,
// since connecting may take seconds.
#pragma once
#include "windows/PortChoiceDlg.h"

#include <atomic>
#include <optional>
#include <string>
#include <thread>

class QLabel;
class QLineEdit;

namespace qx {

class CComSelectDlg : public PortChoiceDlg {
    Q_OBJECT
public:
    CComSelectDlg(WindowContext& ctx, PortSettings& ports, QWidget* parent = nullptr, OperatorPrompt* prompt = nullptr);
    ~CComSelectDlg() override;

    QLineEdit* networkField() const { return network_; }
    // Says which device wins when the program was started with --device; null otherwise.
    QLabel* commandLineNote() const { return commandLineNote_; }
    // A network radio is being tried; the dialog goes on when it answers.
    bool probing() const { return probing_; }
    void accept() override;

protected:
    bool hasNewChoice() const override;
    bool choiceUsable(int value) override;
    void store(int value) override;
    void setControlsEnabled(bool enabled) override;

private:
    // The network radio typed into the field, in its normal form; nothing
    // when the field was not edited, is empty or holds no valid address.
    std::optional<std::string> typedNetworkDevice() const;
    void startProbe(const std::string& address);
    void probeFinished(bool ok, const std::string& address, const std::string& why);

    QLineEdit* network_ = nullptr;
    QLabel* commandLineNote_ = nullptr;
    std::optional<std::string> currentNetwork_;
    bool networkEdited_ = false;
    std::optional<std::string> probed_; // the address that answered its probe
    bool probing_ = false;
    std::atomic<bool> cancelProbe_{false};
    std::thread probe_;
};

// "COM3  (/dev/ttyUSB0)", with the adapter's by-id name when it has one:
// "COM1  (/dev/ttyUSB0  usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0)";
// "(none)" when no device stands behind the number.
std::vector<PortChoice> comPortChoices(const PortSettings& ports);

} // namespace qx
