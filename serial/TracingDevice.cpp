#include "serial/TracingDevice.h"

namespace qx {

std::string escapeBytes(std::span<const std::uint8_t> bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (std::uint8_t b : bytes) {
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out.push_back(static_cast<char>(b));
        } else {
            out += "\\x";
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 0xF]);
        }
    }
    return out;
}

Trace::Trace(const std::string& path) : start_(std::chrono::steady_clock::now())
{
    file_ = std::fopen(path.c_str(), "w");
}

Trace::~Trace()
{
    if (file_)
        std::fclose(file_);
}

void Trace::record(char direction, std::span<const std::uint8_t> bytes)
{
    if (!file_ || bytes.empty())
        return;
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
    const std::string text = escapeBytes(bytes);
    std::lock_guard lock(mutex_);
    std::fprintf(file_, "%lld %c %s\n", static_cast<long long>(ms), direction, text.c_str());
    std::fflush(file_);
}

void Trace::note(std::string_view text)
{
    record('-', std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

long TracingDevice::read(std::span<std::uint8_t> into)
{
    const long n = inner_->read(into);
    if (n > 0)
        trace_->record('R', into.first(static_cast<std::size_t>(n)));
    return n;
}

long TracingDevice::write(std::span<const std::uint8_t> bytes)
{
    const long n = inner_->write(bytes);
    if (n > 0)
        trace_->record('W', bytes.first(static_cast<std::size_t>(n)));
    return n;
}

DeviceOpener tracingOpener(DeviceOpener inner, std::shared_ptr<Trace> trace)
{
    return [inner = std::move(inner), trace = std::move(trace)](const std::string& path, int baud,
                                                                 std::string& why) -> std::unique_ptr<SerialDevice> {
        auto dev = inner(path, baud, why);
        if (!dev)
            return nullptr;
        return std::make_unique<TracingDevice>(std::move(dev), trace);
    };
}

} // namespace qx
