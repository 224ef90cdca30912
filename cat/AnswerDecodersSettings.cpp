// Setting answers whose fields do not fit the shared shapes: a switch and a
// level under one code, signed values, paired entries and the mode.
#include "cat/AnswerDecodersShared.h"

namespace qx::decoders {

bool decodeBp(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    if (!a.has(2, 5))
        return false;
    if (a.at(3) == '0') {
        storeAndCopy(ctx, RInt::BP_SW, a.at(6) != '0' ? 1 : 0, copyValue(CInt::BP_SW));
        return true;
    }
    const auto level = a.decimal(4, 3);
    if (level)
        ctx.radio.set(RInt::BP_LEVEL, *level);
    // The builder's copy follows the radio state even when this answer was garbled.
    ctx.command.set(CInt::BP_LEVEL, ctx.radio.get(RInt::BP_LEVEL));
    return level.has_value();
}

bool decodeMl(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    if (!a.has(2, 4))
        return false;
    if (a.at(2) == '0') {
        storeAndCopy(ctx, RInt::ML_SW, a.at(5) != '0' ? 1 : 0, copyValue(CInt::ML_SW));
        return true;
    }
    const auto level = a.decimal(3, 3);
    if (level)
        ctx.radio.set(RInt::ML_LEVEL, *level);
    ctx.command.set(CInt::ML_LEVEL, ctx.radio.get(RInt::ML_LEVEL));
    return level.has_value();
}

bool decodeCo(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    if (!a.has(3, 3))
        return false;
    const auto selector = a.digit(3);
    if (!selector)
        return false;
    if (*selector == 1) {
        const auto value = a.decimal(4, 2);
        if (value)
            ctx.radio.set(RInt::CO1, *value);
        return value.has_value();
    }
    if (*selector != 0)
        return true;
    const auto magnitude = a.digit(5);
    if (!magnitude)
        return false;
    const int value = a.at(4) == '-' ? -*magnitude : *magnitude;
    if (value == 0) {
        // Remember where the contour was before it went to the centre, so
        // that switching it back on can restore it.
        const int previous = ctx.radio.get(RInt::CO0);
        ctx.radio.set(RInt::CO_SAVED, previous != 0 ? previous : -2);
    }
    ctx.radio.set(RInt::CO0, value);
    return true;
}

bool decodeVs(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    const auto value = a.digit(2);
    if (!value)
        return false;
    const int before = ctx.radio.get(RInt::VS);
    storeAndCopy(ctx, RInt::VS, *value, copyValue(CInt::VS));
    const int now = ctx.radio.get(RInt::VS);
    // On a switch the radio reports the new VFO's status first, so the
    // status frequency is that VFO's. Without a switch (a re-read, a repeated
    // report) the status may be older than the VFO's own last "FA"/"FB"
    // answer, up to a status poll behind, and copying it would undo that answer.
    if (now != before)
        ctx.radio.set(now == 1 ? RInt::FB : RInt::FA, ctx.radio.get(RInt::IF_FREQ));
    return true;
}

bool decodeMd(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    // Every mode change may change the step; ask for it whatever came.
    postRequest(ctx, UM_REQ_ST_READ);
    const auto which = a.selector(2);
    const auto mode = a.hexDigit(3);
    if (!which || !mode)
        return false;
    const RInt entry = *which == 0 ? RInt::MD0 : RInt::MD1;
    storeAndCopy(ctx, entry, *mode, copyValue(*which == 0 ? CInt::MD0 : CInt::MD1));
    const int kept = ctx.radio.get(entry);
    ctx.command.set(CInt::MODE_GROUP, kept == 4 || kept == 11 ? 2 : kept == 5 ? 1 : 0);
    return true;
}

bool decodeIs(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    const auto sign = a.sign(3);
    const auto magnitude = a.decimal(4, 4);
    if (!sign || !magnitude)
        return false;
    storeAndCopy(ctx, RInt::IS, *sign * *magnitude, copyValue(CInt::IS));
    return true;
}

bool decodeBy(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    const auto first = a.digit(2);
    const auto second = a.digit(3);
    if (first)
        ctx.radio.set(RInt::BY0, *first);
    if (second)
        ctx.radio.set(RInt::BY1, *second);
    return first && second;
}

} // namespace qx::decoders
