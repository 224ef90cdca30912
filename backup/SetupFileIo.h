// A backup file on disk: read with a size limit (a full set-up with all 504
// channels is about 150 kB), written whole or not at all.
#pragma once
#include "backup/SetupJson.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace qx {

inline constexpr std::size_t kSetupFileLimit = 1u << 20;

SetupParse loadSetupFile(const std::filesystem::path& path, const MenuTable& menu);

// Temporary file, fsync, rename: a crash or a full disk leaves the old file.
bool saveSetupFile(const std::filesystem::path& path, const SetupFile& file, std::string& why);

} // namespace qx
