#include "audio/AudioFrame.h"

namespace qx::audio {
namespace {

void putBigEndian(QByteArray& out, std::uint64_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

std::uint64_t getBigEndian(const QByteArray& in, int at, int bytes)
{
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | static_cast<std::uint8_t>(in[at + i]);
    return value;
}

bool validDuration(int ms) { return ms == 10 || ms == 20; }

} // namespace

QByteArray writeFrame(const AudioFrame& frame)
{
    QByteArray out;
    out.reserve(kFrameHeadBytes + frame.payload.size());
    out.append(static_cast<char>(frame.kind));
    out.append(static_cast<char>(frame.durationMs));
    putBigEndian(out, frame.sequence, 4);
    putBigEndian(out, frame.captureUs, 8);
    out.append(frame.payload);
    return out;
}

std::optional<AudioFrame> readFrame(const QByteArray& bytes)
{
    if (bytes.size() <= kFrameHeadBytes || bytes.size() > kMaxFrameBytes)
        return std::nullopt;
    AudioFrame f;
    const auto kind = static_cast<std::uint8_t>(bytes[0]);
    if (kind != static_cast<std::uint8_t>(FrameKind::Opus) && kind != static_cast<std::uint8_t>(FrameKind::Pcm16k))
        return std::nullopt;
    f.kind = static_cast<FrameKind>(kind);
    f.durationMs = static_cast<std::uint8_t>(bytes[1]);
    if (!validDuration(f.durationMs))
        return std::nullopt;
    f.sequence = static_cast<std::uint32_t>(getBigEndian(bytes, 2, 4));
    f.captureUs = getBigEndian(bytes, 6, 8);
    f.payload = bytes.mid(kFrameHeadBytes);
    // PCM carries exactly its duration's samples; anything else is not a frame.
    if (f.kind == FrameKind::Pcm16k && f.payload.size() != samplesPerFrame(16000, f.durationMs) * 2)
        return std::nullopt;
    return f;
}

} // namespace qx::audio
