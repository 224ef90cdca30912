#include "core/MessageIds.h"
#include "menu/MenuKind.h"
#include "menu/MenuLoader.h"
#include "menu/MenuTable.h"
#include "menu/MenuValue.h"
#include "tests/FakeOutbox.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace qx {
namespace {

TEST(MenuValue, SixDecimalRuleForIntegers)
{
    const std::pair<double, int> cases[] = {
        {12.0, 12}, {11.9999997, 12}, {11.5, 11}, {-0.5, 0}, {-0.9999999, -1}, {-30.0, -30},
        {2047.0, 2047}, {1e12, 2147483647}, {-1e12, -2147483647 - 1},
    };
    for (auto [in, out] : cases)
        EXPECT_EQ(menuInt(in), out) << in;
    EXPECT_EQ(truncatedValue(11.9999997), 11);
    EXPECT_EQ(truncatedValue(-2.7), -2);
}

class LoadedTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        MenuLoader loader(table, {[this](int n) { highest = n; events.push_back("highest"); },
                                  [this] { events.push_back("ready"); }});
        loader.load();
        loadedEvents = events;
        loader.finish();
    }

    MenuTable table;
    int highest = 0;
    std::vector<std::string> events;
    std::vector<std::string> loadedEvents;
};

TEST_F(LoadedTable, LoaderFillsThenAnnouncesHighestNumberThenReady)
{
    EXPECT_EQ(table.count(), 67);
    EXPECT_EQ(highest, 67);
    EXPECT_EQ(loadedEvents, (std::vector<std::string>{"highest"}));
    EXPECT_EQ(events, (std::vector<std::string>{"highest", "ready"}));
    EXPECT_EQ(table.getEntry(67).name, "DIM");
    EXPECT_EQ(table.widthOf(65), 11);
}

TEST_F(LoadedTable, SlotsOutsideTheTableReadAsEmptyAndRefuseWrites)
{
    for (int slot : {0, 68}) {
        EXPECT_EQ(table.getEntry(slot).name, "");
        EXPECT_FALSE(table.putEntry(slot, table.getEntry(21)));
    }
    EXPECT_FALSE(table.setCount(68));
    EXPECT_EQ(table.count(), 67);
    const MenuTable empty;
    EXPECT_EQ(empty.kindOf(21), -1);
    EXPECT_EQ(empty.widthOf(21), 0);
}

TEST_F(LoadedTable, PutEntryReplacesTheWholeEntry)
{
    MenuItem item = table.getEntry(21);
    item.value = 30;
    item.changed = true;
    item.newValue = 31;
    ASSERT_TRUE(table.putEntry(21, item));
    const MenuItem back = table.getEntry(21);
    EXPECT_TRUE(back.changed);
    EXPECT_EQ(back.newValue, 31);
}

TEST_F(LoadedTable, LookupsByKindFindTheFirstEntry)
{
    EXPECT_EQ(table.slotByKind(MenuKind::Level), 30);      // DIG VOX before VOXGAIN
    EXPECT_EQ(table.slotByKind(MenuKind::VolumeLink), 7);  // BEEPVOL before CWSTONE
    EXPECT_EQ(table.valueByKind(MenuKind::SelDial), 2);
    EXPECT_EQ(table.valueByKind(MenuKind::MicEq), 0);

    EXPECT_TRUE(table.setValueByKind(MenuKind::MicEq, 7));
    EXPECT_EQ(table.getEntry(37).value, 7);

    const auto dim = table.entryByKind(MenuKind::Dimmer);
    ASSERT_TRUE(dim.has_value());
    EXPECT_EQ(dim->name, "DIM");
}

TEST_F(LoadedTable, LookupOfAMissingKindYieldsOneAndNoEntry)
{
    EXPECT_EQ(table.valueByKind(12), 1.0);
    EXPECT_FALSE(table.entryByKind(12).has_value());
    EXPECT_EQ(table.slotByKind(12), 0);
    EXPECT_FALSE(table.setValueByKind(12, 5));
}

TEST(MenuLoaderMessages, LoadPostsQuitToItselfAndQuitMakesTheMenuReady)
{
    MenuTable table;
    test::FakeOutbox outbox;
    int readyCalls = 0;
    MenuLoader loader(table, {nullptr, [&] { ++readyCalls; }}, &outbox);

    loader.handle(Message{UM_MENU_LOAD, 0, 0});
    EXPECT_EQ(table.count(), 67);
    EXPECT_EQ(readyCalls, 0);
    ASSERT_EQ(outbox.threadPosts.size(), 1u);
    EXPECT_EQ(outbox.threadPosts[0].to, ThreadId::MenuLoad);
    EXPECT_EQ(outbox.threadPosts[0].m.id, UM_THREAD_QUIT);

    loader.handle(outbox.threadPosts[0].m);
    EXPECT_EQ(readyCalls, 1);
}

// Run under ThreadSanitizer: a writer replacing entries while readers copy them.
TEST_F(LoadedTable, WholeEntriesCopyCleanlyAcrossThreads)
{
    std::thread writer([this] {
        for (int i = 0; i < 2000; ++i) {
            MenuItem item = table.getEntry(5);
            item.value = i % 10;
            item.text = i % 2 ? "ODD" : "EVEN";
            table.putEntry(5, item);
        }
    });
    int torn = 0;
    for (int i = 0; i < 2000; ++i) {
        const MenuItem item = table.getEntry(5);
        if (item.text != "ODD" && item.text != "EVEN" && item.text != "1")
            ++torn;
        (void)table.valueByKind(MenuKind::BeaconText);
    }
    writer.join();
    EXPECT_EQ(torn, 0);
}

} // namespace
} // namespace qx
