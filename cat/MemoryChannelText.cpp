#include "cat/MemoryChannelText.h"

#include "cat/AnswerDecodersFields.h"
#include "cat/CatCommand.h"
#include "cat/CatTables.h"

namespace qx {

std::optional<MemoryChannel> memoryChannelFromAnswer(std::string_view answer)
{
    const AnswerFields a(answer);
    if (a.text().substr(0, 2) != "MR" || !a.decimal(2, 3))
        return std::nullopt;
    const auto frequency = a.decimal(5, 8);
    const auto sign = a.sign(13);
    const auto offset = a.decimal(14, 4);
    const auto rx = a.digit(18), tx = a.digit(19), mode = a.digit(20);
    const auto toneMode = a.digit(22), tone = a.decimal(23, 2), shift = a.digit(25);
    if (!frequency || !sign || !offset || !rx || !tx || !mode || !a.digit(21) || !toneMode || !tone || !shift)
        return std::nullopt;
    MemoryChannel c{*frequency, *sign * *offset, *rx, *tx, *mode, *toneMode, *tone, *shift};
    if (!c.valid())
        return std::nullopt;
    return c;
}

std::string memoryWriteText(long long channel, const MemoryChannel& c)
{
    if (!MemoryChannel::validChannel(channel) || !c.valid())
        return {};
    std::string params = rightAlignedField(3, channel);
    params += rightAlignedField(8, c.frequency);
    params += c.offset >= 0 ? '+' : '-';
    params += rightAlignedField(4, c.offset >= 0 ? c.offset : -c.offset);
    params += rightAlignedField(1, c.rxClarifier);
    params += rightAlignedField(1, c.txClarifier);
    params += rightAlignedField(1, c.mode);
    params += '0';
    params += rightAlignedField(1, c.toneMode);
    params += rightAlignedField(2, c.tone);
    params += rightAlignedField(1, c.shift);
    return composeCommand(setRow(SetRow::MW), params);
}

} // namespace qx
