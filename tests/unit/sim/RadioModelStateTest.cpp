#include "sim/RadioModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace qx::sim {
namespace {

using Texts = RadioModel::Texts;
using std::chrono::milliseconds;

std::string only(const Texts& texts)
{
    return texts.size() == 1 ? texts.front() : "<" + std::to_string(texts.size()) + " answers>";
}

bool contains(const Texts& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(RadioModelState, ValueSetIsReadBack)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"FA07012340;", "FA;", "FA07012340;"}, {"FB50100000;", "FB;", "FB50100000;"},
        {"NA11;", "NA1;", "NA11;"},            {"BP01321;", "BP01;", "BP01321;"},
        {"CO00-2;", "CO00;", "CO00-2;"},       {"IS0-0350;", "IS0;", "IS0-0350;"},
        {"AC002;", "AC;", "AC002;"},           {"DA0200;", "DA;", "DA0200;"},
        {"AX11;", "AX;", "AX11;"},             {"SS012345;", "SS0;", "SS012345;"},
        {"PC050;", "PC;", "PC050;"},           {"LM10;", "LM1;", "LM10;"},
        {"MC504;", "MC;", "MC504;"},           {"EX02130;", "EX021;", "EX02130;"},
        {"EX025-030;", "EX025;", "EX025-030;"}, {"EX06510000000001;", "EX065;", "EX06510000000001;"},
    };
    for (const auto& [set, read, expected] : cases) {
        RadioModel radio;
        EXPECT_TRUE(radio.handle(set).empty()) << set;
        EXPECT_EQ(only(radio.handle(read)), expected) << set;
    }
}

TEST(RadioModelState, DialStepsMoveTheSelectedVfo)
{
    RadioModel radio;
    radio.handle("EU005;");
    EXPECT_EQ(radio.frequency(0), 14250050);  // 10 Hz dial step
    radio.handle("ED102;");
    EXPECT_EQ(radio.frequency(0), 14249850);
    radio.handle("VS1;");
    radio.handle("EU201;");
    EXPECT_EQ(radio.frequency(1), 7051000);
    EXPECT_EQ(radio.frequency(0), 14249850);
    radio.handle("MD05;");  // AM tunes in 100 Hz steps
    radio.turnDial(-3);
    EXPECT_EQ(radio.frequency(1), 7050700);
    EXPECT_EQ(only(radio.handle("EU000;")), "?;");
}

TEST(RadioModelState, FrequencyStaysInsideTheTunableRange)
{
    RadioModel radio;
    radio.handle("FA00030010;");
    radio.handle("ED299;");
    EXPECT_EQ(radio.frequency(0), 30000);
}

TEST(RadioModelState, BandKeysStepThroughTheBandsAndWrap)
{
    RadioModel radio;
    radio.handle("BU0;");
    EXPECT_EQ(only(radio.handle("BS;")), "BS06;");
    EXPECT_EQ(radio.frequency(0), 18100000);
    radio.handle("BS00;");
    radio.handle("BD0;");
    EXPECT_EQ(only(radio.handle("BS;")), "BS11;");
    radio.handle("BU0;");
    EXPECT_EQ(only(radio.handle("BS;")), "BS00;");
    EXPECT_EQ(radio.mode(0), 1);
    radio.handle("BD0;");
    radio.handle("BD0;");
    EXPECT_EQ(only(radio.handle("BS;")), "BS10;");
}

TEST(RadioModelState, VfoCopyAndSwap)
{
    RadioModel radio;
    radio.handle("SV;");
    EXPECT_EQ(radio.frequency(0), 7050000);
    EXPECT_EQ(radio.frequency(1), 14250000);
    EXPECT_EQ(radio.mode(0), 1);
    radio.handle("AB;");
    EXPECT_EQ(radio.frequency(1), 7050000);
    radio.handle("FB21000000;");
    radio.handle("VV;");
    EXPECT_EQ(radio.frequency(0), 21000000);
}

TEST(RadioModelState, ClarifierMovesWithinItsLimitsAndClears)
{
    RadioModel radio;
    radio.handle("RU9000;");
    radio.handle("RU2000;");
    EXPECT_EQ(radio.clarifier(), 9999);
    radio.handle("RD9999;");
    radio.handle("RD0100;");
    EXPECT_EQ(radio.clarifier(), -100);
    radio.handle("RC;");
    EXPECT_EQ(radio.clarifier(), 0);
}

TEST(RadioModelState, OffAnswersOnlyPowerReadsUntilBooted)
{
    RadioModel radio(RadioConfig{.bootDelay = milliseconds(500)});
    EXPECT_TRUE(radio.handle("PS0;").empty());
    for (const char* ignored : {"FA;", "ZZ;", "garbage", "AI1;", "FA07000000;", "PS0;"})
        EXPECT_TRUE(radio.handle(ignored).empty()) << ignored;
    EXPECT_EQ(only(radio.handle("PS;")), "PS0;");
    EXPECT_TRUE(radio.handle("PS1;").empty());
    EXPECT_EQ(radio.powerState(), RadioModel::Power::Booting);
    radio.tick(milliseconds(400));
    EXPECT_EQ(only(radio.handle("PS;")), "PS0;");
    EXPECT_TRUE(radio.handle("FA;").empty());
    radio.tick(milliseconds(100));
    EXPECT_EQ(only(radio.handle("PS;")), "PS1;");
    EXPECT_EQ(only(radio.handle("FA;")), "FA14250000;");
}

TEST(RadioModelState, PowerCycleSwitchesAutoInformationAndTransmitOff)
{
    RadioModel radio(RadioConfig{.bootDelay = milliseconds(0)});
    radio.handle("AI1;");
    radio.handle("TX1;");
    radio.handle("PS0;");
    radio.handle("PS1;");
    EXPECT_EQ(only(radio.handle("AI;")), "AI0;");
    EXPECT_EQ(only(radio.handle("TX;")), "TX0;");
}

// Before, the MODE keys' commands were taken and did nothing.
TEST(RadioModelState, ModeKeysStepThroughTheGroupsThatMyModeLeavesOn)
{
    RadioModel radio;
    radio.handle("MD01;");
    radio.handle("AI1;");
    std::string visited;
    for (int i = 0; i < 6; ++i)
        visited += only(radio.handle("MK8;"));
    EXPECT_EQ(visited, "MD02;MD03;MD05;MD04;MD06;MD01;");
    EXPECT_EQ(only(radio.handle("MK7;")), "MD06;");
    EXPECT_EQ(only(radio.handle("MK7;")), "MD04;");

    radio.handle("MD07;"); // CW-R is in the CW group; FM-N in FM's
    EXPECT_EQ(only(radio.handle("MK8;")), "MD05;");
    radio.handle("MD0B;");
    EXPECT_EQ(only(radio.handle("MK8;")), "MD06;");

    // Only LSB and DATA left on: the keys pass over the rest, on VFO B as well.
    radio.handle("EX066100001;");
    radio.handle("VS1;");
    radio.handle("MD02;");
    EXPECT_EQ(only(radio.handle("MK8;")), "MD06;");
    EXPECT_EQ(radio.mode(1), 6);
    EXPECT_EQ(only(radio.handle("MK8;")), "MD01;");
    EXPECT_EQ(radio.mode(0), 6) << "VFO A keeps its mode";
    radio.handle("EX066000000;"); // none on: the mode stays
    radio.handle("MK7;");
    EXPECT_EQ(radio.mode(1), 1);
}

TEST(RadioModelAutoInformation, ChangesAreReportedOnlyWhileOn)
{
    RadioModel radio;
    EXPECT_TRUE(radio.handle("EU001;").empty());
    EXPECT_TRUE(radio.turnDial(1).empty());
    EXPECT_TRUE(radio.handle("AI1;").empty());
    EXPECT_EQ(only(radio.handle("AI;")), "AI1;");
    EXPECT_EQ(only(radio.handle("EU001;")), "FA14250030;");
    EXPECT_EQ(only(radio.turnDial(2)), "FA14250050;");
    EXPECT_EQ(only(radio.setMode(3)), "MD03;");
    EXPECT_EQ(only(radio.handle("NA01;")), "NA01;");
    EXPECT_EQ(only(radio.handle("NA01;")), "NA01;");  // repeated: still confirmed
    EXPECT_EQ(only(radio.handle("EX02130;")), "EX02130;");
    EXPECT_EQ(only(radio.key(true)), "TX1;");
    radio.handle("AI0;");
    EXPECT_TRUE(radio.handle("EU001;").empty());
}

TEST(RadioModelAutoInformation, BandChangeReportsFrequencyModeAndBand)
{
    RadioModel radio;
    radio.handle("AI1;");
    const Texts out = radio.handle("BS03;");
    EXPECT_TRUE(contains(out, "FA07050000;"));
    EXPECT_TRUE(contains(out, "MD01;"));
    EXPECT_TRUE(contains(out, "BS03;"));
    EXPECT_EQ(out.size(), 3u);
}

TEST(RadioModelAutoInformation, TuningIntoAnotherBandAlsoReportsTheBand)
{
    RadioModel radio;
    radio.handle("AI1;");
    const Texts out = radio.handle("FA07050000;");
    EXPECT_TRUE(contains(out, "FA07050000;"));
    EXPECT_TRUE(contains(out, "BS03;"));
    EXPECT_EQ(out.size(), 2u);
    // Within the band the frequency alone.
    EXPECT_EQ(only(radio.handle("FA07060000;")), "FA07060000;");
}

TEST(RadioModelAutoInformation, VfoSelectReportsStatusBeforeTheSelection)
{
    RadioModel radio;
    radio.handle("AI1;");
    const Texts out = radio.handle("VS1;");
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out.front().substr(0, 2), "IF");
    EXPECT_EQ(out.front().substr(5, 8), "07050000");
    EXPECT_TRUE(contains(out, "VS1;"));
    const Texts clar = radio.handle("RU0010;");
    ASSERT_EQ(clar.size(), 1u);
    EXPECT_EQ(clar.front().substr(13, 5), "+0010");
}

TEST(RadioModelAutoInformation, MetersAreReportedWhileTheyChange)
{
    RadioModel quiet(RadioConfig{.seed = 3});
    EXPECT_TRUE(quiet.tick(milliseconds(1000)).empty());

    RadioModel radio(RadioConfig{.seed = 3});
    radio.handle("AI1;");
    Texts rx;
    for (int i = 0; i < 10; ++i) {
        for (auto& t : radio.tick(milliseconds(200)))
            rx.push_back(t);
    }
    ASSERT_FALSE(rx.empty());
    for (const auto& t : rx)
        EXPECT_EQ(t.substr(0, 3), "RM0") << t;

    radio.handle("MS2;");
    radio.key(true);
    Texts tx;
    for (int i = 0; i < 5; ++i) {
        for (auto& t : radio.tick(milliseconds(200)))
            tx.push_back(t);
    }
    EXPECT_TRUE(std::any_of(tx.begin(), tx.end(), [](const std::string& t) { return t.rfind("RM3", 0) == 0; }));
    for (const auto& t : tx)
        EXPECT_TRUE(t.rfind("RM3", 0) == 0 || t == "RM0000;") << t;
}

TEST(RadioModelAutoInformation, SameSeedGivesTheSameMeterRun)
{
    RadioModel a(RadioConfig{.seed = 9});
    RadioModel b(RadioConfig{.seed = 9});
    a.handle("AI1;");
    b.handle("AI1;");
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(a.tick(milliseconds(200)), b.tick(milliseconds(200)));
}

TEST(RadioModelState, CatRateItemSetsTheLineSpeed)
{
    RadioModel radio;
    EXPECT_EQ(radio.lineRate(), 4800);
    radio.handle("EX0104;");
    EXPECT_EQ(radio.lineRate(), 38400);
    EXPECT_EQ(only(radio.handle("EX0105;")), "?;");
    EXPECT_EQ(radio.lineRate(), 38400);
}

TEST(RadioModelState, MemoryRecallLoadsVfoA)
{
    RadioModel radio;
    ASSERT_TRUE(radio.handle("MW007" "21074000" "+0000" "00" "3" "0" "0" "00" "0" ";").empty());
    radio.handle("MC007;");
    radio.handle("MA;");
    EXPECT_EQ(radio.frequency(0), 21074000);
    EXPECT_EQ(radio.mode(0), 3);
    radio.handle("MC008;");
    EXPECT_EQ(only(radio.handle("MA;")), "?;");
}

} // namespace
} // namespace qx::sim

namespace qx::sim {
namespace {

TEST(RadioModelOperator, ChangesMadeOnTheRadioAreReportedOnlyWithAutoInformation)
{
    RadioModel radio;
    ASSERT_TRUE(radio.operate("EX02130;"));
    EXPECT_TRUE(radio.operate("EX02130;")->empty());
    EXPECT_EQ(radio.handle("EX021;"), (RadioModel::Texts{"EX02130;"}));
    radio.handle("AI1;");
    EXPECT_EQ(radio.operate("KM2HELLO;"), (RadioModel::Texts{"KM2HELLO" + std::string(45, ' ') + ";"}));
    EXPECT_EQ(radio.operate("MW01714250000+000000200080;"), RadioModel::Texts{});
    EXPECT_EQ(radio.handle("MR017;"), (RadioModel::Texts{"MR01714250000+000000200080;"}));
    // Reads and what the radio cannot hold are not changes.
    EXPECT_FALSE(radio.operate("EX021;"));
    EXPECT_FALSE(radio.operate("FA;"));
    EXPECT_FALSE(radio.operate("EX0019;"));
}

TEST(RadioModelOperator, ARefusedSettingAnswersQuestionMarkButStillReads)
{
    RadioModel radio;
    radio.refuseSets("EX013");
    EXPECT_EQ(radio.handle("EX01310;"), (RadioModel::Texts{"?;"}));
    EXPECT_EQ(radio.handle("EX013;"), (RadioModel::Texts{"EX01324;"}));
    EXPECT_EQ(radio.handle("EX0141;").size(), 0u); // other slots as before
    // The radio's own keys are not refused.
    ASSERT_TRUE(radio.operate("EX01310;"));
    EXPECT_EQ(radio.handle("EX013;"), (RadioModel::Texts{"EX01310;"}));
}

} // namespace
} // namespace qx::sim
