// The CAT monitor: the link-up as it crossed a real line to the simulated
// radio, then its own handling of lines fed straight into a tap.
#include "serial/TrafficTap.h"
#include "tests/TempDir.h"
#include "tests/gui/GuiWait.h"
#include "tests/integration/EngineRig.h"
#include "windows/CatMonitorDlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

std::span<const std::uint8_t> bytes(const std::string& s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// The lines without their times.
QStringList texts(const QStringList& lines)
{
    QStringList out;
    for (const QString& l : lines)
        out << l.section(QLatin1Char(' '), 1);
    return out;
}

TEST(CatMonitor, ShowsTheLinkUpAsItCrossedTheLineInOrder)
{
    test::EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    CCatMonitorDlg monitor(rig.engine().traffic());
    monitor.show();
    rig.engine().startUp();
    ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_AI_TOGGLE, 0, 0});
    ASSERT_TRUE(rig.waitFor(UM_ANS_ID));
    monitor.catchUp();

    const QStringList lines = monitor.shownLines();
    // In this order; the meter readings a radio sends on its own once
    // auto-information is on may come in between.
    const QStringList want{"W AI0;", "W PS;", "R PS1;", "W AI1;", "W AI;", "R AI1;", "W ID;", "R ID0241;"};
    qsizetype next = 0;
    QStringList between;
    for (const QString& l : texts(lines)) {
        if (next < want.size() && l == want[next])
            ++next;
        else if (next < want.size())
            between << l;
    }
    EXPECT_EQ(next, want.size()) << texts(lines).join(QLatin1Char(' ')).toStdString();
    for (const QString& l : between)
        EXPECT_TRUE(l.startsWith(QStringLiteral("R RM"))) << l.toStdString();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(texts(lines).front(), "W AI0;");
    const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d [WR] "));
    for (const QString& l : lines)
        EXPECT_TRUE(time.match(l).hasMatch()) << l.toStdString();
    // Times never run backwards.
    for (qsizetype i = 1; i < lines.size(); ++i)
        EXPECT_LE(lines[i - 1].left(12), lines[i].left(12));
}

TEST(CatMonitor, ListensOnlyWhileOpenAndKeepsTheNewestLines)
{
    TrafficTap tap;
    CCatMonitorDlg monitor(tap);
    EXPECT_FALSE(tap.listening()) << "nothing is spent before it opens";
    monitor.show();
    EXPECT_TRUE(tap.listening());

    std::string burst;
    for (int i = 1; i <= 10'005; ++i)
        burst += "FA" + std::to_string(10'000'000 + i) + ";";
    tap.record(TrafficDirection::Read, bytes(burst));
    monitor.catchUp();
    QStringList lines = texts(monitor.shownLines());
    ASSERT_EQ(lines.size(), 10'000);
    EXPECT_EQ(lines.front(), "R FA10000006;") << "the five oldest are gone";
    EXPECT_EQ(lines.back(), "R FA10010005;");

    tap.record(TrafficDirection::Written, bytes("ID;"));
    monitor.catchUp();
    lines = texts(monitor.shownLines());
    ASSERT_EQ(lines.size(), 10'000);
    EXPECT_EQ(lines.front(), "R FA10000007;");
    EXPECT_EQ(lines.back(), "W ID;");

    monitor.close();
    EXPECT_FALSE(tap.listening()) << "closed, it costs nothing again";
    tap.record(TrafficDirection::Written, bytes("FB;"));
    monitor.show();
    monitor.catchUp();
    EXPECT_EQ(texts(monitor.shownLines()).back(), "W ID;") << "what crossed while it was closed was never taken";
}

TEST(CatMonitor, FiltersPausesClearsCopiesAndSaves)
{
    TrafficTap tap;
    CCatMonitorDlg monitor(tap);
    monitor.show();
    tap.record(TrafficDirection::Written, bytes("RM1;IF;FA;"));
    tap.record(TrafficDirection::Read, bytes("RM1100;IF00014250000+000000000000000000;FA14250000;PS1;AI1;?;"));
    monitor.setHiddenCodes(QStringLiteral("rm, IF ps Ai"));
    monitor.catchUp();
    EXPECT_EQ(texts(monitor.shownLines()), (QStringList{"W FA;", "R FA14250000;", "R ?;"}));
    monitor.setHiddenCodes(QString());
    EXPECT_EQ(monitor.shownLines().size(), 9) << "hidden lines come back when the filter is emptied";

    monitor.setPaused(true);
    tap.record(TrafficDirection::Written, bytes("MD0;"));
    monitor.catchUp();
    EXPECT_EQ(monitor.shownLines().size(), 9);
    monitor.setPaused(false);
    EXPECT_EQ(texts(monitor.shownLines()).back(), "W MD0;") << "what came during the pause shows after it";

    monitor.copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), monitor.shownLines().join(QLatin1Char('\n')));

    test::TempDir dir;
    const QString path = QString::fromStdString((dir.path / "traffic.txt").string());
    ASSERT_TRUE(monitor.saveTo(path));
    EXPECT_EQ(QString::fromStdString(dir.read("traffic.txt")), monitor.shownLines().join(QLatin1Char('\n')) + "\n");
    QString why;
    EXPECT_FALSE(monitor.saveTo(QString::fromStdString((dir.path / "no" / "such" / "t.txt").string()), &why));
    EXPECT_FALSE(why.isEmpty());

    monitor.clear();
    EXPECT_TRUE(monitor.shownLines().isEmpty());
    tap.record(TrafficDirection::Written, bytes("VS;"));
    monitor.catchUp();
    EXPECT_EQ(texts(monitor.shownLines()), QStringList{"W VS;"});
}

} // namespace
} // namespace qx
