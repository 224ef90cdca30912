#include "serial/TraceFile.h"

#include "serial/TracingDevice.h"

namespace qx {

TraceFile::TraceFile(const std::string& path, std::shared_ptr<TrafficTap> tap)
    : file_(std::fopen(path.c_str(), "w")), start_(std::chrono::steady_clock::now()), tap_(std::move(tap))
{
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
