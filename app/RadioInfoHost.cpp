#include "app/RadioInfoHost.h"

#include "app/Engine.h"
#include "core/KeyValueFile.h"
#include "xmlrpc/AddressChoice.h"

#include <cstdio>

namespace qx {

using xmlrpc::kRadioInfoDefaults;

RadioInfoHost::RadioInfoHost(Engine& engine, std::filesystem::path baseDir)
    : engine_(engine), settingsPath_(baseDir / "CommoFiles" / KeyValueFile::kFileName),
      view_(engine.radio(), engine.command(), engine.menu()), sender_(view_)
{
    address_.enabled = kRadioInfoDefaults.enabled;
    address_.port = kRadioInfoDefaults.port;
    shutdownStep_ = engine_.addBeforeShutdown([this] { stop(); });
}

RadioInfoHost::~RadioInfoHost()
{
    engine_.removeBeforeShutdown(shutdownStep_);
    sender_.stop();
}

void RadioInfoHost::start(const std::optional<std::string>& option)
{
    KeyValueFile settings(settingsPath_);
    settings.load();
    const rig::ListenChoice choice =
        xmlrpc::chooseAddress(kRadioInfoDefaults, option, settings.get(kRadioInfoDefaults.settingsKey));
    if (!choice.warning.empty())
        report(choice.warning);
    address_ = choice.address;
    if (address_.enabled && !rig::isLoopback(address_.host))
        report("The radio-info broadcasts go to " + rig::formatListenAddress(address_) +
               ": other computers hear the radio's frequency and mode.");
    send();
}

bool RadioInfoHost::apply(const rig::ListenAddress& address)
{
    sender_.stop();
    address_ = address;
    KeyValueFile settings(settingsPath_);
    settings.load();
    settings.set(kRadioInfoDefaults.settingsKey, xmlrpc::savedForm(address));
    if (!settings.save())
        report("The radio-info setting could not be saved: " + settings.lastError());
    else
        problem_.clear();
    return send();
}

void RadioInfoHost::stop()
{
    stopped_ = true;
    sender_.stop();
}

bool RadioInfoHost::send()
{
    if (!address_.enabled || stopped_)
        return true;
    if (sender_.start(address_))
        return true;
    report("The radio-info broadcasts " + sender_.error() + "; the program goes on without them.");
    return false;
}

void RadioInfoHost::report(std::string text)
{
    if (stderr_)
        std::fprintf(stderr, "%s\n", text.c_str());
    problem_ = std::move(text);
}

} // namespace qx
