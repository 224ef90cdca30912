#include "app/qt/HeadlessBackup.h"

#include "app/Engine.h"

namespace qx {
namespace {

std::string verbName(ConsoleCommand::Verb v)
{
    switch (v) {
    case ConsoleCommand::Verb::Backup: return "backup";
    case ConsoleCommand::Verb::Compare: return "compare";
    default: return "restore";
    }
}

} // namespace

HeadlessBackup::HeadlessBackup(Engine& engine, Print out, Print err, QObject* parent)
    : QObject(parent),
      access_{engine, engine.radio(), engine.menu(), engine.flags(),
              [&engine](const std::string& t) { return engine.sendRaw(t); }, clock_},
      jobs_(access_), out_(std::move(out)), err_(std::move(err))
{
    connect(&jobs_, &SetupJobs::finished, this, &HeadlessBackup::jobEnded);
}

bool HeadlessBackup::run(const ConsoleCommand& c, std::function<void()> done)
{
    command_ = c;
    done_ = std::move(done);
    bool started = false;
    if (c.verb == ConsoleCommand::Verb::Backup) {
        std::optional<ChannelRange> range;
        if (c.firstChannel > 0)
            range = ChannelRange{c.firstChannel, c.lastChannel};
        started = jobs_.save(c.name, range);
        step_ = Step::Saving;
    } else {
        started = jobs_.compare(c.name);
        step_ = Step::Comparing;
    }
    if (!started) {
        fail(jobs_.message());
        step_ = Step::Idle;
        done_ = nullptr;
    }
    return started;
}

void HeadlessBackup::jobEnded()
{
    if (step_ == Step::Saving) {
        if (jobs_.succeeded())
            out_(jobs_.message());
        else
            fail(jobs_.message());
        finish();
    } else if (step_ == Step::Comparing) {
        if (!jobs_.succeeded()) {
            fail(jobs_.message());
            finish();
        } else {
            compared();
        }
    } else if (step_ == Step::Restoring) {
        restored();
    }
}

void HeadlessBackup::compared()
{
    const auto& diffs = jobs_.differences();
    if (command_.verb == ConsoleCommand::Verb::Compare) {
        for (const SetupDifference& d : diffs) {
            std::string line = d.key + " " + d.name + ": saved " + d.saved + ", now " + d.now;
            if (!d.restorable())
                line += " (by hand: " + d.handOnly + ")";
            out_(line);
        }
        out_("compare: " + jobs_.message());
        finish();
        return;
    }
    std::vector<SetupDifference> chosen;
    for (const std::string& name : command_.names) {
        bool found = false;
        for (const SetupDifference& d : diffs)
            if (d.answersTo(name)) {
                chosen.push_back(d);
                found = true;
            }
        if (!found) {
            fail("no difference named \"" + name + "\" (not in the file, or already as saved); nothing was restored");
            finish();
            return;
        }
    }
    if (command_.names.empty())
        chosen = diffs;
    if (chosen.empty()) {
        out_("restore: nothing to restore");
        finish();
        return;
    }
    step_ = Step::Restoring;
    if (!jobs_.restore(std::move(chosen))) {
        fail(jobs_.message());
        finish();
    }
}

void HeadlessBackup::restored()
{
    for (const RestoreResult& r : jobs_.restoreResults()) {
        std::string line = r.item.key + " " + r.item.name + ": " + std::string(outcomeText(r.outcome));
        if (r.outcome == RestoreResult::Outcome::LeftToOperator)
            line += " (" + r.item.handOnly + ")";
        out_(line);
    }
    if (jobs_.succeeded())
        out_("restore: " + jobs_.message());
    else
        fail(jobs_.message());
    finish();
}

void HeadlessBackup::fail(const std::string& why)
{
    failed_ = true;
    err_(verbName(command_.verb) + ": " + why);
}

void HeadlessBackup::finish()
{
    step_ = Step::Idle;
    if (auto done = std::move(done_)) {
        done_ = nullptr;
        done();
    }
}

} // namespace qx
