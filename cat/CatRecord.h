// One row of the CAT tables: the two letters of a command or answer, the
// read kind or notification id, and the length of the complete text.
#pragma once
#include <cstdint>
#include <string_view>

namespace qx {

struct CatRecord {
    char code[4];                      // two letters, then two NULs
    std::uint32_t kindOrNotification;  // set rows 0; read rows a ReadKind; answers an id
    std::int32_t length;               // letters + parameters + ";"
};

// How the read-all sequence forms the query of a read row.
enum class ReadKind : std::uint32_t {
    Code = 0,         // "FA;"
    CodeZero = 1,     // "MD0;"
    ZeroThenOne = 2,  // "ML0;" and, 25 ms later, "ML1;"
    Listed = 3,       // a fixed list per code, possibly empty
};

constexpr std::string_view codeOf(const CatRecord& row)
{
    return {row.code, 2};
}

constexpr ReadKind readKindOf(const CatRecord& row)
{
    return static_cast<ReadKind>(row.kindOrNotification);
}

} // namespace qx
