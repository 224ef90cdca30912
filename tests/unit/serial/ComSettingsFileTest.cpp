#include "serial/ComSettingsFile.h"

#include "serial/ComLink.h"
#include "tests/FakeOutbox.h"
#include "tests/unit/serial/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace qx {
namespace {

class ComSettingsFileTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::FakeOutbox outbox;
    ComLink link{nullptr, nullptr, outbox, nullptr};
    ComSettingsFile file{dir.path(), false};

    void setLink(int port, int baud, int reserved)
    {
        link.setPortNumber(port);
        link.setBaudRate(baud);
        link.setReserved(reserved);
    }
    void expectLink(int port, int baud, int reserved)
    {
        EXPECT_EQ(link.portNumber(), port);
        EXPECT_EQ(link.baudRate(), baud);
        EXPECT_EQ(link.reserved(), reserved);
    }
};

TEST_F(ComSettingsFileTest, WritesOneLineAndReadsItBack)
{
    setLink(3, 9600, 0);
    ASSERT_TRUE(file.write(link));
    EXPECT_EQ(dir.readFile("CommoFiles/CommSetting.csv"), "3,9600,0\n");

    setLink(1, 4800, 0);
    EXPECT_TRUE(file.read(link));
    expectLink(3, 9600, 0);
}

TEST_F(ComSettingsFileTest, RewriteReplacesTheWholeFileAndLeavesNoTemporaries)
{
    dir.writeFile("CommoFiles/CommSetting.csv", "20,38400,12345678,and more text that is longer\n");
    setLink(2, 19200, 7);
    ASSERT_TRUE(file.write(link));
    EXPECT_EQ(dir.readFile("CommoFiles/CommSetting.csv"), "2,19200,7\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path() / "CommoFiles"))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(ComSettingsFileTest, SecondInstanceUsesItsOwnFile)
{
    dir.writeFile("CommoFiles/CommSetting.csv", "5,9600,0\n");
    dir.writeFile("CommoFiles/CommSettingTmp.csv", "7,19200,0\n");
    ComSettingsFile second(dir.path(), true);
    EXPECT_TRUE(second.read(link));
    expectLink(7, 19200, 0);

    setLink(9, 38400, 1);
    ASSERT_TRUE(second.write(link));
    EXPECT_EQ(dir.readFile("CommoFiles/CommSettingTmp.csv"), "9,38400,1\n");
    EXPECT_EQ(dir.readFile("CommoFiles/CommSetting.csv"), "5,9600,0\n");
}

struct ContentCase {
    const char* name;
    std::string content;
    bool read;
    int port, baud, reserved;
};

class ComSettingsContent : public ComSettingsFileTest, public ::testing::WithParamInterface<ContentCase> {};

TEST_P(ComSettingsContent, FallsBackWhereTheFileIsWrong)
{
    const auto& c = GetParam();
    setLink(9, 19200, 4);
    dir.writeFile("CommoFiles/CommSetting.csv", c.content);
    EXPECT_EQ(file.read(link), c.read);
    expectLink(c.port, c.baud, c.reserved);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComSettingsContent,
    ::testing::Values(
        ContentCase{"portTwenty", "20,9600,0\n", true, 20, 9600, 0},
        ContentCase{"portTwentyOneFallsBack", "21,9600,0\n", true, 1, 9600, 0},
        ContentCase{"unknownSpeedFallsBack", "4,57600,0\n", true, 4, 4800, 0},
        // Fewer fields leave the rest as they were.
        ContentCase{"portOnly", "5", true, 5, 19200, 4},
        ContentCase{"fieldsAcrossRows", "6\n38400\n2\n", true, 6, 38400, 2},
        ContentCase{"extraFieldsIgnored", "2,9600,3,99,100\n", true, 2, 9600, 3},
        ContentCase{"leadingBlanksAndSigns", " 8, +9600,-5\n", true, 8, 9600, -5},
        ContentCase{"trailingJunkAfterDigits", "3x,9600baud,1;\n", true, 3, 9600, 1},
        ContentCase{"garbageGivesZeroAndFallsBack", "abc,def,ghi\n", true, 1, 4800, 0},
        ContentCase{"hugeNumbersSaturate", "99999999999999999999,9600,-99999999999999999999\n", true, 1, 9600,
                    INT32_MIN},
        // A lead byte swallows the comma: one field, which is no number.
        ContentCase{"binary", std::string("\0\x01\xff\x83,\xfe\n", 7), true, 1, 19200, 4},
        ContentCase{"emptyGivesDefaults", "", false, 1, 4800, 0},
        ContentCase{"blankLinesGiveDefaults", "\n\r\n\n", false, 1, 4800, 0},
        ContentCase{"tooLargeGivesDefaults", std::string(200000, '5'), false, 1, 4800, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComSettingsFileTest, MissingFileGivesDefaults)
{
    setLink(9, 19200, 4);
    EXPECT_FALSE(file.read(link));
    expectLink(1, 4800, 0);
}

TEST_F(ComSettingsFileTest, UnwritableFolderReportsFailure)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes anywhere";
    std::filesystem::create_directories(dir.path() / "CommoFiles");
    ::chmod((dir.path() / "CommoFiles").c_str(), 0500);
    EXPECT_FALSE(file.write(link));
    ::chmod((dir.path() / "CommoFiles").c_str(), 0700);
}

TEST_F(ComSettingsFileTest, FolderNameTakenByAFileReportsFailure)
{
    dir.writeFile("CommoFiles", "not a folder");
    EXPECT_FALSE(file.write(link));
}

TEST_F(ComSettingsFileTest, OverlongPathIsNeitherReadNorWritten)
{
    // The base folder, "CommoFiles" (10) and "CommSetting.csv" (15) together
    // must stay below 260 characters.
    const std::size_t room = 260 - 10 - 15 - dir.path().native().size() - 1;
    const std::filesystem::path fits = dir.path() / std::string(room - 1, 'd');
    const std::filesystem::path tooLong = dir.path() / std::string(room, 'd');
    ASSERT_EQ(fits.native().size() + 25, 259u);

    setLink(6, 9600, 0);
    EXPECT_TRUE(ComSettingsFile(fits, false).write(link));
    EXPECT_FALSE(ComSettingsFile(tooLong, false).write(link));
    EXPECT_FALSE(std::filesystem::exists(tooLong));

    std::filesystem::create_directories(tooLong / "CommoFiles");
    std::ofstream(tooLong / "CommoFiles" / "CommSetting.csv") << "7,19200,0\n";
    setLink(2, 38400, 3);
    EXPECT_FALSE(ComSettingsFile(tooLong, false).read(link));
    expectLink(2, 38400, 3); // untouched, not reset to defaults
    EXPECT_TRUE(ComSettingsFile(fits, false).read(link));
    expectLink(6, 9600, 0);
}

} // namespace
} // namespace qx
