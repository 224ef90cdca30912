// Memory channels, their recall and the manual notch through the rigctld
// protocol: what a client's line asks of the radio and what it is told.
#include "RigFixture.h"

#include "rigserver/RigChannels.h"

namespace qx::rig::test {
namespace {

using namespace std::chrono_literals;

const MemoryChannel kRepeater{29620000, 100, 1, 0, 4, 2, 8, 2};  // FM, -shift, TSQL 88.5 Hz, RIT +100

TEST_F(RigTest, AChannelReadWaitsForTheRadiosAnswerAndTheLineGoesOnAfterIt)
{
    radio.set(R::FA, 14074000);
    EXPECT_EQ(ask("h 12 1 f"), "");
    EXPECT_TRUE(session.waiting());
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_MR_READ, 0, 12}}));
    EXPECT_EQ(session.resume(), "");  // nothing heard yet, and the wait is not over

    radio.memoryChannels().store(12, kRepeater);
    const std::string out = session.resume();
    EXPECT_FALSE(session.waiting());
    EXPECT_EQ(out, "Channel: 12, Name: ''\n"
                   "VFO: MEM, Antenna: 0, Split: OFF\n"
                   "Freq:   29.6200000 MHz\tMode:   FM\tWidth:   0.0 Hz\n"
                   "txFreq: 0.0 Hz\ttxMode: \ttxWidth: 0.0 Hz\n"
                   "Shift: -, Offset: 0.0 Hz, Step: 0.0 Hz, RIT: +100.0 Hz, XIT: 0.0 Hz\n"
                   "CTCSS: 0.0Hz, CTCSSsql: 88.5Hz, DCS: 0.0, DCSsql: 0.0\n"
                   "Functions: \n"
                   "Levels:\n"
                   "RPRT 0\n"
                   "14074000\n");
    // A stored channel is asked again: the radio's front panel may have
    // changed it since.
    EXPECT_EQ(ask("h 12 1"), "");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_MR_READ, 0, 12}}));
}

TEST_F(RigTest, AChannelTheRadioDoesNotAnswerForIsEmptyAndALostLinkFailsTheRead)
{
    EXPECT_EQ(ask("+h 3 1"), "");
    now += 499ms;
    EXPECT_EQ(session.resume(), "");
    now += 1ms;
    const std::string out = session.resume();
    EXPECT_TRUE(out.starts_with("get_channel: 3 1\nChannel: 3, Name: ''\n")) << out;
    EXPECT_TRUE(out.find("Freq:   0.0 Hz\tMode:   \t") != std::string::npos) << out;
    EXPECT_TRUE(out.ends_with("Levels:\nRPRT 0\n")) << out;

    EXPECT_EQ(ask("h 4 1"), "");
    radio.set(R::AI, 0);
    EXPECT_EQ(session.resume(), "RPRT -6\n");
    EXPECT_EQ(ask("h 4 1"), "RPRT -6\n");
    linkUp();
    EXPECT_EQ(ask("h 0 1 h 505 1 h 4 x h 4"), "RPRT -1\nRPRT -1\nRPRT -1\nRPRT -1\n");
    EXPECT_FALSE(session.waiting());
}

TEST_F(RigTest, ReadingAChannelWithReadOnlyZeroAndVMemRecallItAsTheChannelsWindowDoes)
{
    ask("h 40 0");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_MR_READ, 0, 40}, {UM_REQ_VM, 0, 0}, {UM_REQ_MC_SELECT, 0, 40}}));
    radio.memoryChannels().store(40, kRepeater);
    session.resume();

    // Already on the channels: V/M toggles, so it is not pressed again.
    radio.set(R::IF21, 1);
    EXPECT_EQ(ask("V MEM E 41 e"), "RPRT 0\nRPRT 0\n41\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_MC_SELECT, 0, 41}}));
    radio.set(R::IF21, 0);
    EXPECT_EQ(ask("V MEM"), "RPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_VM, 0, 0}}));

    EXPECT_EQ(ask("G TO_VFO G FROM_VFO G CPY G XCHG G MCL G ?"),
              "RPRT 0\nRPRT 0\nRPRT 0\nRPRT 0\nRPRT -11\nCPY XCHG FROM_VFO TO_VFO TOGGLE \nRPRT 0\n");
    EXPECT_EQ(writer.take(),
              (std::vector<Sent>{{UM_REQ_MA, 0, 0}, {UM_REQ_AM, 0, 0}, {UM_REQ_AB, 0, 0}, {UM_REQ_SV, 0, 0}}));
}

TEST_F(RigTest, AChannelIsWrittenWholeAndReadBackOrRefusedWithNothingSent)
{
    EXPECT_EQ(ask("H 12 29620000 FM - 100 0 0 885"), "RPRT 0\n");
    EXPECT_EQ(writer.takeChannels(), (std::vector<std::pair<int, MemoryChannel>>{{12, kRepeater}}));
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_MR_READ, 0, 12}}));

    EXPECT_EQ(ask("H 504 7074000 USB None 0 -50 1000 0"), "RPRT 0\n");
    EXPECT_EQ(writer.takeChannels(),
              (std::vector<std::pair<int, MemoryChannel>>{{504, MemoryChannel{7074000, -50, 0, 1, 2, 1, 12, 0}}}));
    writer.take();

    setDataType(kDataTypeRtty);
    for (const char* bad : {
             "H 505 7074000 USB None 0 0 0 0",      // no such channel
             "H 5 60000001 USB None 0 0 0 0",       // beyond the radio's range
             "H 5 7074000 PKTUSB None 0 0 0 0",     // a data flavour the radio is not set to
             "H 5 7074000 WFM None 0 0 0 0",        // a mode the radio lacks
             "H 5 7074000 USB None 100 200 0 0",    // RIT and XIT share the clarifier's offset
             "H 5 7074000 USB None 10000 0 0 0",    // beyond the clarifier
             "H 5 7074000 FM + 0 0 885 1000",       // one tone for both
             "H 5 7074000 FM + 0 0 886 0",          // not one of the radio's tones
             "H 5 7074000 USB None 0 0 0",          // a field missing
         }) {
        EXPECT_EQ(ask(bad), "RPRT -1\n") << bad;
    }
    EXPECT_TRUE(writer.takeChannels().empty());
    EXPECT_TRUE(writer.take().empty());
    EXPECT_EQ(ask("H 5 7074000 RTTY None 0 0 0 0"), "RPRT 0\n");
    EXPECT_EQ(writer.takeChannels().at(0).second.mode, kRadioDataMode);
}

TEST_F(RigTest, TheManualNotchSitsAndSwitchesInTheRadiosStepsOfTenHertz)
{
    radio.set(R::BP_LEVEL, 150);
    radio.set(R::BP_SW, 0);
    EXPECT_EQ(ask("l NOTCHF u MN"), "1500\n0\n");
    EXPECT_EQ(ask("L NOTCHF 2004 l NOTCHF L NOTCHF 4 L NOTCHF 4006 L NOTCHF x"),
              "RPRT 0\n2000\nRPRT -1\nRPRT -1\nRPRT -1\n");
    EXPECT_EQ(ask("U MN 1 u MN U MN 1"), "RPRT 0\n1\nRPRT 0\n");
    // The switch is a toggle: pressed only when the wish differs from what
    // the program last asked for.
    command.set(CommandState::Int::BP_SW, 1);
    EXPECT_EQ(ask("U MN 1"), "RPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_BP_SET_1, 0, 200}, {UM_REQ_BP_SET_0, 0, 0}, {UM_REQ_BP_SET_0, 0, 0}}));
}

} // namespace
} // namespace qx::rig::test
