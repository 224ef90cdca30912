// The headless runner's channel verbs: channels read [N|N-M] (one line per
// channel in use, then the time taken), channels export FILE (all channels,
// CHIRP CSV or JSON by the name's ending), channels import FILE [--write]
// (the import report and the differences from the radio; with --write the
// differing channels are written and read back) and channels recall N.
// Results go to standard output, failures to standard error.
#pragma once
#include "app/ConsoleCommand.h"
#include "backup/RadioAccess.h"
#include "channels/ChannelImport.h"
#include "channels/ChannelJobs.h"
#include "core/Message.h"

#include <QObject>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace qx {

class Engine;

class HeadlessChannels : public QObject {
    Q_OBJECT
public:
    using Print = std::function<void(const std::string&)>;

    HeadlessChannels(Engine& engine, Print out, Print err, QObject* parent = nullptr);

    // False when the verb ended at once (its message printed); otherwise
    // `done` is called when it ends.
    bool run(const ConsoleCommand& c, std::function<void()> done);
    void onMessage(const Message& m) { jobs_.onMessage(m); }
    bool anyFailed() const { return failed_; }

private:
    enum class Step { Idle, Reading, ReadingForExport, ReadingForImport, Writing, Recalling };

    void jobEnded();
    void printReading();
    void exportNow();
    void compareImport();
    void written();
    bool fail(const std::string& why);
    void finish();

    Engine& engine_;
    SystemClock clock_;
    RadioAccess access_;
    ChannelJobs jobs_;
    Print out_;
    Print err_;
    ConsoleCommand command_;
    Step step_ = Step::Idle;
    ChannelImport imported_;
    std::chrono::steady_clock::time_point started_{};
    std::function<void()> done_;
    bool failed_ = false;
};

} // namespace qx
