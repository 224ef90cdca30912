#include "cat/ExAnswer.h"

#include "core/MessageIds.h"
#include "menu/MenuExParam.h"

namespace qx {

int exAnswerSlot(std::string_view answer, const RadioState& radio)
{
    if (answer.size() < 5)
        return 0;
    int slot = 0;
    // Read as the menu table reads it: characters that are not digits are skipped.
    for (char c : answer.substr(2, 3))
        if (c >= '0' && c <= '9')
            slot = slot * 10 + (c - '0');
    return slot >= 1 && slot <= radio.get(RadioState::Int::HIGHEST_MENU) ? slot : 0;
}

std::uint32_t exKindNotification(int kind)
{
    switch (kind) {
    case 11:
        return UM_ANS_CO;
    case 12:
        return UM_ANS_BP;
    case 15:
    case 37:
    case 38:
    case 39:
        return UM_ANS_RM;
    default:
        return 0;
    }
}

bool decodeExAnswer(std::string_view answer, DecoderContext& ctx)
{
    // A slot beyond the highest menu number has no width: nothing to read.
    if (exAnswerSlot(answer, ctx.radio) == 0)
        return false;
    const ExAnswerResult result =
        storeExAnswer(ctx.menu, answer, ctx.radio.get(RadioState::Int::WIDTH_ADJUST));
    if (!result.changed)
        return false;
    ctx.outbox.postToWindow(Message{UM_ANS_OTHER, 0, 0});
    if (const std::uint32_t extra = exKindNotification(result.kind))
        ctx.outbox.postToWindow(Message{extra, 0, 0});
    return true;
}

} // namespace qx
