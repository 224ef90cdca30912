// Cuts the byte stream from the transceiver into answers. Bytes collect in a
// fixed buffer; an answer's end is known from its code: the CAT answer
// table's fixed length, the menu table's width for "EX", or a scan for ";"
// for "KM", "ID" and codes the table does not hold. Noise, heads that cannot
// be an answer and answers of the wrong length are thrown away. Every call
// of next() frames the next whole answer the buffer holds, skipping whatever
// stands before it, so one wake-up of the receive side hands on everything
// that has arrived. Pure: no port, no threads.
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
        Idle,    // nothing buffered
        Waiting, // the head's answer has not fully arrived
        Framed,  // one answer handed out
    };

    AnswerFramer();
    void reset();

    // Where the next read goes: room for at most kCapacity - count - 1 bytes,
    // so the filler after the last byte always stays inside the buffer.
    std::span<std::uint8_t> freeSpace();

    // `n` bytes were read into freeSpace(). After a lone framing error or
    // break, the noise at the head is stripped.
    void add(std::size_t n, std::uint32_t errors = 0);

    // Frames the next whole answer into `answer` (without its ";"), first
    // dropping every byte before it that cannot be one.
    Outcome next(const MenuShapes& menu, std::string& answer);

    // How many more bytes the head needs at the least before anything can be
    // framed from it; 0 when nothing is buffered. For the receive side, which
    // need not look at the line before they can have arrived.
    std::size_t awaited(const MenuShapes& menu) const;

    // The line went down: whatever was identified must be identified anew.
    void forgetIdentification() { identified_ = false; }

    std::size_t count() const { return count_ - head_; }
    std::string_view buffered() const
    {
        return {reinterpret_cast<const char*>(buf_.data() + head_), count_ - head_};
    }
    // Bytes thrown away since the last reset: noise, unusable heads, answers of the wrong length.
    std::uint64_t dropped() const { return dropped_; }

private:
    std::optional<std::size_t> identify(const MenuShapes& menu) const;
    std::optional<std::size_t> scanForEnd(std::size_t limit) const;
    std::uint8_t at(std::size_t i) const { return head_ + i < count_ ? buf_[head_ + i] : kFiller; }
    void drop(std::size_t n);
    void clear();
    void stripNoise();
    bool skipLeading();
    bool dropStuckHead();
    void discardThroughSemicolon();

    std::array<std::uint8_t, kCapacity> buf_;
    std::size_t head_ = 0;  // first unread byte
    std::size_t count_ = 0; // one past the last byte
    std::size_t expected_ = 0;
    bool identified_ = false;
    std::uint64_t dropped_ = 0;
};

// The RTS decision of one poll: raise, drop, or leave it as it is.
std::optional<bool> rtsFor(std::size_t buffered, std::uint32_t errors);

} // namespace qx
