#include "audio/AudioFrame.h"
#include "audio/AudioLevel.h"
#include "audio/OpusCodec.h"
#include "audio/Pcm16k.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace qx::audio;

namespace {

std::vector<std::int16_t> tone(double hz, int rate, int count, double amplitude = 12000)
{
    std::vector<std::int16_t> s(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * M_PI * hz * i / rate)));
    return s;
}

// The pitch of a steady tone from its first and last rising zero crossings,
// each placed between its two samples; 0 when there are too few.
double pitchOf(const std::vector<std::int16_t>& s, int rate)
{
    double first = -1;
    double last = -1;
    int crossings = 0;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i - 1] < 0 && s[i] >= 0) {
            const double at = static_cast<double>(i - 1) + static_cast<double>(-s[i - 1]) / (s[i] - s[i - 1]);
            if (first < 0)
                first = at;
            last = at;
            ++crossings;
        }
    }
    return crossings < 3 ? 0 : (crossings - 1) * rate / (last - first);
}

std::vector<std::int16_t> roundTrip(double hz, int frameMs)
{
    OpusFrameEncoder enc(frameMs);
    OpusFrameDecoder dec;
    EXPECT_TRUE(enc.ok() && dec.ok());
    const int frames = 500 / frameMs;
    const auto in = tone(hz, kOpusRate, enc.frameSamples() * frames);
    std::vector<std::int16_t> out;
    for (int f = 0; f < frames; ++f) {
        const QByteArray packet = enc.encode(in.data() + f * enc.frameSamples(), enc.frameSamples());
        EXPECT_FALSE(packet.isEmpty());
        EXPECT_LE(packet.size(), kMaxPayloadBytes);
        const auto pcm = dec.decode(packet);
        EXPECT_EQ(static_cast<int>(pcm.size()), enc.frameSamples());
        out.insert(out.end(), pcm.begin(), pcm.end());
    }
    // The codec's start-up is not what is being measured.
    out.erase(out.begin(), out.begin() + kOpusRate / 10);
    return out;
}

} // namespace

TEST(OpusRoundTrip, AToneComesBackAtItsPitchInEitherFrameLength)
{
    for (const double hz : {440.0, 1234.0}) {
        for (const int ms : {10, 20}) {
            const auto out = roundTrip(hz, ms);
            EXPECT_NEAR(pitchOf(out, kOpusRate), hz, 1) << hz << " Hz in " << ms << " ms frames";
            EXPECT_GT(peakLevel(out.data(), static_cast<int>(out.size())), 0.2f);
        }
    }
}

TEST(OpusRoundTrip, BadPacketsAndCountsGiveNothingRatherThanNoise)
{
    OpusFrameEncoder enc(20);
    const auto in = tone(500, kOpusRate, 960);
    EXPECT_TRUE(enc.encode(in.data(), 959).isEmpty());  // not a whole frame
    OpusFrameDecoder dec;
    EXPECT_TRUE(dec.decode({}).empty());
    EXPECT_TRUE(dec.decode(QByteArray(kMaxPayloadBytes + 1, '\x7f')).empty());
    EXPECT_EQ(dec.conceal(960).size(), 960u);
    EXPECT_TRUE(dec.conceal(0).empty());
}

TEST(Pcm16k, KeepsTheVoiceBandAndDropsWhatWouldFoldBack)
{
    Downsample48To16 down;
    const auto voice = down.process(tone(1000, 48000, 48000).data(), 48000);
    ASSERT_EQ(voice.size(), 16000u);
    const std::vector<std::int16_t> settled(voice.begin() + 100, voice.end());
    EXPECT_NEAR(pitchOf(settled, 16000), 1000, 2);
    EXPECT_GT(peakLevel(settled.data(), static_cast<int>(settled.size())), 0.3f);
    // 15 kHz would fold back to 1 kHz; the filter takes most of it away.
    Downsample48To16 high;
    const auto folded = high.process(tone(15000, 48000, 48000).data(), 48000);
    const std::vector<std::int16_t> rest(folded.begin() + 100, folded.end());
    EXPECT_LT(peakLevel(rest.data(), static_cast<int>(rest.size())), 0.05f);
}
