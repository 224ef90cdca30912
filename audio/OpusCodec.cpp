#include "audio/OpusCodec.h"

#include "audio/AudioFrame.h"

#include <opus/opus.h>

namespace qx::audio {
namespace {
// 120 ms is the longest packet Opus can hold.
constexpr int kMaxDecodedSamples = kOpusRate / 1000 * 120;
} // namespace

OpusFrameEncoder::OpusFrameEncoder(int frameMs, int bitrate)
    : frameMs_(frameMs == 10 ? 10 : 20), frameSamples_(samplesPerFrame(kOpusRate, frameMs_))
{
    int err = OPUS_OK;
    encoder_ = opus_encoder_create(kOpusRate, 1, OPUS_APPLICATION_RESTRICTED_LOWDELAY, &err);
    if (err != OPUS_OK || !encoder_) {
        error_ = opus_strerror(err);
        encoder_ = nullptr;
        return;
    }
    opus_encoder_ctl(encoder_, OPUS_SET_BITRATE(bitrate));
    opus_encoder_ctl(encoder_, OPUS_SET_SIGNAL(OPUS_SIGNAL_VOICE));
}

OpusFrameEncoder::~OpusFrameEncoder()
{
    if (encoder_)
        opus_encoder_destroy(encoder_);
}

QByteArray OpusFrameEncoder::encode(const std::int16_t* samples, int count)
{
    if (!encoder_ || count != frameSamples_)
        return {};
    QByteArray out(kMaxPayloadBytes, Qt::Uninitialized);
    const int n = opus_encode(encoder_, samples, count, reinterpret_cast<unsigned char*>(out.data()),
                              kMaxPayloadBytes);
    if (n <= 0)
        return {};
    out.truncate(n);
    return out;
}

OpusFrameDecoder::OpusFrameDecoder()
{
    int err = OPUS_OK;
    decoder_ = opus_decoder_create(kOpusRate, 1, &err);
    if (err != OPUS_OK)
        decoder_ = nullptr;
}

OpusFrameDecoder::~OpusFrameDecoder()
{
    if (decoder_)
        opus_decoder_destroy(decoder_);
}

std::vector<std::int16_t> OpusFrameDecoder::decode(const QByteArray& packet)
{
    if (!decoder_ || packet.isEmpty() || packet.size() > kMaxPayloadBytes)
        return {};
    std::vector<std::int16_t> out(kMaxDecodedSamples);
    const int n = opus_decode(decoder_, reinterpret_cast<const unsigned char*>(packet.constData()),
                              static_cast<opus_int32>(packet.size()), out.data(), kMaxDecodedSamples, 0);
    if (n <= 0)
        return {};
    out.resize(static_cast<std::size_t>(n));
    return out;
}

std::vector<std::int16_t> OpusFrameDecoder::conceal(int samples)
{
    if (!decoder_ || samples <= 0 || samples > kMaxDecodedSamples)
        return {};
    std::vector<std::int16_t> out(static_cast<std::size_t>(samples));
    const int n = opus_decode(decoder_, nullptr, 0, out.data(), samples, 0);
    if (n <= 0)
        return {};
    out.resize(static_cast<std::size_t>(n));
    return out;
}

} // namespace qx::audio
