#include "cat/RequestHandlersWrites.h"

#include "core/MessageIds.h"
#include "cat/CatTables.h"
#include "cat/CommandBuilderFields.h"
#include "cat/CommandBuilderRows.h"
#include "cat/MemoryChannelText.h"
#include "cat/MemoryWriteRequest.h"
#include "menu/MenuExParam.h"
#include "menu/MenuKind.h"
#include "menu/MenuValue.h"

#include <algorithm>
#include <cmath>

namespace qx {
namespace {

using RS = RadioState::Int;

std::string dimmerCommand(BuilderContext& ctx, double value)
{
    const Message m{UM_REQ_DA_SET, 0, truncatedValue(value)};
    return buildRequestText(requestRows(UM_REQ_DA_SET), m, ctx.command()).value_or(std::string{});
}

} // namespace

std::string memoryWriteText(const RadioState& radio, long long channel)
{
    const double offset = radio.get(RadioState::Real::IF_OFFSET);
    std::string params = rightAlignedField(3, channel);
    params += rightAlignedField(8, radio.get(RS::IF_FREQ));
    params += offset >= 0 ? '+' : '-';
    params += rightAlignedField(4, truncatedValue(std::fabs(offset)));
    params += rightAlignedField(1, radio.get(RS::IF18));
    params += rightAlignedField(1, radio.get(RS::IF19));
    params += rightAlignedField(1, radio.get(RS::IF_MODE));
    params += '0';
    params += rightAlignedField(1, radio.get(RS::IF22));
    params += rightAlignedField(2, radio.get(RS::IF23));
    params += rightAlignedField(1, radio.get(RS::IF25));
    return composeCommand(setRow(SetRow::MW), params);
}

void writeMemory(BuilderContext& ctx, long long channel) { ctx.send(memoryWriteText(ctx.radio(), channel)); }

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
        if (!pending)
            continue;
        const std::string text = item.kind == MenuKind::Dimmer ? dimmerCommand(ctx, item.newValue)
                                                               : exSetCommand(slot, item, widthAdjust);
        if (ctx.send(text))
            ctx.pause(Clock::Ms{10});
    }
}

void sendVoxAndKeyerDelays(BuilderContext& ctx, long long n)
{
    ctx.send(composeCommand(setRow(SetRow::VD), rightAlignedField(4, n)));
    ctx.pause(Clock::Ms{20});
    ctx.send(composeCommand(setRow(SetRow::SD), rightAlignedField(4, n)));
}

void sendLock(BuilderContext& ctx, long long n)
{
    if (n == 2) {
        ctx.send(composeCommand(setRow(SetRow::LK), "2"));
    } else if (n == 3) {
        for (int i = 0; i < 3; ++i) {
            ctx.send(composeCommand(setRow(SetRow::LK), "3"));
            ctx.pause(Clock::Ms{100});
        }
    }
}

void readStatusAfterPause(BuilderContext& ctx)
{
    ctx.pause(Clock::Ms{100});
    ctx.send(composeCommand(readRow(ReadRow::ST)));
}

} // namespace qx
