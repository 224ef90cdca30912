#include "cat/StepAnswers.h"

#include "core/MessageIds.h"

#include <algorithm>

namespace qx {

StepAnswers::Step* StepAnswers::slotFor(int sequence)
{
    for (Step& s : steps_)
        if (s.sequence == sequence)
            return &s;
    for (Step& s : steps_)
        if (s.sequence == 0)
            return &s;
    return nullptr;
}

std::uint64_t StepAnswers::expect(int sequence, std::span<const std::string> queries)
{
    std::lock_guard lock(mutex_);
    const std::uint64_t token = ++nextToken_;
    Step* step = slotFor(sequence);
    if (step == nullptr)
        return token;
    const std::size_t before = step->awaited.size();
    step->sequence = sequence;
    step->token = token;
    step->awaited.clear();
    for (const std::string& q : queries)
        step->awaited.push_back(q.ends_with(';') ? q.substr(0, q.size() - 1) : q);
    awaiting_ += static_cast<int>(step->awaited.size()) - static_cast<int>(before);
    return token;
}

void StepAnswers::forget(int sequence)
{
    std::lock_guard lock(mutex_);
    for (Step& s : steps_) {
        if (s.sequence != sequence)
            continue;
        awaiting_ -= static_cast<int>(s.awaited.size());
        s = Step{};
    }
}

std::optional<Message> StepAnswers::arrived(std::string_view answer)
{
    if (awaiting_.load(std::memory_order_relaxed) == 0)
        return std::nullopt;
    std::lock_guard lock(mutex_);
    for (Step& s : steps_) {
        const auto it = std::find_if(s.awaited.begin(), s.awaited.end(),
                                     [answer](const std::string& q) { return answer.starts_with(q); });
        if (it == s.awaited.end())
            continue;
        s.awaited.erase(it);
        --awaiting_;
        if (s.awaited.empty())
            return Message{UM_SEQUENCE_ANSWERED, static_cast<std::uint64_t>(s.sequence),
                           static_cast<std::int64_t>(s.token)};
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace qx
