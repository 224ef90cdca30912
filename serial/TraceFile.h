// The --trace file: one line per read or write on the port, milliseconds
// since the trace began, "W" or "R", and the bytes (non-printable ones as
// \xNN). It listens to the link's TrafficTap for as long as it lives.
#pragma once
#include "serial/TrafficTap.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

namespace qx {

class TraceFile {
public:
    // Nothing is written when the file cannot be opened; error() says why.
    // Only a regular file (or a new one) is taken, and the open never waits:
    // a FIFO without a reader is refused, not waited on.
    TraceFile(const std::string& path, std::shared_ptr<TrafficTap> tap);
    ~TraceFile();
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;
    bool ok() const { return file_ != nullptr; }
    const std::string& error() const { return error_; }

private:
    void record(TrafficDirection direction, std::span<const std::uint8_t> bytes);

    std::FILE* file_ = nullptr;
    std::string error_;
    std::chrono::steady_clock::time_point start_;
    std::shared_ptr<TrafficTap> tap_;
    TrafficTap::Id listening_ = 0;
};

} // namespace qx
