// Standard input cut into the headless runner's command lines. A line may
// be at most kMaxLine characters: a longer one is refused whole (reported
// once, its bytes dropped as they come), so input without line ends (a
// stream of NULs, a binary file) never grows memory.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace qx {

class ConsoleLines {
public:
    static constexpr std::size_t kMaxLine = 4096;

    using LineSink = std::function<void(const std::string& line)>;
    using RefusalSink = std::function<void()>;

    ConsoleLines(LineSink onLine, RefusalSink onTooLong);

    // Bytes as they were read, in any pieces.
    void feed(std::string_view bytes);
    // End of input: a last line without a line end still counts.
    void finish();

    // Bytes held for the line being read.
    std::size_t held() const { return partial_.size(); }

private:
    LineSink onLine_;
    RefusalSink onTooLong_;
    std::string partial_;
    bool discarding_ = false;
};

} // namespace qx
