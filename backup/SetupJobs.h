// Save, compare and restore as the operator starts them, one at a time, for
// the dialogs and the headless runner alike: checks that the radio is
// linked, reads the memory channels when the job needs them, and reports
// progress and the end. Lives on the UI thread; the host forwards every
// notification to onMessage().
#pragma once
#include "backup/ChannelReader.h"
#include "backup/RadioAccess.h"
#include "backup/RestoreSequence.h"
#include "backup/SetupCompare.h"
#include "backup/SetupFile.h"

#include <QObject>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QTimer;

namespace qx {

class SetupJobs : public QObject {
    Q_OBJECT
public:
    enum class Job { None, Save, Compare, Restore };

    explicit SetupJobs(RadioAccess& access, QObject* parent = nullptr);
    ~SetupJobs() override;

    // Each returns false, with message() saying why and nothing sent to the
    // radio, when the job cannot start; otherwise finished() follows.
    // `channels`: the range to read; none saves without channels.
    bool save(const std::filesystem::path& path, std::optional<ChannelRange> channels);
    bool compare(const std::filesystem::path& path);
    // Differences of the last compare, or any others the caller picked.
    bool restore(std::vector<SetupDifference> chosen);
    void cancel();
    void onMessage(const Message& m);

    bool busy() const { return job_ != Job::None; }
    // Of the last job to end.
    bool succeeded() const { return succeeded_; }
    const std::string& message() const { return message_; }
    const std::vector<SetupDifference>& differences() const { return differences_; }
    const std::vector<RestoreResult>& restoreResults() const { return restoreResults_; }
    TaskProgress progress() const;

signals:
    void progressed(int done, int total);
    void finished();

private:
    bool refuse(std::string why);
    void drive();
    void channelsRead();
    void writeFile(std::optional<ChannelRange> range, std::vector<SavedChannel> channels);
    void compareNow(const std::vector<SavedChannel>* present);
    void end(bool ok, std::string message);

    RadioAccess& access_;
    QTimer* timer_;
    Job job_ = Job::None;
    std::unique_ptr<ChannelReader> reader_;
    std::unique_ptr<RestoreSequence> restore_;
    std::filesystem::path path_;
    std::optional<ChannelRange> range_;
    SetupFile loaded_;
    bool succeeded_ = false;
    std::string message_;
    std::vector<SetupDifference> differences_;
    std::vector<RestoreResult> restoreResults_;
};

} // namespace qx
