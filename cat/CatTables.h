// The constant CAT tables: set commands, read commands (in read-all order)
// and answers with their notifications; named row indices for the builders
// and the answer lookup shared by the receive framing and the analyser.
#pragma once
#include "core/MessageIds.h"
#include "cat/CatCommand.h"
#include "cat/CatRecord.h"
#include "cat/CatTableRows.h"

#include <array>
#include <span>
#include <string_view>

namespace qx {

#define QX_ROW_NAME(code, ...) code,
enum class SetRow : int { QX_SET_COMMANDS(QX_ROW_NAME) };
enum class ReadRow : int { QX_READ_COMMANDS(QX_ROW_NAME) };
enum class AnswerRow : int { QX_ANSWERS(QX_ROW_NAME) };
#undef QX_ROW_NAME

#define QX_SET_ROW(code, length) CatRecord{#code, 0, length},
#define QX_READ_ROW(code, kind, length) CatRecord{#code, kind, length},
#define QX_ANSWER_ROW(code, length, notification) CatRecord{#code, notification, length},
inline constexpr std::array kSetCommandTable{QX_SET_COMMANDS(QX_SET_ROW)};
inline constexpr std::array kReadCommandTable{QX_READ_COMMANDS(QX_READ_ROW)};
inline constexpr std::array kAnswerTable{QX_ANSWERS(QX_ANSWER_ROW)};
#undef QX_SET_ROW
#undef QX_READ_ROW
#undef QX_ANSWER_ROW

static_assert(sizeof(CatRecord) == 12);
static_assert(kSetCommandTable.size() == 83);
static_assert(kReadCommandTable.size() == 69);
static_assert(kAnswerTable.size() == 71);

constexpr std::span<const CatRecord> setCommandTable() { return kSetCommandTable; }
constexpr std::span<const CatRecord> readCommandTable() { return kReadCommandTable; }
constexpr std::span<const CatRecord> answerTable() { return kAnswerTable; }

constexpr const CatRecord& setRow(SetRow row) { return kSetCommandTable[static_cast<int>(row)]; }
constexpr const CatRecord& readRow(ReadRow row) { return kReadCommandTable[static_cast<int>(row)]; }
constexpr const CatRecord& answerRow(AnswerRow row) { return kAnswerTable[static_cast<int>(row)]; }

// Row by number, for the read-all sequence and the decoders; null outside the table.
constexpr const CatRecord* readRowAt(int index)
{
    return index >= 0 && index < static_cast<int>(kReadCommandTable.size()) ? &kReadCommandTable[index] : nullptr;
}
constexpr const CatRecord* answerRowAt(int index)
{
    return index >= 0 && index < static_cast<int>(kAnswerTable.size()) ? &kAnswerTable[index] : nullptr;
}

// The answer index of a received text from its first two characters: the
// first matching row, or -1 when the text is shorter than two characters,
// either character is not 'A'..'Z', or no row has that code.
constexpr int findAnswer(std::string_view text)
{
    if (text.size() < 2)
        return -1;
    for (char c : text.substr(0, 2)) {
        if (c < 'A' || c > 'Z')
            return -1;
    }
    for (int i = 0; i < static_cast<int>(kAnswerTable.size()); ++i) {
        if (codeOf(kAnswerTable[i]) == text.substr(0, 2))
            return i;
    }
    return -1;
}

} // namespace qx
