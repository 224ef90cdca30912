#include "channels/ChannelFiles.h"
#include "channels/ChannelJson.h"
#include "channels/ChannelLimits.h"
#include "channels/ChirpCsv.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace qx {
namespace {

constexpr long long kShift = 100000; // the radio's repeater shift, 0.1 MHz

// As CHIRP writes a list: its own columns in its order, a comment line, a
// DTCS row and a row on 2 m, which this radio does not tune.
const char* const kChirpList =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,"
    "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
    "# exported for the club\r\n"
    "1,FT8 20m,14.074000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,USB,5.00,,,,,,,\r\n"
    "2,\"Net, 40m\",7.150000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,LSB,5.00,,,,,,,\r\n"
    "3,10m rpt,29.620000,-,0.100000,Tone,146.2,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,,\r\n"
    "4,DTCS rpt,29.640000,-,0.100000,DTCS,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,,\r\n"
    "5,2m call,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,,\r\n"
    "6,6m rpt,53.010000,-,1.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,FM,5.00,S,50W,club,,,,\r\n";

const ImportNote* noteFor(const ChannelImport& im, int channel)
{
    for (const ImportNote& n : im.notes)
        if (n.channel == channel)
            return &n;
    return nullptr;
}

TEST(ChirpCsv, ChirpListComesInWithWhatItCannotHoldReportedPerRow)
{
    const ChannelImport im = readChirpCsv(kChirpList, kShift);
    ASSERT_FALSE(im.refused()) << im.error;
    ASSERT_EQ(im.channels.size(), 4u);
    EXPECT_EQ(im.channels[0].channel, 1);
    EXPECT_EQ(im.channels[0].content.frequency, 14074000);
    EXPECT_EQ(im.channels[0].content.mode, 2);
    EXPECT_EQ(im.channels[1].label, "Net, 40m");
    EXPECT_EQ(im.channels[1].content.mode, 1);
    const MemoryChannel& rpt = im.channels[2].content;
    EXPECT_EQ(rpt.shift, 2);
    EXPECT_EQ(rpt.toneMode, 2);
    EXPECT_EQ(rpt.tone, 23); // 146.2 Hz
    const MemoryChannel& six = im.channels[3].content;
    EXPECT_EQ(im.channels[3].channel, 6);
    EXPECT_EQ(six.toneMode, 1);
    EXPECT_EQ(six.tone, 12); // 100.0 Hz, from cToneFreq

    const ImportNote* dtcs = noteFor(im, 4);
    ASSERT_NE(dtcs, nullptr);
    EXPECT_TRUE(dtcs->rowRefused);
    EXPECT_EQ(dtcs->line, 6);
    EXPECT_NE(dtcs->text.find("DTCS"), std::string::npos);
    const ImportNote* twoMetres = noteFor(im, 5);
    ASSERT_NE(twoMetres, nullptr);
    EXPECT_TRUE(twoMetres->rowRefused);
    EXPECT_NE(twoMetres->text.find("146.520000"), std::string::npos);
    // Taken, with the offset, scan skip, power and comment it cannot keep named.
    int sixNotes = 0;
    for (const ImportNote& n : im.notes)
        if (n.channel == 6) {
            EXPECT_FALSE(n.rowRefused) << n.text;
            ++sixNotes;
        }
    EXPECT_EQ(sixNotes, 4);
    EXPECT_EQ(noteFor(im, 1), nullptr);
    EXPECT_EQ(noteFor(im, 3), nullptr);
}

TEST(ChirpCsv, ColumnsAreFoundByNameInAnyOrder)
{
    const ChannelImport im = readChirpCsv("mode,frequency,location\nCW,3.560,504\nRTTYR,14.080,17\n", kShift);
    ASSERT_FALSE(im.refused()) << im.error;
    ASSERT_EQ(im.channels.size(), 2u);
    EXPECT_EQ(im.channels[0].channel, 17);
    EXPECT_EQ(im.channels[0].content.mode, 9);
    EXPECT_EQ(im.channels[1].channel, 504);
    EXPECT_EQ(im.channels[1].content.frequency, 3560000);
    EXPECT_EQ(im.channels[1].content.mode, 3);
}

// Code 6 is the data mode (the DATA key, flavoured by D TYPE); files written
// when it was called RTTY-L still read.
TEST(ChirpCsv, TheDataModeIsReadByItsNameAndItsOldOne)
{
    EXPECT_EQ(channelModeName(6), "DATA");
    const ChannelImport im = readChirpCsv("location,frequency,mode\n1,14.080,data\n2,7.040,RTTY-L\n", kShift);
    ASSERT_FALSE(im.refused()) << im.error;
    ASSERT_EQ(im.channels.size(), 2u);
    EXPECT_EQ(im.channels[0].content.mode, 6);
    EXPECT_EQ(im.channels[1].content.mode, 6);
}

TEST(ChirpCsv, FilesThatAreNoChannelListAreRefusedWhole)
{
    struct Case {
        std::string text;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"", "no header"},
        {std::string("\x7f" "ELF\x01\x01\0\0binary", 14), "NUL"},
        {"Location,Frequency\n1,\"14.0\n", "never closed"},
        {"Channel,Freq,Mode\n1,14.074,USB\n", "no \"Location\""},
        {"Location,Name\n1,x\n", "no \"Frequency\""},
        {"Location,Frequency,Location\n1,14.0,2\n", "twice"},
        {"Location,Frequency\n7,14.0\n8,7.0\n7,3.6\n", "channel 7 is already on line 2"},
        {std::string(kChannelFileLimit + 1, 'a'), "larger than"},
    };
    for (const Case& c : cases) {
        const ChannelImport im = readChirpCsv(c.text, kShift);
        EXPECT_TRUE(im.refused()) << c.reason;
        EXPECT_NE(im.error.find(c.reason), std::string::npos) << im.error;
        EXPECT_TRUE(im.channels.empty());
    }
}

TEST(ChirpCsv, BadRowsAreLeftOutWithTheirLineAndReason)
{
    const ChannelImport im = readChirpCsv("Location,Frequency,Mode,Tone,rToneFreq,Duplex\n"
                                          "0,14.0,USB,,,\n"
                                          "505,14.0,USB,,,\n"
                                          "x,14.0,USB,,,\n"
                                          "1,14.0000001,USB,,,\n"
                                          "2,0.010,USB,,,\n"
                                          "3,14.0,NFM,,,\n"
                                          "4,29.6,FM,Tone,88.6,\n"
                                          "5,29.6,FM,,,split\n"
                                          "6,29.6,FM,Cross,,\n"
                                          "7,14.0,USB,,,,extra\n"
                                          "8,14.2,USB,,,\n",
                                          kShift);
    ASSERT_FALSE(im.refused()) << im.error;
    ASSERT_EQ(im.channels.size(), 1u);
    EXPECT_EQ(im.channels[0].channel, 8);
    ASSERT_EQ(im.notes.size(), 10u);
    const std::vector<std::string> reasons = {"outside 1 to 504", "outside 1 to 504", "not a channel number",
                                              "not a frequency",  "outside what the radio tunes", "NFM",
                                              "88.6",             "split", "cross", "fields"};
    for (std::size_t i = 0; i < reasons.size(); ++i) {
        EXPECT_TRUE(im.notes[i].rowRefused);
        EXPECT_EQ(im.notes[i].line, static_cast<int>(i) + 2);
        EXPECT_NE(im.notes[i].text.find(reasons[i]), std::string::npos) << im.notes[i].text;
    }
}

TEST(ChirpCsv, ExportThenImportGivesEveryFieldBack)
{
    std::vector<ChannelEntry> list;
    for (int mode = 1; mode <= 9; ++mode) {
        MemoryChannel c;
        c.frequency = 1800000 + mode * 3333333LL + mode;
        c.mode = mode;
        c.offset = mode % 2 ? -1111 * mode : 99 * mode;
        c.rxClarifier = mode % 2;
        c.txClarifier = (mode / 2) % 2;
        c.toneMode = mode % 3;
        c.tone = mode * 5;
        c.shift = (mode + 1) % 3;
        list.push_back({mode * 50, c, mode == 3 ? "Quote \"here\", comma" : "ch" + std::to_string(mode)});
    }
    const ChannelImport csv = readChirpCsv(writeChirpCsv(list, kShift), kShift);
    ASSERT_FALSE(csv.refused()) << csv.error;
    EXPECT_TRUE(csv.notes.empty()) << noteText(csv.notes.front());
    ASSERT_EQ(csv.channels.size(), list.size());
    const ChannelImport json = readChannelJson(writeChannelJson(list, "0241"));
    ASSERT_FALSE(json.refused()) << json.error;
    ASSERT_EQ(json.channels.size(), list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(csv.channels[i].channel, list[i].channel);
        EXPECT_EQ(csv.channels[i].content, list[i].content) << list[i].channel;
        EXPECT_EQ(csv.channels[i].label, list[i].label);
        EXPECT_EQ(json.channels[i].content, list[i].content);
        EXPECT_EQ(json.channels[i].label, list[i].label);
    }
}

TEST(ChannelFiles, WritesOnlyOverRegularFilesAndReadsByEnding)
{
    test::TempDir dir;
    std::string why;
    const std::vector<ChannelEntry> list = {{9, MemoryChannel{7074000, 0, 0, 0, 8, 0, 8, 0}, "FT8"}};
    ASSERT_TRUE(saveChannelFile(dir.path / "a.csv", list, "0241", kShift, why)) << why;
    ASSERT_TRUE(saveChannelFile(dir.path / "a.json", list, "0241", kShift, why)) << why;
    EXPECT_EQ(loadChannelFile(dir.path / "a.csv", kShift).channels.at(0).label, "FT8");
    EXPECT_EQ(loadChannelFile(dir.path / "a.json", kShift).channels.at(0).content.mode, 8);

    std::filesystem::create_directory(dir.path / "folder.csv");
    EXPECT_FALSE(saveChannelFile(dir.path / "folder.csv", list, "0241", kShift, why));
    EXPECT_NE(why.find("not a regular file"), std::string::npos);
    ASSERT_EQ(::mkfifo((dir.path / "fifo.csv").c_str(), 0600), 0);
    EXPECT_FALSE(saveChannelFile(dir.path / "fifo.csv", list, "0241", kShift, why));
    EXPECT_TRUE(loadChannelFile(dir.path / "fifo.csv", kShift).refused());
    EXPECT_FALSE(saveChannelFile(dir.path / "a.txt", list, "0241", kShift, why));

    dir.write("big.csv", std::string(10 * 1024 * 1024, 'x'));
    const ChannelImport big = loadChannelFile(dir.path / "big.csv", kShift);
    EXPECT_TRUE(big.refused());
    EXPECT_NE(big.error.find("larger than"), std::string::npos);
}

TEST(ChannelJson, RefusesAChannelTheRadioCannotHold)
{
    std::vector<ChannelEntry> list = {{3, MemoryChannel{61000000, 0, 0, 0, 4, 0, 8, 0}, ""},
                                      {4, MemoryChannel{14200000, 0, 0, 0, 2, 0, 8, 0}, ""}};
    const ChannelImport im = readChannelJson(writeChannelJson(list, "0241"));
    ASSERT_EQ(im.channels.size(), 1u) << im.error;
    EXPECT_EQ(im.channels[0].channel, 4);
    ASSERT_EQ(im.notes.size(), 1u);
    EXPECT_TRUE(im.notes[0].rowRefused);
    EXPECT_TRUE(readChannelJson("{\"format\":\"qx720-setup\"}").refused());
    EXPECT_TRUE(readChannelJson("Location,Frequency\n").refused());
}

} // namespace
} // namespace qx
