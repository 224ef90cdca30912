// The program's own channel list: the set-up backup's channel block with the
// radio's ID and the operator's labels beside it. Every field of a channel
// survives, which CHIRP's columns cannot promise.
#pragma once
#include "channels/ChannelImport.h"

#include <string>
#include <string_view>
#include <vector>

namespace qx {

inline constexpr std::string_view kChannelListFormat = "qx720-channels";
inline constexpr int kChannelListVersion = 1;

std::string writeChannelJson(const std::vector<ChannelEntry>& channels, const std::string& radioId);
ChannelImport readChannelJson(std::string_view text);

} // namespace qx
