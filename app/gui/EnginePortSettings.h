// The engine's port and settings file as the port dialogs see them.
#pragma once
#include "serial/DevicePaths.h"
#include "windows/PortSettings.h"

namespace qx {

class Engine;

class EnginePortSettings final : public PortSettings {
public:
    // paths: the same mapping of port numbers to devices the engine uses.
    EnginePortSettings(Engine& engine, DevicePaths paths);

    int portNumber() const override;
    int baudRate() const override;
    std::optional<std::string> deviceFor(int portNumber) const override;
    std::optional<std::string> byIdName(const std::string& device) const override;
    bool probe(int portNumber) override;
    bool closePort() override;
    void setPortNumber(int n) override;
    void setBaudRate(int baud) override;
    bool save() override;
    std::optional<std::string> networkDevice() const override;
    std::optional<std::string> commandLineDevice() const override;
    bool setNetworkDevice(const std::optional<std::string>& address, std::string& why) override;
    bool probeNetwork(const std::string& address, std::string& why, const std::atomic<bool>& cancel) override;
    std::string lastFailure() const override { return lastFailure_; }

private:
    Engine& engine_;
    DevicePaths paths_;
    std::string lastFailure_;
};

} // namespace qx
