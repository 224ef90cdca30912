#include "sim/audio/WavFile.h"

#include <limits>

namespace qx::sim {
namespace {

void put(std::ofstream& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

} // namespace

bool WavFile::open(const std::string& path, int rate)
{
    rate_ = rate;
    dataBytes_ = 0;
    out_.open(path, std::ios::binary | std::ios::trunc);
    if (!out_)
        return false;
    writeHead();
    return static_cast<bool>(out_);
}

void WavFile::writeHead()
{
    out_.seekp(0);
    out_.write("RIFF", 4);
    put(out_, 36 + dataBytes_, 4);
    out_.write("WAVEfmt ", 8);
    put(out_, 16, 4);
    put(out_, 1, 2);  // PCM
    put(out_, 1, 2);  // mono
    put(out_, static_cast<std::uint32_t>(rate_), 4);
    put(out_, static_cast<std::uint32_t>(rate_ * 2), 4);
    put(out_, 2, 2);
    put(out_, 16, 2);
    out_.write("data", 4);
    put(out_, dataBytes_, 4);
    out_.seekp(0, std::ios::end);
}

void WavFile::append(const std::int16_t* samples, int count)
{
    const auto bytes = static_cast<std::uint32_t>(count) * 2;
    if (!out_ || count <= 0 || dataBytes_ > std::numeric_limits<std::uint32_t>::max() - 64 - bytes)
        return;
    for (int i = 0; i < count; ++i)
        put(out_, static_cast<std::uint16_t>(samples[i]), 2);
    dataBytes_ += bytes;
    writeHead();
    out_.flush();
}

} // namespace qx::sim
