#include "app/ConsoleLines.h"

namespace qx {

ConsoleLines::ConsoleLines(LineSink onLine, RefusalSink onTooLong)
    : onLine_(std::move(onLine)), onTooLong_(std::move(onTooLong))
{
}

void ConsoleLines::feed(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (!discarding_) {
            if (partial_.size() + piece.size() > kMaxLine) {
                partial_.clear();
                partial_.shrink_to_fit();
                discarding_ = true;
                if (onTooLong_)
                    onTooLong_();
            } else {
                partial_.append(piece);
            }
        }
        if (end == std::string_view::npos)
            return;
        if (!discarding_ && onLine_)
            onLine_(partial_);
        partial_.clear();
        discarding_ = false;
        bytes.remove_prefix(end + 1);
    }
}

void ConsoleLines::finish()
{
    if (!discarding_ && !partial_.empty() && onLine_)
        onLine_(partial_);
    partial_.clear();
    discarding_ = false;
}

} // namespace qx
