// The headless runner's set-up verbs: backup FILE [CHANNELS], compare FILE
// (one difference a line) and restore FILE [NAME...] (compare, then write
// back the named differences, or all). Results go to standard output,
// failures to standard error.
#pragma once
#include "app/ConsoleCommand.h"
#include "backup/RadioAccess.h"
#include "backup/SetupJobs.h"
#include "core/Message.h"

#include <QObject>

#include <functional>
#include <string>

namespace qx {

class Engine;

class HeadlessBackup : public QObject {
    Q_OBJECT
public:
    using Print = std::function<void(const std::string&)>;

    HeadlessBackup(Engine& engine, Print out, Print err, QObject* parent = nullptr);

    // False when the verb ended at once (its message printed); otherwise
    // `done` is called when it ends.
    bool run(const ConsoleCommand& c, std::function<void()> done);
    void onMessage(const Message& m) { jobs_.onMessage(m); }
    // Whether any verb failed so far.
    bool anyFailed() const { return failed_; }

private:
    enum class Step { Idle, Saving, Comparing, Restoring };

    void jobEnded();
    void compared();
    void restored();
    void fail(const std::string& why);
    void finish();

    SystemClock clock_;
    RadioAccess access_;
    SetupJobs jobs_;
    Print out_;
    Print err_;
    ConsoleCommand command_;
    Step step_ = Step::Idle;
    std::function<void()> done_;
    bool failed_ = false;
};

} // namespace qx
