// The answers that move the link itself: the model id that starts the
// read-out, auto-information on and off, and the transceiver's power.
#include "cat/AnswerDecodersShared.h"

namespace qx::decoders {
namespace {

constexpr int kRmRow = static_cast<int>(AnswerRow::RM);
constexpr int kSmRow = static_cast<int>(AnswerRow::SM);

bool knownModel(std::string_view id) { return id == "0241" || id == "0242" || id == "0243"; }

// Both meter readings and the S-meter of the given selector drop to zero, as
// if the transceiver had reported them.
void zeroMeters(DecoderContext& ctx, std::string_view smText)
{
    decodeAndNotify(kRmRow, "RM0000", ctx);
    decodeAndNotify(kRmRow, "RM2000", ctx);
    decodeAndNotify(kSmRow, smText, ctx);
}

} // namespace

bool decodeId(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    // Only the link-up acts on the model: a stray or repeated identity
    // answer must not tear down a working link.
    if (!ctx.link.idAwaited.exchange(false))
        return false;
    const auto value = a.decimal(2, 4);
    ctx.radio.setAnsweredModel(value ? *value : -1);
    if (value)
        ctx.radio.set(RInt::ID, *value);
    // A truncated or garbled id is no known model either: the operator must
    // hear that the connection failed rather than wait for a read-out.
    if (a.has(2, 4) && knownModel(a.text().substr(2, 4))) {
        postRequest(ctx, UM_REQ_READ_ALL_START);
    } else {
        postRequest(ctx, UM_REQ_AI_TOGGLE);
        ctx.outbox.postToWindow(Message{UM_SHOW_ERROR, 1, kConnectFailedMessage});
        ctx.outbox.stopTimer(kConnectAttemptTimer);
    }
    return value.has_value();
}

bool decodeAi(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    const auto digit = a.digit(2);
    if (!digit)
        return false;
    // The link-off puts its "AI0" ahead of answers still on a busy line; the
    // answer to an "AI;" read made before it must not bring the link back.
    if (*digit == 1 && ctx.link.aiSwitchedOff.load())
        return false;
    const int old = ctx.radio.get(RInt::AI);
    ctx.radio.set(RInt::AI, *digit);
    const int ai = ctx.radio.get(RInt::AI);
    ctx.command.set(CInt::AI, ai);
    const bool switchedOn = ai == 1 && ai != old;

    if (ai == 1 && (switchedOn || ctx.radio.powerOnReenable())) {
        ctx.link.idAwaited.store(true);
        postRequest(ctx, UM_REQ_ID_READ);
        ctx.radio.setPowerOnReenable(false);
    }
    if (ai == 0) {
        if (ctx.link.aiSent.load()) {
            // We asked for auto-information and the radio says it is off:
            // the builder asks again a few times, a second apart, rather
            // than treat the link as gone.
            ctx.command.set(CInt::AI, 0);
            ctx.outbox.postToThread(ThreadId::AnlSend, Message{UM_REQ_AI_REFUSED, 0, 0});
            return false;
        }
        ctx.link.idAwaited.store(false);
        postRequest(ctx, UM_REQ_SEQUENCE_STOP);
        zeroMeters(ctx, "SM0000");
    }
    if (switchedOn)
        ctx.outbox.sendToWindow(Message{UM_PANEL_REFRESH, 0, 0});
    return true;
}

bool decodePs(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    const auto digit = a.digit(2);
    if (!digit)
        return false;
    ctx.radio.set(RInt::PS, *digit);
    const int ps = ctx.radio.get(RInt::PS);
    if (ctx.command.get(CInt::PS) != ps) {
        if (ps == 0) {
            ctx.radio.setAiBeforePowerOff(ctx.command.get(CInt::AI));
            zeroMeters(ctx, "SM1000");
            postRequest(ctx, UM_REQ_SEQUENCE_STOP);
        } else if (ctx.radio.aiBeforePowerOff() != 0) {
            ctx.radio.setPowerOnReenable(true);
            ctx.command.set(CInt::AI, 0);
            postRequest(ctx, UM_REQ_AI_TOGGLE);
        }
    }
    ctx.command.set(CInt::PS, ps);
    return true;
}

} // namespace qx::decoders
