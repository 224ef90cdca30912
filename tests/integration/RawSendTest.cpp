// What the headless `send` puts on the line: whole commands only, and
// nothing that is not printable ASCII.
#include "EngineRig.h"

#include "app/qt/HeadlessRunner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace qx::test {
namespace {

using namespace std::chrono_literals;

std::string fileText(std::FILE* f)
{
    std::fflush(f);
    std::rewind(f);
    std::string s;
    for (int c; (c = std::fgetc(f)) != EOF;)
        s += static_cast<char>(c);
    return s;
}

// Before, "FA" stayed on the line and the next command glued onto it ("FAID;").
TEST(HeadlessSend, ATextWithoutItsSemicolonIsClosedAndOtherBytesAreRefused)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    {
        HeadlessRunner runner(rig.engine(), rig.bridge(), out, err);
        runner.start(false);
        ASSERT_TRUE(rig.sim().log().waitForText(sim::Direction::Received, "PS;", 10s));

        runner.feedLine("send FA");
        runner.feedLine("send FB\xC3\xA9;");
        runner.feedLine("send MD\x01;");
        ASSERT_TRUE(rig.engine().sendRaw("ID;"));
        EXPECT_TRUE(rig.sim().log().waitForText(sim::Direction::Received, "ID;", 10s));
        EXPECT_TRUE(rig.sim().log().waitForText(sim::Direction::Sent, "FA14250000;", 10s));
        EXPECT_THAT(rig.received(), ::testing::Contains("FA;"));
        for (const std::string& text : rig.received()) {
            EXPECT_EQ(text.find("FB"), std::string::npos) << text;
            EXPECT_EQ(text.find("MD"), std::string::npos) << text;
            EXPECT_NE(text, "FAID;");
        }
        const std::string said = fileText(err);
        EXPECT_THAT(said, ::testing::HasSubstr("send: byte 0xC3 at position 3 is not printable ASCII"));
        EXPECT_THAT(said, ::testing::HasSubstr("send: byte 0x01 at position 3 is not printable ASCII"));
        rig.bridge().beginShutdown();
        rig.engine().shutDown();
    }
    std::fclose(out);
    std::fclose(err);
}

} // namespace
} // namespace qx::test
