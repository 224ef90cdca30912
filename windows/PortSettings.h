// What the COM Select and Baud rate dialogs may do to the port: read and
// change its number and speed, try a port, close the link, and save the
// settings file. The program gives them the engine's; tests a fake.
#pragma once
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
};

} // namespace qx
