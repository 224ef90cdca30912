// Cuts the byte stream from the transceiver into answers, one per poll.
// Bytes collect in a fixed buffer; an answer's end is known from its code:
// the CAT answer table's fixed length, the menu table's width for "EX", or a
// scan for ";" for "KM", "ID" and codes the table does not hold. Noise,
// heads that cannot be an answer and answers of the wrong length are thrown
// away. Pure: no port, no threads.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qx {

class MenuTable;

// What "EX" framing needs to know about the setup menu.
struct MenuShapes {
    const MenuTable* table = nullptr;
    int highestMenu = 0;
    int widthAdjust = 0;
};

class AnswerFramer {
public:
    static constexpr std::size_t kCapacity = 16384;
    static constexpr std::uint8_t kFiller = 0xFF;

    enum class Outcome {
        Idle,      // nothing buffered
        Skipped,   // the head could not be identified; unusable bytes dropped
        Waiting,   // the head's answer has not fully arrived
        Framed,    // one answer handed out
        Discarded, // the head was not where its length said; dropped through ";"
    };

    AnswerFramer();
    void reset();

    // Where the next read goes: room for at most kCapacity - count - 1 bytes,
    // so the filler after the last byte always stays inside the buffer.
    std::span<std::uint8_t> freeSpace();

    // One poll after `n` bytes were read into freeSpace(): strips leading
    // noise after a framing error or break, then frames at most one answer
    // into `answer` (without its ";").
    Outcome step(std::size_t n, std::uint32_t errors, const MenuShapes& menu, std::string& answer);

    // The line went down: whatever was identified must be identified anew.
    void forgetIdentification() { identified_ = false; }

    std::size_t count() const { return count_; }
    std::string_view buffered() const { return {reinterpret_cast<const char*>(buf_.data()), count_}; }

private:
    std::optional<std::size_t> identify(const MenuShapes& menu) const;
    std::optional<std::size_t> scanForEnd(std::size_t limit) const;
    void removeHead(std::size_t n);
    void clear();
    void stripNoise();
    bool skipLeading();
    void discardThroughSemicolon();
    void dropStuckHead();

    std::array<std::uint8_t, kCapacity> buf_;
    std::size_t count_ = 0;
    std::size_t expected_ = 0;
    bool identified_ = false;
};

// The RTS decision of one poll: raise, drop, or leave it as it is.
std::optional<bool> rtsFor(std::size_t buffered, std::uint32_t errors);

} // namespace qx
