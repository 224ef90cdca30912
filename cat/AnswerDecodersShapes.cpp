// The shapes most answers share, driven by their rule rows.
#include "cat/AnswerDecodersShared.h"

namespace qx::decoders {

void storeAndCopy(DecoderContext& ctx, RInt entry, int value, Copy copy)
{
    ctx.radio.set(entry, value);
    // The copy is what the radio state kept, not what arrived: an
    // out-of-range value must not reach the command builder either.
    const int kept = ctx.radio.get(entry);
    switch (copy.mode) {
    case Copy::None:
        break;
    case Copy::Value:
        ctx.command.set(copy.to, kept);
        break;
    case Copy::Flag:
        ctx.command.set(copy.to, kept != 0 ? 1 : 0);
        break;
    }
}

bool decodeNumber(const AnswerFields& a, const FieldRule& r, DecoderContext& ctx)
{
    const auto pos = static_cast<std::size_t>(r.pos);
    const auto n = static_cast<std::size_t>(r.digits);
    if (!a.has(pos, n))
        return false;
    const auto value = a.decimal(pos, n);
    if (value)
        storeAndCopy(ctx, r.target0, *value, r.copy0);
    return value.has_value() || r.alwaysTrue;
}

bool decodeSelected(const AnswerFields& a, const FieldRule& r, DecoderContext& ctx)
{
    const auto which = a.selector(2);
    const auto value = a.decimal(static_cast<std::size_t>(r.pos), static_cast<std::size_t>(r.digits));
    if (!which || !value)
        return false;
    if (*which == 0)
        storeAndCopy(ctx, r.target0, *value, r.copy0);
    else
        storeAndCopy(ctx, r.target1, *value, r.copy1);
    return true;
}

bool decodeNothing(const AnswerFields&, const FieldRule&, DecoderContext&) { return true; }

void postRequest(DecoderContext& ctx, std::uint32_t id)
{
    ctx.outbox.postToThread(ThreadId::AnlSend, Message{id, 0, 0});
}

void postNotification(DecoderContext& ctx, std::uint32_t id) { ctx.outbox.postToWindow(Message{id, 0, 0}); }

} // namespace qx::decoders
