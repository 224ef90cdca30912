// The answers that the last step of each read sequence waits for. The
// command builder names them as it sends the step; the analyser ticks each
// one off as it arrives, and the answer that completes a step tells the
// builder (UM_SEQUENCE_ANSWERED) to send the next one without waiting for
// the rest of its 30 ms tick.
//
// An answer belongs to a query when it starts with the query's text before
// its ";": "FA;" is answered by "FA14250000", "MD0;" by "MD02", "EX015;" by
// "EX0151". Safe from any thread.
#pragma once
#include "core/Message.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class StepAnswers {
public:
    // Room for each sequence that can run beside the others.
    static constexpr std::size_t kSequences = 3;

    // A new step of `sequence` (its timer id) has sent `queries`: what it
    // waited for before is forgotten. Returns the step's token, which the
    // completion message carries in lParam (the sequence in wParam).
    std::uint64_t expect(int sequence, std::span<const std::string> queries);
    // The sequence has ended: nothing of it is awaited any more.
    void forget(int sequence);

    // An answer (without its ";") has arrived: the completion message when it
    // was the last one its step waited for.
    std::optional<Message> arrived(std::string_view answer);

private:
    struct Step {
        int sequence = 0;
        std::uint64_t token = 0;
        std::vector<std::string> awaited; // query texts without ";"
    };
    Step* slotFor(int sequence);

    std::mutex mutex_;
    std::array<Step, kSequences> steps_{};
    std::uint64_t nextToken_ = 0;
    // Answers come far more often than steps: most need no lock.
    std::atomic<int> awaiting_{0};
};

} // namespace qx
