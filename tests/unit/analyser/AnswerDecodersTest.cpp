#include "tests/unit/analyser/AnalyserWorld.h"

#include "menu/MenuKind.h"

#include <memory>
#include <string>

namespace qx::test {
namespace {

struct StoreCase {
    const char* text;
    bool result;
    RInt entry;
    int value;
};
void PrintTo(const StoreCase& c, std::ostream* os) { *os << c.text; }

class StoresFields : public AnalyserWorld, public ::testing::WithParamInterface<StoreCase> {};

TEST_P(StoresFields, IntoTheRadioState)
{
    EXPECT_EQ(decode(GetParam().text), GetParam().result);
    EXPECT_EQ(radio.get(GetParam().entry), GetParam().value);
}

// Well-formed is true whether or not the value was in range; malformed is
// false and changes nothing.
INSTANTIATE_TEST_SUITE_P(
    Answers, StoresFields,
    ::testing::Values(
        StoreCase{"FA14250000", true, RInt::FA, 14250000}, StoreCase{"FA00029999", true, RInt::FA, 7000000},
        StoreCase{"FA1425000X", false, RInt::FA, 7000000}, StoreCase{"MD0C", true, RInt::MD0, 12},
        StoreCase{"MD0D", true, RInt::MD0, 1}, StoreCase{"MD0G", false, RInt::MD0, 1},
        StoreCase{"MD1b", true, RInt::MD1, 11}, StoreCase{"AC002", true, RInt::AC, 2},
        StoreCase{"GT13", true, RInt::GT1, 3}, StoreCase{"GT23", false, RInt::GT0, 4},
        StoreCase{"CN112", true, RInt::CN1, 12}, StoreCase{"IS0-0250", true, RInt::IS, -250},
        StoreCase{"IS0*0250", false, RInt::IS, 0}, StoreCase{"CO0105", true, RInt::CO1, 5},
        StoreCase{"CO0x05", false, RInt::CO1, 14}, StoreCase{"CO0712", true, RInt::CO1, 14},
        StoreCase{"BP00001", true, RInt::BP_SW, 1}, StoreCase{"BP01350", true, RInt::BP_LEVEL, 350},
        StoreCase{"BP01A50", false, RInt::BP_LEVEL, 200}, StoreCase{"ML1100", true, RInt::ML_LEVEL, 100},
        // answers that count as handled whatever their digits say
        StoreCase{"DQ0x", true, RInt::DQ, 0}, StoreCase{"RM9077", true, RInt::RM1, 77},
        StoreCase{"RI5F", true, RInt::RI5, 0}, StoreCase{"RI61", true, RInt::RI0, 0},
        StoreCase{"MR012000000000000000000000", true, RInt::MR, 12}, StoreCase{"BGx3", false, RInt::BG, 2},
        StoreCase{"BY1x", false, RInt::BY0, 1}));

// The command state gets what the radio state kept, not what arrived.
TEST_F(AnalyserWorld, CopiesWhatTheRadioStateKept)
{
    decode("RL005");
    decode("RL012");
    decode("IS0-1100"); // in the radio's range, outside the builder's
    decode("NB02");
    decode("MD05");
    decode("BP01A50"); // garbled level: the kept one is copied all the same
    EXPECT_EQ(command.get(CInt::RL), 5);
    EXPECT_EQ(command.get(CInt::IS), 0);
    EXPECT_EQ(command.get(CInt::NB), 1);
    EXPECT_EQ(command.get(CInt::MODE_GROUP), 1);
    EXPECT_EQ(command.get(CInt::BP_LEVEL), 200);
    decode("MD0B");
    EXPECT_EQ(command.get(CInt::MODE_GROUP), 2);
}

// The radio keeps squelch and RF gain apart ("SQ0000;" beside "RG0255;"):
// one answer must never move the other setting.
TEST_F(AnalyserWorld, SquelchAndRfGainAreTwoSettings)
{
    EXPECT_TRUE(decode("SQ0000"));
    EXPECT_TRUE(decode("RG0255"));
    EXPECT_TRUE(decode("SQ1040"));
    EXPECT_TRUE(decode("RG1200"));
    EXPECT_EQ(radio.get(RInt::SQ0), 0);
    EXPECT_EQ(radio.get(RInt::RG0), 255);
    EXPECT_EQ(radio.get(RInt::SQ1), 40);
    EXPECT_EQ(radio.get(RInt::RG1), 200);
    EXPECT_EQ(command.get(CInt::SQ0), 0);
    EXPECT_EQ(command.get(CInt::RG0), 255);
    EXPECT_EQ(command.get(CInt::SQ1), 40);
    EXPECT_EQ(command.get(CInt::RG1), 200);
    EXPECT_FALSE(decode("SQ2010")) << "no third selector";
    EXPECT_FALSE(decode("RG0x10"));
    EXPECT_EQ(radio.get(RInt::RG0), 255);
}

TEST_F(AnalyserWorld, ContourCentreRemembersWhereItWas)
{
    EXPECT_TRUE(decode("CO00+0"));
    EXPECT_EQ(radio.get(RInt::CO_SAVED), -2); // it was centred already
    decode("CO0001");
    EXPECT_TRUE(decode("CO00+0"));
    EXPECT_EQ(radio.get(RInt::CO_SAVED), 1);
    EXPECT_TRUE(decode("CO00-2"));
    EXPECT_EQ(radio.get(RInt::CO0), -2);
    EXPECT_EQ(radio.get(RInt::CO_SAVED), 1);
}

TEST_F(AnalyserWorld, StatusAnswersAndTheVfoSwitch)
{
    EXPECT_TRUE(decode("IF00014250000+012001B52492"));
    EXPECT_EQ(radio.get(RInt::IF_FREQ), 14250000);
    EXPECT_EQ(radio.get(RadioState::Real::IF_OFFSET), 120.0);
    EXPECT_EQ(radio.get(RInt::IF_MODE), 11);
    EXPECT_EQ(radio.get(RInt::IF23), 49);
    EXPECT_EQ(command.get(CInt::IF19), 1);
    // one garbled field rejects the answer; the good fields still count
    EXPECT_FALSE(decode("IF00007100000-005010Bx2492"));
    EXPECT_EQ(radio.get(RadioState::Real::IF_OFFSET), -50.0);
    EXPECT_EQ(radio.get(RInt::IF21), 5);

    EXPECT_TRUE(decode("OI00003500000-005010300000"));
    EXPECT_EQ(radio.get(RInt::OI_FREQ), 3500000);
    EXPECT_EQ(command.get(CInt::FB), 3500000);

    EXPECT_TRUE(decode("VS1"));
    EXPECT_EQ(radio.get(RInt::FB), 7100000);
    EXPECT_EQ(radio.get(RInt::FA), 7000000);
}

// A re-read of the VFO (as after the radio seemed to switch off and on)
// arrives while the last status is older than the VFO's own last answer: the
// frequency that answer brought stays.
TEST_F(AnalyserWorld, AVfoReportWithoutASwitchKeepsTheLastFrequencyAnswer)
{
    EXPECT_TRUE(decode("IF00014250000+000000200080"));
    EXPECT_TRUE(decode("FA07074000"));
    EXPECT_TRUE(decode("VS0"));
    EXPECT_EQ(radio.get(RInt::FA), 7074000);

    // A real switch still takes the status the radio sent with it.
    EXPECT_TRUE(decode("IF00003573000+000000200080"));
    EXPECT_TRUE(decode("VS1"));
    EXPECT_EQ(radio.get(RInt::FB), 3573000);
    EXPECT_TRUE(decode("FB03574000"));
    EXPECT_TRUE(decode("VS1"));
    EXPECT_EQ(radio.get(RInt::FB), 3574000);
    EXPECT_EQ(radio.get(RInt::FA), 7074000);
}

TEST_F(AnalyserWorld, KeyerMemoryTexts)
{
    const std::string fifty = "CQ CQ DE QX7ABC QX7ABC PSE K 73 TU EE  1234567890A";
    EXPECT_TRUE(decode("KM3" + fifty));
    EXPECT_EQ(radio.keyerText(3), fifty);
    EXPECT_TRUE(decode(std::string("KM2AB") + '\0' + "CD" + std::string(45, ' ')));
    EXPECT_EQ(radio.keyerText(2), "AB");
    EXPECT_TRUE(decode("KM4HELLO")); // framed at its ";", shorter than the row
    EXPECT_EQ(radio.keyerText(4), "HELLO");
    EXPECT_FALSE(decode("KM7" + fifty));
    EXPECT_FALSE(decode("KMx" + fifty));
    EXPECT_EQ(radio.get(RInt::KM_SELECTED), 4);
}

TEST_F(AnalyserWorld, MemoryChannelAnswerKeepsItsRecordPerChannel)
{
    EXPECT_TRUE(decode("MR01714250000-123410702491"));
    EXPECT_TRUE(decode("MR01807074000+000000200080"));
    EXPECT_EQ(radio.get(RInt::MR), 18);
    // Channel 17's record stays while 18 is answered after it.
    const auto seventeen = radio.memoryChannels().get(17);
    EXPECT_EQ(seventeen.content, (MemoryChannel{14250000, -1234, 1, 0, 7, 2, 49, 1}));
    EXPECT_EQ(seventeen.answers, 1u);
    EXPECT_EQ(radio.memoryChannels().get(18).content->frequency, 7074000);
    // A garbled record still names its channel but leaves its content alone.
    EXPECT_TRUE(decode("MR01714250000-12341070249X"));
    EXPECT_EQ(radio.get(RInt::MR), 17);
    EXPECT_EQ(radio.memoryChannels().get(17).answers, 1u);
}

TEST_F(AnalyserWorld, DimmerAnswerSetsTheMenuEntryToo)
{
    EXPECT_TRUE(decode("DA0200"));
    EXPECT_EQ(radio.get(RInt::DA), 2);
    EXPECT_EQ(menu.valueByKind(MenuKind::Dimmer), 2.0);
}

// Every answer cut short anywhere is malformed and read no further than its
// end (the heap copy lets the sanitizer see a stray read). Only the lock
// answer, which reads nothing, and a keyer text, which may be short, differ.
TEST_F(AnalyserWorld, TruncatedAnswersAreRejected)
{
    for (int row = 0; row < static_cast<int>(answerTable().size()); ++row) {
        const CatRecord& r = answerTable()[static_cast<std::size_t>(row)];
        const std::string full = std::string(codeOf(r)) + std::string(static_cast<std::size_t>(r.length - 3), '1');
        for (std::size_t n = 0; n < full.size(); ++n) {
            if (codeOf(r) == "LM" || (codeOf(r) == "KM" && n >= 3))
                continue;
            const auto cut = std::make_unique<char[]>(n);
            full.copy(cut.get(), n);
            EXPECT_FALSE(decodeAnswer(row, std::string_view(cut.get(), n), ctx)) << full.substr(0, n);
        }
    }
}

} // namespace
} // namespace qx::test
