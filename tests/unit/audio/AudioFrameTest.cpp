#include "audio/AudioFrame.h"
#include "audio/FrameOrder.h"

#include <gtest/gtest.h>

using namespace qx::audio;

TEST(AudioFrame, ReadsBackWhatWasWrittenWithItsFieldsInPlace)
{
    AudioFrame f;
    f.kind = FrameKind::Opus;
    f.durationMs = 10;
    f.sequence = 0x01020304;
    f.captureUs = 0x1122334455667788ULL;
    f.payload = QByteArray("\xf8\x01\x02", 3);
    const QByteArray bytes = writeFrame(f);
    ASSERT_EQ(bytes.size(), kFrameHeadBytes + 3);
    // Big-endian on the wire, as the page's DataView reads it.
    EXPECT_EQ(bytes.mid(2, 4), QByteArray("\x01\x02\x03\x04", 4));
    const auto back = readFrame(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->kind, FrameKind::Opus);
    EXPECT_EQ(back->durationMs, 10);
    EXPECT_EQ(back->sequence, 0x01020304u);
    EXPECT_EQ(back->captureUs, 0x1122334455667788ULL);
    EXPECT_EQ(back->payload, f.payload);
}

TEST(AudioFrame, RefusesWhatIsNotOneBoundedFrame)
{
    AudioFrame good;
    good.payload = QByteArray(100, 'x');
    const QByteArray ok = writeFrame(good);
    ASSERT_TRUE(readFrame(ok));

    EXPECT_FALSE(readFrame({}));
    EXPECT_FALSE(readFrame(ok.left(kFrameHeadBytes)));  // a head without samples
    QByteArray kind = ok;
    kind[0] = 9;
    EXPECT_FALSE(readFrame(kind));
    QByteArray duration = ok;
    duration[1] = 40;
    EXPECT_FALSE(readFrame(duration));
    AudioFrame big;
    big.payload = QByteArray(kMaxPayloadBytes + 1, 'x');
    EXPECT_FALSE(readFrame(writeFrame(big)));
    big.payload.chop(1);
    EXPECT_TRUE(readFrame(writeFrame(big)));
    // PCM must hold exactly its duration's samples.
    AudioFrame pcm;
    pcm.kind = FrameKind::Pcm16k;
    pcm.payload = QByteArray(640, '\0');
    EXPECT_TRUE(readFrame(writeFrame(pcm)));
    pcm.payload.chop(2);
    EXPECT_FALSE(readFrame(writeFrame(pcm)));
}

TEST(FrameOrder, PlaysOnlyFramesAfterTheLastOnePlayed)
{
    FrameOrder order;
    EXPECT_TRUE(order.accept(5));
    EXPECT_FALSE(order.accept(5));  // repeated
    EXPECT_FALSE(order.accept(4));  // late
    EXPECT_TRUE(order.accept(9));   // a gap is a loss, not a reason to stop
    EXPECT_FALSE(order.accept(6));
    order.reset();
    EXPECT_TRUE(order.accept(1));
}
