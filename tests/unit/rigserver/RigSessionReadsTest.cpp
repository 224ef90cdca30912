// Reads answered from the radio's last known settings, in the plain and the
// extended form, and the errors every client must get an answer for.
#include "RigFixture.h"

namespace qx::rig::test {
namespace {

TEST_F(RigTest, ReadsFollowTheOperatingVfoAndTheSplitVfo)
{
    radio.set(R::FA, 14074000);
    radio.set(R::FB, 7074000);
    radio.set(R::MD0, 2);
    radio.set(R::MD1, 3);
    EXPECT_EQ(ask("f"), "14074000\n");
    EXPECT_EQ(ask("m v s"), "USB\n2400\nVFOA\n0\nVFOA\n");
    // Split is a transmit VFO other than the receive VFO.
    radio.set(R::FT, 1);
    EXPECT_EQ(ask("s i x"), "1\nVFOB\n7074000\nCW\n500\n");
    radio.set(R::VS, 1);
    radio.set(R::FT, 0);
    EXPECT_EQ(ask("f v s i"), "7074000\nVFOB\n1\nVFOA\n14074000\n");
    EXPECT_EQ(ask("\\get_vfo_info VFOA"), "14074000\nCW\n500\n1\n0\n");
    EXPECT_EQ(ask("\\get_vfo_info VFOX"), "RPRT -1\n");
}

TEST_F(RigTest, TheDataModeIsNamedByTheDataTypeSetting)
{
    for (int code : {6, 8, 9, 12}) {
        radio.set(R::MD0, code);
        setDataType(kDataTypeUserUpper);
        EXPECT_EQ(ask("m"), "PKTUSB\n2400\n") << code;
        setDataType(kDataTypeUserLower);
        EXPECT_EQ(ask("m"), "PKTLSB\n2400\n") << code;
        setDataType(kDataTypeRtty);
        EXPECT_EQ(ask("m"), "RTTY\n500\n") << code;
    }
    radio.set(R::MD0, 7);
    EXPECT_EQ(ask("m"), "CWR\n500\n");
    radio.set(R::MD0, 11);
    EXPECT_EQ(ask("m"), "FM\n12000\n");
}

TEST_F(RigTest, TransmitClarifierLevelsAndSwitches)
{
    radio.set(R::TX, 1);
    radio.set(RadioState::Real::IF_OFFSET, -120.0);
    radio.set(R::RM0, 121);
    radio.set(R::AG0, 255);
    radio.set(R::PC, 50);
    radio.set(R::KS, 22);
    radio.set(R::LK, 1);
    EXPECT_EQ(ask("t j"), "1\n-120\n");
    EXPECT_EQ(ask("l STRENGTH l RAWSTR l AF l RFPOWER l KEYSPD"), "0\n121\n1.000000\n0.500000\n22\n");
    EXPECT_EQ(ask("u LOCK u NB"), "1\n0\n");
    EXPECT_EQ(ask("l NOSUCH"), "RPRT -1\n");
    // Hamlib knows these; this radio has no command for them.
    EXPECT_EQ(ask("l COMPMETER L CWPITCH 600 U TUNER 1"), "RPRT -11\nRPRT -11\nRPRT -11\n");
}

TEST(RigLevels, StrengthRunsFromS0ThroughS9ToSixtyOver)
{
    EXPECT_EQ(strengthDb(0), -54);
    EXPECT_EQ(strengthDb(121), 0);
    EXPECT_EQ(strengthDb(255), 60);
    for (int raw = 0; raw < 255; ++raw)
        EXPECT_LE(strengthDb(raw), strengthDb(raw + 1)) << raw;
    EXPECT_EQ(strengthDb(-5), -54);
    EXPECT_EQ(strengthDb(999), 60);
}

TEST_F(RigTest, ExtendedAnswersEchoLabelAndAlwaysClose)
{
    radio.set(R::FA, 14074000);
    radio.set(R::MD0, 1);
    EXPECT_EQ(ask("+f"), "get_freq:\nFrequency: 14074000\nRPRT 0\n");
    EXPECT_EQ(ask(";m"), "get_mode:;Mode: LSB;Passband: 2400;RPRT 0\n");
    EXPECT_EQ(ask("+\\get_freq"), "get_freq:\nFrequency: 14074000\nRPRT 0\n");
    EXPECT_EQ(ask("+l AF"), "get_level: AF\n0.000000\nRPRT 0\n");
    EXPECT_EQ(ask("|F abc"), "set_freq: abc|RPRT -1\n");
    EXPECT_EQ(ask("+\\chk_vfo"), "ChkVFO: 0\n");
    // The mark holds for its own command only.
    EXPECT_EQ(ask("+f f"), "get_freq:\nFrequency: 14074000\nRPRT 0\n14074000\n");
}

TEST_F(RigTest, EveryErrorIsAnsweredWithHamlibsNumber)
{
    EXPECT_EQ(ask("\\no_such_command"), "RPRT -4\n");
    EXPECT_EQ(ask("k"), "RPRT -11\n");  // a protocol command this radio does not have
    EXPECT_EQ(ask("Z 50"), "RPRT -11\n");
    EXPECT_EQ(ask("F"), "RPRT -1\n");
    EXPECT_EQ(ask(std::string("f\x01")), "RPRT -1\n");
    radio.set(R::PS, 0);
    EXPECT_EQ(ask("f"), "RPRT -20\n");
    radio.set(R::AI, 0);
    EXPECT_EQ(ask("f F 7000000 t"), "RPRT -6\nRPRT -6\nRPRT -6\n");
    EXPECT_TRUE(writer.take().empty());
    // What a client asks when it opens works with the link down.
    EXPECT_EQ(ask("\\chk_vfo \\get_powerstat \\get_lock_mode"), "0\n0\n0\nRPRT 0\n");
    const std::string state = ask("\\dump_state");
    EXPECT_TRUE(state.starts_with("1\n2\n0\n30000.000000 60000000.000000 0xcbf -1 -1 0x3 0x1\n"));
    EXPECT_TRUE(state.ends_with("\ndone\n"));
    EXPECT_TRUE(ask("\\dump_caps").ends_with("RPRT 0\n"));
    EXPECT_EQ(ask("M ?"), "AM CW USB LSB RTTY FM CWR PKTLSB PKTUSB \nRPRT 0\n");
}

TEST_F(RigTest, QuitAnswersAndEndsTheConversation)
{
    EXPECT_EQ(ask("q f"), "RPRT 0\n");
    EXPECT_TRUE(session.closing());
}

} // namespace
} // namespace qx::rig::test
