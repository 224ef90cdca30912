#include "serial/TraceFile.h"

#include "core/FileIo.h"
#include "serial/TracingDevice.h"

#include <unistd.h>

namespace qx {

TraceFile::TraceFile(const std::string& path, std::shared_ptr<TrafficTap> tap)
    : start_(std::chrono::steady_clock::now()), tap_(std::move(tap))
{
    const int fd = openRegularFileForWriting(path, WriteMode::Truncate, error_);
    if (fd >= 0) {
        file_ = ::fdopen(fd, "w");
        if (!file_) {
            error_ = "cannot open it for writing";
            ::close(fd);
        }
    }
    if (file_)
        listening_ = tap_->listen([this](TrafficDirection d, std::span<const std::uint8_t> b) { record(d, b); });
}

TraceFile::~TraceFile()
{
    if (listening_)
        tap_->stopListening(listening_);
    if (file_)
        std::fclose(file_);
}

void TraceFile::record(TrafficDirection direction, std::span<const std::uint8_t> bytes)
{
    // The tap calls one listener at a time, so the file needs no lock of its own.
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
    std::fprintf(file_, "%lld %c %s\n", static_cast<long long>(ms), static_cast<char>(direction),
                 escapeBytes(bytes).c_str());
    std::fflush(file_);
}

} // namespace qx
