// Meters, playback, dimmer, keyer memories and the other answers that are
// taken as handled once their characters are there.
#include "cat/AnswerDecodersShared.h"

#include "cat/MemoryChannelText.h"
#include "menu/MenuKind.h"
#include "state/KeyerMemories.h"

#include <iterator>

namespace qx::decoders {
namespace {

constexpr RInt kPlaybackEntries[] = {RInt::RI0, RInt::RI1, RInt::RI2, RInt::RI3, RInt::RI4, RInt::RI5};

} // namespace

bool decodeRm(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    if (!a.has(2, 4))
        return false;
    if (const auto value = a.decimal(3, 3))
        ctx.radio.set(a.at(2) != '0' ? RInt::RM1 : RInt::RM0, *value);
    return true;
}

bool decodeRi(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    if (!a.has(2, 2))
        return false;
    const auto which = a.digit(2);
    const auto value = a.hexDigit(3);
    if (which && value && *which < static_cast<int>(std::size(kPlaybackEntries)))
        ctx.radio.set(kPlaybackEntries[*which], *value);
    return true;
}

bool decodeBg(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    const auto value = a.digit(3);
    if (!a.digit(2) || !value)
        return false;
    ctx.radio.set(RInt::BG, *value);
    return true;
}

bool decodeDa(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    if (!a.has(2, 2))
        return false;
    if (const auto value = a.decimal(2, 2)) {
        ctx.menu.setValueByKind(MenuKind::Dimmer, *value);
        ctx.radio.set(RInt::DA, *value);
    }
    return true;
}

bool decodeVr(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    if (!a.has(2))
        return false;
    if (const auto value = a.digit(2))
        ctx.command.set(CInt::VR, *value != 0 ? 1 : 0);
    return true;
}

// The keyer text is cut by ";" on the wire, so an answer may be shorter than
// the row's 54 characters: the text then ends where the answer does, as it
// ends at a NUL inside a full one.
bool decodeKm(const AnswerFields& a, const FieldRule&, DecoderContext& ctx)
{
    const auto memory = a.digit(2);
    if (!memory)
        return false;
    ctx.radio.set(RInt::KM_SELECTED, *memory);
    if (*memory < 1 || *memory > KeyerMemories::kCount)
        return false;
    std::string_view text = a.text().substr(3, KeyerMemories::kTextLength);
    text = text.substr(0, text.find('\0'));
    ctx.radio.setKeyerText(*memory, text);
    return true;
}

// The channel number as before; the record beside it only when every field
// is well-formed, so a garbled answer never stands for the channel's content.
bool decodeMr(const AnswerFields& a, const FieldRule& r, DecoderContext& ctx)
{
    const bool handled = decodeNumber(a, r, ctx);
    const auto channel = a.decimal(2, 3);
    if (channel)
        if (const auto content = memoryChannelFromAnswer(a.text()))
            ctx.radio.memoryChannels().store(*channel, *content);
    return handled;
}

} // namespace qx::decoders
