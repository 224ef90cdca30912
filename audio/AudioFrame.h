// One frame of audio as it travels over the web socket, either way: a small
// fixed head (what it holds, how long it lasts, its sequence number and when
// it was captured) and the coded samples. Anything that does not read as a
// whole, bounded frame is refused.
#pragma once
#include <QByteArray>

#include <cstdint>
#include <optional>

namespace qx::audio {

enum class FrameKind : std::uint8_t {
    Opus = 1,   // one Opus packet, 48 kHz mono
    Pcm16k = 2, // signed 16-bit little-endian samples, 16 kHz mono
};

struct AudioFrame {
    FrameKind kind = FrameKind::Opus;
    std::uint8_t durationMs = 20;   // 10 or 20
    std::uint32_t sequence = 0;
    std::uint64_t captureUs = 0;    // the sender's monotonic clock
    QByteArray payload;
};

inline constexpr int kFrameHeadBytes = 14;
// Opus's largest packet is 1275 bytes; 20 ms of 16 kHz PCM is 640.
inline constexpr int kMaxPayloadBytes = 1275;
inline constexpr int kMaxFrameBytes = kFrameHeadBytes + kMaxPayloadBytes;

QByteArray writeFrame(const AudioFrame& frame);
// Empty when the bytes are not one well-formed frame.
std::optional<AudioFrame> readFrame(const QByteArray& bytes);

// Samples per channel in one frame of `durationMs` at `rate` Hz.
constexpr int samplesPerFrame(int rate, int durationMs) { return rate / 1000 * durationMs; }

} // namespace qx::audio
