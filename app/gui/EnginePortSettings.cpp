#include "app/gui/EnginePortSettings.h"

#include "app/Engine.h"
#include "serial/NetworkAddress.h"
#include "serial/PortList.h"
#include "serial/TcpDevice.h"

namespace qx {

EnginePortSettings::EnginePortSettings(Engine& engine, DevicePaths paths) : engine_(engine), paths_(std::move(paths)) {}

int EnginePortSettings::portNumber() const
{
    return engine_.link().portNumber();
}

int EnginePortSettings::baudRate() const
{
    return engine_.link().baudRate();
}

std::optional<std::string> EnginePortSettings::deviceFor(int portNumber) const
{
    return paths_.pathFor(portNumber);
}

std::optional<std::string> EnginePortSettings::byIdName(const std::string& device) const
{
    return paths_.byIdName(device);
}

bool EnginePortSettings::probe(int portNumber)
{
    lastFailure_.clear();
    const auto rows = portList();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].number == portNumber)
            return engine_.link().probe(static_cast<int>(i), &lastFailure_);
    return false;
}

bool EnginePortSettings::closePort()
{
    return engine_.link().close();
}

void EnginePortSettings::setPortNumber(int n)
{
    engine_.link().setPortNumber(n);
    engine_.portSettingsChanged();
}

void EnginePortSettings::setBaudRate(int baud)
{
    engine_.link().setBaudRate(baud);
    engine_.portSettingsChanged();
}

bool EnginePortSettings::save()
{
    lastFailure_.clear();
    return engine_.settingsFile().write(engine_.link(), &lastFailure_);
}

} // namespace qx

namespace qx {

std::optional<std::string> EnginePortSettings::networkDevice() const
{
    // --device naming a network radio is the one in use, whatever was chosen before.
    const auto path = engine_.devicePathFor(engine_.link().portNumber());
    if (path && isNetworkDeviceName(*path))
        return path;
    return std::nullopt;
}

std::optional<std::string> EnginePortSettings::commandLineDevice() const { return engine_.commandLineDevice(); }

bool EnginePortSettings::setNetworkDevice(const std::optional<std::string>& address, std::string& why)
{
    return engine_.setNetworkDevice(address, &why);
}

bool EnginePortSettings::probeNetwork(const std::string& address, std::string& why, const std::atomic<bool>& cancel)
{
    const auto a = parseNetworkAddress(address, true, &why);
    if (!a)
        return false;
    auto device = TcpDevice::open(*a, engine_.link().baudRate(), why, &cancel);
    if (device && device->clearErrors().lineDown) {
        why = "the connection closed as it opened";
        return false;
    }
    return device != nullptr;
}

} // namespace qx
