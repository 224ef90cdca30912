#include "app/RigServerHost.h"

#include "app/Engine.h"
#include "core/KeyValueFile.h"
#include "rigserver/TransmitterRelease.h"

#include <chrono>
#include <cstdio>

namespace qx {
namespace {

constexpr std::chrono::milliseconds kReleaseWait{1000};

} // namespace

RigServerHost::RigServerHost(Engine& engine, std::filesystem::path baseDir, TransmitGuard* guard)
    : engine_(engine), settingsPath_(baseDir / "CommoFiles" / KeyValueFile::kFileName),
      view_(engine.radio(), engine.command(), engine.menu()),
      writer_(engine, engine.menu(), [&engine](const std::string& text) { return engine.sendRaw(text); }),
      guarded_(writer_, guard), server_(view_, guarded_)
{
    engine_.setBeforeShutdown([this] { stop(); });
}

RigServerHost::~RigServerHost()
{
    engine_.setBeforeShutdown({});
    server_.stop();
}

void RigServerHost::start(const std::optional<std::string>& option, bool keepLinked, bool vfoOption)
{
    KeyValueFile settings(settingsPath_);
    settings.load();
    const auto vfoSetting = settings.get(rig::kVfoModeKey);
    server_.setVfoMode(vfoOption || (vfoSetting && *vfoSetting == "on"));
    const rig::ListenChoice choice = rig::chooseListenAddress(option, settings.get(rig::kSettingsKey));
    if (!choice.warning.empty())
        report(choice.warning);
    address_ = choice.address;
    server_.setKeepLinked(keepLinked);
    listen();
}

bool RigServerHost::apply(const rig::ListenAddress& address)
{
    server_.stop();
    address_ = address;
    KeyValueFile settings(settingsPath_);
    settings.load();
    // The file opens the server to other computers only where the operator
    // wrote such an address into it; an address from the command line is
    // for this run, and the file keeps the port.
    rig::ListenAddress saved = address;
    if (!rig::isLoopback(saved.host)) {
        const auto before = settings.get(rig::kSettingsKey);
        const auto written = before ? rig::parseListenAddress(*before) : std::nullopt;
        if (!written || written->host != saved.host)
            saved.host = rig::kLoopbackHost;
    }
    settings.set(rig::kSettingsKey, rig::formatListenAddress(saved));
    if (!settings.save())
        report("The rig server setting could not be saved: " + settings.lastError());
    problem_.clear();
    return listen();
}

void RigServerHost::stop()
{
    if (stopped_)
        return;
    stopped_ = true;
    server_.stop();
    rig::releaseTransmitter(view_, guarded_, kReleaseWait);
}

bool RigServerHost::listen()
{
    notice_.clear();
    if (!address_.enabled || stopped_)
        return true;
    if (server_.start(address_)) {
        notice_ = rig::exposureWarning(address_);
        if (stderr_ && !notice_.empty())
            std::fprintf(stderr, "%s\n", notice_.c_str());
        return true;
    }
    report("The rig server " + server_.error() + "; the program goes on without it.");
    return false;
}

void RigServerHost::report(std::string text)
{
    if (stderr_)
        std::fprintf(stderr, "%s\n", text.c_str());
    problem_ = std::move(text);
}

} // namespace qx
