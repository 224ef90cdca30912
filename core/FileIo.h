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

// The one rule for every file the program writes: a target that exists must
// be a regular file (a symbolic link is judged by what it points to). A
// device, FIFO, socket or folder in its place is refused, so a slip of the
// operator's (backup /dev/full) never replaces or feeds it. True when the
// target is absent or a regular file; otherwise false with the reason in
// `why` ("not a regular file (a FIFO); it was left as it is").
bool checkWriteTarget(const std::filesystem::path& target, std::string& why);

// Temporary file beside the target, fsync, rename, fsync of the folder.
// False with the reason in `why` when the target was left as it was (one
// that checkWriteTarget refuses among them).
bool writeFileAtomically(const std::filesystem::path& target, std::string_view content, std::string& why);

// For a file written as it goes (a trace): created or emptied, or appended
// to, after checkWriteTarget; the open never waits (O_NONBLOCK), so a FIFO
// that appears in between is refused rather than blocking. The descriptor
// (close-on-exec), or -1 with the reason in `why`.
enum class WriteMode { Truncate, Append };
int openRegularFileForWriting(const std::filesystem::path& target, WriteMode mode, std::string& why);

} // namespace qx
