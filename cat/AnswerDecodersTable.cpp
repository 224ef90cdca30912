// The one table from answer row to decoder. Most rows are a shape (a number
// at a position, or a 0/1 selector choosing one of two entries) plus the
// data of their field; the rest name their own function.
#include "cat/AnswerDecodersShared.h"

#include <array>

namespace qx {
namespace decoders {
namespace {

constexpr FieldRule field(int pos, int digits, RInt t0, RInt t1, Copy c0, Copy c1, bool alwaysTrue)
{
    FieldRule f;
    f.pos = pos;
    f.digits = digits;
    f.target0 = t0;
    f.target1 = t1;
    f.copy0 = c0;
    f.copy1 = c1;
    f.alwaysTrue = alwaysTrue;
    return f;
}

constexpr DecoderRow num(AnswerRow r, int pos, int digits, RInt t, Copy c = {})
{
    return {r, decodeNumber, field(pos, digits, t, t, c, c, false)};
}

// A number whose answer counts as handled even when the digits are not.
constexpr DecoderRow numAlways(AnswerRow r, int pos, int digits, RInt t)
{
    return {r, decodeNumber, field(pos, digits, t, t, {}, {}, true)};
}

constexpr DecoderRow sel(AnswerRow r, int pos, int digits, RInt t0, RInt t1, Copy c0 = {}, Copy c1 = {})
{
    return {r, decodeSelected, field(pos, digits, t0, t1, c0, c1, false)};
}

constexpr DecoderRow own(AnswerRow r, Decoder d) { return {r, d, {}}; }
constexpr DecoderRow ownLength(AnswerRow r, Decoder d) { return {r, d, {}, true}; }
constexpr DecoderRow ignored(AnswerRow r) { return {r, nullptr, {}}; }

using A = AnswerRow;

constexpr std::array kDecoders{
    ownLength(A::ID, decodeId),
    num(A::RT, 2, 1, RInt::RT, copyValue(CInt::RT)),
    own(A::BP, decodeBp),
    own(A::CO, decodeCo),
    num(A::MS, 2, 1, RInt::MS, copyValue(CInt::MS)),
    sel(A::NR, 3, 1, RInt::NR0, RInt::NR1, copyValue(CInt::NR)),
    num(A::FT, 2, 1, RInt::FT),
    num(A::LK, 2, 1, RInt::LK, copyValue(CInt::LK)),
    num(A::FS, 2, 1, RInt::FS, copyValue(CInt::FS)),
    own(A::VS, decodeVs),
    sel(A::NA, 3, 1, RInt::NA0, RInt::NA1, copyValue(CInt::NA0), copyValue(CInt::NA1)),
    num(A::NB, 3, 1, RInt::NB, copyFlag(CInt::NB)),
    sel(A::GT, 3, 1, RInt::GT0, RInt::GT1),
    num(A::RA, 3, 1, RInt::RA),
    num(A::PA, 3, 1, RInt::PA),
    num(A::KR, 2, 1, RInt::KR, copyValue(CInt::KR)),
    num(A::TS, 2, 1, RInt::TS),
    num(A::AC, 4, 1, RInt::AC),
    num(A::VX, 2, 1, RInt::VX, copyValue(CInt::VX)),
    num(A::BI, 2, 1, RInt::BI, copyValue(CInt::BI)),
    num(A::PR, 2, 1, RInt::PR, copyValue(CInt::PR)),
    own(A::ML, decodeMl),
    num(A::CS, 2, 1, RInt::CS, copyValue(CInt::CS)),
    own(A::RM, decodeRm),
    num(A::KP, 2, 2, RInt::KP, copyValue(CInt::KP)),
    num(A::KS, 2, 3, RInt::KS, copyValue(CInt::KS)),
    num(A::SD, 2, 4, RInt::SD, copyValue(CInt::SD)),
    num(A::MG, 2, 3, RInt::MG, copyValue(CInt::MG)),
    num(A::PL, 2, 3, RInt::PL, copyValue(CInt::PL)),
    num(A::VG, 2, 3, RInt::VG, copyValue(CInt::VG)),
    num(A::VD, 2, 4, RInt::VD),
    sel(A::SQ, 3, 3, RInt::SQ0, RInt::SQ1, copyValue(CInt::SQ0), copyValue(CInt::SQ1)),
    sel(A::AG, 3, 3, RInt::AG0, RInt::AG1, copyValue(CInt::AG0), copyValue(CInt::AG1)),
    sel(A::RG, 3, 3, RInt::RG0, RInt::RG1, copyValue(CInt::RG0), copyValue(CInt::RG1)),
    own(A::IF, decodeIfStatus),
    own(A::IS, decodeIs),
    num(A::SH, 3, 2, RInt::SH, copyValue(CInt::SH)),
    num(A::RL, 3, 2, RInt::RL, copyValue(CInt::RL)),
    own(A::BY, decodeBy),
    num(A::FA, 2, 8, RInt::FA),
    num(A::FB, 2, 8, RInt::FB, copyValue(CInt::FB)),
    num(A::SC, 2, 1, RInt::SC, copyFlag(CInt::SC)),
    sel(A::SM, 3, 3, RInt::SM0, RInt::SM1),
    num(A::TX, 2, 1, RInt::TX, copyFlag(CInt::TX)),
    num(A::UL, 2, 1, RInt::UL),
    own(A::AI, decodeAi),
    sel(A::CN, 3, 2, RInt::CN0, RInt::CN1),
    sel(A::CT, 3, 1, RInt::CT0, RInt::CT1),
    ownLength(A::KM, decodeKm),
    num(A::MC, 2, 3, RInt::MC),
    own(A::OI, decodeOiStatus),
    sel(A::OS, 3, 1, RInt::OS0, RInt::OS1),
    num(A::PB, 2, 1, RInt::PB),
    num(A::PC, 2, 3, RInt::PC, copyValue(CInt::PC)),
    num(A::RS, 2, 1, RInt::RS),
    own(A::MD, decodeMd),
    own(A::PS, decodePs),
    own(A::RI, decodeRi),
    own(A::BG, decodeBg),
    own(A::LM, decodeNothing),
    ignored(A::DS),
    numAlways(A::DQ, 3, 1, RInt::DQ),
    numAlways(A::VC, 2, 3, RInt::VC),
    DecoderRow{A::MR, decodeMr, field(2, 3, RInt::MR, RInt::MR, {}, {}, true)},
    own(A::VR, decodeVr),
    numAlways(A::AX, 3, 1, RInt::AX),
    own(A::DA, decodeDa),
    numAlways(A::SS, 3, 5, RInt::SS),
    numAlways(A::ST, 2, 1, RInt::ST),
    num(A::SF, 2, 1, RInt::SF),
    numAlways(A::BS, 2, 2, RInt::BS),
};

constexpr bool rowsInTableOrder()
{
    for (std::size_t i = 0; i < kDecoders.size(); ++i)
        if (static_cast<std::size_t>(kDecoders[i].row) != i)
            return false;
    return true;
}

static_assert(kDecoders.size() == kAnswerTable.size(), "one decoder row per answer row");
static_assert(rowsInTableOrder(), "decoder rows follow the answer table");

// Every field must lie inside its answer's text.
constexpr bool fieldsInsideAnswers()
{
    for (const DecoderRow& d : kDecoders) {
        const int textLength = kAnswerTable[static_cast<std::size_t>(d.row)].length - 1;
        if (d.rule.pos + d.rule.digits > textLength)
            return false;
    }
    return true;
}
static_assert(fieldsInsideAnswers());

const DecoderRow* rowAt(int row)
{
    return row >= 0 && row < static_cast<int>(kDecoders.size()) ? &kDecoders[static_cast<std::size_t>(row)]
                                                                 : nullptr;
}

} // namespace
} // namespace decoders

bool decodeAnswer(int row, std::string_view text, DecoderContext& ctx)
{
    const decoders::DecoderRow* d = decoders::rowAt(row);
    if (d == nullptr || d->decode == nullptr)
        return false;
    // An answer shorter than its row was cut off on the way: malformed,
    // even where the decoder would not miss the characters that are gone.
    const auto rowText = static_cast<std::size_t>(kAnswerTable[static_cast<std::size_t>(row)].length - 1);
    if (!d->ownsLength && text.size() < rowText)
        return false;
    return d->decode(AnswerFields(text), d->rule, ctx);
}

bool decodeAndNotify(int row, std::string_view text, DecoderContext& ctx)
{
    const bool ok = decodeAnswer(row, text, ctx);
    if (ok)
        decoders::postNotification(ctx, answerRowAt(row)->kindOrNotification);
    return ok;
}

bool hasDecoder(int row)
{
    const decoders::DecoderRow* d = decoders::rowAt(row);
    return d != nullptr && d->decode != nullptr;
}

} // namespace qx
