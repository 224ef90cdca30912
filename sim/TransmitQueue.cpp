#include "sim/TransmitQueue.h"

#include <algorithm>

namespace qx::sim {

void TransmitQueue::push(std::string bytes, TimePoint notBefore, std::string label)
{
    pieces_.push_back(Piece{std::move(bytes), notBefore, std::move(label)});
}

TransmitQueue::Due TransmitQueue::take(TimePoint now, std::chrono::nanoseconds perCharacter)
{
    Due due;
    while (!pieces_.empty()) {
        Piece& head = pieces_.front();
        TimePoint t = std::max(head.notBefore, lineFree_);
        while (head.sent < head.bytes.size() && t <= now) {
            due.bytes += head.bytes[head.sent++];
            t += perCharacter;
            lineFree_ = t;
        }
        if (head.sent < head.bytes.size())
            break;
        if (!head.label.empty())
            due.finished.push_back(std::move(head.label));
        pieces_.pop_front();
    }
    return due;
}

std::optional<TransmitQueue::TimePoint> TransmitQueue::nextDue() const
{
    if (pieces_.empty())
        return std::nullopt;
    return std::max(pieces_.front().notBefore, lineFree_);
}

void TransmitQueue::clear()
{
    pieces_.clear();
}

} // namespace qx::sim
