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

TEST_F(ComSettingsFileTest, ReadsTheFieldsThroughTheSettersFallBacks)
{
    const ComSettingsFile file(dir.path, false);
    struct Case { std::string content; bool read; std::tuple<int, int, int> after; };
    const std::vector<Case> cases{
        {"3,9600,0\n", true, {3, 9600, 0}},
        {"21,57600,0\n", true, {1, 4800, 0}},
        {"5", true, {5, 19200, 4}}, // fewer fields leave the rest
        {"6\n38400\n2,99\n", true, {6, 38400, 2}},
        {" 8, +9600x,-5;\n", true, {8, 9600, -5}},
        {"abc,def\n", true, {1, 4800, 4}},
        {"99999999999999999999,9600,-99999999999999999999", true, {1, 9600, INT32_MIN}},
        {std::string("\0\x01\x83,\xfe", 5), true, {1, 19200, 4}}, // the lead byte swallows the comma
        {"", false, {1, 4800, 0}}, // as a missing file
        {"\n\r\n", false, {1, 4800, 0}}, // kept aside: see below
        {std::string(200000, '5'), false, {1, 4800, 0}},
    };
    for (const auto& c : cases) {
        set(9, 19200, 4);
        dir.write("CommoFiles/CommSetting.csv", c.content);
        EXPECT_EQ(file.read(link), c.read) << c.content.substr(0, 40);
        EXPECT_EQ(get(), c.after) << c.content.substr(0, 40);
    }
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
