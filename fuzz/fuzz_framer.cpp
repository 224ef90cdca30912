// Arbitrary bytes through the answer framer, fed in arbitrary chunks with
// arbitrary error bits, as the receive side reads them. Besides the
// sanitizers' own checks:
//  - every answer handed out is a piece of the stream that ended in ";", in
//    stream order, never longer than an answer can be;
//  - after a read is framed, what stays buffered is never more than one
//    answer can hold (junk is cleared in the same pass, not byte by byte);
//  - a stream made of whole answers gives the same answers however it is cut.
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "serial/AnswerFramer.h"
#include "serial/LineStatus.h"
#include "state/RadioState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kLongest = 64; // no answer, ";" included, is longer

struct World {
    qx::RadioState radio;
    qx::MenuTable menu;
    qx::MenuShapes shapes;
    World()
    {
        qx::MenuLoader loader(menu, {[this](int n) { radio.set(qx::RadioState::Int::HIGHEST_MENU, n); }, {}});
        loader.load();
        shapes = {&menu, radio.get(qx::RadioState::Int::HIGHEST_MENU), 0};
    }
};

World& world()
{
    static World w;
    return w;
}

// Reads the input a byte at a time; zero once it runs out.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::size_t left() const { return size_ - at_; }
    std::string_view take(std::size_t n)
    {
        n = std::min(n, left());
        const std::string_view s(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return s;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Feeds `stream` cut into pieces whose sizes come from `cuts`; every answer framed.
std::vector<std::string> frame(qx::AnswerFramer& f, std::string_view stream, Input* cuts, Input* errors)
{
    std::vector<std::string> out;
    std::string answer;
    std::size_t at = 0;
    while (at < stream.size()) {
        const std::size_t want = cuts ? 1 + cuts->byte() % 97 : stream.size();
        const auto room = f.freeSpace();
        const std::size_t n = std::min({want, room.size(), stream.size() - at});
        std::memcpy(room.data(), stream.data() + at, n);
        at += n;
        std::uint32_t bits = 0;
        if (errors) {
            const std::uint8_t e = errors->byte();
            bits = e < 16 ? qx::CommError::Framing : e < 32 ? qx::CommError::Break : e < 40 ? 0x18u : 0;
        }
        f.add(n, bits);
        qx::AnswerFramer::Outcome o;
        while ((o = f.next(world().shapes, answer)) == qx::AnswerFramer::Outcome::Framed) {
            if (answer.size() + 1 > kLongest)
                __builtin_trap();
            out.push_back(answer);
        }
        if (f.count() > kLongest)
            __builtin_trap();
        if (o == qx::AnswerFramer::Outcome::Waiting && f.awaited(world().shapes) == 0)
            __builtin_trap();
    }
    return out;
}

// Each answer occurs in the stream with its ";", each after the one before.
void checkPieces(std::string_view stream, const std::vector<std::string>& answers)
{
    std::size_t from = 0;
    for (const std::string& a : answers) {
        const std::string piece = a + ";";
        const std::size_t at = stream.find(piece, from);
        if (at == std::string_view::npos)
            __builtin_trap();
        from = at + piece.size();
    }
}

constexpr std::array<std::string_view, 14> kAnswers{
    "FA14250000;", "FB07050000;", "MD02;",  "PS1;",   "AI1;",   "SM0045;",  "RM1123;",
    "EX02112;",    "ID0241;",     "KM1CQ;", "ZZ123;", "IF00014250000+000000020000;",
    "EX0150;",     "RI00;",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    Input in(data, size);
    const std::uint8_t mode = in.byte();

    if (mode & 1) {
        // Whole answers only: cut anywhere, the answers are the same.
        std::string stream;
        const std::size_t count = in.byte();
        for (std::size_t i = 0; i < count; ++i)
            stream += kAnswers[in.byte() % kAnswers.size()];
        qx::AnswerFramer whole, cut;
        const auto expected = frame(whole, stream, nullptr, nullptr);
        if (expected.size() != count)
            __builtin_trap();
        if (frame(cut, stream, &in, nullptr) != expected)
            __builtin_trap();
        return 0;
    }

    // Anything at all, with runs of one byte to reach long junk cheaply.
    std::string stream;
    while (in.left() > 0 && stream.size() < 40'000) {
        const std::uint8_t op = in.byte();
        if (op < 16)
            stream.append(static_cast<std::size_t>(in.byte()) * 32 + 1, static_cast<char>(in.byte()));
        else if (op < 32)
            stream += kAnswers[in.byte() % kAnswers.size()];
        else
            stream += in.take(1 + op % 16);
    }
    Input cuts(data, size), errors(data + size / 2, size - size / 2);
    qx::AnswerFramer f;
    checkPieces(stream, frame(f, stream, &cuts, (mode & 2) ? &errors : nullptr));
    return 0;
}
