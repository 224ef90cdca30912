// The headless channel verbs against the simulated radio: read all 504,
// import a CHIRP list by hand (report, nothing sent), write edited channels
// with read-back, export and import again, recall. One linked radio per test,
// because a link-up takes seconds.
#include "app/qt/HeadlessRunner.h"
#include "cat/MemoryChannelText.h"
#include "channels/ChannelFiles.h"
#include "sim/TransmitQueue.h"
#include "tests/integration/EngineRig.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace qx::test {
namespace {

using std::chrono::milliseconds;

class MemoryChannels : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.simStarted());
        out = open_memstream(&outText, &outSize);
        err = open_memstream(&errText, &errSize);
        runner = std::make_unique<HeadlessRunner>(rig.engine(), rig.bridge(), out, err);
        runner->start(false);
        ASSERT_TRUE(rig.linkUp());
        // Channels stored on the radio's own keys.
        for (const auto& [channel, content] : stored)
            ASSERT_TRUE(rig.sim().operate(memoryWriteText(channel, content)));
    }
    void TearDown() override
    {
        runner.reset();
        std::fclose(out);
        std::fclose(err);
        std::free(outText);
        std::free(errText);
    }

    std::string printed() { return std::fflush(out), std::string(outText, outSize); }
    std::string complaints() { return std::fflush(err), std::string(errText, errSize); }

    void run(const std::string& line)
    {
        const std::size_t from = rig.sim().log().size();
        runner->feedLine(line);
        runner->feedLine("send VC;"); // taken only once the verb has ended
        ASSERT_TRUE(rig.waitUntil(
            [&] { return rig.sim().log().waitForText(sim::Direction::Received, "VC;", milliseconds(0), from); },
            milliseconds(60000)))
            << line;
    }
    std::vector<std::string> receivedSince(std::size_t from, std::string_view prefix)
    {
        std::vector<std::string> out;
        const auto events = rig.sim().log().events();
        for (std::size_t i = from; i < events.size(); ++i)
            if (events[i].direction == sim::Direction::Received && events[i].text.rfind(prefix, 0) == 0)
                out.push_back(events[i].text);
        return out;
    }
    std::string radioAnswer(const std::string& key)
    {
        const auto answers = rig.sim().model().handle(key + ";");
        return answers.empty() ? std::string() : answers.front();
    }
    void writeFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

    const std::vector<std::pair<int, MemoryChannel>> stored = {
        {1, {14074000, 0, 0, 0, 2, 0, 8, 0}},
        {2, {7074000, 0, 0, 0, 1, 0, 8, 0}},
        {17, {29620000, 0, 0, 0, 4, 2, 23, 2}},
        {250, {10136000, 120, 1, 0, 8, 0, 8, 0}},
        {504, {3573000, -50, 0, 1, 3, 0, 8, 0}},
    };
    EngineRig rig;
    std::unique_ptr<HeadlessRunner> runner;
    FILE* out = nullptr;
    FILE* err = nullptr;
    char* outText = nullptr;
    char* errText = nullptr;
    std::size_t outSize = 0, errSize = 0;
};

TEST_F(MemoryChannels, ReadAllThenImportWriteExportAndImportAgain)
{
    const std::size_t readFrom = rig.sim().log().size();
    run("channels read");
    ASSERT_NE(printed().find("channels read: read 504 channels, 5 in use in "), std::string::npos)
        << printed() << complaints();
    EXPECT_NE(printed().find("MR017 29.620000 MHz FM"), std::string::npos) << printed();
    EXPECT_NE(printed().find("MR504 3.573000 MHz CW"), std::string::npos);
    {
        // The figure for the report: the read against the time the bytes take on the line.
        const auto events = rig.sim().log().events();
        std::size_t toRadio = 0, fromRadio = 0;
        std::chrono::milliseconds first{0}, last{0};
        for (std::size_t i = readFrom; i < events.size(); ++i) {
            const auto& e = events[i];
            if (e.text.rfind("MR", 0) != 0 && e.text != "?;")
                continue;
            if (first.count() == 0)
                first = e.at;
            last = e.at;
            (e.direction == sim::Direction::Received ? toRadio : fromRadio) += e.text.size();
        }
        const int rate = rig.sim().model().lineRate();
        const double lineMs = static_cast<double>(toRadio + fromRadio) * sim::kBitsPerCharacter * 1000.0 / rate;
        const double perByte = sim::kBitsPerCharacter * 1000.0 / rate;
        std::cout << "[ FIGURE   ] 504 channels read in " << (last - first).count() << " ms; at " << rate
                  << " bit/s the " << toRadio << " bytes to the radio take " << toRadio * perByte << " ms, the "
                  << fromRadio << " bytes back " << fromRadio * perByte << " ms (" << lineMs << " ms both ways)\n";
    }

    // A CHIRP list written by hand: a DTCS row and a row on 2 m are reported;
    // nothing is sent.
    const std::string chirp = (rig.dir() / "club.csv").string();
    writeFile(chirp, "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,"
                     "TStep,Skip,Comment\n"
                     "1,FT8,14.074000,,0.000000,,88.5,88.5,023,NN,USB,5.00,,\n"
                     "3,Net,3.700000,,0.000000,,88.5,88.5,023,NN,LSB,5.00,,\n"
                     "17,10m rpt,29.640000,-,0.100000,Tone,88.5,88.5,023,NN,FM,5.00,,\n"
                     "18,DTCS,29.660000,-,0.100000,DTCS,88.5,88.5,023,NN,FM,5.00,,\n"
                     "19,2m,146.520000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,\n");
    std::size_t from = rig.sim().log().size();
    std::size_t text = printed().size();
    run("channels import " + chirp + " --write");
    EXPECT_NE(printed().find("line 5 (channel 18): DTCS", text), std::string::npos) << printed().substr(text);
    EXPECT_NE(printed().find("line 6 (channel 19): frequency 146.520000 MHz", text), std::string::npos);
    EXPECT_NE(printed().find("MR017 Channel 17: radio 29.620000 MHz FM", text), std::string::npos);
    EXPECT_EQ(printed().find("MR001 Channel 1", text), std::string::npos) << "channel 1 is as in the file";
    EXPECT_NE(complaints().find("nothing was written"), std::string::npos) << complaints();
    EXPECT_TRUE(receivedSince(from, "MW").empty());

    // Three channels edited: only they are written, each read back equal.
    writeFile(chirp, "# three edits\nLocation,Frequency,Mode,Name,Tone,rToneFreq,Duplex,Offset\n"
                     "1,14.074000,USB,FT8,,88.5,,0\n"
                     "3,3.700000,LSB,Net,,88.5,,0\n"
                     "17,29.640000,FM,10m rpt,Tone,88.5,-,0.100000\n"
                     "250,10.140000,DATA-L,,,88.5,,0\n");
    from = rig.sim().log().size();
    text = printed().size();
    run("channels import " + chirp + " --write");
    EXPECT_EQ(receivedSince(from, "MW"),
              (std::vector<std::string>{memoryWriteText(3, {3700000, 0, 0, 0, 1, 0, 8, 0}),
                                        memoryWriteText(17, {29640000, 0, 0, 0, 4, 2, 8, 2}),
                                        memoryWriteText(250, {10140000, 0, 0, 0, 8, 0, 8, 0})}))
        << printed().substr(text) << complaints();
    EXPECT_NE(printed().find("channels import: 3 of 3 channels written", text), std::string::npos);
    EXPECT_EQ(radioAnswer("MR017"), "MR017" + memoryWriteText(17, {29640000, 0, 0, 0, 4, 2, 8, 2}).substr(5));

    // Export and import again: nothing differs, in either format; the labels travel.
    for (const char* name : {"all.csv", "all.json"}) {
        const std::string path = (rig.dir() / name).string();
        text = printed().size();
        run("channels export " + path);
        EXPECT_NE(printed().find("channels export: 6 channels in use written to " + path, text), std::string::npos)
            << printed().substr(text) << complaints();
        const ChannelImport back = loadChannelFile(path, std::nullopt);
        ASSERT_EQ(back.channels.size(), 6u) << back.error;
        EXPECT_EQ(back.channels[2].channel, 3);
        EXPECT_EQ(back.channels[2].label, "Net");
        text = printed().size();
        from = rig.sim().log().size();
        run("channels import " + path);
        EXPECT_NE(printed().find("channels import: 0 channels differ from the radio", text), std::string::npos)
            << printed().substr(text);
        EXPECT_TRUE(receivedSince(from, "MW").empty());
    }
}

TEST_F(MemoryChannels, RecallPutsTheRadioOnTheChannelAsItsKeysWould)
{
    std::size_t from = rig.sim().log().size();
    run("channels recall 17");
    EXPECT_NE(printed().find("channels recall: 17 on the channel"), std::string::npos) << printed() << complaints();
    EXPECT_EQ(receivedSince(from, "VM"), std::vector<std::string>{"VM;"});
    EXPECT_EQ(receivedSince(from, "MC0"), std::vector<std::string>{"MC017;"});
    EXPECT_EQ(radioAnswer("FA"), "FA29620000;");

    // Already in memory mode: V/M is not pressed again (it would leave it).
    from = rig.sim().log().size();
    run("channels recall 504");
    EXPECT_TRUE(receivedSince(from, "VM").empty());
    EXPECT_EQ(radioAnswer("FA"), "FA03573000;");

    // An empty channel cannot be recalled: the verb fails.
    run("channels recall 300");
    EXPECT_NE(complaints().find("did not confirm memory channel 300"), std::string::npos) << complaints();
    run("channels recall 0");
    EXPECT_NE(complaints().find("channels recall: N is one channel"), std::string::npos) << complaints();
}

} // namespace
} // namespace qx::test
