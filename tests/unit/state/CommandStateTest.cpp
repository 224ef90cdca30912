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
    const struct { Cmd id; int expected; } cases[] = {
        {Cmd::BP_LEVEL, 1}, {Cmd::ML_LEVEL, 1}, {Cmd::KS, 4}, {Cmd::RL, 1},
        {Cmd::MS, 0},       {Cmd::FA, 0},       {Cmd::FB, 0}, {Cmd::MD0, 0},
    };
    CommandState cs;
    for (const auto& c : cases)
        EXPECT_EQ(cs.get(c.id), c.expected) << "entry " << static_cast<int>(c.id);
    EXPECT_EQ(RadioState().get(Radio::BP_LEVEL), 200);
}

TEST(CommandStateRange, CopyTakesTheRadioValueNotTheRejectedOne)
{
    RadioState rs;
    CommandState cs;
    rs.set(Radio::RL, 5);
    rs.set(Radio::RL, 12);
    cs.set(Cmd::RL, rs.get(Radio::RL));
    EXPECT_EQ(cs.get(Cmd::RL), 5);

    // The copy's own range is wider: 12 and 15 fit, 16 does not.
    cs.set(Cmd::RL, 12);
    EXPECT_EQ(cs.get(Cmd::RL), 12);
    cs.set(Cmd::RL, 15);
    cs.set(Cmd::RL, 16);
    EXPECT_EQ(cs.get(Cmd::RL), 15);
    // ...and the shift's is narrower.
    cs.set(Cmd::IS, 1200);
    EXPECT_EQ(cs.get(Cmd::IS), 0);
}

TEST(CommandStateRange, UnrangedEntriesTakeAnyValueFlagsDoNot)
{
    CommandState cs;
    for (Cmd id : {Cmd::AI, Cmd::PS, Cmd::RT, Cmd::VS}) {
        cs.set(id, std::numeric_limits<int>::min());
        EXPECT_EQ(cs.get(id), std::numeric_limits<int>::min()) << static_cast<int>(id);
    }
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
    cs.initialise();
    EXPECT_EQ(cs.get(Cmd::AI), 0);
    EXPECT_EQ(cs.get(Cmd::BP_LEVEL), 1);
}

TEST(CommandStateNames, LookupAndUniqueness)
{
    EXPECT_EQ(CommandState::findEntryByName("ai"), Cmd::AI);
    EXPECT_EQ(CommandState::findEntryByName("MODE_GROUP"), Cmd::MODE_GROUP);
    EXPECT_EQ(CommandState::findEntryByName("IF_OFFSET"), std::nullopt);
    std::set<std::string> seen;
    for (const IntEntrySpec& e : CommandState::intEntries())
        EXPECT_TRUE(seen.insert(std::string(e.name)).second && e.lower <= e.upper) << e.name;
}

} // namespace
} // namespace qx
