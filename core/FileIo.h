// Reading and replacing the program's small files safely: a read never
// blocks (a FIFO or device in a file's place is refused), never throws and
// never takes more than its limit; a write replaces the file whole, so a crash
// or a full disk mid-write leaves the old file.
#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

struct FileRead {
    std::optional<std::string> text; // the whole file; empty when it could not be read
    std::string error;               // why not, for the operator ("not a regular file", ...)
};

FileRead readRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

// Temporary file beside the target, fsync, rename, fsync of the folder.
// False with the reason in `why` when the target was left as it was.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view content, std::string& why);

} // namespace qx
