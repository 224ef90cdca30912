#include "core/FileIo.h"
#include "core/KeyValueFile.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace qx {
namespace {

TEST(FileIo, ReadsOnlyRegularFilesWithinTheirLimitAndNeverWaits)
{
    test::TempDir dir;
    dir.write("plain", "12,38400,0\n");
    FileRead r = readRegularFile(dir.path / "plain", 64);
    ASSERT_TRUE(r.text);
    EXPECT_EQ(*r.text, "12,38400,0\n");

    r = readRegularFile(dir.path / "plain", 10);
    EXPECT_FALSE(r.text);
    EXPECT_EQ(r.error, "larger than 10 bytes");

    // A FIFO without a writer would block a plain open for ever.
    ASSERT_EQ(::mkfifo((dir.path / "fifo").c_str(), 0600), 0);
    r = readRegularFile(dir.path / "fifo", 64);
    EXPECT_FALSE(r.text);
    EXPECT_EQ(r.error, "not a regular file");

    std::filesystem::create_directory(dir.path / "folder");
    EXPECT_EQ(readRegularFile(dir.path / "folder", 64).error, "not a regular file");
    EXPECT_EQ(readRegularFile(dir.path / "missing", 64).error, "No such file or directory");
}

TEST(FileIo, AtomicWriteReplacesTheFileOrLeavesItAsItWas)
{
    test::TempDir dir;
    dir.write("CommSetting.csv", "old");
    std::string why;
    ASSERT_TRUE(writeFileAtomically(dir.path / "CommSetting.csv", "new\n", why)) << why;
    EXPECT_EQ(dir.read("CommSetting.csv"), "new\n");

    // A folder in the file's place: the write fails, says why, and leaves no temporary file.
    std::filesystem::create_directory(dir.path / "taken");
    EXPECT_FALSE(writeFileAtomically(dir.path / "taken", "x", why));
    EXPECT_FALSE(why.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path / "taken"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 2);
}

// Before, the rename replaced a FIFO or a device (through a link to it) with
// the new file, and a plain open of a FIFO waited for a reader for ever.
TEST(FileIo, EveryWriteRefusesATargetThatIsNotARegularFileAndNeverWaits)
{
    namespace fs = std::filesystem;
    test::TempDir dir;
    ASSERT_EQ(::mkfifo((dir.path / "fifo").c_str(), 0600), 0);
    fs::create_directory(dir.path / "folder");
    fs::create_symlink("/dev/null", dir.path / "to-null");
    const struct {
        const char* name;
        const char* kind;
    } refused[] = {{"fifo", "a FIFO"}, {"to-null", "a character device"}, {"folder", "a folder"}};
    for (const auto& r : refused) {
        const fs::path target = dir.path / r.name;
        const std::string expected = std::string("not a regular file (") + r.kind + "); it was left as it is";
        std::string why;
        EXPECT_FALSE(checkWriteTarget(target, why));
        EXPECT_EQ(why, expected);
        why.clear();
        EXPECT_FALSE(writeFileAtomically(target, "{}\n", why)) << r.name;
        EXPECT_EQ(why, expected);
        why.clear();
        EXPECT_EQ(openRegularFileForWriting(target, WriteMode::Truncate, why), -1) << r.name;
        EXPECT_EQ(why, expected);
    }
    EXPECT_EQ(fs::status(dir.path / "fifo").type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_symlink(dir.path / "to-null"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 3) << "no temporary file left behind";

    // A regular file, or none yet, is written; append keeps what was there.
    std::string why;
    EXPECT_TRUE(checkWriteTarget(dir.path / "new.json", why));
    for (const auto mode : {WriteMode::Truncate, WriteMode::Append}) {
        const int fd = openRegularFileForWriting(dir.path / "trace.txt", mode, why);
        ASSERT_GE(fd, 0) << why;
        ASSERT_EQ(::write(fd, "W FA;\n", 6), 6);
        ::close(fd);
    }
    EXPECT_EQ(dir.read("trace.txt"), "W FA;\nW FA;\n");
    const int fd = openRegularFileForWriting(dir.path / "trace.txt", WriteMode::Truncate, why);
    ASSERT_GE(fd, 0) << why;
    ::close(fd);
    EXPECT_EQ(dir.read("trace.txt"), "");
}

TEST(KeyValueFile, KeepsWhatItDoesNotKnowAndReadsBackWhatItWrote)
{
    test::TempDir dir;
    dir.write("CommoFiles/rcp720.conf", "# comment\nrig-server = 127.0.0.1:4532\nnonsense line\nfuture=1\n");
    KeyValueFile f(dir.path / "CommoFiles" / KeyValueFile::kFileName);
    ASSERT_TRUE(f.load());
    EXPECT_EQ(f.get("rig-server"), "127.0.0.1:4532");
    EXPECT_EQ(f.get("future"), "1");
    EXPECT_EQ(f.get("missing"), std::nullopt);

    f.set("rig-server", "off");
    f.set("network-device", "rfc2217://shack:3001\nrig-server = 0.0.0.0:1"); // one line, never two
    ASSERT_TRUE(f.save()) << f.lastError();
    EXPECT_EQ(dir.read("CommoFiles/rcp720.conf"),
              "# comment\nrig-server = off\nnonsense line\nfuture = 1\n"
              "network-device = rfc2217://shack:3001 rig-server = 0.0.0.0:1\n");

    KeyValueFile again(f.path());
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.get("rig-server"), "off");

    KeyValueFile none(dir.path / "nowhere" / "rcp720.conf");
    EXPECT_FALSE(none.load());
    EXPECT_EQ(none.get("rig-server"), std::nullopt);
    none.set("panel-scale", "1.5");
    EXPECT_TRUE(none.save()) << none.lastError();
}

} // namespace
} // namespace qx
