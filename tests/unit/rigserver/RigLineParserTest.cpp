#include "rigserver/RigLineParser.h"

#include <gtest/gtest.h>

namespace qx::rig {
namespace {

std::string names(const std::vector<ParsedCommand>& cs)
{
    std::string s;
    for (const auto& c : cs) {
        s += c.entry ? std::string(c.entry->name) : "?";
        for (const auto& a : c.args)
            s += " <" + a + ">";
        if (c.status != kOk)
            s += " !" + std::to_string(c.status);
        s += ";";
    }
    return s;
}

TEST(RigLineParser, ShortAndLongNamesOneOrSeveralToALine)
{
    EXPECT_EQ(names(parseLine("f")), "get_freq;");
    EXPECT_EQ(names(parseLine("\\get_freq")), "get_freq;");
    EXPECT_EQ(names(parseLine("f m")), "get_freq;get_mode;");
    EXPECT_EQ(names(parseLine("fm")), "get_freq;get_mode;");
    EXPECT_EQ(names(parseLine("F 14074000 m\r")), "set_freq <14074000>;get_mode;");
    EXPECT_EQ(names(parseLine("  \\set_mode  USB   2400 \\get_mode")), "set_mode <USB> <2400>;get_mode;");
    EXPECT_EQ(names(parseLine("")), "");
    EXPECT_EQ(names(parseLine("f # what follows is a comment")), "get_freq;");
}

TEST(RigLineParser, ArgumentsMustStandOnTheLineOfTheirCommand)
{
    EXPECT_EQ(names(parseLine("F")), "set_freq !-1;");
    EXPECT_EQ(names(parseLine("M USB")), "set_mode <USB> !-1;");
    // A choices query takes no further arguments.
    EXPECT_EQ(names(parseLine("M ? f")), "set_mode <?>;get_freq;");
    // A VFO name first is the command's VFO (Hamlib's VFO mode), with or
    // without the client having asked for that mode; never for commands
    // that take no VFO.
    EXPECT_EQ(names(parseLine("F VFOB 7074000 v")), "set_freq <7074000>;get_vfo;");
    EXPECT_EQ(parseLine("F VFOB 7074000")[0].vfo, "VFOB");
    EXPECT_EQ(parseLine("f")[0].vfo, "");
    const auto split = parseLine("S currVFO 1 VFOB S 1 VFOA");
    ASSERT_EQ(split.size(), 2u);
    EXPECT_EQ(split[0].vfo, "currVFO");
    EXPECT_EQ(split[0].args, (std::vector<std::string>{"1", "VFOB"}));
    EXPECT_EQ(split[1].vfo, "");
    EXPECT_EQ(names(parseLine("V VFOB")), "set_vfo <VFOB>;");
}

TEST(RigLineParser, MorseTakesTheRestOfTheLineBlanksAndAll)
{
    const auto cs = parseLine("b CQ  DE X1ABC\r");
    ASSERT_EQ(cs.size(), 1u);
    EXPECT_EQ(cs[0].args.at(0), "CQ  DE X1ABC");
    EXPECT_EQ(names(parseLine("\\send_morse")), "send_morse !-1;");
}

TEST(RigLineParser, AMarkAskForTheExtendedAnswerWithItsSeparator)
{
    const auto plus = parseLine("+f");
    EXPECT_TRUE(plus[0].extended);
    EXPECT_EQ(plus[0].separator, '\n');
    const auto pipe = parseLine("|\\get_mode ;v");
    ASSERT_EQ(pipe.size(), 2u);
    EXPECT_EQ(pipe[0].separator, '|');
    EXPECT_EQ(pipe[1].separator, ';');
    EXPECT_TRUE(pipe[1].extended);
    // "_" is a command of its own, not a mark.
    const auto info = parseLine("_");
    EXPECT_FALSE(info[0].extended);
    EXPECT_EQ(info[0].entry->name, "get_info");
}

TEST(RigLineParser, UnknownCommandsEndTheLineAndBinaryIsRefused)
{
    EXPECT_EQ(names(parseLine("f \\no_such_thing m")), "get_freq;? !-4;");
    EXPECT_EQ(names(parseLine("f Q? m")), "get_freq;quit;? !-4;");
    EXPECT_EQ(names(parseLine("+")), "? !-4;");
    EXPECT_EQ(names(parseLine(std::string("f\0m", 3))), "? !-1;");
    EXPECT_EQ(names(parseLine("f \xff")), "? !-1;");
    // Known to clients but not to this radio: known, so its arguments are skipped.
    EXPECT_EQ(names(parseLine("Z 100 f")), "set_xit <100>;get_freq;");
}

} // namespace
} // namespace qx::rig
