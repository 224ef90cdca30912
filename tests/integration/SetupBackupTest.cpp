// The set-up verbs of the headless runner against the simulated radio:
// save, changes made on the radio itself, compare, restore, and what never
// reaches the radio (the line speed, a bad file). Two tests, each on one
// linked radio, because a link-up takes seconds.
#include "app/qt/HeadlessRunner.h"
#include "backup/SetupJson.h"
#include "tests/integration/EngineRig.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

namespace qx::test {
namespace {

using std::chrono::milliseconds;

class SetupBackup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.simStarted());
        out = open_memstream(&outText, &outSize);
        err = open_memstream(&errText, &errSize);
        runner = std::make_unique<HeadlessRunner>(rig.engine(), rig.bridge(), out, err);
        runner->start(false);
        ASSERT_TRUE(rig.linkUp());
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

    // Runs one command line and waits until the runner took the next one.
    void run(const std::string& line)
    {
        const std::size_t from = rig.sim().log().size();
        runner->feedLine(line);
        runner->feedLine("send VC;"); // taken only once the verb has ended
        ASSERT_TRUE(rig.waitUntil(
            [&] { return rig.sim().log().waitForText(sim::Direction::Received, "VC;", milliseconds(0), from); },
            milliseconds(30000)))
            << line;
    }
    // The lines printed since `from` that start with a setting's key.
    std::vector<std::string> lines(std::size_t from)
    {
        std::vector<std::string> out;
        std::istringstream in(printed().substr(from));
        for (std::string l; std::getline(in, l);)
            if (l.size() > 3 && (l.rfind("EX", 0) == 0 || l.rfind("KM", 0) == 0 || l.rfind("MR", 0) == 0))
                out.push_back(l);
        return out;
    }
    static std::vector<std::string> keysOf(const std::vector<std::string>& lines)
    {
        std::vector<std::string> keys;
        for (const auto& l : lines)
            keys.push_back(l.substr(0, l.find(' ')));
        return keys;
    }
    static std::string readFile(const std::string& path)
    {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // What the radio answers to a read of `key` ("EX021", "KM1", "MR017").
    std::string radioAnswer(const std::string& key)
    {
        sim::RadioModel model = rig.sim().model();
        const auto answers = model.handle(key + ";");
        return answers.empty() ? std::string() : answers.front();
    }
    // Changes made on the radio's own keys, each waited for until the program's state shows it.
    void operate(const std::string& command, const std::function<bool()>& reported)
    {
        ASSERT_TRUE(rig.sim().operate(command)) << command;
        ASSERT_TRUE(rig.waitUntil(reported)) << command;
    }
    bool menuIs(int slot, double value) { return rig.menu().getEntry(slot).value == value; }
    // Set commands, keyer texts and memory writes the radio received since `from`.
    std::vector<std::string> writesSince(std::size_t from)
    {
        std::vector<std::string> out;
        const auto events = rig.sim().log().events();
        for (std::size_t i = from; i < events.size(); ++i) {
            const auto& e = events[i];
            if (e.direction != sim::Direction::Received)
                continue;
            const bool exSet = e.text.rfind("EX", 0) == 0 && e.text.size() > 6;
            const bool kmSet = e.text.rfind("KM", 0) == 0 && e.text.size() > 4;
            if (exSet || kmSet || e.text.rfind("MW", 0) == 0)
                out.push_back(e.text);
        }
        return out;
    }

    EngineRig rig;
    std::unique_ptr<HeadlessRunner> runner;
    FILE* out = nullptr;
    FILE* err = nullptr;
    char* outText = nullptr;
    char* errText = nullptr;
    std::size_t outSize = 0, errSize = 0;
    std::string file = (rig.dir() / "setup.json").string();
};

TEST_F(SetupBackup, SavedSetupComesBackAfterChangesOnTheRadio)
{
    operate("MW00314250000+000000100080;", [] { return true; });
    operate("MW01721074000+000000200080;", [] { return true; });
    operate("KM1CQ CQ DE QX1AB;", [&] { return rig.radio().keyerText(1).rfind("CQ CQ DE QX1AB", 0) == 0; });
    run("backup " + file + " 1-20");
    ASSERT_NE(printed().find("saved " + file + ": 63 menu entries, 3 keyer memories, 2 channels in use of 1-20"),
              std::string::npos)
        << printed() << complaints();

    // A dozen settings of different kinds, a keyer memory and channels.
    const std::map<std::string, std::string> changes{
        {"EX021", "EX02130;"},       {"EX029", "EX0293;"},    {"EX007", "EX007160;"},
        {"EX016", "EX016002;"},      {"EX025", "EX025+120;"}, {"EX050", "EX050060;"},
        {"EX024", "EX02440;"},       {"EX065", "EX06510101010101;"},
        {"EX066", "EX066100001;"},   {"EX060", "EX06012;"},   {"EX056", "EX0564;"},
        {"EX005", "EX0052QRV QRV;"}, {"EX064", "EX064200;"},
    };
    std::map<std::string, std::string> before;
    for (const auto& [key, command] : changes)
        before[key] = radioAnswer(key);
    before["KM1"] = radioAnswer("KM1");
    before["MR017"] = radioAnswer("MR017");
    for (const auto& [key, command] : changes) {
        const int slot = std::stoi(key.substr(2));
        const double was = rig.menu().getEntry(slot).value;
        const std::string wasText(rig.menu().getEntry(slot).text.view());
        operate(command, [&] {
            const MenuItem now = rig.menu().getEntry(slot);
            return now.value != was || now.text.view() != wasText;
        });
    }
    operate("KM1QRZ;", [&] { return rig.radio().keyerText(1).rfind("QRZ ", 0) == 0; });
    operate("MW01707074000+000000100080;", [] { return true; });
    operate("MW00514000000+000000300080;", [] { return true; });

    std::size_t from = printed().size();
    run("compare " + file);
    std::vector<std::string> expected;
    for (const auto& [key, command] : changes)
        expected.push_back(key);
    for (const char* key : {"KM1", "MR005", "MR017"})
        expected.push_back(key);
    std::vector<std::string> found = keysOf(lines(from));
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected) << printed();
    EXPECT_NE(printed().find("MR005 Channel 5: saved (empty), now 14.000000 MHz CW"), std::string::npos);
    EXPECT_NE(printed().find("EX029 DIALSTP: saved 10Hz, now 100Hz"), std::string::npos);

    from = printed().size();
    run("restore " + file);
    const auto restored = lines(from);
    EXPECT_EQ(restored.size(), expected.size()) << printed();
    for (const auto& l : restored) {
        if (l.rfind("MR005", 0) == 0)
            EXPECT_NE(l.find("left to the operator"), std::string::npos) << l;
        else
            EXPECT_NE(l.find(": restored"), std::string::npos) << l;
    }
    for (const auto& [key, answer] : before) {
        EXPECT_EQ(radioAnswer(key), answer) << key;
        EXPECT_NE(answer.substr(0, 2), "?;") << key;
    }
    // The channel the operator must clear is the one difference left.
    from = printed().size();
    run("compare " + file);
    EXPECT_EQ(keysOf(lines(from)), std::vector<std::string>{"MR005"});
    EXPECT_EQ(complaints().find("compare:"), std::string::npos) << complaints();

    // The line speed from a file is shown but never sent.
    QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(readFile(file))).object();
    QJsonArray menuEntries = root["menu"].toArray();
    for (int i = 0; i < menuEntries.size(); ++i)
        if (menuEntries[i].toObject()["name"] == "CATRATE") {
            QJsonObject e = menuEntries[i].toObject();
            e["value"] = 4;
            menuEntries[i] = e;
        }
    root["menu"] = menuEntries;
    const std::string fast = (rig.dir() / "fast.json").string();
    std::ofstream(fast) << QJsonDocument(root).toJson().toStdString();
    const std::size_t log = rig.sim().log().size();
    from = printed().size();
    run("restore " + fast + " CATRATE");
    EXPECT_EQ(lines(from), (std::vector<std::string>{"EX010 CATRATE: left to the operator (it sets the line speed, so "
                                                      "restoring it would cut the link)"}));
    EXPECT_EQ(writesSince(log), std::vector<std::string>{});
}

TEST_F(SetupBackup, BadFilesAndRefusedSettingsChangeNothingUnseen)
{
    run("backup " + file + " none");
    ASSERT_NE(printed().find("no channels"), std::string::npos) << complaints();
    const std::string saved = readFile(file);
    operate("EX01310;", [&] { return menuIs(13, 10); });
    operate("EX02130;", [&] { return menuIs(21, 30); });

    const auto write = [&](const std::string& name, const std::string& text) {
        const std::string path = (rig.dir() / name).string();
        std::ofstream(path) << text;
        return path;
    };
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = saved;
        const auto at = t.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return t.replace(at, from.size(), to);
    };
    const std::string huge = (rig.dir() / "huge.json").string();
    {
        const int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_EQ(::ftruncate(fd, 50 * 1024 * 1024), 0);
        ::close(fd);
    }
    const std::pair<std::string, std::string> bad[] = {
        {write("notjson.json", "{ menu: nothing"), "not a set-up file"},
        {write("other.json", replaced("\"radioId\": \"0241\"", "\"radioId\": \"0243\"")),
         "saved from a radio with ID 0243; this radio's ID is 0241"},
        {write("name.json", replaced("\"name\": \"CWSPEED\"", "\"name\": \"CW SPEED\"")), "unknown menu entry \"CW SPEED\""},
        {write("range.json", replaced("\"setting\": \"12wpm\",\n            \"slot\": 21,\n            \"value\": 12",
                                      "\"setting\": \"12wpm\",\n            \"slot\": 21,\n            \"value\": 99")),
         "value 99 is out of range (4 to 60)"},
        {huge, "larger than 1048576 bytes"},
    };
    const std::size_t log = rig.sim().log().size();
    for (const auto& [path, reason] : bad) {
        const std::size_t at = complaints().size();
        run("restore " + path);
        EXPECT_NE(complaints().find(reason, at), std::string::npos) << path << "\n" << complaints().substr(at);
    }
    EXPECT_EQ(writesSince(log), std::vector<std::string>{});

    // A setting the radio refuses is reported as refused; the rest are restored.
    rig.sim().refuseSets("EX013");
    const std::size_t from = printed().size();
    run("restore " + file);
    EXPECT_EQ(lines(from), (std::vector<std::string>{"EX013 CONT: refused by the radio", "EX021 CWSPEED: restored"}))
        << printed();
    EXPECT_NE(complaints().find("restore: 1 of 2 restored"), std::string::npos);
    EXPECT_EQ(radioAnswer("EX013"), "EX01310;");
    EXPECT_EQ(radioAnswer("EX021"), "EX02112;");
}

} // namespace
} // namespace qx::test
