#include "tests/unit/rigserver/RigFixture.h"
#include "web/WebCommands.h"

#include <QJsonObject>

namespace qx::web {
namespace {

using rig::test::Sent;

class WebCommandsTest : public rig::test::RigTest {
protected:
    QString run(const QJsonObject& c) { return runRadioCommand(c, writer, view); }
};

// The page's typed frequency is read by the VFO SET rule, and a refusal
// comes back with its reason for the page to show.
TEST_F(WebCommandsTest, ATypedFrequencyIsReadByTheVfoSetRuleAndARefusalSaysWhy)
{
    for (const char* text : {"14.25", " 14,25 ", "14250000", "14250 kHz", "14.25MHz"})
        EXPECT_TRUE(run({{"t", "freq"}, {"text", text}}).isEmpty()) << text;
    EXPECT_TRUE(run({{"t", "freq"}, {"text", "7074.5"}}).isEmpty());  // 100 or more with a point: kHz
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_FA_SET, 0, 14250000},
                                                {UM_REQ_FA_SET, 0, 14250000},
                                                {UM_REQ_FA_SET, 0, 14250000},
                                                {UM_REQ_FA_SET, 0, 14250000},
                                                {UM_REQ_FA_SET, 0, 14250000},
                                                {UM_REQ_FA_SET, 0, 7074500}}));

    // Digits alone are hertz: "61" is 61 Hz, not 61 MHz.
    EXPECT_TRUE(run({{"t", "freq"}, {"text", "61"}}).contains("below the radio's lowest frequency"));
    EXPECT_TRUE(run({{"t", "freq"}, {"text", "61.5"}}).contains("above the radio's highest frequency"));
    EXPECT_TRUE(run({{"t", "freq"}, {"text", "14.2500001"}}).contains("finer than 1 Hz"));
    EXPECT_TRUE(run({{"t", "freq"}, {"text", "14.250.000"}}).contains("14.250.000"));
    EXPECT_TRUE(run({{"t", "freq"}, {"text", "  "}}).contains("Digits alone are Hz"));
    EXPECT_TRUE(writer.take().empty());
}

TEST_F(WebCommandsTest, AFrequencyGoesToTheVfoInUse)
{
    EXPECT_TRUE(run({{"t", "freq"}, {"text", "14.074"}}).isEmpty());
    radio.set(R::VS, 1);
    EXPECT_TRUE(run({{"t", "freq"}, {"hz", 7100000}}).isEmpty());
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_FA_SET, 0, 14074000}, {UM_REQ_FB_SET, 0, 7100000}}));
    EXPECT_FALSE(run({{"t", "freq"}, {"hz", 70000000}}).isEmpty());
    EXPECT_FALSE(run({{"t", "freq"}, {"hz", "14000000"}}).isEmpty());
    EXPECT_FALSE(run({{"t", "freq"}, {"text", "fourteen"}}).isEmpty());
    EXPECT_TRUE(writer.take().empty());
}

TEST_F(WebCommandsTest, AStepMovesFromWhatTheRadioReportsAndStaysInRange)
{
    radio.set(R::FA, 14250000);
    EXPECT_TRUE(run({{"t", "step"}, {"hz", -100}}).isEmpty());
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_FA_SET, 0, 14249900}}));
    radio.set(R::FA, 59999990);
    now += rig::RigStateView::kExpectFor;
    EXPECT_FALSE(run({{"t", "step"}, {"hz", 100}}).isEmpty());
    EXPECT_TRUE(writer.take().empty());
}

TEST_F(WebCommandsTest, KeysBecomeThePanelsRequests)
{
    EXPECT_TRUE(run({{"t", "band"}, {"b", 4}}).isEmpty());
    EXPECT_TRUE(run({{"t", "mode"}, {"m", 3}}).isEmpty());
    EXPECT_TRUE(run({{"t", "vfo"}, {"v", 1}}).isEmpty());
    EXPECT_TRUE(run({{"t", "att"}, {"on", true}}).isEmpty());
    EXPECT_TRUE(run({{"t", "ipo"}, {"on", true}}).isEmpty());
    EXPECT_TRUE(run({{"t", "af"}, {"v", 128}}).isEmpty());
    EXPECT_TRUE(run({{"t", "agc"}, {"v", 4}}).isEmpty());
    EXPECT_TRUE(run({{"t", "kmem"}, {"n", 2}}).isEmpty());
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_BS_05, 0, 0},
                                                {UM_REQ_MD_MODE_3, 0, 0},
                                                {UM_REQ_VS_1, 0, 0},
                                                {UM_REQ_RA_SET, 0, 3},
                                                {UM_REQ_PA_SET, 0, 0},
                                                {UM_REQ_AG_SET_0, 0, 128},
                                                {UM_REQ_GT_SET, 0, 4},
                                                {UM_REQ_KY_7, 0, 0}}));
    for (const QJsonObject& bad : {QJsonObject{{"t", "band"}, {"b", 11}}, QJsonObject{{"t", "mode"}, {"m", 0}},
                                   QJsonObject{{"t", "af"}, {"v", 256}}, QJsonObject{{"t", "af"}, {"v", 1.5}},
                                   QJsonObject{{"t", "agc"}, {"v", 3}}, QJsonObject{{"t", "kmem"}, {"n", 4}},
                                   QJsonObject{{"t", "format-disk"}}, QJsonObject{}})
        EXPECT_FALSE(run(bad).isEmpty());
    EXPECT_TRUE(writer.take().empty());
}

TEST_F(WebCommandsTest, AKeyerTextCannotSmuggleACommandIn)
{
    EXPECT_TRUE(run({{"t", "cw"}, {"text", "cq de k1abc"}}).isEmpty());
    EXPECT_EQ(writer.takeTexts(), std::vector<std::string>{"KM5CQ DE K1ABC;"});
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_KY_A, 0, 0}}));
    EXPECT_FALSE(run({{"t", "cw"}, {"text", "CQ;TX1"}}).isEmpty());
    EXPECT_FALSE(run({{"t", "cw"}, {"text", QString(41, 'E')}}).isEmpty());
    EXPECT_TRUE(writer.takeTexts().empty());
}

} // namespace
} // namespace qx::web
