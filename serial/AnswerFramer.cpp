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
constexpr std::size_t kIdLength = 7;
constexpr std::size_t kShortestEx = 6;   // "EX001;"
constexpr std::size_t kShortestAnswer = 4; // the shortest the table has: "PS1;"

// Answer length by code, for the two letters 'A'..'Z' each; 0 when the table
// has no such answer. The first row of a code wins, as in the analyser.
constexpr auto kLengthByCode = [] {
    std::array<std::uint8_t, 26 * 26> lengths{};
    for (auto row = kAnswerTable.rbegin(); row != kAnswerTable.rend(); ++row) {
        const std::string_view code = codeOf(*row);
        lengths[static_cast<std::size_t>((code[0] - 'A') * 26 + (code[1] - 'A'))] =
            static_cast<std::uint8_t>(row->length);
    }
    return lengths;
}();

// No answer the radio sends is longer than its longest table answer: a head
// that has found no ";" by then never will.
constexpr std::size_t kLongestAnswer = [] {
    std::size_t longest = kKmScan;
    for (const CatRecord& row : kAnswerTable)
        longest = std::max(longest, static_cast<std::size_t>(row.length));
    return longest;
}();

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
    head_ = 0;
    count_ = 0;
    expected_ = 0;
    identified_ = false;
    dropped_ = 0;
}

std::span<std::uint8_t> AnswerFramer::freeSpace()
{
    // What is left of a partly framed buffer moves to the front once per read,
    // never once per answer or per skipped byte.
    if (head_ > 0) {
        std::memmove(buf_.data(), buf_.data() + head_, count_ - head_);
        count_ -= head_;
        head_ = 0;
    }
    return std::span(buf_).subspan(count_, kCapacity - count_ - 1);
}

void AnswerFramer::add(std::size_t n, std::uint32_t errors)
{
    n = std::min(n, kCapacity - count_ - 1);
    count_ += n;
    buf_[count_] = kFiller;
    if (errors == CommError::Framing || errors == CommError::Break)
        stripNoise();
}

void AnswerFramer::drop(std::size_t n)
{
    n = std::min(n, count());
    head_ += n;
    dropped_ += n;
    if (head_ == count_)
        head_ = count_ = 0;
}

void AnswerFramer::clear() { drop(count()); }

// Index + 1 of the first ";" among the first `limit` bytes, all of which up
// to it must be able to belong to an answer; nothing when another byte (or
// the end of what has arrived) comes first; 3 when no ";" lies within the limit.
std::optional<std::size_t> AnswerFramer::scanForEnd(std::size_t limit) const
{
    for (std::size_t i = 0; i < limit; ++i) {
        const std::uint8_t b = at(i);
        if (b == ';')
            return i + 1;
        if (!mayBelong(b))
            return std::nullopt;
    }
    return 3;
}

std::optional<std::size_t> AnswerFramer::identify(const MenuShapes& menu) const
{
    const std::size_t n = count();
    // The radio's refusal "?;" is an answer of its own, so that whoever sent
    // the refused command can learn of it.
    if (n >= 1 && at(0) == '?')
        return n >= 2 && at(1) == ';' ? std::optional<std::size_t>(2) : std::nullopt;
    if (n <= 1 || at(0) == 0)
        return std::nullopt;
    const std::uint8_t c0 = at(0);
    const std::uint8_t c1 = at(1);

    if (c0 == 'E' && c1 == 'X') {
        if (!isDigit(at(2)) || !isDigit(at(3)) || !isDigit(at(4)))
            return std::nullopt;
        const auto scanned = scanForEnd(kExScan);
        if (!scanned || *scanned == 3)
            return scanned;
        const int number = (at(2) - '0') * 100 + (at(3) - '0') * 10 + (at(4) - '0');
        if (number < 1 || number > menu.highestMenu || !menu.table)
            return std::nullopt;
        const int kind = menu.table->kindOf(number);
        if (kind == MenuKind::BeaconText)
            return scanned;
        const int width = exAnswerWidth(kind, menu.table->widthOf(number), menu.widthAdjust);
        return static_cast<std::size_t>(std::max(width, 0)) + 6;
    }
    if (c0 == 'K' && c1 == 'M')
        return scanForEnd(kKmScan);
    if (c0 == 'I' && c1 == 'D')
        return scanForEnd(kIdScan);

    if (!isUpper(c0) || !isUpper(c1))
        return std::nullopt;
    if (const std::uint8_t length = kLengthByCode[static_cast<std::size_t>((c0 - 'A') * 26 + (c1 - 'A'))])
        return length;
    const std::size_t window = std::min(n, kLongestAnswer);
    if (const void* semi = std::memchr(buf_.data() + head_, ';', window))
        return static_cast<std::size_t>(static_cast<const std::uint8_t*>(semi) - (buf_.data() + head_)) + 1;
    // Given up, as a scanned answer is: dropped through the next ";".
    return n >= kLongestAnswer ? std::optional<std::size_t>(3) : std::nullopt;
}

void AnswerFramer::stripNoise()
{
    for (std::size_t i = 0; i < count(); ++i) {
        const std::uint8_t b = at(i);
        if (isUpper(b) || isDigit(b) || b == '?' || b == ';') {
            if (i > 0) {
                drop(i);
                identified_ = false;
            }
            return;
        }
    }
    clear();
    identified_ = false;
}

// Drops everything up to and including the first byte that cannot belong to
// an answer at its place; false when every byte could belong.
bool AnswerFramer::skipLeading()
{
    const std::size_t n = count();
    for (std::size_t p = 0; p < n; ++p) {
        // A lone "?" waits for the ";" of its refusal.
        const bool belongs = p == 0 && at(0) == '?' ? n == 1 : p < 2 ? isUpper(at(p)) : mayBelong(at(p));
        if (!belongs) {
            drop(p + 1);
            return true;
        }
    }
    return false;
}

// A head made only of bytes that could belong but that no answer matches
// ("EX099...;" past the last menu item, "EXABC;") would sit at the front for
// ever, and with RTS dropped at 2048 bytes nothing would ever push it out.
// Once its ";" is here, or it has grown longer than any answer, waiting
// cannot help: it goes through its ";", as a scanned answer that ran too long.
bool AnswerFramer::dropStuckHead()
{
    if (count() < kLongestAnswer && std::memchr(buf_.data() + head_, ';', count()) == nullptr)
        return false;
    discardThroughSemicolon();
    return true;
}

void AnswerFramer::discardThroughSemicolon()
{
    const void* semi = std::memchr(buf_.data() + head_, ';', count());
    if (semi == nullptr)
        clear();
    else
        drop(static_cast<std::size_t>(static_cast<const std::uint8_t*>(semi) - (buf_.data() + head_)) + 1);
}

AnswerFramer::Outcome AnswerFramer::next(const MenuShapes& menu, std::string& answer)
{
    for (;;) {
        if (count() == 0) {
            identified_ = false;
            return Outcome::Idle;
        }
        if (!identified_) {
            const auto length = identify(menu);
            if (!length) {
                if (skipLeading() || dropStuckHead())
                    continue;
                return Outcome::Waiting;
            }
            expected_ = *length;
            identified_ = true;
        }
        if (count() < expected_)
            return Outcome::Waiting;

        identified_ = false;
        if (expected_ >= 1 && at(expected_ - 1) == ';') {
            answer.assign(reinterpret_cast<const char*>(buf_.data() + head_), expected_ - 1);
            head_ += expected_;
            if (head_ == count_)
                head_ = count_ = 0;
            return Outcome::Framed;
        }
        discardThroughSemicolon();
    }
}

std::size_t AnswerFramer::awaited(const MenuShapes& menu) const
{
    const std::size_t n = count();
    if (n == 0)
        return 0;
    if (identified_)
        return expected_ > n ? expected_ - n : 0;
    auto atLeast = [n](std::size_t length) { return length > n ? length - n : std::size_t{1}; };
    if (n < 2)
        return atLeast(kShortestAnswer);
    if (at(0) == 'I' && at(1) == 'D')
        return atLeast(kIdLength);
    if (at(0) == 'E' && at(1) == 'X') {
        if (n >= 5 && isDigit(at(2)) && isDigit(at(3)) && isDigit(at(4)) && menu.table) {
            const int number = (at(2) - '0') * 100 + (at(3) - '0') * 10 + (at(4) - '0');
            const int kind = number >= 1 && number <= menu.highestMenu ? menu.table->kindOf(number) : -1;
            if (kind >= 0 && kind != MenuKind::BeaconText)
                return atLeast(static_cast<std::size_t>(
                    std::max(exAnswerWidth(kind, menu.table->widthOf(number), menu.widthAdjust), 0) + 6));
        }
        return atLeast(kShortestEx);
    }
    // A scanned answer or a code the table does not hold: only its ";" tells.
    return 1;
}

} // namespace qx
