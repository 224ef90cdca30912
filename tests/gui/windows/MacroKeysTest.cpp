// Function-key macros: the key file, the key map, and the sender pacing
// commands with timer 39.
#include "tests/gui/windows/WindowFixture.h"
#include "windows/MacroKeyFile.h"
#include "windows/MacroKeys.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace qx::test {
namespace {

class MacroKeysTest : public ::testing::Test {
protected:
    void writeFile(const std::string& bytes)
    {
        std::filesystem::create_directories(base() / "CommoFiles");
        std::ofstream(base() / "CommoFiles" / "RCPKSDEF.txt", std::ios::binary) << bytes;
    }
    std::filesystem::path base() const { return dir.path().toStdString(); }
    bool press(MacroKey k, MacroModifier m = MacroModifier::None, bool allowF1 = false)
    {
        return keys.handleKey(k, m, allowF1);
    }
    std::vector<FakeOutbox::TimerCall> timer39() const
    {
        std::vector<FakeOutbox::TimerCall> out;
        for (const auto& t : fx.outbox.timerCalls)
            if (t.id == 39)
                out.push_back(t);
        return out;
    }

    QTemporaryDir dir;
    WindowFixture fx;
    int versionOpened = 0;
    MacroKeys keys{fx.outbox, fx.ctx.sendRaw, base(), [this] { ++versionOpened; }};
};

std::string lines(int count, const std::string& prefix)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += prefix + std::to_string(i) + ";\n";
    return s;
}

TEST(MacroKeyFileParse, LinesAreCutAndCounted)
{
    const std::string longLine(300, 'A');
    using namespace std::string_literals;
    const KeyMacroTable t = parseKeyMacros("FA14250000;\r\n"s + longLine + "\nMD\0" "02;junk\n\nLAST;"s);
    EXPECT_EQ(t[0], "FA14250000;");
    EXPECT_EQ(t[1], std::string(255, 'A'));
    EXPECT_EQ(t[2], "MD");
    EXPECT_EQ(t[3], "");
    EXPECT_EQ(t[4], "LAST;");
    EXPECT_EQ(t[5], "");
}

TEST(MacroKeyFileParse, OnlyTheFirst46LinesCount)
{
    const KeyMacroTable t = parseKeyMacros(lines(47, "L"));
    EXPECT_EQ(t[45], "L45;");
    for (const auto& line : t)
        EXPECT_NE(line, "L46;");
}

TEST(MacroKeyMapTable, KeysByModifier)
{
    struct Case {
        MacroKey key;
        MacroModifier mod;
        MacroKeyAction::Kind kind;
        int line;
    };
    using M = MacroModifier;
    using K = MacroKey;
    const Case cases[] = {
        {K::F1, M::None, MacroKeyAction::OpenVersion, -1},
        {K::F2, M::None, MacroKeyAction::SendLine, 0},
        {K::F12, M::None, MacroKeyAction::SendLine, 9},
        {K::F1, M::Shift, MacroKeyAction::SendLine, 10},
        {K::F10, M::Shift, MacroKeyAction::NotHandled, -1},
        {K::F1, M::Ctrl, MacroKeyAction::SendLine, 21},
        {K::F12, M::Ctrl, MacroKeyAction::SendLine, 31},
        {K::F1, M::Alt, MacroKeyAction::SendLine, 32},
        {K::F4, M::Alt, MacroKeyAction::NotHandled, -1},
        {K::F6, M::Alt, MacroKeyAction::NotHandled, -1},
        {K::F10, M::Alt, MacroKeyAction::SendLine, 39},
        {K::F10, M::None, MacroKeyAction::NotHandled, -1},
        {K::F12, M::Alt, MacroKeyAction::SendLine, 41},
        {K::PageUp, M::None, MacroKeyAction::SendLine, 42},
        {K::End, M::None, MacroKeyAction::SendLine, 45},
        {K::Home, M::Shift, MacroKeyAction::NotHandled, -1},
    };
    for (const auto& c : cases) {
        const auto a = macroKeyAction(c.key, c.mod);
        EXPECT_EQ(a.kind, c.kind) << static_cast<int>(c.key) << "/" << static_cast<int>(c.mod);
        EXPECT_EQ(a.line, c.line) << static_cast<int>(c.key) << "/" << static_cast<int>(c.mod);
    }
}

TEST(MacroKeyModifiers, ShiftIsTestedBeforeCtrl)
{
    EXPECT_EQ(MacroKeys::modifierOf(Qt::ShiftModifier | Qt::ControlModifier), MacroModifier::Shift);
    EXPECT_EQ(MacroKeys::modifierOf(Qt::ControlModifier | Qt::AltModifier), MacroModifier::Ctrl);
    EXPECT_EQ(MacroKeys::modifierOf(Qt::AltModifier), MacroModifier::Alt);
}

TEST_F(MacroKeysTest, TwoCommandLineIsSentOneCommandPerTimerTick)
{
    writeFile("FA14250000;MD02;tail\n");
    EXPECT_TRUE(press(MacroKey::F2));
    ASSERT_EQ(fx.sent, (std::vector<std::string>{"FA14250000;"}));
    ASSERT_EQ(timer39().size(), 1u);
    EXPECT_TRUE(timer39()[0].start);
    EXPECT_EQ(timer39()[0].periodMs, 22);

    keys.continueSending();
    EXPECT_EQ(fx.sent, (std::vector<std::string>{"FA14250000;", "MD02;"}));
    EXPECT_EQ(timer39().back().periodMs, 10);

    keys.continueSending(); // nothing after the last ";" goes out
    EXPECT_EQ(fx.sent.size(), 2u);
    EXPECT_FALSE(keys.busy());
    EXPECT_FALSE(timer39().back().start);
}

TEST_F(MacroKeysTest, KeyPressedWhileSendingIsSwallowed)
{
    writeFile("FA14250000;MD02;\nMD03;\n");
    ASSERT_TRUE(press(MacroKey::F2));
    EXPECT_TRUE(press(MacroKey::F3));
    keys.continueSending();
    keys.continueSending();
    EXPECT_EQ(fx.sent, (std::vector<std::string>{"FA14250000;", "MD02;"}));
    EXPECT_TRUE(press(MacroKey::F3));
    EXPECT_EQ(fx.sent.back(), "MD03;");
}

TEST_F(MacroKeysTest, FortySeventhLineBelongsToNoKey)
{
    writeFile(lines(46, "X") + "EXTRA;\n");
    EXPECT_TRUE(press(MacroKey::End));
    EXPECT_EQ(fx.sent, (std::vector<std::string>{"X45;"}));
}

TEST_F(MacroKeysTest, LongEarlyLinesDoNotHideTheLastKey)
{
    // 46 lines of about 2 KB: far more than 64 KiB before the End key's line.
    std::string bytes;
    for (int i = 0; i < 45; ++i)
        bytes += "FA" + std::string(2000, '0') + ";\r\n";
    bytes += "MD03;" + std::string(2000, ' ') + "\r\n";
    writeFile(bytes);
    EXPECT_TRUE(press(MacroKey::End));
    EXPECT_EQ(fx.sent, (std::vector<std::string>{"MD03;"}));
}

TEST(MacroKeyFileParse, OverlongLinesAreCutAndTheirRestSkipped)
{
    const std::string cut = std::string(255, 'B');
    const KeyMacroTable t = parseKeyMacros(std::string(255, 'A') + "\r\n" + cut + "TAIL;\r\nNEXT;\n");
    EXPECT_EQ(t[0], std::string(255, 'A')) << "a line of exactly 255 keeps them all, without the CR";
    EXPECT_EQ(t[1], cut);
    EXPECT_EQ(t[2], "NEXT;");
}

TEST(MacroKeyFileParse, ReadingStopsAtALineWithNoEndInSight)
{
    const std::string endless(kMacroLineScanLimit + 10, 'Z');
    const KeyMacroTable t = parseKeyMacros("FA14250000;\n" + endless + "\nMD03;\n");
    EXPECT_EQ(t[0], "FA14250000;");
    EXPECT_EQ(t[1], std::string(255, 'Z'));
    EXPECT_EQ(t[2], "") << "nothing after a line that long is read";
}

TEST_F(MacroKeysTest, AKeyTheFileDefinesNothingForIsLeftToTheWindow)
{
    EXPECT_FALSE(press(MacroKey::Home)) << "no file";
    writeFile("\nMD02\n" + std::string(41, '\n') + "\nFA14250000;\n");
    EXPECT_FALSE(press(MacroKey::F2)) << "empty line";
    EXPECT_FALSE(press(MacroKey::F3)) << "no command in the line";
    EXPECT_FALSE(press(MacroKey::PageUp));
    EXPECT_TRUE(fx.sent.empty());
    EXPECT_TRUE(press(MacroKey::Home)) << "line 44 has a command";
    EXPECT_EQ(fx.sent, (std::vector<std::string>{"FA14250000;"}));
    EXPECT_FALSE(press(MacroKey::End)) << "not even while a macro is being sent";
}

TEST_F(MacroKeysTest, HugeBinaryFileIsHarmless)
{
    std::string bytes(2 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 7919) & 0xFF);
    writeFile(bytes);
    for (int k = static_cast<int>(MacroKey::F2); k <= static_cast<int>(MacroKey::End); ++k) {
        press(static_cast<MacroKey>(k));
        while (keys.busy())
            keys.continueSending();
    }
    for (const auto& s : fx.sent) {
        EXPECT_LE(s.size(), kMacroLineLimit);
        EXPECT_EQ(s.find('\0'), std::string::npos);
    }
}

// Before, a directory made the reader throw out of the key press and a FIFO
// blocked it until a writer came.
TEST_F(MacroKeysTest, AnythingButARegularFileInItsPlaceReadsAsNoFile)
{
    const auto file = base() / "CommoFiles" / "RCPKSDEF.txt";
    // No file: the key is left to the window, as with no command.
    std::filesystem::create_directories(file);
    EXPECT_FALSE(press(MacroKey::F2));
    std::filesystem::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_FALSE(press(MacroKey::F2));
    std::filesystem::remove(file);
    writeFile("FA14250000;" + std::string(kMacroFileLimit, ' ')); // over the limit
    EXPECT_FALSE(press(MacroKey::F2));
    EXPECT_TRUE(fx.sent.empty());
    EXPECT_FALSE(keys.busy());

    writeFile("FA14250000;\n");
    EXPECT_TRUE(press(MacroKey::F2));
    EXPECT_EQ(fx.sent, (std::vector<std::string>{"FA14250000;"})) << "a proper file afterwards works";
}

TEST_F(MacroKeysTest, PlainF1OpensVersionOnlyWhenAllowed)
{
    writeFile("FA14250000;\n");
    EXPECT_TRUE(press(MacroKey::F1, MacroModifier::None, false));
    EXPECT_EQ(versionOpened, 0);
    EXPECT_TRUE(press(MacroKey::F1, MacroModifier::None, true));
    EXPECT_EQ(versionOpened, 1);
    EXPECT_TRUE(fx.sent.empty());
    EXPECT_FALSE(press(MacroKey::F4, MacroModifier::Alt, true));
}

} // namespace
} // namespace qx::test
