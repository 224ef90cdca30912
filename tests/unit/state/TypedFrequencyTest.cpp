#include "state/TypedFrequency.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// Before, VFO SET dropped the point: "7.074" went out as FA00007074;.
TEST(TypedFrequency, ReadsHzMhzAndKhzByTheStatedRule)
{
    struct Case {
        const char* typed;
        std::int64_t hz;
    };
    for (const Case c : {Case{"14074000", 14'074'000}, Case{"7.074", 7'074'000}, Case{"7,074", 7'074'000},
                         Case{"14,074", 14'074'000}, Case{" 50.313 ", 50'313'000}, Case{"7074.5", 7'074'500},
                         Case{"7074,", 7'074'000}, Case{"135.7", 135'700}, Case{".5", 500'000},
                         Case{"3.5000000", 3'500'000}, Case{"0014074000", 14'074'000}, Case{"60.000000", 60'000'000},
                         Case{"30000", 30'000},
                         // A unit overrides the rule.
                         Case{"7074 kHz", 7'074'000}, Case{"7074.5khz", 7'074'500}, Case{"14.074 MHz", 14'074'000},
                         Case{"475 KHZ", 475'000}, Case{"14074000 Hz", 14'074'000}, Case{"30.5 kHz", 30'500}}) {
        const TypedFrequency f = readTypedFrequency(c.typed);
        ASSERT_TRUE(f.hz.has_value()) << c.typed << ": " << f.refusal;
        EXPECT_EQ(*f.hz, c.hz) << c.typed;
    }
}

TEST(TypedFrequency, RefusesWithTheReasonAndNeverGuesses)
{
    struct Case {
        const char* typed;
        const char* refusal;
    };
    for (const Case c : {
             Case{"7074", "7.074 kHz is below the radio's lowest frequency, 30.000 kHz (digits alone are Hz; 7.074 is MHz)"},
             Case{"29999", "29.999 kHz is below the radio's lowest frequency, 30.000 kHz (digits alone are Hz; 7.074 is MHz)"},
             Case{"60000001", "60.000001 MHz is above the radio's highest frequency, 60.000000 MHz"},
             Case{"99.5", "99.500000 MHz is above the radio's highest frequency, 60.000000 MHz"},
             Case{"7.0745001", "finer than 1 Hz: the radio tunes in whole hertz"},
             Case{"7074.5001", "finer than 1 Hz: the radio tunes in whole hertz"},
             Case{"14.074.000", "\"14.074.000\" is not a frequency: type digits with at most one point or comma, and a unit if you like"},
             Case{"-7.074", "\"-7.074\" is not a frequency: type digits with at most one point or comma, and a unit if you like"},
             Case{"7e6", "\"7e6\" is not a frequency: type digits with at most one point or comma, and a unit if you like"},
             Case{"MHz", "no digits typed"},
             Case{".", "no digits typed"},
             Case{"99999999999999999999", "too many digits"},
         }) {
        const TypedFrequency f = readTypedFrequency(c.typed);
        EXPECT_FALSE(f.hz.has_value()) << c.typed << " read as " << f.hz.value_or(0);
        EXPECT_EQ(f.refusal, c.refusal) << c.typed;
    }
    EXPECT_TRUE(readTypedFrequency("   ").empty());
    EXPECT_FALSE(readTypedFrequency("7074").empty());
}

TEST(TypedFrequency, DescribesAFrequencyInItsLargestUnit)
{
    EXPECT_EQ(describeHz(14'074'000), "14.074000 MHz");
    EXPECT_EQ(describeHz(135'700), "135.700 kHz");
    EXPECT_EQ(describeHz(999), "999 Hz");
}

} // namespace
} // namespace qx
