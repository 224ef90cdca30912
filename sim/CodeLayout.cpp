#include "sim/CodeLayout.h"

#include "cat/CatTables.h"

namespace qx::sim {
namespace {

int lengthIn(std::span<const CatRecord> table, std::string_view code)
{
    for (const CatRecord& row : table) {
        if (codeOf(row) == code)
            return row.length;
    }
    return -1;
}

} // namespace

CodeLayout layoutOf(std::string_view code)
{
    CodeLayout layout;
    if (code.size() != 2)
        return layout;
    layout.answerLength = lengthIn(answerTable(), code);
    layout.readLength = lengthIn(readCommandTable(), code);
    layout.setLength = lengthIn(setCommandTable(), code);
    layout.keyLength = layout.readLength > 3 ? layout.readLength - 3 : 0;
    layout.valueWidth = layout.answers() ? layout.answerLength - 3 - layout.keyLength : 0;
    return layout;
}

} // namespace qx::sim
