#include "xmlrpc/CatAnswerWatch.h"

namespace qx::xmlrpc {

CatAnswerWatch::CatAnswerWatch(TrafficTap& tap) : tap_(tap) {}

CatAnswerWatch::~CatAnswerWatch()
{
    if (id_ != 0)
        tap_.stopListening(id_);
}

void CatAnswerWatch::received(std::string_view bytes)
{
    std::lock_guard lock(mutex_);
    recent_.append(bytes);
    if (recent_.size() > kKeep) {
        const std::size_t cut = recent_.size() - kKeep;
        recent_.erase(0, cut);
        dropped_ += static_cast<long long>(cut);
    }
}

long long CatAnswerWatch::mark()
{
    // Only the server's thread calls this; the tap's own lock orders the
    // listener's start against the receive thread.
    if (id_ == 0)
        id_ = tap_.listen([this](TrafficDirection d, std::span<const std::uint8_t> bytes) {
            if (d == TrafficDirection::Read)
                received(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        });
    std::lock_guard lock(mutex_);
    return dropped_ + static_cast<long long>(recent_.size());
}

std::optional<std::string> CatAnswerWatch::answerSince(long long mark, std::string_view code) const
{
    std::lock_guard lock(mutex_);
    std::size_t from = mark > dropped_ ? static_cast<std::size_t>(mark - dropped_) : 0;
    while (from < recent_.size()) {
        const std::size_t end = recent_.find(';', from);
        if (end == std::string::npos)
            return std::nullopt;
        const std::string_view answer = std::string_view(recent_).substr(from, end + 1 - from);
        if (answer.starts_with(code))
            return std::string(answer);
        from = end + 1;
    }
    return std::nullopt;
}

} // namespace qx::xmlrpc
