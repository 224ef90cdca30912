#include "app/qt/HeadlessRunner.h"

#include "app/Engine.h"
#include "cat/RawCommandText.h"
#include "serial/TextQueue.h"
#include "core/ErrorMessages.h"
#include "core/MessageIds.h"
#include "core/PostRequest.h"
#include "core/RequestTable.h"
#include "app/WindowMessageNames.h"
#include "app/qt/LinkStatusRelay.h"
#include "app/qt/HeadlessBackup.h"
#include "app/qt/HeadlessChannels.h"
#include "app/qt/UiBridge.h"
#include "menu/MenuTable.h"
#include "menu/MenuText.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <QCoreApplication>
#include <QTimer>

#include "app/ConsoleLines.h"

#include <cerrno>
#include <thread>
#include <unistd.h>

namespace qx {

HeadlessRunner::HeadlessRunner(Engine& engine, UiBridge& bridge, std::FILE* out, std::FILE* err)
    : engine_(engine), bridge_(bridge), out_(out), err_(err), holdTimer_(new QTimer(this)),
      linkRelay_(std::make_unique<LinkStatusRelay>(
          bridge, [this](const LinkStatus& s) { say("LINK " + linkStatusText(s)); })),
      backup_(new HeadlessBackup(
          engine, [this](const std::string& line) { say(line); },
          [this](const std::string& line) {
              std::fprintf(err_, "%s\n", line.c_str());
              std::fflush(err_);
          },
          this)),
      channels_(new HeadlessChannels(
          engine, [this](const std::string& line) { say(line); },
          [this](const std::string& line) {
              std::fprintf(err_, "%s\n", line.c_str());
              std::fflush(err_);
          },
          this))
{
    holdTimer_->setSingleShot(true);
    connect(holdTimer_, &QTimer::timeout, this, [this] {
        if (!waitingFor_.empty())
            finishWait(false);
        else {
            busy_ = false;
            runNext();
        }
    });
    bridge_.setMessageHandler([this](const Message& m) { onMessage(m); });
    bridge_.setTimerHandler([this](int id) { engine_.onTimer(id); });
    engine_.setLinkListener([this](const LinkStatus& s) { linkRelay_->report(s); });
}

HeadlessRunner::~HeadlessRunner() { engine_.setLinkListener({}); }

void HeadlessRunner::start(bool readStdin)
{
    engine_.startUp();
    if (!readStdin)
        return;
    interactive_ = ::isatty(STDIN_FILENO) == 1;
    // A blocking reader of its own; it hands each line to the UI thread.
    std::thread([this] {
        ConsoleLines lines(
            [this](const std::string& line) {
                QMetaObject::invokeMethod(this, [this, line] { feedLine(line); }, Qt::QueuedConnection);
            },
            [this] {
                QMetaObject::invokeMethod(this, [this] { refuseLongLine(); }, Qt::QueuedConnection);
            });
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            lines.feed(std::string_view(buf, static_cast<std::size_t>(n)));
        }
        lines.finish();
        QMetaObject::invokeMethod(this, [this] { endOfInput(); }, Qt::QueuedConnection);
    }).detach();
}

void HeadlessRunner::say(const std::string& line)
{
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
}

void HeadlessRunner::onMessage(const Message& m)
{
    backup_->onMessage(m);
    channels_->onMessage(m);
    if (m.id == UM_SHOW_ERROR) {
        if (auto text = errorMessageText(m.lParam))
            std::fprintf(err_, "%s\n", withDetail(*text, engine_.errorDetail(m.lParam)).c_str());
        std::fflush(err_);
    }
    std::string name(windowMessageName(m.id));
    if (name.empty()) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%04X", m.id);
        name = buf;
    }
    say(name);
    seenSinceWait_.insert(name);
    if (!waitingFor_.empty() && name == waitingFor_)
        finishWait(true);
}

void HeadlessRunner::feedLine(const std::string& line)
{
    if (quitting_)
        return;
    // Someone at the terminal who says quit means now, not after the hour
    // a sleep may last.
    if (interactive_ && holdTimer_->isActive() && parseConsoleLine(line).verb == ConsoleCommand::Verb::Quit) {
        holdTimer_->stop();
        quit();
        return;
    }
    pending_.push_back(line);
    runNext();
}

void HeadlessRunner::refuseLongLine()
{
    complain("line too long (more than " + std::to_string(ConsoleLines::kMaxLine) + " characters): ignored");
}

void HeadlessRunner::complain(const std::string& text)
{
    std::fprintf(err_, "%s\n", text.c_str());
    std::fflush(err_);
}

void HeadlessRunner::endOfInput()
{
    if (endOfInputQuits_)
        feedLine("quit");
}

void HeadlessRunner::runNext()
{
    while (!busy_ && !quitting_ && !pending_.empty()) {
        const std::string line = pending_.front();
        pending_.pop_front();
        execute(parseConsoleLine(line));
    }
}

void HeadlessRunner::finishWait(bool ok)
{
    holdTimer_->stop();
    waitingFor_.clear();
    seenSinceWait_.clear();
    say(ok ? "ok" : "timeout");
    busy_ = false;
    runNext();
}

void HeadlessRunner::execute(const ConsoleCommand& c)
{
    using V = ConsoleCommand::Verb;
    switch (c.verb) {
    case V::None:
        return;
    case V::Invalid:
        std::fprintf(err_, "%s\n", c.error.c_str());
        std::fflush(err_);
        return;
    case V::Post: {
        const auto id = messageIdByName(c.name);
        if (!id) {
            complain("unknown message: " + c.name);
            return;
        }
        // Thread control and notifications would act on the workers' insides
        // (UM_THREAD_QUIT ends one for good).
        if (!isRequestName(c.name)) {
            complain("post: " + c.name + " is not a request");
            return;
        }
        if (int row = requestRowOf(*id); row > 0)
            PostRequest(engine_, row, 0, static_cast<int>(c.selector & 1), 0, c.value);
        else
            engine_.postToThread(ThreadId::AnlSend,
                                 {*id, static_cast<std::uint64_t>(c.selector), c.value});
        return;
    }
    case V::Send: {
        // As Command Send: the closing ";" added, nothing but printable ASCII.
        const RawCommandText raw = rawCommandText(c.name, TextQueue::kMaxText);
        if (!raw.ok())
            complain("send: " + raw.refusal);
        else if (!engine_.sendRaw(raw.text))
            complain("send: text too long");
        return;
    }
    case V::Get: {
        std::string name = c.name;
        bool commandSide = false;
        if (name.rfind("cmd.", 0) == 0) {
            name.erase(0, 4);
            commandSide = true;
        }
        if (!commandSide) {
            if (auto e = RadioState::findEntryByName(name)) {
                if (auto* i = std::get_if<RadioState::Int>(&*e))
                    say(c.name + " " + std::to_string(engine_.radio().get(*i)));
                else
                    say(c.name + " " + std::to_string(engine_.radio().get(std::get<RadioState::Real>(*e))));
                return;
            }
        }
        if (auto e = CommandState::findEntryByName(name)) {
            say(c.name + " " + std::to_string(engine_.command().get(*e)));
            return;
        }
        std::fprintf(err_, "unknown entry: %s\n", c.name.c_str());
        std::fflush(err_);
        return;
    }
    case V::Menu: {
        const MenuItem item = engine_.menu().getEntry(static_cast<int>(c.value));
        if (item.kind < 0 || item.number == 0) {
            say("menu " + std::to_string(c.value) + " vacant");
            return;
        }
        say("menu " + std::to_string(c.value) + " " + std::string(item.name.view()) + " " +
            std::to_string(static_cast<long long>(item.value)) + " " + settingText(item));
        return;
    }
    case V::Wait:
        if (seenSinceWait_.count(c.name)) {
            seenSinceWait_.clear();
            say("ok");
            return;
        }
        busy_ = true;
        waitingFor_ = c.name;
        holdTimer_->start(static_cast<int>(std::min(c.value, ConsoleCommand::kMaxHoldMs)));
        return;
    case V::Sleep:
        busy_ = true;
        holdTimer_->start(static_cast<int>(std::min(c.value, ConsoleCommand::kMaxHoldMs)));
        return;
    case V::Backup:
    case V::Compare:
    case V::Restore:
        busy_ = backup_->run(c, [this] {
            busy_ = false;
            runNext();
        });
        return;
    case V::Channels:
        busy_ = channels_->run(c, [this] {
            busy_ = false;
            runNext();
        });
        return;
    case V::Quit:
        quit();
        return;
    }
}

void HeadlessRunner::quit()
{
    if (quitting_)
        return;
    quitting_ = true;
    bridge_.beginShutdown();
    engine_.shutDown();
    int rc = 0;
    if (const std::string why = engine_.settingsSaveFailure(); !why.empty()) {
        std::fprintf(err_, "%s\n", withDetail(operatorText(kSettingsSaveFailedString).value_or(""), why).c_str());
        std::fflush(err_);
        rc = 1;
    }
    // A failed set-up verb fails the run, so a script that keeps the set-up notices.
    if (backup_->anyFailed() || channels_->anyFailed())
        rc = 1;
    QCoreApplication::exit(rc);
}

} // namespace qx
