// The two status answers, "IF" for the current VFO and "OI" for the other
// one: the same layout of fields into two sets of entries.
#include "cat/AnswerDecodersShared.h"

namespace qx::decoders {
namespace {

struct StatusEntries {
    RInt frequency, at18, at19, mode, at21, at22, at23, at25;
    RadioState::Real offset;
};

constexpr StatusEntries kIf{RInt::IF_FREQ, RInt::IF18, RInt::IF19, RInt::IF_MODE, RInt::IF21,
                            RInt::IF22,    RInt::IF23, RInt::IF25, RadioState::Real::IF_OFFSET};
constexpr StatusEntries kOi{RInt::OI_FREQ, RInt::OI18, RInt::OI19, RInt::OI_MODE, RInt::OI21,
                            RInt::OI22,    RInt::OI23, RInt::OI25, RadioState::Real::OI_OFFSET};

// Stores each well-formed field on its own; true when all of them were.
bool decodeStatus(const AnswerFields& a, const StatusEntries& e, DecoderContext& ctx)
{
    bool ok = true;
    auto store = [&](std::optional<int> v, RInt entry) {
        if (v)
            ctx.radio.set(entry, *v);
        ok = ok && v.has_value();
    };
    store(a.decimal(5, 8), e.frequency);
    store(a.digit(18), e.at18);
    store(a.digit(19), e.at19);
    store(a.hexDigit(20), e.mode);
    store(a.digit(21), e.at21);
    store(a.digit(22), e.at22);
    store(a.decimal(23, 2), e.at23);
    store(a.digit(25), e.at25);

    // The clarifier offset does not decide whether the answer is good; a
    // garbled one is just not taken.
    const auto magnitude = a.decimal(14, 4);
    if (magnitude)
        ctx.radio.set(e.offset, a.at(13) == '-' ? -*magnitude : *magnitude);
    return ok;
}

} // namespace

bool decodeIfStatus(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    const bool ok = decodeStatus(a, kIf, ctx);
    if (a.digit(18))
        ctx.command.set(CInt::RT, ctx.radio.get(RInt::IF18));
    if (a.digit(19))
        ctx.command.set(CInt::IF19, ctx.radio.get(RInt::IF19));
    return ok;
}

bool decodeOiStatus(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    const bool ok = decodeStatus(a, kOi, ctx);
    if (a.decimal(5, 8))
        ctx.command.set(CInt::FB, ctx.radio.get(RInt::OI_FREQ));
    return ok;
}

} // namespace qx::decoders
