// Wraps a serial device and writes every byte that crosses it to a trace,
// one line per read or write: milliseconds since the trace began, "W" or
// "R", and the bytes (non-printable ones as \xNN).
#pragma once
#include "serial/SerialDevice.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <span>
#include <string>

namespace qx {

class Trace {
public:
    // Nothing is written when the file cannot be opened.
    explicit Trace(const std::string& path);
    ~Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;
    bool ok() const { return file_ != nullptr; }
    void record(char direction, std::span<const std::uint8_t> bytes);

private:
    std::mutex mutex_;
    std::FILE* file_ = nullptr;
    std::chrono::steady_clock::time_point start_;
};

class TracingDevice : public SerialDevice {
public:
    TracingDevice(std::unique_ptr<SerialDevice> inner, std::shared_ptr<Trace> trace)
        : inner_(std::move(inner)), trace_(std::move(trace))
    {
    }
    std::size_t bytesWaiting() override { return inner_->bytesWaiting(); }
    long read(std::span<std::uint8_t> into) override;
    long write(std::span<const std::uint8_t> bytes) override;
    bool setRts(bool raised) override { return inner_->setRts(raised); }
    LineStatus clearErrors() override { return inner_->clearErrors(); }
    int pollFd() const override { return inner_->pollFd(); }

private:
    std::unique_ptr<SerialDevice> inner_;
    std::shared_ptr<Trace> trace_;
};

// An opener whose devices all write to `trace`.
DeviceOpener tracingOpener(DeviceOpener inner, std::shared_ptr<Trace> trace);

// Printable form of bytes for a trace or a log.
std::string escapeBytes(std::span<const std::uint8_t> bytes);

} // namespace qx
