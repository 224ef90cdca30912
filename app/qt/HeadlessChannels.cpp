#include "app/qt/HeadlessChannels.h"

#include "app/Engine.h"
#include "backup/SettingText.h"
#include "backup/SetupSnapshot.h"
#include "channels/ChannelFiles.h"
#include "channels/ChannelLabels.h"
#include "channels/RepeaterShift.h"

#include <cstdio>
#include <map>

namespace qx {
namespace {

std::string channelKey(int channel)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "MR%03d", channel);
    return buf;
}

} // namespace

HeadlessChannels::HeadlessChannels(Engine& engine, Print out, Print err, QObject* parent)
    : QObject(parent), engine_(engine),
      access_{engine, engine.radio(), engine.menu(), engine.flags(),
              [&engine](const std::string& t) { return engine.sendRaw(t); }, clock_},
      jobs_(access_), out_(std::move(out)), err_(std::move(err))
{
    connect(&jobs_, &ChannelJobs::finished, this, &HeadlessChannels::jobEnded);
}

bool HeadlessChannels::run(const ConsoleCommand& c, std::function<void()> done)
{
    using A = ConsoleCommand::ChannelAction;
    command_ = c;
    done_ = std::move(done);
    started_ = std::chrono::steady_clock::now();
    bool started = false;
    switch (c.channelAction) {
    case A::Read:
        step_ = Step::Reading;
        started = jobs_.read({c.firstChannel, c.lastChannel});
        break;
    case A::Export:
        if (channelFileKind(c.name) == ChannelFileKind::Unknown) {
            done_ = nullptr;
            return fail(c.name + ": a channel list ends in .csv (CHIRP) or .json; nothing was read");
        }
        step_ = Step::ReadingForExport;
        started = jobs_.read({});
        break;
    case A::Import: {
        imported_ = loadChannelFile(c.name, repeaterShiftHz(engine_.menu()));
        if (imported_.refused()) {
            done_ = nullptr;
            return fail(imported_.error + "; nothing was sent to the radio");
        }
        for (const ImportNote& n : imported_.notes)
            out_(noteText(n));
        if (imported_.channels.empty()) {
            done_ = nullptr;
            return fail(c.name + ": no channel the radio can hold; nothing was sent to the radio");
        }
        step_ = Step::ReadingForImport;
        started = jobs_.read({imported_.channels.front().channel, imported_.channels.back().channel});
        break;
    }
    case A::Recall:
        step_ = Step::Recalling;
        started = jobs_.recall(c.firstChannel);
        break;
    }
    if (!started) {
        step_ = Step::Idle;
        done_ = nullptr;
        return fail(jobs_.message());
    }
    return true;
}

void HeadlessChannels::jobEnded()
{
    if (!jobs_.succeeded()) {
        fail(jobs_.lastJob() == ChannelJobs::Job::Write ? "" : jobs_.message());
        if (jobs_.lastJob() == ChannelJobs::Job::Write)
            written();
        finish();
        return;
    }
    switch (step_) {
    case Step::Reading: printReading(); break;
    case Step::ReadingForExport: exportNow(); break;
    case Step::ReadingForImport: compareImport(); return;
    case Step::Writing: written(); break;
    case Step::Recalling: out_("channels recall: " + std::to_string(command_.firstChannel) + " " + jobs_.message()); break;
    case Step::Idle: break;
    }
    finish();
}

void HeadlessChannels::printReading()
{
    const auto labels = ChannelLabels(engine_.baseDir() / "CommoFiles" / ChannelLabels::kFileName)
                            .load(radioIdText(engine_.radio()));
    const std::map<int, std::string> byChannel(labels.begin(), labels.end());
    for (const auto& [channel, content] : jobs_.reading()) {
        if (!content)
            continue;
        std::string line = channelKey(channel) + " " + describeChannel(content);
        if (auto it = byChannel.find(channel); it != byChannel.end())
            line += " \"" + it->second + "\"";
        out_(line);
    }
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started_).count();
    out_("channels read: " + jobs_.message() + " in " + std::to_string(ms) + " ms");
}

void HeadlessChannels::exportNow()
{
    const std::string id = radioIdText(engine_.radio());
    const auto labels = ChannelLabels(engine_.baseDir() / "CommoFiles" / ChannelLabels::kFileName).load(id);
    const std::map<int, std::string> byChannel(labels.begin(), labels.end());
    std::vector<ChannelEntry> list;
    for (const auto& [channel, content] : jobs_.reading())
        if (content) {
            const auto it = byChannel.find(channel);
            list.push_back({channel, *content, it == byChannel.end() ? std::string() : it->second});
        }
    std::string why;
    if (!saveChannelFile(command_.name, list, id, repeaterShiftHz(engine_.menu()), why)) {
        fail(why);
        return;
    }
    out_("channels export: " + std::to_string(list.size()) + " channels in use written to " + command_.name);
}

// The differences between the file and the radio; with --write, the
// channels that differ are written.
void HeadlessChannels::compareImport()
{
    std::map<int, std::optional<MemoryChannel>> onRadio(jobs_.reading().begin(), jobs_.reading().end());
    std::vector<ChannelEntry> differing;
    for (const ChannelEntry& e : imported_.channels) {
        const std::optional<MemoryChannel>& now = onRadio[e.channel];
        if (now == e.content)
            continue;
        out_(channelKey(e.channel) + " Channel " + std::to_string(e.channel) + ": radio " + describeChannel(now) +
             ", file " + describeChannel(e.content));
        differing.push_back(e);
    }
    if (!command_.writeToRadio) {
        out_("channels import: " + std::to_string(differing.size()) + " channels differ from the radio");
        finish();
        return;
    }
    if (imported_.anyRowRefused()) {
        fail("rows of the file were left out (listed above); nothing was written: correct the file or remove "
             "those rows");
        finish();
        return;
    }
    ChannelLabels labelFile(engine_.baseDir() / "CommoFiles" / ChannelLabels::kFileName);
    const std::string id = radioIdText(engine_.radio());
    std::map<int, std::string> labels;
    for (const auto& [channel, label] : labelFile.load(id))
        labels[channel] = label;
    for (const ChannelEntry& e : imported_.channels)
        labels[e.channel] = e.label;
    std::vector<std::pair<int, std::string>> kept;
    for (const auto& [channel, label] : labels)
        if (!label.empty())
            kept.emplace_back(channel, label);
    if (!labelFile.save(id, kept))
        err_("channels import: the labels were not kept: " + labelFile.lastError());
    if (differing.empty()) {
        out_("channels import: the radio already holds every channel of the file");
        finish();
        return;
    }
    step_ = Step::Writing;
    if (!jobs_.write(differing)) {
        fail(jobs_.message());
        finish();
    }
}

void HeadlessChannels::written()
{
    for (const ChannelWriteResult& r : jobs_.writeResults())
        out_(channelKey(r.channel) + " Channel " + std::to_string(r.channel) + ": " + r.outcome);
    if (jobs_.succeeded())
        out_("channels import: " + jobs_.message());
    else
        err_("channels import: " + jobs_.message());
}

bool HeadlessChannels::fail(const std::string& why)
{
    failed_ = true;
    if (!why.empty())
        err_("channels: " + why);
    return false;
}

void HeadlessChannels::finish()
{
    step_ = Step::Idle;
    if (auto done = std::move(done_)) {
        done_ = nullptr;
        done();
    }
}

} // namespace qx
