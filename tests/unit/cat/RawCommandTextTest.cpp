#include "cat/RawCommandText.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(RawCommandText, ClosesAnOpenTextAndKeepsAClosedOneAsTyped)
{
    struct Case {
        const char* typed;
        const char* sent;
    };
    for (const Case c : {Case{"FA", "FA;"}, Case{"FA;", "FA;"}, Case{"  FA14074000 ", "FA14074000;"},
                         Case{"FA;FB", "FA;FB;"}, Case{"KM1CQ CQ;", "KM1CQ CQ;"}, Case{";", ";"}}) {
        const RawCommandText r = rawCommandText(c.typed, 511);
        EXPECT_TRUE(r.ok()) << c.typed << ": " << r.refusal;
        EXPECT_EQ(r.text, c.sent) << c.typed;
    }
}

TEST(RawCommandText, RefusesNothingBytesOutsidePrintableAsciiAndTooLongTexts)
{
    EXPECT_EQ(rawCommandText("   ", 511).refusal, "nothing to send");
    EXPECT_EQ(rawCommandText("FA\t;", 511).refusal, "byte 0x09 at position 3 is not printable ASCII; nothing sent");
    EXPECT_EQ(rawCommandText("FA\x7F", 511).refusal, "byte 0x7F at position 3 is not printable ASCII; nothing sent");
    EXPECT_FALSE(rawCommandText("F\xC3\xA9;", 511).ok());
    EXPECT_FALSE(rawCommandText(std::string_view("FA\0;", 4), 511).ok());
    // The added ";" counts: ten typed characters fit ten only when closed.
    EXPECT_TRUE(rawCommandText("FA1407400;", 10).ok());
    EXPECT_EQ(rawCommandText("FA14074000", 10).refusal, "text too long");
    EXPECT_TRUE(rawCommandText("FA14074000", 11).ok());
    for (const RawCommandText& r : {rawCommandText("", 511), rawCommandText("A\n", 511)})
        EXPECT_TRUE(r.text.empty());
}

} // namespace
} // namespace qx
