#include "cat/ReadQueries.h"

#include <array>

namespace qx {
namespace {

constexpr std::array<std::string_view, 2> kBp{"BP00;", "BP01;"};
constexpr std::array<std::string_view, 2> kCo{"CO00;", "CO01;"};
constexpr std::array<std::string_view, 1> kRm{"RM0;"};
constexpr std::array<std::string_view, 3> kKm{"KM1;", "KM2;", "KM3;"};
// The playback status has no channel 2 to read.
constexpr std::array<std::string_view, 5> kRi{"RI0;", "RI1;", "RI3;", "RI4;", "RI9;"};
constexpr std::array<std::string_view, 1> kBg{"BG0;"};

} // namespace

std::span<const std::string_view> listedQueries(ReadRow row)
{
    switch (row) {
    case ReadRow::BP: return kBp;
    case ReadRow::CO: return kCo;
    case ReadRow::RM: return kRm;
    case ReadRow::KM: return kKm;
    case ReadRow::RI: return kRi;
    case ReadRow::BG: return kBg;
    default: return {};
    }
}

std::vector<std::string> readAllQueries(ReadRow row)
{
    const CatRecord& record = readRow(row);
    switch (readKindOf(record)) {
    case ReadKind::Code:
        return {composeCommand(record)};
    case ReadKind::CodeZero:
        return {composeCommand(record, "0")};
    case ReadKind::ZeroThenOne:
        return {composeCommand(record, "0"), composeCommand(record, "1")};
    case ReadKind::Listed:
        break;
    }
    std::vector<std::string> queries;
    for (std::string_view q : listedQueries(row))
        queries.emplace_back(q);
    return queries;
}

} // namespace qx
