// Channel lists and labels on disk. A file is read with a size limit and
// never from a FIFO or device; it is written whole or not at all, and never
// over something that is not a regular file (core/FileIo's one rule).
#pragma once
#include "channels/ChannelImport.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qx {

enum class ChannelFileKind { Csv, Json, Unknown };

// By the name's ending: ".csv" or ".json", either case.
ChannelFileKind channelFileKind(const std::filesystem::path& path);

ChannelImport loadChannelFile(const std::filesystem::path& path, std::optional<long long> repeaterShiftHz);

bool saveChannelFile(const std::filesystem::path& path, const std::vector<ChannelEntry>& channels,
                     const std::string& radioId, std::optional<long long> repeaterShiftHz, std::string& why);

} // namespace qx
