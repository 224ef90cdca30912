// CHIRP's CSV channel list, the format hams exchange channel plans in:
// columns found by their header names in any order, "#" lines ignored, empty
// channels not written. Our own clarifier columns ride along at the end;
// CHIRP passes over columns it does not know.
#pragma once
#include "channels/ChannelImport.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// `repeaterShiftHz`: the radio's one repeater shift, when known; a row whose
// offset differs is taken with a note, as the radio will shift by its own.
ChannelImport readChirpCsv(std::string_view text, std::optional<long long> repeaterShiftHz);

std::string writeChirpCsv(const std::vector<ChannelEntry>& channels, std::optional<long long> repeaterShiftHz);

} // namespace qx
