#include "app/XmlRpcHost.h"

#include "app/Engine.h"
#include "core/KeyValueFile.h"
#include "xmlrpc/AddressChoice.h"

#include <cstdio>

namespace qx {

XmlRpcHost::XmlRpcHost(Engine& engine, std::filesystem::path baseDir, TransmitGuard* guard)
    : engine_(engine), settingsPath_(baseDir / "CommoFiles" / KeyValueFile::kFileName),
      view_(engine.radio(), engine.command(), engine.menu()),
      writer_(engine, engine.menu(), [&engine](const std::string& text) { return engine.sendRaw(text); }),
      guarded_(writer_, guard), cat_(engine.traffic()), server_(view_, guarded_, &cat_)
{
    address_.port = xmlrpc::kXmlRpcDefaults.port;
    shutdownStep_ = engine_.addBeforeShutdown([this] { stop(); });
}

XmlRpcHost::~XmlRpcHost()
{
    engine_.removeBeforeShutdown(shutdownStep_);
    server_.stop();
}

void XmlRpcHost::start(const std::optional<std::string>& option)
{
    KeyValueFile settings(settingsPath_);
    settings.load();
    const rig::ListenChoice choice =
        xmlrpc::chooseAddress(xmlrpc::kXmlRpcDefaults, option, settings.get(xmlrpc::kXmlRpcDefaults.settingsKey));
    if (!choice.warning.empty())
        report(choice.warning);
    address_ = choice.address;
    if (address_.enabled && !rig::isLoopback(address_.host))
        report("The XML-RPC server listens on " + rig::formatListenAddress(address_) +
               ": other computers can control the radio without a password.");
    listen();
}

bool XmlRpcHost::apply(const rig::ListenAddress& address)
{
    server_.stop();
    address_ = address;
    KeyValueFile settings(settingsPath_);
    settings.load();
    settings.set(xmlrpc::kXmlRpcDefaults.settingsKey, xmlrpc::savedForm(address));
    if (!settings.save())
        report("The XML-RPC server setting could not be saved: " + settings.lastError());
    else
        problem_.clear();
    return listen();
}

void XmlRpcHost::stop()
{
    if (stopped_)
        return;
    stopped_ = true;
    // The server releases a transmitter its clients keyed as they go.
    server_.stop();
}

bool XmlRpcHost::listen()
{
    if (!address_.enabled || stopped_)
        return true;
    if (server_.start(address_))
        return true;
    report("The XML-RPC server " + server_.error() + "; the program goes on without it.");
    return false;
}

void XmlRpcHost::report(std::string text)
{
    if (stderr_)
        std::fprintf(stderr, "%s\n", text.c_str());
    problem_ = std::move(text);
}

} // namespace qx
