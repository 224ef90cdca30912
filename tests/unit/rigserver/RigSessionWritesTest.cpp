// Changes leave as the program's requests, answered "RPRT 0" once posted,
// and read back at once until the radio reports them.
#include "RigFixture.h"

#include "rigserver/RigCapabilities.h"

namespace qx::rig::test {
namespace {

TEST_F(RigTest, FrequencyGoesToTheVfoItNamesWithinTheRadiosRange)
{
    EXPECT_EQ(ask("F 14074000.6"), "RPRT 0\n");
    radio.set(R::VS, 1);
    EXPECT_EQ(ask("F 7074000 I 7076000"), "RPRT 0\nRPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_FA_SET, 0, 14074001},
                                                {UM_REQ_FB_SET, 0, 7074000},
                                                {UM_REQ_FA_SET, 0, 7076000}}));
    EXPECT_EQ(ask("F 29999 F 60000001 F nan F inf"), "RPRT -1\nRPRT -1\nRPRT -1\nRPRT -1\n");
    EXPECT_EQ(ask("F 30000 F 60000000"), "RPRT 0\nRPRT 0\n");
    EXPECT_EQ(writer.take().size(), 2u);
}

TEST_F(RigTest, AReadAfterASetGivesTheNewValueUntilTheRadioAnswers)
{
    radio.set(R::FA, 14250000);
    ask("F 14074000");
    EXPECT_EQ(ask("f"), "14074000\n");
    // Any report from the radio ends the wait, read or not in between: a
    // dial step right after its report is seen at once.
    radio.set(R::FA, 14074000);
    radio.set(R::FA, 14074010);
    EXPECT_EQ(ask("f"), "14074010\n");
    // So is a radio that carried out something else than was asked.
    ask("F 7074003");
    radio.set(R::FA, 7074000);
    EXPECT_EQ(ask("f"), "7074000\n");
    // A request the radio never carried out gives way to what it reports.
    ask("T 1");
    EXPECT_EQ(ask("t"), "1\n");
    now += RigStateView::kExpectFor;
    EXPECT_EQ(ask("t"), "0\n");
}

TEST_F(RigTest, ModesAndTheDataFlavourGoTheWayThePanelSendsThem)
{
    radio.set(R::MD0, 2);
    setDataType(kDataTypeRtty);
    EXPECT_EQ(ask("M LSB 0 M CWR -1 M PKTUSB 2400"), "RPRT 0\nRPRT 0\nRPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_MD_MODE_1, 0, 0},
                                                {UM_REQ_MD_MODE_7, 0, 0},
                                                {UM_REQ_MD_MODE_6, 0, 0}}));
    EXPECT_EQ(writer.takeMenuSets(), (std::vector<Sent>{{static_cast<std::uint32_t>(MenuKind::DataType), 0, kDataTypeUserUpper}}));
    // The data type already right is not written again.
    setDataType(kDataTypeUserUpper);
    ask("M PKTUSB 0");
    EXPECT_TRUE(writer.takeMenuSets().empty());
    writer.take();
    // The transmit VFO's mode (split) has a request of its own; with split
    // off the transmit VFO is the receive VFO and goes the panel's way.
    EXPECT_EQ(ask("X CW 500"), "RPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_MD_MODE_3, 0, 0}}));
    radio.set(R::FT, 1);
    EXPECT_EQ(ask("X AM 6000"), "RPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_MD_SET, 1, 5}}));
    EXPECT_EQ(ask("x"), "AM\n6000\n");
    EXPECT_EQ(ask("M WFM 0 M USB wide"), "RPRT -1\nRPRT -1\n");
    // A locked mode is left alone, as Hamlib's server does.
    ask("\\set_lock_mode 1");
    EXPECT_EQ(ask("M USB 0"), "RPRT 0\n");
    EXPECT_TRUE(writer.take().empty());
}

TEST_F(RigTest, VfoSplitAndClarifier)
{
    EXPECT_EQ(ask("V VFOB V Main V XYZ V currVFO V VFOA"), "RPRT 0\nRPRT 0\nRPRT -1\nRPRT 0\nRPRT 0\n");
    // Selecting a VFO never moves the radio's.
    EXPECT_TRUE(writer.take().empty());
    // Split transmits on the VFO that does not receive, whichever is named.
    EXPECT_EQ(ask("S 1 VFOB S 1 VFOA S 0 VFOA S 2 VFOB"), "RPRT 0\nRPRT 0\nRPRT 0\nRPRT -1\n");
    EXPECT_EQ(writer.take(),
              (std::vector<Sent>{{UM_REQ_QS_FT, 0, 1}, {UM_REQ_QS_FT, 0, 1}, {UM_REQ_QS_FT, 0, 0}}));
    EXPECT_EQ(ask("J -250 J 0 J 10000 J -9223372036854775808"), "RPRT 0\nRPRT 0\nRPRT -1\nRPRT -1\n");
    EXPECT_EQ(writer.take(),
              (std::vector<Sent>{{UM_REQ_RC, 0, 0}, {UM_REQ_RU_RD, 0, -250}, {UM_REQ_RC, 0, 0}}));
    EXPECT_EQ(ask("j"), "0\n");
}

TEST_F(RigTest, TransmitterIsKeyedAndReleasedByExplicitSets)
{
    // A second "on" stays on: these are sets, not the panel's toggle.
    EXPECT_EQ(ask("T 1 T 3 T 0 T 4 T x"), "RPRT 0\nRPRT 0\nRPRT 0\nRPRT -1\nRPRT -1\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_TX_ONOFF, 0, 1},
                                                {UM_REQ_TX_ONOFF, 0, 1},
                                                {UM_REQ_TX_ONOFF, 0, 0}}));
    ask("T 1");
    EXPECT_EQ(shared.ptt.holder(), 7);
}

TEST_F(RigTest, LevelsAndSwitchesInHamlibUnits)
{
    EXPECT_EQ(ask("L RFPOWER 0.5 L RFPOWER 0.01 L AF 1 L SQL 0.5 L KEYSPD 25"), "RPRT 0\nRPRT 0\nRPRT 0\nRPRT 0\nRPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_PC_SET, 0, 50},
                                                {UM_REQ_PC_SET, 0, 5},
                                                {UM_REQ_AG_SET_0, 0, 255},
                                                {UM_REQ_SQ_SET_0, 0, 128},
                                                {UM_REQ_KS_SET, 0, 25}}));
    EXPECT_EQ(ask("l AF l KEYSPD"), "1.000000\n25\n");
    EXPECT_EQ(ask("L AF 1.5 L AF -0.1 L KEYSPD 61 L KEYSPD 1e300 L STRENGTH 0 L AF x"),
              "RPRT -1\nRPRT -1\nRPRT -1\nRPRT -1\nRPRT -1\nRPRT -1\n");
    EXPECT_EQ(ask("U NB 1 U LOCK 7 U RIT 0 U COMP 1 U TUNER 1 U WARP 1"), "RPRT 0\nRPRT 0\nRPRT 0\nRPRT 0\nRPRT -11\nRPRT -1\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_NB_SET, 0, 1},
                                                {UM_REQ_LK_ONOFF, 0, 1},
                                                {UM_REQ_RT_ONOFF, 0, 0},
                                                {UM_REQ_PR_SET, 0, 1}}));
    EXPECT_EQ(ask("u NB u LOCK"), "1\n1\n");
}

TEST_F(RigTest, MorseGoesThroughAKeyerMemoryTheCwWindowDoesNotUse)
{
    EXPECT_EQ(ask("b cq test de x1abc"), "RPRT 0\n");
    EXPECT_EQ(writer.takeTexts(), (std::vector<std::string>{"KM5CQ TEST DE X1ABC;"}));
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_KY_A, 0, 0}}));
    // A ";" would end the command early; the rest would reach the radio as one of its own.
    EXPECT_EQ(ask("b CQ;PS0"), "RPRT -1\n");
    EXPECT_EQ(ask("b " + std::string(41, 'E')), "RPRT -1\n");
    EXPECT_TRUE(writer.takeTexts().empty());
    EXPECT_EQ(ask("\\stop_morse"), "RPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_KY_0, 0, 0}}));
}

TEST_F(RigTest, PowerIsSwitchedOnlyWhenItDiffers)
{
    command.set(CommandState::Int::PS, 1);
    EXPECT_EQ(ask("\\set_powerstat 1 \\set_powerstat 9"), "RPRT 0\nRPRT -1\n");
    EXPECT_TRUE(writer.take().empty());
    EXPECT_EQ(ask("\\set_powerstat 0"), "RPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_POWER_TOGGLE, 0, 0}}));
}

TEST_F(RigTest, VfoModeTakesTheVfoAsFirstArgument)
{
    radio.set(R::FB, 7074000);
    EXPECT_EQ(ask("\\set_vfo_opt 1 \\chk_vfo"), "RPRT 0\n1\n");
    EXPECT_EQ(ask("f VFOB F VFOB 7075000 f VFOC"), "7074000\nRPRT 0\nRPRT -1\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_FB_SET, 0, 7075000}}));
}

} // namespace
} // namespace qx::rig::test

namespace qx::rig::test {
namespace {

// What Hamlib's client does on every connect ("V VFOB", "f", "V VFOA") costs
// nothing on the line, and each connection keeps its own VFO for its reads
// and sets while the radio stays on its operating VFO.
TEST_F(RigTest, EachConnectionSelectsItsOwnVfoWithoutMovingTheRadios)
{
    radio.set(R::FA, 14074000);
    radio.set(R::FB, 7074000);
    radio.set(R::MD0, 2);
    radio.set(R::MD1, 3);
    RigSession other{8, view, writer, shared};
    EXPECT_EQ(ask("V VFOB f V VFOA f"), "RPRT 0\n7074000\nRPRT 0\n14074000\n");
    EXPECT_EQ(ask("V VFOB v m"), "RPRT 0\nVFOB\nCW\n500\n");
    EXPECT_TRUE(writer.take().empty());
    // The other connection selected nothing: it works on the operating VFO.
    EXPECT_EQ(other.answer("v f"), "VFOA\n14074000\n");
    // Sets go to the connection's VFO by its own command.
    EXPECT_EQ(ask("F 7075000 M USB 0"), "RPRT 0\nRPRT 0\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_FB_SET, 0, 7075000}, {UM_REQ_MD_SET, 1, 2}}));
    EXPECT_EQ(other.answer("F 14075000 f"), "RPRT 0\n14075000\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_FA_SET, 0, 14075000}}));
    EXPECT_EQ(ask("f"), "7075000\n");
    // The radio moved to B on its own: a connection that ended its probe on
    // the operating VFO follows it; one that names A while B operates reads A.
    RigSession probed{9, view, writer, shared};
    EXPECT_EQ(probed.answer("v f V VFOB f V VFOA"), "VFOA\n14075000\nRPRT 0\n7075000\nRPRT 0\n");
    radio.set(R::VS, 1);
    EXPECT_EQ(other.answer("v f"), "VFOB\n7075000\n");
    EXPECT_EQ(probed.answer("v f"), "VFOB\n7075000\n");
    EXPECT_EQ(ask("V VFOA f v"), "RPRT 0\n14075000\nVFOA\n");
    EXPECT_TRUE(writer.take().empty());
}

TEST_F(RigTest, OnlyTheToggleMovesTheOperatingVfo)
{
    radio.set(R::FA, 14074000);
    radio.set(R::FB, 7074000);
    EXPECT_EQ(ask("G TOGGLE v f"), "RPRT 0\nVFOB\n7074000\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_VS_1, 0, 0}}));
    radio.set(R::VS, 1);
    EXPECT_EQ(ask("G TOGGLE v"), "RPRT 0\nVFOA\n");
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_VS_0, 0, 0}}));
    EXPECT_EQ(ask("G MCL G SIDEWAYS G ?"), "RPRT -11\nRPRT -1\nCPY XCHG FROM_VFO TO_VFO TOGGLE \nRPRT 0\n");
    EXPECT_TRUE(writer.take().empty());
    EXPECT_NE(dumpState().find("vfo_ops=0x100f\n"), std::string::npos);
}

} // namespace
} // namespace qx::rig::test
