// What the COM Select and Baud rate dialogs may do to the port: read and
// change its number and speed, try a port, close the link, and save the
// settings file. The program gives them the engine's; tests a fake.
#pragma once
#include <atomic>
#include <optional>
#include <string>

namespace qx {

class PortSettings {
public:
    virtual ~PortSettings() = default;
    virtual int portNumber() const = 0;
    virtual int baudRate() const = 0;
    // The device behind COM n, nothing when none.
    virtual std::optional<std::string> deviceFor(int portNumber) const = 0;
    // The device's stable name under /dev/serial/by-id, nothing when none.
    virtual std::optional<std::string> byIdName(const std::string& device) const
    {
        (void)device;
        return std::nullopt;
    }
    // Opens COM n on its own and closes it again: true when it opened and the line is up.
    virtual bool probe(int portNumber) = 0;
    virtual bool closePort() = 0;
    virtual void setPortNumber(int n) = 0;
    virtual void setBaudRate(int baud) = 0;
    virtual bool save() = 0;
    // Why the last probe or save failed ("/dev/ttyUSB3: permission denied..."),
    // for the operator; empty when the system gave no reason.
    virtual std::string lastFailure() const { return {}; }

    // The radio on the network the link uses in place of COM n
    // ("tcp://host:port", "rfc2217://host:port"); nothing when it uses COM n.
    virtual std::optional<std::string> networkDevice() const = 0;
    // Chooses a network radio, or with nothing goes back to COM n, and
    // remembers the choice. False (with the reason) when it could not be saved.
    virtual bool setNetworkDevice(const std::optional<std::string>& address, std::string& why) = 0;
    // Connects to a network radio on its own and closes again: true when it
    // connected. Blocks for up to the connect time-out, so callers run it off
    // the UI thread; it touches nothing the link uses. `cancel` ends it early.
    virtual bool probeNetwork(const std::string& address, std::string& why, const std::atomic<bool>& cancel) = 0;
    // The device named on the command line (--device) for every COM number;
    // a network radio chosen here takes its place for this run.
    virtual std::optional<std::string> commandLineDevice() const { return std::nullopt; }
};

} // namespace qx
