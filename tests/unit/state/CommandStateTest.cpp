#include "state/CommandState.h"
#include "state/RadioState.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>

namespace qx {
namespace {

using Cmd = CommandState::Int;
using Radio = RadioState::Int;

TEST(CommandStateDefaults, DifferFromTheRadioStateWhereTheyShould)
{
    struct Case {
        Cmd id;
        int expected;
    };
    const Case cases[] = {
        {Cmd::BP_LEVEL, 1}, {Cmd::ML_LEVEL, 1}, {Cmd::KS, 4}, {Cmd::RL, 1}, {Cmd::MS, 0},
        {Cmd::FA, 0},       {Cmd::FB, 0},       {Cmd::AI, 0}, {Cmd::PS, 0}, {Cmd::MD0, 0},
    };
    CommandState cs;
    for (const Case& c : cases)
        EXPECT_EQ(cs.get(c.id), c.expected) << "entry " << static_cast<int>(c.id);
    RadioState rs;
    EXPECT_EQ(rs.get(Radio::BP_LEVEL), 200);
}

TEST(CommandStateRange, CopyTakesTheRadioValueNotTheRejectedOne)
{
    RadioState rs;
    CommandState cs;
    rs.set(Radio::RL, 5);
    cs.set(Cmd::RL, rs.get(Radio::RL));

    rs.set(Radio::RL, 12);
    cs.set(Cmd::RL, rs.get(Radio::RL));
    EXPECT_EQ(rs.get(Radio::RL), 5);
    EXPECT_EQ(cs.get(Cmd::RL), 5);

    // The copy's own range is wider: 12 and 15 fit, 16 does not.
    cs.set(Cmd::RL, 12);
    EXPECT_EQ(cs.get(Cmd::RL), 12);
    cs.set(Cmd::RL, 15);
    cs.set(Cmd::RL, 16);
    EXPECT_EQ(cs.get(Cmd::RL), 15);
}

TEST(CommandStateRange, NarrowerShiftRangeThanTheRadioState)
{
    CommandState cs;
    EXPECT_TRUE(cs.set(Cmd::IS, 1200));
    EXPECT_EQ(cs.get(Cmd::IS), 0);
    cs.set(Cmd::IS, -1000);
    EXPECT_EQ(cs.get(Cmd::IS), -1000);
}

TEST(CommandStateRange, UnrangedEntriesTakeAnyValue)
{
    CommandState cs;
    for (Cmd id : {Cmd::AI, Cmd::PS, Cmd::RT, Cmd::VS}) {
        cs.set(id, std::numeric_limits<int>::min());
        EXPECT_EQ(cs.get(id), std::numeric_limits<int>::min());
        cs.set(id, 7);
        EXPECT_EQ(cs.get(id), 7);
    }
    // Flags are not: only 0 and 1.
    cs.set(Cmd::NB, 2);
    EXPECT_EQ(cs.get(Cmd::NB), 0);
    cs.set(Cmd::FB, 29999);
    EXPECT_EQ(cs.get(Cmd::FB), 0);
}

TEST(CommandStateInitialise, PutsDefaultsBack)
{
    CommandState cs;
    cs.set(Cmd::AI, 1);
    cs.set(Cmd::BP_LEVEL, 300);
    cs.set(Cmd::FA, 14000000);
    cs.initialise();
    EXPECT_EQ(cs.get(Cmd::AI), 0);
    EXPECT_EQ(cs.get(Cmd::BP_LEVEL), 1);
    EXPECT_EQ(cs.get(Cmd::FA), 0);
}

TEST(CommandStateNames, LookupAndUniqueness)
{
    EXPECT_EQ(CommandState::findEntryByName("ai"), Cmd::AI);
    EXPECT_EQ(CommandState::findEntryByName("MODE_GROUP"), Cmd::MODE_GROUP);
    EXPECT_EQ(CommandState::findEntryByName("IF_OFFSET"), std::nullopt);
    std::set<std::string> seen;
    for (const IntEntrySpec& e : CommandState::intEntries()) {
        EXPECT_TRUE(seen.insert(std::string(e.name)).second) << e.name;
        EXPECT_LE(e.lower, e.upper) << e.name;
    }
    EXPECT_EQ(&commandState(), &commandState());
}

} // namespace
} // namespace qx
