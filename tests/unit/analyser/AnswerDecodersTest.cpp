#include "tests/unit/analyser/AnalyserWorld.h"

#include "menu/MenuKind.h"

#include <memory>
#include <string>

namespace qx::test {
namespace {

using RInt = RadioState::Int;
using CInt = CommandState::Int;

struct DecoderTest : AnalyserWorld {
    bool decodeText(std::string_view text) { return decodeAnswer(findAnswer(text), text, ctx); }
};

struct StoreCase {
    const char* text;
    bool result;
    RInt entry;
    int value;
};
void PrintTo(const StoreCase& c, std::ostream* os) { *os << c.text; }

class StoresFields : public DecoderTest, public ::testing::WithParamInterface<StoreCase> {};

TEST_P(StoresFields, IntoTheRadioState)
{
    const StoreCase& c = GetParam();
    EXPECT_EQ(decodeText(c.text), c.result) << c.text;
    EXPECT_EQ(radio.get(c.entry), c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, StoresFields,
    ::testing::Values(
        // well-formed, in range or not: true; malformed: false, unchanged
        StoreCase{"FA14250000", true, RInt::FA, 14250000}, StoreCase{"FA00029999", true, RInt::FA, 7000000},
        StoreCase{"FA60000001", true, RInt::FA, 7000000}, StoreCase{"FA1425000X", false, RInt::FA, 7000000},
        StoreCase{"MD0C", true, RInt::MD0, 12}, StoreCase{"MD0D", true, RInt::MD0, 1},
        StoreCase{"MD0G", false, RInt::MD0, 1}, StoreCase{"MD1b", true, RInt::MD1, 11},
        StoreCase{"MD2C", false, RInt::MD0, 1},
        // fields that do not start at character 2
        StoreCase{"NBx2", true, RInt::NB, 2}, StoreCase{"AC002", true, RInt::AC, 2},
        StoreCase{"SH015", true, RInt::SH, 15}, StoreCase{"RA03", true, RInt::RA, 3},
        StoreCase{"SS011111", true, RInt::SS, 11111}, StoreCase{"DQ02", true, RInt::DQ, 2},
        // selectors choose the entry; anything but 0/1 is malformed
        StoreCase{"GT13", true, RInt::GT1, 3}, StoreCase{"GT23", false, RInt::GT0, 4},
        StoreCase{"CN112", true, RInt::CN1, 12}, StoreCase{"SM1200", true, RInt::SM1, 200},
        StoreCase{"AG0100", true, RInt::AG0, 100}, StoreCase{"CT12", true, RInt::CT1, 2},
        StoreCase{"OS02", true, RInt::OS0, 2},
        // signed
        StoreCase{"IS0-0250", true, RInt::IS, -250}, StoreCase{"IS0+1271", true, RInt::IS, 0},
        StoreCase{"IS0*0250", false, RInt::IS, 0},
        // contour: selector at 3, sign at 4
        StoreCase{"CO0105", true, RInt::CO1, 5}, StoreCase{"CO0199", true, RInt::CO1, 14},
        StoreCase{"CO0x05", false, RInt::CO1, 14}, StoreCase{"CO00-2", true, RInt::CO0, -2},
        StoreCase{"CO0712", true, RInt::CO1, 14},
        // notch and microphone: switch or level
        StoreCase{"BP00001", true, RInt::BP_SW, 1}, StoreCase{"BP01350", true, RInt::BP_LEVEL, 350},
        StoreCase{"BP01A50", false, RInt::BP_LEVEL, 200}, StoreCase{"ML0001", true, RInt::ML_SW, 1},
        StoreCase{"ML1100", true, RInt::ML_LEVEL, 100},
        // handled whatever the digits say
        StoreCase{"DQ0x", true, RInt::DQ, 0}, StoreCase{"BS1x", true, RInt::BS, 3},
        StoreCase{"RM0x23", true, RInt::RM0, 0}, StoreCase{"RM9077", true, RInt::RM1, 77},
        StoreCase{"RI51", true, RInt::RI5, 1}, StoreCase{"RI5F", true, RInt::RI5, 0},
        StoreCase{"RI61", true, RInt::RI0, 0}, StoreCase{"MR012000000000000000000000", true, RInt::MR, 12},
        // the first playback digit must be a digit too
        StoreCase{"BG13", true, RInt::BG, 3}, StoreCase{"BGx3", false, RInt::BG, 2},
        StoreCase{"BY10", true, RInt::BY0, 1}, StoreCase{"BY1x", false, RInt::BY0, 1},
        StoreCase{"SF5", true, RInt::SF, 0}, StoreCase{"RL012", true, RInt::RL, 1}));

struct CopyCase {
    const char* text;
    CInt entry;
    int value;
};
void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.text; }

class CopiesIntoCommandState : public DecoderTest, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopiesIntoCommandState, WhatTheRadioStateKept)
{
    const CopyCase& c = GetParam();
    decodeText(c.text);
    EXPECT_EQ(command.get(c.entry), c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CopiesIntoCommandState,
    ::testing::Values(CopyCase{"RT1", CInt::RT, 1}, CopyCase{"NB02", CInt::NB, 1}, CopyCase{"SC2", CInt::SC, 1},
                      CopyCase{"TX2", CInt::TX, 1}, CopyCase{"FB14000000", CInt::FB, 14000000},
                      CopyCase{"FA14000000", CInt::FB, 0}, CopyCase{"KS060", CInt::KS, 60},
                      CopyCase{"IS0-1100", CInt::IS, 0}, CopyCase{"IS0-0900", CInt::IS, -900},
                      CopyCase{"MD04", CInt::MODE_GROUP, 2}, CopyCase{"MD0B", CInt::MODE_GROUP, 2},
                      CopyCase{"MD05", CInt::MODE_GROUP, 1}, CopyCase{"MD13", CInt::MD1, 3},
                      CopyCase{"VR1", CInt::VR, 1}, CopyCase{"NR01", CInt::NR, 1}, CopyCase{"NR11", CInt::NR, 0},
                      CopyCase{"NA11", CInt::NA1, 1}, CopyCase{"AG1077", CInt::AG1, 77},
                      CopyCase{"BP00001", CInt::BP_SW, 1}, CopyCase{"ML0001", CInt::ML_SW, 1},
                      // the level is copied even from a garbled answer
                      CopyCase{"BP01A50", CInt::BP_LEVEL, 200}, CopyCase{"PC128", CInt::PC, 128}));

TEST_F(DecoderTest, OutOfRangeValueLeavesBothCopiesAtTheOldValue)
{
    EXPECT_TRUE(decodeText("RL005"));
    EXPECT_TRUE(decodeText("RL012"));
    EXPECT_EQ(radio.get(RInt::RL), 5);
    EXPECT_EQ(command.get(CInt::RL), 5);
}

TEST_F(DecoderTest, SquelchAndRfGainAnswersSetBothPairs)
{
    for (const char* text : {"SQ0128", "RG0128"}) {
        RadioState fresh;
        DecoderContext c{fresh, command, menu, link, outbox};
        EXPECT_TRUE(decodeAnswer(findAnswer(text), text, c)) << text;
        EXPECT_EQ(fresh.get(RInt::SQ0), 128) << text;
        EXPECT_EQ(fresh.get(RInt::RG0), 128) << text;
        EXPECT_EQ(fresh.get(RInt::SQ1), 0) << text;
    }
    EXPECT_TRUE(decodeText("RG1040"));
    EXPECT_EQ(command.get(CInt::SQ1), 40);
    EXPECT_EQ(command.get(CInt::RG1), 40);
    EXPECT_FALSE(decodeText("SQ2128"));
}

TEST_F(DecoderTest, ContourCentreRemembersWhereItWas)
{
    EXPECT_TRUE(decodeText("CO00+0"));
    EXPECT_EQ(radio.get(RInt::CO_SAVED), -2); // it was already centred

    EXPECT_TRUE(decodeText("CO0001"));
    EXPECT_EQ(radio.get(RInt::CO_SAVED), -2); // a non-zero value saves nothing
    EXPECT_TRUE(decodeText("CO00+0"));
    EXPECT_EQ(radio.get(RInt::CO_SAVED), 1);
    EXPECT_EQ(radio.get(RInt::CO0), 0);

    EXPECT_TRUE(decodeText("CO00-2"));
    EXPECT_EQ(radio.get(RInt::CO0), -2);
    EXPECT_EQ(radio.get(RInt::CO_SAVED), 1);
}

TEST_F(DecoderTest, StatusAnswerFillsEveryField)
{
    EXPECT_TRUE(decodeText("IF00014250000+012001B52492"));
    EXPECT_EQ(radio.get(RInt::IF_FREQ), 14250000);
    EXPECT_EQ(radio.get(RadioState::Real::IF_OFFSET), 120.0);
    EXPECT_EQ(radio.get(RInt::IF18), 0);
    EXPECT_EQ(radio.get(RInt::IF19), 1);
    EXPECT_EQ(radio.get(RInt::IF_MODE), 11);
    EXPECT_EQ(radio.get(RInt::IF21), 5);
    EXPECT_EQ(radio.get(RInt::IF22), 2);
    EXPECT_EQ(radio.get(RInt::IF23), 49);
    EXPECT_EQ(radio.get(RInt::IF25), 2);
    EXPECT_EQ(command.get(CInt::IF19), 1);

    // one garbled field: the answer is rejected, the good fields still count
    EXPECT_FALSE(decodeText("IF00007100000-005010Bx2492"));
    EXPECT_EQ(radio.get(RInt::IF_FREQ), 7100000);
    EXPECT_EQ(radio.get(RadioState::Real::IF_OFFSET), -50.0);
    EXPECT_EQ(radio.get(RInt::IF21), 5);
}

TEST_F(DecoderTest, OtherVfoStatusGoesToItsOwnEntriesAndTheFbCopy)
{
    EXPECT_TRUE(decodeText("OI00007100000-005010300000"));
    EXPECT_EQ(radio.get(RInt::OI_FREQ), 7100000);
    EXPECT_EQ(radio.get(RadioState::Real::OI_OFFSET), -50.0);
    EXPECT_EQ(radio.get(RInt::OI_MODE), 3);
    EXPECT_EQ(radio.get(RInt::IF_FREQ), 0);
    EXPECT_EQ(command.get(CInt::FB), 7100000);
}

TEST_F(DecoderTest, VfoSwitchMovesTheStatusFrequencyToTheCurrentVfo)
{
    decodeText("IF00014250000+012001B52492");
    EXPECT_TRUE(decodeText("VS1"));
    EXPECT_EQ(radio.get(RInt::FB), 14250000);
    EXPECT_EQ(radio.get(RInt::FA), 7000000);
    EXPECT_EQ(command.get(CInt::VS), 1);
    EXPECT_TRUE(decodeText("VS0"));
    EXPECT_EQ(radio.get(RInt::FA), 14250000);
}

TEST_F(DecoderTest, KeyerMemoryTexts)
{
    const std::string fifty = "CQ CQ DE QX7ABC QX7ABC PSE K 73 TU EE  1234567890A";
    ASSERT_EQ(fifty.size(), 50u);
    EXPECT_TRUE(decodeText("KM3" + fifty));
    EXPECT_EQ(radio.keyerText(3), fifty);
    EXPECT_EQ(radio.get(RInt::KM_SELECTED), 3);

    const std::string early = std::string("KM2AB") + '\0' + "CD" + std::string(45, ' ');
    EXPECT_TRUE(decodeText(early));
    EXPECT_EQ(radio.keyerText(2), "AB");

    // framed at its ";", shorter than the row: the text ends with the answer
    EXPECT_TRUE(decodeText("KM4HELLO"));
    EXPECT_EQ(radio.keyerText(4), "HELLO");

    EXPECT_FALSE(decodeText("KM7" + fifty));
    EXPECT_FALSE(decodeText("KM0" + fifty));
    EXPECT_FALSE(decodeText("KMx" + fifty));
    EXPECT_EQ(radio.get(RInt::KM_SELECTED), 4);
}

TEST_F(DecoderTest, DimmerAnswerSetsTheMenuEntryToo)
{
    EXPECT_TRUE(decodeText("DA0200"));
    EXPECT_EQ(radio.get(RInt::DA), 2);
    EXPECT_EQ(menu.valueByKind(MenuKind::Dimmer), 2.0);
    EXPECT_TRUE(decodeText("DA0x00"));
    EXPECT_EQ(radio.get(RInt::DA), 2);
}

TEST_F(DecoderTest, LockAnswerIsAlwaysHandledAndDisplaySettingNever)
{
    EXPECT_TRUE(decodeText("LM000"));
    EXPECT_FALSE(decodeText("DS1"));
    EXPECT_FALSE(hasDecoder(static_cast<int>(AnswerRow::DS)));
    EXPECT_FALSE(decodeAnswer(-1, "FA14250000", ctx));
    EXPECT_FALSE(decodeAnswer(71, "FA14250000", ctx));
}

// Every answer cut short anywhere is malformed and reads nothing beyond its
// end (the sanitizers watch the reads). Only the lock answer, which reads no
// field, is handled whatever its length.
TEST_F(DecoderTest, TruncatedAnswersAreRejected)
{
    for (int row = 0; row < static_cast<int>(answerTable().size()); ++row) {
        const CatRecord& r = answerTable()[static_cast<std::size_t>(row)];
        if (codeOf(r) == "LM")
            continue;
        const std::string full = std::string(codeOf(r)) + std::string(static_cast<std::size_t>(r.length - 3), '1');
        for (std::size_t n = 0; n < full.size(); ++n) {
            // a fresh copy on the heap, so that a read past its end is caught
            const std::unique_ptr<char[]> cut(new char[n == 0 ? 1 : n]);
            full.copy(cut.get(), n);
            if (codeOf(r) == "KM" && n >= 3)
                continue; // a short keyer text is a text, not a fault
            EXPECT_FALSE(decodeAnswer(row, std::string_view(cut.get(), n), ctx)) << full.substr(0, n);
        }
    }
}

} // namespace
} // namespace qx::test
