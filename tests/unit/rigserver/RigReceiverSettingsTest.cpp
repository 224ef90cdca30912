// The rest of the rigctld set: AGC, preamplifier, attenuator, noise
// reduction, the transmit meters, the toggled and tone-mode switches, the
// CTCSS tone, the memory channel, the rig-info block, and what answers
// "not available".
#include "RigFixture.h"

#include "rigserver/RigCapabilities.h"

namespace qx::rig::test {
namespace {

TEST_F(RigTest, AgcPreampAttenuatorAndNoiseReductionInHamlibsUnits)
{
    // The radio's AGC codes: off, fast, mid, slow, then automatic ones.
    const std::pair<int, const char*> agc[] = {{0, "0\n"}, {1, "2\n"}, {2, "5\n"}, {3, "3\n"}, {6, "6\n"}};
    for (const auto& [code, hamlib] : agc) {
        radio.set(R::GT0, code);
        EXPECT_EQ(ask("l AGC"), hamlib) << code;
    }
    radio.set(R::PA, 1);
    radio.set(R::RA, 0);
    radio.set(R::RL, 6);
    EXPECT_EQ(ask("l PREAMP l ATT l NR"), "10\n0\n0.500000\n");

    EXPECT_EQ(ask("L AGC 6 L AGC 2 L AGC 3 L AGC 4 L PREAMP 0 L ATT 12 L NR 1 L NR 1.5"),
              "RPRT 0\nRPRT 0\nRPRT 0\nRPRT -1\nRPRT 0\nRPRT 0\nRPRT 0\nRPRT -1\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_GT_SET, 0, 1},
                                                {UM_REQ_GT_SET, 0, 2},
                                                {UM_REQ_GT_SET, 0, 4},
                                                {UM_REQ_PA_SET, 0, 0},
                                                {UM_REQ_RA_SET, 0, 3},
                                                {UM_REQ_RL_SET, 0, 11}}));
    // A read right after the set gives the new value.
    EXPECT_EQ(ask("l AGC l PREAMP l ATT l NR"), "3\n0\n12\n1.000000\n");
}

TEST_F(RigTest, TransmitMetersAreReadWhileTheRadiosMeterShowsThem)
{
    radio.set(R::MS, 1);
    radio.set(R::RM1, 51);
    EXPECT_EQ(ask("l ALC"), "0.000000\n");  // receiving: the meter rests
    radio.set(R::TX, 1);
    EXPECT_EQ(ask("l ALC l SWR"), "0.200000\nRPRT -11\n");
    radio.set(R::MS, 3);
    EXPECT_EQ(ask("l SWR l ALC"), "1.800000\nRPRT -11\n");
    EXPECT_EQ(ask("L SWR 1 L ALC 0"), "RPRT -1\nRPRT -1\n");
    EXPECT_TRUE(writer.take().empty());
}

TEST_F(RigTest, ToggledSwitchesAreSentOnlyWhenTheyDiffer)
{
    command.set(CommandState::Int::NR, 1);
    EXPECT_EQ(ask("U NR 1 U NR 0 U VOX 1 U ANF 1"), "RPRT 0\nRPRT 0\nRPRT 0\nRPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_NR_TOGGLE, 0, 0},
                                                {UM_REQ_VX_TOGGLE, 0, 0},
                                                {UM_REQ_NA_TOGGLE, 0, 0}}));
    EXPECT_EQ(ask("u NR u VOX u ANF"), "0\n1\n1\n");
    // The automatic notch and the tones go with the client's VFO.
    EXPECT_EQ(ask("V VFOB U ANF 1"), "RPRT 0\nRPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_NA_TOGGLE, 1, 0}}));
}

TEST_F(RigTest, ToneAndToneSquelchAreOneToneModeAndTheToneIsTheRadiosList)
{
    EXPECT_EQ(ask("U TONE 1 u TONE u TSQL"), "RPRT 0\n1\n0\n");
    // Switching off the mode that is not on leaves the radio alone.
    EXPECT_EQ(ask("U TSQL 0 U TSQL 1 u TONE U TONE 0"), "RPRT 0\nRPRT 0\n0\nRPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_CT_1, 0, 0}, {UM_REQ_CT_2, 0, 0}}));
    radio.set(R::CN0, 8);
    EXPECT_EQ(ask("c C 1000 c C 1001 C 0"), "885\nRPRT 0\n1000\nRPRT -1\nRPRT -1\n");
    EXPECT_EQ(ask("V VFOB C 2541"), "RPRT 0\nRPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_CN_SET, 0, 12}, {UM_REQ_CN_SET, 1, 49}}));
}

TEST_F(RigTest, MemoryChannelRigInfoAndWhatTheRadioCannotDo)
{
    radio.set(R::MC, 123);
    radio.set(R::FA, 14074000);
    radio.set(R::FB, 7074000);
    radio.set(R::MD0, 2);
    radio.set(R::MD1, 3);
    radio.set(R::FT, 1);
    EXPECT_EQ(ask("e E 504 e E 0 E 505 E x"), "123\nRPRT 0\n504\nRPRT -1\nRPRT -1\nRPRT -1\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_MC_SELECT, 0, 504}}));
    const std::string info = ask("\\get_rig_info");
    EXPECT_TRUE(info.starts_with("VFO=VFOA Freq=14074000 Mode=USB Width=2400 RX=1 TX=0\n"
                                 "VFO=VFOB Freq=7074000 Mode=CW Width=500 RX=0 TX=1\n"
                                 "Split=1 SatMode=0\n"))
        << info;
    EXPECT_NE(info.find("\nCRC=0x"), std::string::npos) << info;
    EXPECT_EQ(ask("\\get_clock \\set_clock 2026-01-01T00:00:00 G MCL"), "RPRT -11\nRPRT -11\nRPRT -11\n");
    EXPECT_TRUE(writer.take().empty());
    const std::string state = dumpState();
    EXPECT_NE(state.find("\ntimeout=1000\n"), std::string::npos);
    EXPECT_NE(state.find("\n10 \n12 \n"), std::string::npos);
}

TEST_F(RigTest, VfoModeIsWhatTheServerSetsForNewClients)
{
    shared.vfoMode = true;
    RigSession later{8, view, writer, shared};
    EXPECT_EQ(later.answer("\\chk_vfo"), "1\n");
    EXPECT_EQ(ask("\\chk_vfo"), "0\n");
}

} // namespace
} // namespace qx::rig::test
