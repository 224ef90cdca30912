#include "serial/TelnetCodec.h"

#include "serial/LineStatus.h"

#include "tests/unit/serial/ByteText.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx {
namespace {

using test::bytes;


struct Decoded {
    std::string data, reply;
};

Decoded decode(TelnetCodec& codec, const std::string& in)
{
    Decoded d;
    codec.decode(test::byteSpan(in), d.data, d.reply);
    return d;
}

TEST(TelnetCodec, OffersTheComPortOptionAndSetsTheLineAsTheRfcSpellsIt)
{
    EXPECT_EQ(TelnetCodec::offer(), bytes({255, 251, 44}));
    EXPECT_EQ(TelnetCodec::lineSettings(9600),
              bytes({255, 250, 44, 1, 0x00, 0x00, 0x25, 0x80, 255, 240, // speed, network order
                     255, 250, 44, 2, 8, 255, 240,                      // 8 data bits
                     255, 250, 44, 3, 1, 255, 240,                      // no parity
                     255, 250, 44, 4, 2, 255, 240,                      // 2 stop bits
                     255, 250, 44, 5, 3, 255, 240,                      // RTS/CTS
                     255, 250, 44, 10, 0x1E, 255, 240}));               // report break, framing, parity, overrun
    // A 255 inside a block is doubled like any other.
    EXPECT_EQ(TelnetCodec::lineSettings(0x0000FF00).substr(0, 11), bytes({255, 250, 44, 1, 0, 0, 255, 255, 0, 255, 240}));
}

TEST(TelnetCodec, DataBytesCrossBothWaysWithIacDoubled)
{
    std::string out;
    TelnetCodec::escape(test::byteSpan(bytes({'F', 'A', 255, ';', 255, 255})), out);
    EXPECT_EQ(out, bytes({'F', 'A', 255, 255, ';', 255, 255, 255, 255}));

    TelnetCodec codec;
    const auto d = decode(codec, out);
    EXPECT_EQ(d.data, bytes({'F', 'A', 255, ';', 255, 255}));
    EXPECT_TRUE(d.reply.empty());
}

TEST(TelnetCodec, DeclinesEverythingBesidesTheComPortOnceEach)
{
    // What ser2net sends on connecting: WILL SGA, DO SGA, WILL ECHO, DONT ECHO,
    // DO BINARY, WILL BINARY, DO COM-PORT.
    TelnetCodec codec;
    const auto d = decode(codec, bytes({255, 251, 3, 255, 253, 3, 255, 251, 1, 255, 254, 1, 255, 253, 0, 255, 251, 0,
                                        255, 253, 44, 'P', 'S'}));
    EXPECT_EQ(d.reply, bytes({255, 254, 3, 255, 252, 3, 255, 254, 1, 255, 252, 0, 255, 254, 0}));
    EXPECT_EQ(d.data, "PS");
    EXPECT_EQ(codec.comPort(), TelnetCodec::ComPort::Accepted);
    // Agreement repeated is not answered again; a WONT needs no answer.
    EXPECT_TRUE(decode(codec, bytes({255, 253, 44, 255, 252, 3})).reply.empty());
}

TEST(TelnetCodec, TheComPortOptionCanBeRefusedAndTakenBack)
{
    TelnetCodec codec;
    EXPECT_TRUE(decode(codec, bytes({255, 254, 44})).reply.empty()) << "a refusal of our offer is final, no answer";
    EXPECT_EQ(codec.comPort(), TelnetCodec::ComPort::Refused);
    EXPECT_EQ(decode(codec, bytes({255, 253, 44})).reply, bytes({255, 251, 44})) << "asked again, we agree again";
    EXPECT_EQ(codec.comPort(), TelnetCodec::ComPort::Accepted);
    EXPECT_EQ(decode(codec, bytes({255, 254, 44})).reply, bytes({255, 252, 44})) << "switched off, we confirm";
    EXPECT_EQ(codec.comPort(), TelnetCodec::ComPort::Refused);
}

TEST(TelnetCodec, CommandsSplitAcrossReadsAreStillUnderstood)
{
    const std::string stream = bytes({'F', 255, 253, 1, 255, 250, 44, 101, 0, 0, 0x12, 0xC0, 255, 240, 'A', 255, 255,
                                      255, 241, ';'});
    // Every cut of the stream gives the same result as the whole.
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        TelnetCodec codec;
        const auto a = decode(codec, stream.substr(0, cut));
        const auto b = decode(codec, stream.substr(cut));
        EXPECT_EQ(a.data + b.data, bytes({'F', 'A', 255, ';'})) << cut;
        EXPECT_EQ(a.reply + b.reply, bytes({255, 252, 1})) << cut;
        EXPECT_EQ(codec.confirmedBaud(), 4800) << cut;
    }
}

TEST(TelnetCodec, TheFarPortsReportsBecomeErrorBitsAndSpeed)
{
    TelnetCodec codec;
    EXPECT_EQ(codec.confirmedBaud(), 0);
    decode(codec, bytes({255, 250, 44, 101, 0, 0, 0x96, 0x00, 255, 240}));
    EXPECT_EQ(codec.confirmedBaud(), 38400);
    decode(codec, bytes({255, 250, 44, 106, 0x18 | 0x01, 255, 240})); // break, framing, data ready
    EXPECT_EQ(codec.takeLineErrors(), CommError::Break | CommError::Framing);
    EXPECT_EQ(codec.takeLineErrors(), 0u) << "taken once";
    decode(codec, bytes({255, 250, 44, 106, 0x06, 255, 240}));
    EXPECT_EQ(codec.takeLineErrors(), CommError::Parity | CommError::Overrun);
    // A modem-state report and other options' blocks change nothing.
    const auto d = decode(codec, bytes({255, 250, 44, 107, 0x80, 255, 240, 255, 250, 24, 0, 'x', 255, 240, 'K'}));
    EXPECT_EQ(d.data, "K");
    EXPECT_EQ(codec.takeLineErrors(), 0u);
    EXPECT_EQ(codec.confirmedBaud(), 38400);
}

TEST(TelnetCodec, AnOverlongBlockIsSkippedAndTheStreamRecovers)
{
    TelnetCodec codec;
    std::string endless = bytes({255, 250, 44, 0});
    endless += std::string(100000, 'S'); // a signature that never ends
    const auto d = decode(codec, endless);
    EXPECT_TRUE(d.data.empty());
    const auto after = decode(codec, bytes({255, 240, 'O', 'K'}));
    EXPECT_EQ(after.data, "OK");
}

} // namespace
} // namespace qx
