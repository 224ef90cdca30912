#include "app/ConsoleLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx {
namespace {

struct ConsoleLinesTest : ::testing::Test {
    std::vector<std::string> lines;
    int refused = 0;
    ConsoleLines reader{[this](const std::string& l) { lines.push_back(l); }, [this] { ++refused; }};
};

TEST_F(ConsoleLinesTest, LinesArriveWholeHoweverTheBytesAreCut)
{
    const std::string input = "post UM_REQ_AI_TOGGLE\nget FA\r\n\nquit";
    for (char c : input)
        reader.feed(std::string_view(&c, 1));
    reader.finish();
    EXPECT_EQ(lines, (std::vector<std::string>{"post UM_REQ_AI_TOGGLE", "get FA\r", "", "quit"}));
    EXPECT_EQ(refused, 0);
}

// Before, 55 MB a second of /dev/zero all went into one line.
TEST_F(ConsoleLinesTest, ALineWithoutEndIsRefusedOnceAndNeverHeld)
{
    const std::string zeros(64 * 1024, '\0');
    std::size_t mostHeld = 0;
    for (int i = 0; i < 160; ++i) { // 10 MiB
        reader.feed(zeros);
        mostHeld = std::max(mostHeld, reader.held());
    }
    EXPECT_LE(mostHeld, ConsoleLines::kMaxLine);
    EXPECT_EQ(reader.held(), 0u);
    EXPECT_EQ(refused, 1);
    EXPECT_TRUE(lines.empty());
    reader.feed(std::string("tail of it\nget FA\n"));
    EXPECT_EQ(lines, (std::vector<std::string>{"get FA"})) << "the next line counts again";
}

TEST_F(ConsoleLinesTest, TheLimitIsInclusive)
{
    const std::string longest(ConsoleLines::kMaxLine, 'x');
    reader.feed(longest + "\n" + longest + "y\n");
    reader.feed(longest.substr(0, 10));
    reader.feed(longest + "\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], longest);
    EXPECT_EQ(refused, 2);
    reader.feed(longest);
    reader.finish();
    EXPECT_EQ(lines.size(), 2u) << "a last line without its end";
}

} // namespace
} // namespace qx
