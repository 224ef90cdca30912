// Reads, writes and recalls of memory channels as the operator starts them,
// one at a time, for the Memory channels window and the headless runner
// alike. Reads go through the backup's channel reader, writes through the
// memory write request with a read-back of each channel (the backup's
// restore), recalls through the panel's own V/M key and a channel select.
// Lives on the UI thread; the host forwards every notification.
#pragma once
#include "backup/ChannelReader.h"
#include "backup/RadioAccess.h"
#include "backup/RestoreSequence.h"
#include "channels/ChannelImport.h"
#include "channels/ChannelRecall.h"

#include <QObject>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QTimer;

namespace qx {

struct ChannelWriteResult {
    int channel = 0;
    bool confirmed = false;
    std::string outcome; // "written", "refused by the radio", ...
};

class ChannelJobs : public QObject {
    Q_OBJECT
public:
    enum class Job { None, Read, Write, Recall };

    explicit ChannelJobs(RadioAccess& access, QObject* parent = nullptr);
    ~ChannelJobs() override;

    // Each returns false, with message() saying why and nothing sent to the
    // radio, when the job cannot start; otherwise finished() follows.
    bool read(ChannelRange range);
    bool write(const std::vector<ChannelEntry>& channels);
    bool recall(int channel);
    void cancel();
    void onMessage(const Message& m);

    bool busy() const { return job_ != Job::None; }
    Job lastJob() const { return last_; }
    bool succeeded() const { return succeeded_; }
    const std::string& message() const { return message_; }
    // Of the last read: every channel answered, in order, whole only when it succeeded.
    const std::vector<std::pair<int, std::optional<MemoryChannel>>>& reading() const { return reading_; }
    const std::vector<ChannelWriteResult>& writeResults() const { return writeResults_; }

signals:
    void progressed(int done, int total);
    void finished();

private:
    bool refuse(std::string why);
    RadioTask* task() const;
    void drive();
    void ended();
    void end(bool ok, std::string message);

    RadioAccess& access_;
    QTimer* timer_;
    Job job_ = Job::None;
    Job last_ = Job::None;
    std::unique_ptr<ChannelReader> reader_;
    std::unique_ptr<RestoreSequence> writer_;
    std::unique_ptr<ChannelRecall> recall_;
    bool succeeded_ = false;
    std::string message_;
    std::vector<std::pair<int, std::optional<MemoryChannel>>> reading_;
    std::vector<ChannelWriteResult> writeResults_;
};

} // namespace qx
