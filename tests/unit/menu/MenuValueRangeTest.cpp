// Which stored values each kind of entry takes: what its setting dialog
// offers, plus the low values some kinds show by name.
#include "menu/MenuLoader.h"
#include "menu/MenuValueRange.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qx {
namespace {

class MenuValueRangeTest : public ::testing::Test {
protected:
    void SetUp() override { MenuLoader(table, {}).load(); }

    // Lowest and highest allowed, and the values just outside.
    void expectSpan(int slot, double lowest, double highest)
    {
        const MenuItem item = table.getEntry(slot);
        const std::string name(item.name.view());
        EXPECT_TRUE(menuValueAllowed(item, lowest)) << name;
        EXPECT_TRUE(menuValueAllowed(item, highest)) << name;
        EXPECT_FALSE(menuValueAllowed(item, lowest - 1)) << name;
        EXPECT_FALSE(menuValueAllowed(item, highest + 1)) << name;
    }

    MenuTable table;
};

TEST_F(MenuValueRangeTest, EachKindSpansWhatItsDialogStores)
{
    expectSpan(21, 4, 60);      // CWSPEED, numbers as shown
    expectSpan(63, 1, 30);      // VOX DLY: 100-3000 ms stored in hundreds
    expectSpan(25, -300, 300);  // D DISP, signed, in tens of Hz
    expectSpan(50, 0, 999);     // RPT SFT, hundredths
    expectSpan(24, 25, 45);     // CWWEIGT, tenths
    expectSpan(10, 1, 4);       // CATRATE: a list whose first code is 1
    expectSpan(56, 0, 5);       // SELDIAL, a plain list
    expectSpan(60, 0, 49);      // TONE F, listed out of order
    expectSpan(7, 0, 201);      // BEEPVOL
    expectSpan(67, 0, 4);       // DIM
    expectSpan(5, 0, 3);        // BCN TXT: the channel
}

TEST_F(MenuValueRangeTest, KindsThatNameTheirLowValuesReachZero)
{
    expectSpan(16, 0, 300); // CW DLY: anything below 3 reads "FULL"
    expectSpan(20, 0, 10);  // CWPITCH: 0 to 2 read "400"
    expectSpan(64, 0, 255); // VOXGAIN: 0 to 255 shown as percent
}

TEST_F(MenuValueRangeTest, FlagsTakeOnlyTheirOwnBits)
{
    const MenuItem band = table.getEntry(65), mode = table.getEntry(66);
    EXPECT_TRUE(menuValueAllowed(band, 2047));
    EXPECT_TRUE(menuValueAllowed(band, 0));
    EXPECT_FALSE(menuValueAllowed(band, 2048));
    EXPECT_TRUE(menuValueAllowed(mode, 63));
    EXPECT_FALSE(menuValueAllowed(mode, 64));
    EXPECT_FALSE(menuValueAllowed(mode, 65)); // within no span but a bit too many
}

TEST_F(MenuValueRangeTest, FractionsVacantSlotsAndNonNumbersAreRefused)
{
    const MenuItem speed = table.getEntry(21);
    EXPECT_FALSE(menuValueAllowed(speed, 12.5));
    EXPECT_FALSE(menuValueAllowed(speed, std::nan("")));
    EXPECT_FALSE(menuValueAllowed(speed, INFINITY));
    EXPECT_FALSE(menuValueAllowed(table.getEntry(27), 0));
    EXPECT_FALSE(menuValueSpan(table.getEntry(40)));
}

TEST(DisplayText, TakesWhatTheRadioShowsAndNothingThatBreaksACommand)
{
    EXPECT_TRUE(displayTextOk("CQ TEST DE QX1AB/P 599 {"));
    EXPECT_TRUE(displayTextOk(""));
    EXPECT_FALSE(displayTextOk("cq test"));
    EXPECT_FALSE(displayTextOk("CQ;FA14000000"));
    EXPECT_FALSE(displayTextOk("CQ\tTEST"));
    EXPECT_FALSE(displayTextOk("\xC3\xA9"));
}

} // namespace
} // namespace qx
