// Voice recording and playback on the simulated radio: "LM" and "PB" start
// and stop them, a voice memory ends by itself, and both flags are reported
// in the "RI" answers and by auto-information.
#include "sim/RadioModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace qx::sim {
namespace {

using Texts = RadioModel::Texts;
using std::chrono::milliseconds;

std::string read(RadioModel& radio, const std::string& query)
{
    const Texts t = radio.handle(query);
    return t.size() == 1 ? t.front() : "<" + std::to_string(t.size()) + " answers>";
}

bool contains(const Texts& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

RadioModel linkedRadio()
{
    RadioConfig config;
    config.voiceLength = milliseconds(3000);
    RadioModel radio(config);
    radio.handle("AI1;");
    return radio;
}

TEST(VoiceMemory, RecordingRaisesTheRecordingFlagUntilStoppedOrTheMemoryIsFull)
{
    RadioModel radio = linkedRadio();
    EXPECT_EQ(read(radio, "RI3;"), "RI30;");
    const Texts started = radio.handle("LM01;");
    EXPECT_TRUE(contains(started, "RI31;")) << "reported at once";
    EXPECT_TRUE(contains(started, "LM01;"));
    EXPECT_EQ(read(radio, "RI3;"), "RI31;");
    EXPECT_EQ(read(radio, "RI4;"), "RI40;") << "recording is not playing";

    EXPECT_TRUE(radio.handle("LM00;").size() >= 1);
    EXPECT_EQ(read(radio, "RI3;"), "RI30;");

    radio.handle("LM02;");
    EXPECT_FALSE(contains(radio.tick(milliseconds(2999)), "RI30;"));
    EXPECT_TRUE(contains(radio.tick(milliseconds(1)), "RI30;")) << "a full memory ends the recording";
    EXPECT_EQ(read(radio, "LM0;"), "LM00;");

    radio.handle("LM11;"); // the recorder runs until told
    radio.tick(milliseconds(60000));
    EXPECT_EQ(read(radio, "RI3;"), "RI31;");
    radio.handle("LM10;");
    EXPECT_EQ(read(radio, "RI3;"), "RI30;");
    EXPECT_EQ(read(radio, "LM06;"), "?;") << "five memories";
}

TEST(VoiceMemory, AMemoryPlaysForItsLengthAndEndsByItself)
{
    RadioModel radio = linkedRadio();
    const Texts started = radio.handle("PB1;");
    EXPECT_TRUE(contains(started, "RI41;"));
    EXPECT_TRUE(contains(started, "PB1;"));
    EXPECT_EQ(read(radio, "RI4;"), "RI41;");
    EXPECT_FALSE(contains(radio.tick(milliseconds(2999)), "RI40;"));
    const Texts ended = radio.tick(milliseconds(1));
    EXPECT_TRUE(contains(ended, "RI40;"));
    EXPECT_TRUE(contains(ended, "PB0;"));

    radio.handle("PB6;"); // the recorder's playback
    radio.handle("PB0;"); // stopped early
    EXPECT_EQ(read(radio, "RI4;"), "RI40;");
    EXPECT_EQ(read(radio, "PB9;"), "?;");
}

TEST(VoiceMemory, PlayingOnTheAirKeysTheTransmitterWhileItPlays)
{
    RadioModel radio = linkedRadio();
    EXPECT_TRUE(contains(radio.handle("PB7;"), "TX1;"));
    EXPECT_TRUE(radio.transmitting());
    EXPECT_TRUE(contains(radio.tick(milliseconds(3000)), "TX0;"));
    EXPECT_FALSE(radio.transmitting());

    radio.handle("PB8;");
    radio.handle("LM01;");
    radio.power(false);
    radio.power(true);
    radio.tick(milliseconds(1000)); // the boot
    EXPECT_FALSE(radio.transmitting()) << "switching off ends everything";
    EXPECT_EQ(read(radio, "RI3;"), "RI30;");
    EXPECT_EQ(read(radio, "RI4;"), "RI40;");
}

} // namespace
} // namespace qx::sim
