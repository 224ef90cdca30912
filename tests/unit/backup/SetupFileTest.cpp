// The backup file: what a save writes reads back the same, and every kind of
// bad file is refused whole with a reason the operator can act on.
#include "backup/SetupFileIo.h"
#include "backup/SetupSnapshot.h"
#include "tests/TempDir.h"
#include "tests/unit/backup/BackupWorld.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace qx::test {
namespace {

using RInt = RadioState::Int;

struct SetupFileTest : BackupWorld {
    SetupFileTest()
    {
        setMenuValue(21, 60);    // CWSPEED at the top of its range
        setMenuValue(25, -300);  // D DISP at the bottom
        setMenuValue(29, 4);     // DIALSTP: slot 29, numbered 27
        setMenuValue(65, 1);     // MY BAND: only GEN
        menu.update(5, [](MenuItem& item) {
            item.value = 3;
            item.text = "CQ TEST DE QX1AB";
            return true;
        });
        radio.setKeyerText(1, "CQ CQ DE QX1AB K" + std::string(34, ' '));
        radio.setKeyerText(3, "599 TU");
    }

    SetupFile snapshot()
    {
        return snapshotSetup(menu, radio, ChannelRange{1, 40},
                             {{7, MemoryChannel{7074000, 0, 0, 0, 2, 0, 8, 0}},
                              {40, MemoryChannel{50313000, -9999, 1, 1, 9, 2, 49, 2}}},
                             "RCP-720 VERSION  1.10", "2024-05-01T12:00:00Z");
    }

    // The saved text with one change made by `edit`.
    std::string edited(const std::function<void(QJsonObject&)>& edit)
    {
        QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(setupToJson(snapshot()))).object();
        edit(root);
        return QJsonDocument(root).toJson().toStdString();
    }
    // ... with menu slot `slot`'s field `key` set to `value`.
    std::string withMenuField(int slot, const char* key, const QJsonValue& value)
    {
        return edited([&](QJsonObject& root) {
            QJsonArray menuEntries = root["menu"].toArray();
            for (int i = 0; i < menuEntries.size(); ++i) {
                QJsonObject e = menuEntries[i].toObject();
                if (e["slot"].toInt() == slot) {
                    e[key] = value;
                    menuEntries[i] = e;
                }
            }
            root["menu"] = menuEntries;
        });
    }

    std::string refusal(const std::string& text) { return setupFromJson(text, menu).error; }
};

TEST_F(SetupFileTest, WhatIsSavedReadsBackTheSame)
{
    const SetupFile saved = snapshot();
    const SetupParse back = setupFromJson(setupToJson(saved), menu);
    ASSERT_TRUE(back.file) << back.error;
    const SetupFile& f = *back.file;
    EXPECT_EQ(f.radioId, "0241");
    EXPECT_EQ(f.program, "RCP-720 VERSION  1.10");
    EXPECT_EQ(f.savedAt, "2024-05-01T12:00:00Z");
    ASSERT_EQ(f.menu.size(), 63u);
    for (std::size_t i = 0; i < f.menu.size(); ++i) {
        EXPECT_EQ(f.menu[i].slot, saved.menu[i].slot);
        EXPECT_EQ(f.menu[i].name, saved.menu[i].name);
        EXPECT_EQ(f.menu[i].value, saved.menu[i].value) << f.menu[i].name;
        EXPECT_EQ(f.menu[i].text, saved.menu[i].text) << f.menu[i].name;
    }
    EXPECT_EQ(f.keyer.size(), 3u);
    EXPECT_EQ(f.keyer[0].text, "CQ CQ DE QX1AB K"); // the radio's padding is not part of it
    EXPECT_EQ(f.keyer[1].text, "");
    ASSERT_EQ(f.channelRange, (ChannelRange{1, 40}));
    ASSERT_EQ(f.channels.size(), 2u);
    EXPECT_EQ(f.channels[1].channel, 40);
    EXPECT_EQ(f.channels[1].content, saved.channels[1].content);
}

TEST_F(SetupFileTest, TheFileReadsToPeopleBySlotNameAndSetting)
{
    const std::string text = setupToJson(snapshot());
    for (const char* part : {"\"slot\": 29", "\"number\": 27", "\"name\": \"DIALSTP\"", "\"setting\": \"60wpm\"",
                             "\"setting\": \"GEN\"", "\"text\": \"CQ TEST DE QX1AB\"", "\"radioId\": \"0241\"",
                             "\"formatVersion\": 1", "50.313000 MHz"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    // Saved without channels: none are listed, and none would be compared.
    const SetupFile bare = snapshotSetup(menu, radio, std::nullopt, {{7, {}}}, "p", "t");
    EXPECT_NE(setupToJson(bare).find("\"channels\": null"), std::string::npos);
    EXPECT_FALSE(setupFromJson(setupToJson(bare), menu).file->channelRange);
}

TEST_F(SetupFileTest, FilesOfAnotherKindOrVersionAreRefused)
{
    EXPECT_NE(refusal("this is not JSON").find("not a set-up file"), std::string::npos);
    EXPECT_NE(refusal("[1, 2]").find("not a set-up file of this program"), std::string::npos);
    EXPECT_NE(refusal(edited([](QJsonObject& r) { r["format"] = "other"; })).find("not a set-up file of this program"),
              std::string::npos);
    EXPECT_NE(refusal(edited([](QJsonObject& r) { r["formatVersion"] = 2; })).find("format version 2"),
              std::string::npos);
    EXPECT_NE(refusal(edited([](QJsonObject& r) { r["radioId"] = "24x"; })).find("radioId"), std::string::npos);
    EXPECT_NE(refusal(edited([](QJsonObject& r) { r["menu"] = 3; })).find("\"menu\" must be a list"),
              std::string::npos);
}

TEST_F(SetupFileTest, UnknownEntriesAndValuesOutOfRangeAreRefusedByName)
{
    struct Case {
        std::string text;
        std::string reason;
    };
    const Case cases[] = {
        {withMenuField(21, "name", "CWSPED"), "menu slot 21: unknown menu entry \"CWSPED\""},
        {withMenuField(21, "value", 61), "menu slot 21 (CWSPEED): value 61 is out of range (4 to 60)"},
        {withMenuField(21, "value", 3), "out of range (4 to 60)"},
        {withMenuField(21, "value", 12.5), "value 12.5 is out of range"},
        {withMenuField(21, "value", "12"), "value that is not a number"},
        {withMenuField(66, "value", 64), "MY MODE): value 64 is out of range (0 to 63)"},
        {withMenuField(10, "value", 5), "CATRATE): value 5 is out of range (1 to 4)"},
        {withMenuField(5, "text", "cq test"), "menu slot 5: the text holds characters the radio cannot show"},
        {withMenuField(5, "text", std::string(41, 'A').c_str()), "longer than 40 characters"},
        {withMenuField(5, "value", 4), "BCN TXT): value 4 is out of range (0 to 3)"},
    };
    for (const Case& c : cases) {
        const std::string why = refusal(c.text);
        EXPECT_NE(why.find(c.reason), std::string::npos) << "got: " << why << "\nwanted: " << c.reason;
    }
    const std::string vacant = edited([](QJsonObject& r) {
        QJsonArray m = r["menu"].toArray();
        m.append(QJsonObject{{"slot", 27}, {"name", "DIALSTP"}, {"value", 1}});
        r["menu"] = m;
    });
    EXPECT_NE(refusal(vacant).find("menu slot 27: unknown menu entry \"DIALSTP\""), std::string::npos);
    const std::string twice = edited([](QJsonObject& r) {
        QJsonArray m = r["menu"].toArray();
        m.append(m[20]);
        r["menu"] = m;
    });
    EXPECT_NE(refusal(twice).find("appears twice"), std::string::npos);
}

// Code 6 reads as the program sets it (DATA, flavoured by D TYPE); a file
// that still says RTTY-L beside it reads as before, by its number.
TEST_F(SetupFileTest, TheDataModeIsNamedAsThePanelNamesIt)
{
    const SetupFile saved = snapshotSetup(menu, radio, ChannelRange{1, 2},
                                          {{2, MemoryChannel{14080000, 0, 0, 0, 6, 0, 8, 0}}}, "p", "t");
    std::string text = setupToJson(saved);
    const std::string now = "14.080000 MHz DATA,";
    const std::size_t at = text.find(now);
    ASSERT_NE(at, std::string::npos) << text;
    text.replace(at, now.size(), "14.080000 MHz RTTY-L,");
    const SetupParse back = setupFromJson(text, menu);
    ASSERT_TRUE(back.file) << back.error;
    ASSERT_EQ(back.file->channels.size(), 1u);
    EXPECT_EQ(back.file->channels[0].content.mode, 6);
}

TEST_F(SetupFileTest, KeyerAndChannelFieldsOutOfRangeAreRefused)
{
    const auto keyer = [&](const QJsonValue& memory, const QJsonValue& text) {
        return edited([&](QJsonObject& r) { r["keyer"] = QJsonArray{QJsonObject{{"memory", memory}, {"text", text}}}; });
    };
    EXPECT_NE(refusal(keyer(4, "CQ")).find("\"memory\" 4 is out of range (1 to 3)"), std::string::npos);
    EXPECT_NE(refusal(keyer(1, "CQ;FA7000000")).find("keyer memory 1: the text holds characters"), std::string::npos);
    EXPECT_NE(refusal(keyer(1, QString(51, 'A'))).find("longer than 50"), std::string::npos);
    EXPECT_EQ(refusal(keyer(1, QString(50, 'A'))), "");

    const auto channel = [&](const char* key, const QJsonValue& value) {
        return edited([&](QJsonObject& r) {
            QJsonObject channels = r["channels"].toObject();
            QJsonArray held = channels["held"].toArray();
            QJsonObject c = held[0].toObject();
            c[key] = value;
            held[0] = c;
            channels["held"] = held;
            r["channels"] = channels;
        });
    };
    EXPECT_NE(refusal(channel("mode", 12)).find("channel 7: \"mode\" 12 is out of range (0 to 9)"), std::string::npos);
    EXPECT_NE(refusal(channel("offset", -10000)).find("\"offset\" -10000 is out of range"), std::string::npos);
    EXPECT_NE(refusal(channel("frequency", 100000000)).find("\"frequency\" 100000000 is out of range"),
              std::string::npos);
    EXPECT_NE(refusal(channel("frequency", 1e300)).find("\"frequency\" 1e+300 is out of range"), std::string::npos);
    EXPECT_NE(refusal(channel("channel", 41)).find("\"channel\" 41 is out of range (1 to 40)"), std::string::npos);
    EXPECT_NE(refusal(channel("channel", 40)).find("listed once each"), std::string::npos);
    EXPECT_EQ(refusal(channel("tone", 49)), "");
}

TEST_F(SetupFileTest, OnDiskTheFileIsBoundedAndWrittenWhole)
{
    TempDir dir;
    std::string why;
    ASSERT_TRUE(saveSetupFile(dir.path / "radio.json", snapshot(), why)) << why;
    const SetupParse back = loadSetupFile(dir.path / "radio.json", menu);
    ASSERT_TRUE(back.file) << back.error;
    EXPECT_EQ(back.file->channels.size(), 2u);

    // A 50 MB file is refused after the first megabyte, not read whole.
    const auto big = dir.path / "big.json";
    const int fd = ::open(big.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 50 * 1024 * 1024), 0);
    ::close(fd);
    EXPECT_NE(loadSetupFile(big, menu).error.find("larger than 1048576 bytes"), std::string::npos);
    EXPECT_NE(loadSetupFile(dir.path, menu).error.find("not a regular file"), std::string::npos);
    EXPECT_NE(loadSetupFile(dir.path / "missing.json", menu).error.find("No such file"), std::string::npos);

    EXPECT_FALSE(saveSetupFile(dir.path / "no" / "such" / "folder.json", snapshot(), why));
    EXPECT_NE(why.find("cannot write"), std::string::npos);
    EXPECT_FALSE(saveSetupFile({}, snapshot(), why));

    // Before, "backup /dev/full" (or a FIFO) was replaced by the saved file.
    const auto fifo = dir.path / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(saveSetupFile(fifo, snapshot(), why));
    EXPECT_EQ(why, "cannot write " + fifo.string() + ": not a regular file (a FIFO); it was left as it is");
    EXPECT_EQ(std::filesystem::status(fifo).type(), std::filesystem::file_type::fifo);
}

} // namespace
} // namespace qx::test
