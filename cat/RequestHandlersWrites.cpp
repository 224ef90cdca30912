#include "cat/RequestHandlersWrites.h"

#include "core/MessageIds.h"
#include "cat/CatCommand.h"
#include "cat/CatTables.h"
#include "cat/CommandBuilderFields.h"
#include "cat/CommandBuilderRows.h"
#include "cat/MemoryChannelText.h"
#include "cat/MemoryWriteRequest.h"
#include "menu/MenuExParam.h"
#include "menu/MenuKind.h"
#include "menu/MenuValue.h"

#include "state/MemoryChannel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qx {
namespace {

using RS = RadioState::Int;

// A command's parameters written field by field; the first value that does
// not fit its field spoils the whole text and is kept as the reason.
class FieldText {
public:
    explicit FieldText(std::string_view code) : code_(code) {}
    void put(char c) { text_ += c; }
    void field(int width, long long value)
    {
        if (!refused_.empty())
            return;
        if (const auto f = fittedField(width, value))
            text_ += *f;
        else
            refused_ = misfitNote(code_, value, width);
    }
    const std::string& text() const { return text_; }
    const std::string& refused() const { return refused_; }

private:
    std::string code_;
    std::string text_;
    std::string refused_;
};

std::string dimmerCommand(BuilderContext& ctx, double value, std::string& refused)
{
    const Message m{UM_REQ_DA_SET, 0, truncatedValue(value)};
    return buildRequestText(requestRows(UM_REQ_DA_SET), m, ctx.command(), &refused).value_or(std::string{});
}

// The mode as the status answer carries it: one hex digit, so that the data
// and narrow modes 10 to 12 are stored as themselves.
char modeDigit(int mode) { return mode >= 0 && mode <= 15 ? "0123456789ABCDEF"[mode] : '0'; }

} // namespace

std::string memoryWriteText(const RadioState& radio, long long channel, std::string* refused)
{
    const double offset = radio.get(RadioState::Real::IF_OFFSET);
    FieldText params("MW");
    params.field(3, channel);
    params.field(8, radio.get(RS::IF_FREQ));
    params.put(offset >= 0 ? '+' : '-');
    params.field(4, truncatedValue(std::fabs(offset)));
    params.field(1, radio.get(RS::IF18));
    params.field(1, radio.get(RS::IF19));
    params.put(modeDigit(radio.get(RS::IF_MODE)));
    params.put('0');
    params.field(1, radio.get(RS::IF22));
    params.field(2, radio.get(RS::IF23));
    params.field(1, radio.get(RS::IF25));
    if (!params.refused().empty()) {
        if (refused)
            *refused = params.refused();
        return {};
    }
    return composeCommand(setRow(SetRow::MW), params.text());
}

void writeMemory(BuilderContext& ctx, long long channel)
{
    // "MW000..." or a channel past the last one would be a malformed write.
    if (channel < kFirstMemoryChannel || channel > kLastMemoryChannel) {
        ctx.refuse("refused MW: no channel " + std::to_string(channel));
        return;
    }
    std::string refused;
    const std::string text = memoryWriteText(ctx.radio(), channel, &refused);
    if (text.empty())
        ctx.refuse(refused);
    else
        ctx.send(text);
}

void writeMemoryChannel(BuilderContext& ctx, const Message& m)
{
    if (const auto request = memoryWriteFromRequest(m))
        ctx.send(memoryWriteText(request->first, request->second));
}

void writeChangedMenuEntries(BuilderContext& ctx)
{
    const int count = std::min(ctx.radio().get(RS::HIGHEST_MENU), ctx.menu().count());
    const int widthAdjust = ctx.radio().get(RS::WIDTH_ADJUST);
    for (int slot = 1; slot <= count; ++slot) {
        MenuItem item;
        const bool pending = ctx.menu().update(slot, [&item](MenuItem& entry) {
            if (!entry.changed)
                return false;
            item = entry;
            entry.changed = false;
            return true;
        });
        if (!pending || item.kind == MenuKind::Vacant)
            continue;
        std::string refused;
        const std::string text = item.kind == MenuKind::Dimmer ? dimmerCommand(ctx, item.newValue, refused)
                                                               : exSetCommand(slot, item, widthAdjust);
        if (text.empty()) {
            if (refused.empty())
                refused = misfitNote(exReadCommand(slot).substr(0, 5), truncatedValue(item.newValue),
                                     exCommandWidth(item.kind, item.width, widthAdjust));
            ctx.refuse(refused);
            continue;
        }
        if (ctx.send(text))
            ctx.pause(Clock::Ms{10});
    }
}

void sendVoxAndKeyerDelays(BuilderContext& ctx, long long n)
{
    const auto delay = fittedField(4, n);
    if (!delay) {
        ctx.refuse(misfitNote("VD", n, 4));
        return;
    }
    ctx.send(composeCommand(setRow(SetRow::VD), *delay));
    ctx.pause(Clock::Ms{20});
    ctx.send(composeCommand(setRow(SetRow::SD), *delay));
}

void sendLock(BuilderContext& ctx, long long n)
{
    if (n == 2 || n == 3)
        ctx.send(composeCommand(setRow(SetRow::LK), n == 2 ? "2" : "3"));
}

void selectMemoryChannel(BuilderContext& ctx, long long channel)
{
    if (!MemoryChannel::validChannel(channel))
        return;
    char digits[4];
    std::snprintf(digits, sizeof digits, "%03d", static_cast<int>(channel));
    ctx.send(composeCommand(setRow(SetRow::MC), digits));
}

void readMemoryChannel(BuilderContext& ctx)
{
    ctx.send(composeCommand(readRow(ReadRow::MC)));
}

void readStatusAfterPause(BuilderContext& ctx)
{
    ctx.pause(Clock::Ms{100});
    ctx.send(composeCommand(readRow(ReadRow::ST)));
}

} // namespace qx
