// The radio-info broadcasts as the program runs them: off unless the
// command line or the settings file asks for them, to 127.0.0.1:12060 (or
// the address given), moved or stopped when the operator picks another.
//
// Lives on the UI thread; must not outlive the engine.
#pragma once
#include "radioinfo/RadioInfoSender.h"
#include "rigserver/ListenAddress.h"
#include "rigserver/RigStateView.h"

#include <filesystem>
#include <optional>
#include <string>

namespace qx {

class Engine;

class RadioInfoHost {
public:
    RadioInfoHost(Engine& engine, std::filesystem::path baseDir);
    ~RadioInfoHost();
    RadioInfoHost(const RadioInfoHost&) = delete;
    RadioInfoHost& operator=(const RadioInfoHost&) = delete;

    void start(const std::optional<std::string>& option);
    // The operator's new choice, remembered. False when it cannot send there.
    bool apply(const rig::ListenAddress& address);
    void stop();

    bool running() const { return sender_.running(); }
    const rig::ListenAddress& address() const { return address_; }
    const std::string& problem() const { return problem_; }
    void setReportToStderr(bool on) { stderr_ = on; }

private:
    bool send();
    void report(std::string text);

    Engine& engine_;
    std::filesystem::path settingsPath_;
    rig::RigStateView view_;
    radioinfo::RadioInfoSender sender_;
    rig::ListenAddress address_;
    std::string problem_;
    int shutdownStep_ = 0;
    bool stderr_ = true;
    bool stopped_ = false;
};

} // namespace qx
