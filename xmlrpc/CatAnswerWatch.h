// What the radio sent on the line lately, for rig.cat_string: a client's raw
// command is answered with the radio's own answer to it. Listens to the
// port's traffic tap (the receive thread appends, the server thread looks)
// and keeps the last few kilobytes only. It listens from the first raw
// command on, so that the port's bytes cost nothing until a client asks.
#pragma once
#include "serial/TrafficTap.h"

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace qx::xmlrpc {

class CatAnswerWatch {
public:
    static constexpr std::size_t kKeep = 4096;

    explicit CatAnswerWatch(TrafficTap& tap);
    ~CatAnswerWatch();
    CatAnswerWatch(const CatAnswerWatch&) = delete;
    CatAnswerWatch& operator=(const CatAnswerWatch&) = delete;

    // Where the line's answers stand now; listening from now on.
    long long mark();
    // The first whole answer ("FA14074000;") with these two letters that
    // came after `mark`; nothing yet.
    std::optional<std::string> answerSince(long long mark, std::string_view code) const;

    // For tests and the tap: bytes the radio sent.
    void received(std::string_view bytes);

private:
    TrafficTap& tap_;
    TrafficTap::Id id_ = 0;
    mutable std::mutex mutex_;
    std::string recent_;    // the last kKeep bytes at most
    long long dropped_ = 0;  // bytes before recent_ began
};

} // namespace qx::xmlrpc
