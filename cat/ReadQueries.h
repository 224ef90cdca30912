// The queries the read-all sequence sends for one read row, formed from the
// row's ReadKind; rows of the listed kind carry their own fixed list.
#pragma once
#include "cat/CatTables.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// The fixed list of a listed-kind row ("BP00;", "BP01;" for BP). Empty for
// every other row and for ID and MR, which are read on their own; EX is
// empty too, its one query depends on the menu definition.
std::span<const std::string_view> listedQueries(ReadRow row);

// Every query of the row in sending order: "FA;", "MD0;", "ML0;" + "ML1;",
// or the fixed list. The pause between the two queries of a ZeroThenOne row
// and the skipping of AI are the sequence's business, not this function's.
std::vector<std::string> readAllQueries(ReadRow row);

} // namespace qx
