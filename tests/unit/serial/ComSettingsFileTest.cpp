#include "serial/ComSettingsFile.h"

#include "serial/ComLink.h"
#include "tests/FakeOutbox.h"
#include "tests/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace qx {
namespace {

struct ComSettingsFileTest : ::testing::Test {
    test::TempDir dir;
    test::FakeOutbox outbox;
    ComLink link{nullptr, nullptr, outbox, nullptr};

    void set(int port, int baud, int reserved)
    {
        link.setPortNumber(port);
        link.setBaudRate(baud);
        link.setReserved(reserved);
    }
    std::tuple<int, int, int> get() const { return {link.portNumber(), link.baudRate(), link.reserved()}; }
};

TEST_F(ComSettingsFileTest, ReadsTheFieldsInOrderThroughTheSetters)
{
    const ComSettingsFile file(dir.path, false);
    struct Case { std::string content; std::tuple<int, int, int> after; };
    const std::vector<Case> cases{
        {"3,9600,0\n", {3, 9600, 0}},
        {"5", {5, 19200, 4}}, // fewer fields leave the rest
        {"6\n38400\n2,99\n", {6, 38400, 2}},
        {" 8,\t+9600 ,-5\r\n", {8, 9600, -5}},
        // Before, the byte-order mark an editor put in front made the port 0, so COM1.
        {"\xEF\xBB\xBF" "12,38400,0\r\n", {12, 38400, 0}},
    };
    for (const auto& c : cases) {
        set(9, 19200, 4);
        dir.write("CommoFiles/CommSetting.csv", c.content);
        std::string why;
        EXPECT_TRUE(file.read(link, &why)) << c.content << why;
        EXPECT_EQ(get(), c.after) << c.content;
        EXPECT_FALSE(std::filesystem::exists(file.path().string() + ".bad")) << c.content;
    }
}

// Before, these were read as 0 or taken as defaults without a word, and the
// save at shutdown replaced what the operator had written.
TEST_F(ComSettingsFileTest, FieldsThatAreNoNumbersOrOutOfRangeAreReportedAndKeptAside)
{
    const ComSettingsFile file(dir.path, false);
    const std::string csv = file.path().string();
    struct Case { std::string content; std::string reason; std::tuple<int, int, int> after; };
    const std::vector<Case> cases{
        {"21,57600,0\n", "port 21 is outside 1 to 20", {1, 4800, 0}},
        {"3,57600,0\n", "speed 57600 is not one of 4800, 9600, 19200 and 38400 bit/s", {3, 4800, 0}},
        {"abc,def\n", "the port number \"abc\" is not a number", {1, 4800, 4}},
        {"7,9600x,1\n", "the speed \"9600x\" is not a number", {7, 4800, 1}},
        {"7,9600,99999999999999999999", "the third value \"99999999999999999999\" is not a number", {7, 9600, 0}},
        {std::string("\0\x01\x83,\xfe", 5), "the port number \"\\x00\\x01\\x83,\\xFE\" is not a number", {1, 19200, 4}},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(dir.path / "CommoFiles");
        set(9, 19200, 4);
        dir.write("CommoFiles/CommSetting.csv", c.content);
        std::string why;
        EXPECT_FALSE(file.read(link, &why)) << c.content;
        EXPECT_EQ(why, csv + ": " + c.reason + "; it was renamed to CommSetting.csv.bad");
        EXPECT_EQ(get(), c.after) << c.content;
        EXPECT_EQ(dir.read("CommoFiles/CommSetting.csv.bad"), c.content);
    }

    // Nothing in the way of the copy is replaced: the file stays where it is.
    std::filesystem::remove_all(dir.path / "CommoFiles");
    dir.write("CommoFiles/CommSetting.csv", "x\n");
    ASSERT_EQ(::mkfifo((csv + ".bad").c_str(), 0600), 0);
    std::string why;
    EXPECT_FALSE(file.read(link, &why));
    EXPECT_EQ(why, csv + ": the port number \"x\" is not a number; it could not be renamed to CommSetting.csv.bad "
                         "(not a regular file (a FIFO); it was left as it is)");
    EXPECT_EQ(dir.read("CommoFiles/CommSetting.csv"), "x\n");
}

TEST_F(ComSettingsFileTest, WriteReplacesTheWholeFileAndEachCopyKeepsItsOwn)
{
    dir.write("CommoFiles/CommSetting.csv", "20,38400,12345678,and a long tail\n");
    set(2, 19200, 7);
    ASSERT_TRUE(ComSettingsFile(dir.path, false).write(link));
    set(9, 38400, 1);
    ASSERT_TRUE(ComSettingsFile(dir.path, true).write(link));
    EXPECT_EQ(dir.read("CommoFiles/CommSetting.csv"), "2,19200,7\n");
    EXPECT_EQ(dir.read("CommoFiles/CommSettingTmp.csv"), "9,38400,1\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path / "CommoFiles"), {}), 2);

    set(1, 4800, 0);
    EXPECT_TRUE(ComSettingsFile(dir.path, false).read(link));
    EXPECT_EQ(get(), std::tuple(2, 19200, 7));
}

// Before, a FIFO here blocked start-up for ever.
TEST_F(ComSettingsFileTest, WhatCannotBeReadAsSettingsIsReportedOnceAndKeptAside)
{
    namespace fs = std::filesystem;
    const ComSettingsFile file(dir.path, false);
    const fs::path csv = dir.path / "CommoFiles" / "CommSetting.csv";
    const fs::path bad = dir.path / "CommoFiles" / "CommSetting.csv.bad";
    const auto fifo = [&] {
        fs::create_directories(csv.parent_path());
        ::mkfifo(csv.c_str(), 0600);
    };
    const auto folder = [&] { fs::create_directories(csv / "inside"); };
    const auto huge = [&] { dir.write("CommoFiles/CommSetting.csv", std::string(ComSettingsFile::kMaxBytes + 1, '3')); };
    const auto blank = [&] { dir.write("CommoFiles/CommSetting.csv", "\n\r\n\n"); };
    const struct {
        std::function<void()> make;
        std::string reason;
    } cases[] = {
        {fifo, ": not a regular file; it was renamed to CommSetting.csv.bad"},
        {folder, ": not a regular file; it was renamed to CommSetting.csv.bad"},
        {huge, ": larger than 65536 bytes; it was renamed to CommSetting.csv.bad"},
        {blank, ": no settings in it; it was renamed to CommSetting.csv.bad"},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir.path / "CommoFiles");
        c.make();
        set(9, 19200, 4);
        std::string why;
        EXPECT_FALSE(file.read(link, &why));
        EXPECT_EQ(why, csv.string() + c.reason);
        EXPECT_EQ(get(), std::tuple(1, 4800, 0));
        EXPECT_FALSE(fs::exists(fs::symlink_status(csv))) << c.reason;
        EXPECT_TRUE(fs::exists(fs::symlink_status(bad))) << c.reason;
        // The defaults written at shutdown take its place; the next start is quiet.
        EXPECT_TRUE(file.write(link));
        EXPECT_TRUE(file.read(link, &why));
    }
}

TEST_F(ComSettingsFileTest, NothingThereOrAnEmptyFileIsReportedButNothingIsKeptAside)
{
    const ComSettingsFile file(dir.path, false);
    const auto csv = (dir.path / "CommoFiles" / "CommSetting.csv").string();
    std::string why;
    EXPECT_FALSE(file.read(link, &why));
    EXPECT_EQ(why, csv + ": no such file");
    dir.write("CommoFiles/CommSetting.csv", "");
    EXPECT_FALSE(file.read(link, &why));
    EXPECT_EQ(why, csv + ": the file is empty");
    EXPECT_FALSE(std::filesystem::exists(csv + ".bad"));
}

TEST_F(ComSettingsFileTest, ASaveThatFailsSaysWhy)
{
    const ComSettingsFile file(dir.path, false);
    const auto csv = dir.path / "CommoFiles" / "CommSetting.csv";
    std::filesystem::create_directories(csv / "inside"); // a folder in the file's place
    std::string why;
    EXPECT_FALSE(file.write(link, &why));
    EXPECT_THAT(why, ::testing::StartsWith(csv.string() + ": "));
    EXPECT_TRUE(std::filesystem::is_directory(csv / "inside")) << "nothing of it is lost";

    std::filesystem::remove_all(dir.path / "CommoFiles");
    dir.write("CommoFiles", "a file where the folder belongs");
    EXPECT_FALSE(file.write(link, &why));
    EXPECT_THAT(why, ::testing::StartsWith((dir.path / "CommoFiles").string() + ": "));
}

TEST_F(ComSettingsFileTest, PathsOf260CharactersOrMoreAreLeftAlone)
{
    // base + "CommoFiles" (10) + "CommSetting.csv" (15) must stay below 260.
    const std::size_t room = 260 - 25 - dir.path.native().size() - 1;
    const auto fits = dir.path / std::string(room - 1, 'd');
    const auto tooLong = dir.path / std::string(room, 'd');
    ASSERT_EQ(fits.native().size() + 25, 259u);
    set(6, 9600, 0);
    EXPECT_TRUE(ComSettingsFile(fits, false).write(link));
    EXPECT_FALSE(ComSettingsFile(tooLong, false).write(link));
    EXPECT_FALSE(ComSettingsFile(tooLong, false).read(link));
    EXPECT_EQ(get(), std::tuple(6, 9600, 0)); // untouched, not reset to defaults
}

} // namespace
} // namespace qx
