// The program's command line.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace qx {

struct ProgramOptions {
    bool headless = false;
    bool simulate = false;
    bool noSplash = false;
    bool connect = false;
    bool catMonitor = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> device;
    std::optional<int> port; // COM port number, 1..20
    std::optional<std::string> rigServer; // --rig-server: "off", "PORT" or "ADDR:PORT", checked
    bool rigServerVfo = false;             // --rig-server-vfo: clients name the VFO in each command
    std::optional<std::string> xmlrpcServer; // --xmlrpc-server, the same forms
    std::optional<std::string> radioInfoUdp; // --radio-info-udp, the same forms
    std::optional<std::string> web;       // --web: the same forms, checked
    bool setWebPassword = false;
    std::optional<std::string> audioIn;   // --audio-in: the receive audio's capture device
    std::optional<std::string> audioOut;  // --audio-out: the playback device to the radio
    std::string trace;
    std::string screenshot;
    std::string simLog;
    std::string error; // non-empty when the command line is wrong

    static std::string usage(const std::string& program);
};

ProgramOptions parseProgramOptions(const std::vector<std::string>& args);

} // namespace qx
