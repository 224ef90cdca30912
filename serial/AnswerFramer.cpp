#include "serial/AnswerFramer.h"

#include "cat/CatTables.h"
#include "menu/MenuExParam.h"
#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "serial/LineStatus.h"

#include <algorithm>
#include <cstring>

namespace qx {

namespace {

bool isUpper(std::uint8_t b) { return b >= 'A' && b <= 'Z'; }
bool isDigit(std::uint8_t b) { return b >= '0' && b <= '9'; }
// Bytes that may stand inside an answer after its code.
bool mayBelong(std::uint8_t b) { return (b >= 0x20 && b <= 0x5F) || b == '{'; }

constexpr std::size_t kExScan = 50;
constexpr std::size_t kKmScan = 54;
constexpr std::size_t kIdScan = 10;

} // namespace

std::optional<bool> rtsFor(std::size_t buffered, std::uint32_t errors)
{
    std::optional<bool> raise;
    if (buffered <= 1024 && errors != CommError::RxOverflow)
        raise = true;
    if (errors == CommError::RxOverflow || buffered >= 2048)
        raise = false;
    return raise;
}

AnswerFramer::AnswerFramer() { reset(); }

void AnswerFramer::reset()
{
    buf_.fill(kFiller);
    count_ = 0;
    expected_ = 0;
    identified_ = false;
}

std::span<std::uint8_t> AnswerFramer::freeSpace()
{
    return std::span(buf_).subspan(count_, kCapacity - count_ - 1);
}

void AnswerFramer::clear()
{
    std::fill_n(buf_.begin(), count_, kFiller);
    count_ = 0;
}

void AnswerFramer::removeHead(std::size_t n)
{
    n = std::min(n, count_);
    std::memmove(buf_.data(), buf_.data() + n, count_ - n);
    std::fill(buf_.begin() + static_cast<std::ptrdiff_t>(count_ - n), buf_.begin() + static_cast<std::ptrdiff_t>(count_),
              kFiller);
    count_ -= n;
}

// Index + 1 of the first ";" among the first `limit` bytes, all of which up
// to it must be able to belong to an answer; nothing when another byte (the
// filler included) comes first; 3 when no ";" lies within the limit.
std::optional<std::size_t> AnswerFramer::scanForEnd(std::size_t limit) const
{
    for (std::size_t i = 0; i < limit && i < kCapacity; ++i) {
        if (buf_[i] == ';')
            return i + 1;
        if (!mayBelong(buf_[i]))
            return std::nullopt;
    }
    return 3;
}

std::optional<std::size_t> AnswerFramer::identify(const MenuShapes& menu) const
{
    // The radio's refusal "?;" is an answer of its own, so that whoever sent
    // the refused command can learn of it.
    if (buf_[0] == '?')
        return count_ >= 2 && buf_[1] == ';' ? std::optional<std::size_t>(2) : std::nullopt;
    if (count_ <= 1 || buf_[0] == 0)
        return std::nullopt;
    const std::string_view code(reinterpret_cast<const char*>(buf_.data()), 2);

    if (code == "EX") {
        if (!isDigit(buf_[2]) || !isDigit(buf_[3]) || !isDigit(buf_[4]))
            return std::nullopt;
        const auto scanned = scanForEnd(kExScan);
        if (!scanned || *scanned == 3)
            return scanned;
        const int number = (buf_[2] - '0') * 100 + (buf_[3] - '0') * 10 + (buf_[4] - '0');
        if (number < 1 || number > menu.highestMenu || !menu.table)
            return std::nullopt;
        const int kind = menu.table->kindOf(number);
        if (kind == MenuKind::BeaconText)
            return scanned;
        const int width = exAnswerWidth(kind, menu.table->widthOf(number), menu.widthAdjust);
        return static_cast<std::size_t>(std::max(width, 0)) + 6;
    }
    if (code == "KM")
        return scanForEnd(kKmScan);
    if (code == "ID")
        return scanForEnd(kIdScan);

    if (!isUpper(buf_[0]) || !isUpper(buf_[1]))
        return std::nullopt;
    if (const CatRecord* row = answerRowAt(findAnswer(code)))
        return static_cast<std::size_t>(row->length);
    const auto end = std::find(buf_.begin(), buf_.begin() + static_cast<std::ptrdiff_t>(count_), ';');
    if (end == buf_.begin() + static_cast<std::ptrdiff_t>(count_))
        return std::nullopt;
    return static_cast<std::size_t>(end - buf_.begin()) + 1;
}

void AnswerFramer::stripNoise()
{
    for (std::size_t i = 0; i < count_; ++i) {
        const std::uint8_t b = buf_[i];
        if (isUpper(b) || isDigit(b) || b == '?' || b == ';') {
            removeHead(i);
            return;
        }
    }
    clear();
}

// Drops everything up to and including the first byte that cannot belong to
// an answer at its place; false when every byte could belong.
bool AnswerFramer::skipLeading()
{
    for (std::size_t p = 0; p < count_; ++p) {
        // A lone "?" waits for the ";" of its refusal.
        const bool belongs = p == 0 && buf_[0] == '?' ? count_ == 1 : p < 2 ? isUpper(buf_[p]) : mayBelong(buf_[p]);
        if (!belongs) {
            removeHead(p + 1);
            return true;
        }
    }
    return false;
}

// A head made only of bytes that could belong but that no answer matches
// ("EX099...;" past the last menu item, "EXABC;") would sit at the front for
// ever, and with RTS dropped at 2048 bytes nothing would ever push it out.
// Once its ";" is here waiting cannot help; a full buffer cannot wait either.
void AnswerFramer::dropStuckHead()
{
    const auto end = buf_.begin() + static_cast<std::ptrdiff_t>(count_);
    if (std::find(buf_.begin(), end, ';') != end)
        discardThroughSemicolon();
    else if (count_ == kCapacity - 1)
        clear();
}

void AnswerFramer::discardThroughSemicolon()
{
    const auto end = buf_.begin() + static_cast<std::ptrdiff_t>(count_);
    const auto semi = std::find(buf_.begin(), end, ';');
    if (semi == end)
        clear();
    else
        removeHead(static_cast<std::size_t>(semi - buf_.begin()) + 1);
}

AnswerFramer::Outcome AnswerFramer::step(std::size_t n, std::uint32_t errors, const MenuShapes& menu,
                                         std::string& answer)
{
    n = std::min(n, kCapacity - count_ - 1);
    if (count_ == 0 && n == 0)
        return Outcome::Idle;
    count_ += n;
    buf_[count_] = kFiller;

    if (errors == CommError::Framing || errors == CommError::Break) {
        stripNoise();
        if (count_ == 0) {
            identified_ = false;
            return Outcome::Skipped;
        }
    }

    if (!identified_) {
        const auto length = identify(menu);
        if (!length) {
            if (!skipLeading())
                dropStuckHead();
            return Outcome::Skipped;
        }
        expected_ = *length;
        identified_ = true;
    }
    if (count_ < expected_)
        return Outcome::Waiting;

    identified_ = false;
    if (expected_ >= 1 && buf_[expected_ - 1] == ';') {
        answer.assign(reinterpret_cast<const char*>(buf_.data()), expected_ - 1);
        removeHead(expected_);
        return Outcome::Framed;
    }
    discardThroughSemicolon();
    return Outcome::Discarded;
}

} // namespace qx
